// CompanyDb_Verify: a maintenance check that every line of the company file
// can be found by the look-up, as a sort error would hide lines from it.
#include "ovcore/company.h"
#include "core/message_sink.h"
#include "core/template_io.h"
#include <stdio.h>
#include <string>

namespace {

bool ReadStored(HANDLE file, std::string& text) {
    LARGE_INTEGER start = {};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN) || !ReadWholeFile(file, text))
        return false;
    if (!text.empty())
        CompanyDb_Unscramble(&text[0], int(text.size()));
    return true;
}

} // namespace

ORB_EXPORT(int) CompanyDb_Verify(const CompanyList* list, CompanyStatusProc status) {
    std::string text;
    if (!list || !list->File || list->File == INVALID_HANDLE_VALUE || !ReadStored(list->File, text))
        return -1;
    int misses = 0;
    long lineNumber = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find('\n', pos);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(pos, end - pos);
        pos = end;
        ++lineNumber;
        size_t comma = line.find(',');
        if (comma == std::string::npos)
            continue;
        std::string key = line.substr(0, comma < COMPANY_LINE_SIZE ? comma : COMPANY_LINE_SIZE);
        char message[COMPANY_LINE_SIZE + 64];
        snprintf(message, sizeof message, "Looking for: %s of %ld", key.c_str(), lineNumber);
        if (status)
            status(message);
        CompanyRecord record;
        if (CompanyDb_Lookup(list, LONGLONG(text.size()), key.c_str(), &record))
            continue;
        ++misses;
        snprintf(message, sizeof message, "Couldn't find %ld domains. [%s]", long(misses),
                 key.c_str());
        if (Engine_MessageBox(nullptr, message, "Stop?", MB_YESNO) == IDYES)
            break;
    }
    return misses;
}
