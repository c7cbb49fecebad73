// Folders, names and the walk over the definition files of one kind.
#include "definitions/report_definitions.h"
#include "definitions/definition_walk.h"
#include "desk_services.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char* const kExtensions[DEFINITION_KINDS] = {".MR", ".MG", ".ME", ".MSS"};
const char* const kPatterns[DEFINITION_KINDS] = {"*.mr", "*.mg", "*.me", "*.mss"};

// The leading hexadecimal digits of a file name as a number (none: 0).
DWORD NameNumber(const char* name) {
    DWORD value = 0;
    for (const char* p = name; *p && *p != '.'; ++p) {
        int digit = (*p >= '0' && *p <= '9')   ? *p - '0'
                    : (*p >= 'A' && *p <= 'F') ? *p - 'A' + 10
                    : (*p >= 'a' && *p <= 'f') ? *p - 'a' + 10
                                               : -1;
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}
} // namespace

int GetReportDefinitionDir(char* folder, char* pattern, int kind) {
    if (kind < 0 || kind >= DEFINITION_KINDS)
        return 0;
    const char* data = GetDataFilesFolder();
    if (!data[0] || strlen(data) >= MAX_PATH)
        return 0;
    strcpy(folder, data);
    if (pattern) {
        int n = snprintf(pattern, MAX_PATH, "%s%s", data, kPatterns[kind]);
        if (n < 0 || n >= MAX_PATH)
            return 0;
    }
    return 1;
}

int WalkDefinitionFiles(int kind, DefinitionVisitor visit, void* context) {
    char folder[MAX_PATH], pattern[MAX_PATH];
    if (!GetReportDefinitionDir(folder, pattern, kind))
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int stopped = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        char path[MAX_PATH];
        int n = snprintf(path, sizeof path, "%s%s", folder, found.cFileName);
        if (n < 0 || n >= (int)sizeof path)
            continue;
        stopped = visit(path, found.cFileName, context);
    } while (!stopped && FindNextFileA(search, &found));
    FindClose(search);
    return stopped;
}

int NewReportDefinitionName(int kind, char* path) {
    char folder[MAX_PATH];
    if (!GetReportDefinitionDir(folder, nullptr, kind))
        return 0;
    DWORD highest = 0;
    WalkDefinitionFiles(
        kind,
        [](const char*, const char* name, void* context) {
            DWORD number = NameNumber(name);
            DWORD* top = (DWORD*)context;
            if (number > *top)
                *top = number;
            return 0;
        },
        &highest);
    int n = snprintf(path, MAX_PATH, "%s%08lX%s", folder, (unsigned long)(highest + 1),
                     kExtensions[kind]);
    return n > 0 && n < MAX_PATH;
}

int DeleteReportDefinition(const char* path) {
    return DeleteFileA(path) ? 1 : 0;
}

void ReadDefinitionDescription(const char* path, char* description, DWORD size) {
    GetPrivateProfileStringA("General", "Description", "", description, size, path);
}
