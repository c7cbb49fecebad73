// CompanyDb_ParseLine: "key,name,second,third" read from the line's end
// backwards, so that only the key's comma is fixed.
#include "ovcore/company.h"
#include <string.h>
#include "ovkit/text_copy.h"

namespace {

// The last comma in [begin, end), or null.
const char* LastComma(const char* begin, const char* end) {
    for (const char* p = end; p > begin; --p)
        if (p[-1] == ',')
            return p - 1;
    return nullptr;
}

} // namespace

ORB_EXPORT(int)
CompanyDb_ParseLine(const char* line, int length, CompanyRecord* record, int* lineLength) {
    if (!line || !record || length <= 0)
        return 0;
    const char* end = line;
    const char* limit = line + length;
    while (end < limit && *end != '\r' && *end != '\n')
        ++end;
    const char* keyComma = static_cast<const char*>(memchr(line, ',', size_t(end - line)));
    if (end == limit || !keyComma)
        return 0;
    memset(record, 0, sizeof *record);
    OvkitCopyPart(record->Line, sizeof record->Line, line, size_t(end - line));
    record->KeyLength = WORD(keyComma - line);
    record->FieldsOffset = WORD(record->KeyLength + 1);
    // Backwards from the end: third field, second field, name; fields that
    // would reach into the key stay empty.
    const char* c3 = LastComma(keyComma, end);
    OvkitCopyPart(record->Third, sizeof record->Third, c3 + 1, size_t(end - (c3 + 1)));
    const char* c2 = c3 > keyComma ? LastComma(keyComma, c3) : nullptr;
    if (c2) {
        OvkitCopyPart(record->Second, sizeof record->Second, c2 + 1, size_t(c3 - (c2 + 1)));
        const char* c1 = c2 > keyComma ? LastComma(keyComma, c2) : nullptr;
        if (c1)
            OvkitCopyPart(record->Name, sizeof record->Name, c1 + 1, size_t(c2 - (c1 + 1)));
    }
    TitleCaseName(record->Name);
    TitleCaseName(record->Second);
    const char* next = end;
    if (next < limit && *next == '\r')
        ++next;
    if (next < limit && *next == '\n')
        ++next;
    if (lineLength)
        *lineLength = int(next - line);
    return 1;
}
