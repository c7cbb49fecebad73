// Report output names: the reports folder, relative names and extensions.
#include "report_run/output_names.h"
#include "report_run/file_names.h"
#include "desk_services.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// Creates every level of a folder path (with or without its closing backslash).
void CreateFolderLevels(const char* folder) {
    char level[MAX_PATH];
    lstrcpynA(level, folder, sizeof level);
    for (char* p = level; *p; ++p) {
        if ((*p == '\\' || *p == '/') && p > level && p[-1] != ':') {
            char keep = *p;
            *p = '\0';
            CreateDirectoryA(level, nullptr);
            *p = keep;
        }
    }
    CreateDirectoryA(level, nullptr);
}

// "<install>Reports\<subFolder>\" (created) into folder (MAX_PATH); 0 when
// it does not fit.
int ReportsSubFolder(const char* subFolder, char* folder) {
    int n = snprintf(folder, MAX_PATH, "%sReports\\%s\\", GetModuleDirectory(), subFolder);
    if (n < 0 || n >= MAX_PATH)
        return 0;
    CreateFolderLevels(folder);
    return 1;
}

// Joins folder and name into name (MAX_PATH) when it fits.
void PrefixFolder(char* name, const char* folder) {
    char joined[MAX_PATH];
    int n = snprintf(joined, sizeof joined, "%s%s", folder, name);
    if (n > 0 && n < (int)sizeof joined)
        lstrcpyA(name, joined);
}
} // namespace

char* MakeDefaultReportsDir(char* buffer) {
    int n = snprintf(buffer, MAX_PATH, "%sREPORTS\\%s", GetModuleDirectory(), REPORTS_SUBFOLDER);
    if (n < 0 || n >= MAX_PATH) {
        buffer[0] = '\0';
        return buffer;
    }
    CreateFolderLevels(buffer);
    return buffer;
}

void PlaceReportInReportsDir(char* name, const char* defaultExtension, const char* subFolder) {
    bool hasExtension = false, hasFolder = false;
    for (size_t i = strlen(name); i-- > 0;) {
        if (name[i] == '\\' || name[i] == '/') {
            hasFolder = true;
            break;
        }
        if (name[i] == '.') {
            hasExtension = true;
            break;
        }
    }
    if (!hasFolder)
        for (const char* p = name; *p && !hasFolder; ++p)
            hasFolder = *p == '\\' || *p == '/';
    if (!hasExtension && defaultExtension && strlen(name) + strlen(defaultExtension) < MAX_PATH)
        lstrcatA(name, defaultExtension);
    char folder[MAX_PATH];
    if (!hasFolder && ReportsSubFolder(subFolder, folder))
        PrefixFolder(name, folder);
}

void ResolveRelativeReportPath(char* name, const char* subFolder) {
    if (strncmp(name, ".\\", 2) != 0)
        return;
    char folder[MAX_PATH];
    if (!ReportsSubFolder(subFolder, folder))
        return;
    folder[strlen(folder) - 1] = '\0'; // the name keeps its own backslash
    char rest[MAX_PATH];
    lstrcpynA(rest, name + 1, sizeof rest);
    lstrcpyA(name, rest);
    PrefixFolder(name, folder);
}

int IsShortFileName(char* name, const char* defaultExtension) {
    const char* file = FileNamePart(name);
    const char* dot = strrchr(file, '.');
    if (!dot) {
        if (!defaultExtension || !*defaultExtension)
            return 0;
        if (defaultExtension[0] != '.')
            lstrcatA(name, ".");
        lstrcatA(name, defaultExtension);
        dot = strrchr(file, '.');
    }
    return strlen(file) <= 12 && strlen(dot) < 5;
}

int RotateNumberedFile(const char* path) {
    const char* dot = strrchr(FileNamePart(path), '.');
    if (!dot)
        return 0;
    char pattern[MAX_PATH];
    int n = snprintf(pattern, sizeof pattern, "%.*s*", (int)(dot - path), path);
    if (n < 0 || n >= (int)sizeof pattern)
        return 0;
    int highest = -1;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const char* ext = strchr(found.cFileName, '.');
            if (ext && _stricmp(ext, dot) != 0) {
                int number = atoi(ext + 1);
                if (number > highest)
                    highest = number;
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    int next = highest + 1 > 998 ? 0 : highest + 1;
    char target[MAX_PATH];
    n = snprintf(target, sizeof target, "%.*s.%03d", (int)(dot - path), path, next);
    if (n < 0 || n >= (int)sizeof target)
        return 0;
    return MoveFileA(path, target) ? 1 : 0;
}
