// fetchvar_ReadVarData: loads a language-variables file into the table, with
// the fall-backs to the configured report language and to English.
#include "langvars/var_file.h"
#include "langvars/var_table.h"
#include "core/message_sink.h"
#include "ovcore/langvars.h"
#include "ovcore/settings.h"
#include <stdio.h>
#include <string.h>

namespace langvars {

std::vector<VarPair> ParsePairs(const char* text, size_t length) {
    std::vector<VarPair> pairs;
    const char* p = text;
    const char* end = text + length;
    while (p < end && pairs.size() < LANGVAR_MAX_PAIRS) {
        const char* open = static_cast<const char*>(memchr(p, '<', end - p));
        if (!open)
            break;
        const char* close = static_cast<const char*>(memchr(open + 1, '>', end - open - 1));
        if (!close)
            break;
        const char* brace = static_cast<const char*>(memchr(close + 1, '{', end - close - 1));
        if (!brace)
            break;
        const char* last = static_cast<const char*>(memchr(brace + 1, '}', end - brace - 1));
        if (!last)
            break;
        VarPair pair;
        pair.name.assign(open + 1, close);
        pair.value.assign(brace + 1, last);
        pairs.push_back(std::move(pair));
        p = last + 1;
    }
    return pairs;
}

} // namespace langvars

namespace {

// Most bytes of a language file that are read; larger files are refused.
const DWORD kMaxFileBytes = 16u * 1024u * 1024u;

HANDLE OpenForReading(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Reads the whole file; false when it cannot be read or is too large.
bool ReadWhole(HANDLE file, std::string& bytes) {
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > kMaxFileBytes)
        return false;
    bytes.resize(size);
    DWORD got = 0;
    if (size && !ReadFile(file, &bytes[0], size, &got, nullptr))
        return false;
    bytes.resize(got);
    return true;
}

// Opens path, else folder + the configured report language + ".rpl", else
// folder + "english.rpl"; path receives the name that was opened (or the last
// one tried).
HANDLE OpenWithFallbacks(char* path, DWORD* error) {
    HANDLE file = OpenForReading(path);
    if (file != INVALID_HANDLE_VALUE)
        return file;
    *error = GetLastError();

    char folder[MAX_PATH] = "";
    const char* cut = nullptr;
    for (const char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            cut = c + 1;
    if (cut && size_t(cut - path) < sizeof folder)
        lstrcpynA(folder, path, int(cut - path) + 1);

    char language[80] = "";
    GetModuleProfileString("Language", "Report", "english", language, sizeof language);
    const char* tries[2] = {language, "english"};
    for (const char* name : tries) {
        char candidate[MAX_PATH];
        int n = snprintf(candidate, sizeof candidate, "%s%s.rpl", folder, name);
        if (n < 0 || n >= int(sizeof candidate))
            continue;
        lstrcpynA(path, candidate, MAX_PATH);
        file = OpenForReading(candidate);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        *error = GetLastError();
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

ORB_EXPORT(int) fetchvar_ReadVarData(char* path) {
    if (!path)
        return 0;
    if (langvars::IsLoaded(path))
        return 1;
    langvars::Clear();

    DWORD error = 0;
    HANDLE file = OpenWithFallbacks(path, &error);
    if (file == INVALID_HANDLE_VALUE) {
        char text[MAX_PATH + 64];
        snprintf(text, sizeof text, "Can't load file %s  (err = %d)", path, int(error));
        Engine_MessageBox(nullptr, text, "Load", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    std::string bytes;
    BY_HANDLE_FILE_INFORMATION info = {};
    bool read = GetFileInformationByHandle(file, &info) && ReadWhole(file, bytes);
    CloseHandle(file);
    if (!read)
        return 0;
    langvars::FileStamp stamp = {(unsigned long long)info.nFileSizeHigh << 32 | info.nFileSizeLow,
                                 (unsigned long long)info.ftLastWriteTime.dwHighDateTime << 32 |
                                     info.ftLastWriteTime.dwLowDateTime};
    langvars::Install(langvars::ParsePairs(bytes.data(), bytes.size()), path, stamp);
    return 1;
}
