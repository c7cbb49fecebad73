// Stand-in of the outside log finder: lists the log files of one folder.
#include "seekmole.h"
#include "ovkit/text_copy.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// The folder to search, with its closing backslash; false when it does not fit.
bool GetSearchFolder(const SeekmoleRequest* request, char* folder) {
    char named[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("SEEKMOLE_LOG_FOLDER", named, sizeof named);
    int written;
    if (n > 0 && n < sizeof named) {
        bool slash = named[n - 1] == '\\' || named[n - 1] == '/';
        written = snprintf(folder, MAX_PATH, "%s%s", named, slash ? "" : "\\");
    } else {
        char dir[SEEKMOLE_MODULE_DIR_SIZE + 1];
        memcpy(dir, request->ModuleDirectory, SEEKMOLE_MODULE_DIR_SIZE);
        dir[SEEKMOLE_MODULE_DIR_SIZE] = '\0';
        written = snprintf(folder, MAX_PATH, "%sLogs\\", dir);
    }
    return written > 0 && written < MAX_PATH;
}

bool FileExists(const char* folder, const char* name) {
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s%s", folder, name);
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

WORD KindOfName(const char* name) {
    char lower[MAX_PATH];
    OvkitCopyText(lower, sizeof lower, name);
    CharLowerA(lower);
    if (strstr(lower, "ref"))
        return SEEKMOLE_KIND_REFERRER;
    if (strstr(lower, "agent"))
        return SEEKMOLE_KIND_AGENT;
    return SEEKMOLE_KIND_ACCESS;
}

int CompareNames(const void* a, const void* b) {
    return _stricmp(static_cast<const char*>(a), static_cast<const char*>(b));
}

// The "*.log" names of the folder, sorted; their count.
int ListLogNames(const char* folder, char (*names)[MAX_PATH]) {
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof pattern, "%s*.log", folder);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            OvkitCopyText(names[count++], MAX_PATH, data.cFileName);
    } while (count < SEEKMOLE_MAX_LOGS && FindNextFileA(find, &data));
    FindClose(find);
    qsort(names, count, MAX_PATH, CompareNames);
    return count;
}

void FillFound(SeekmoleFoundLog* log, const char* folder, const char* name, const char* site) {
    OvkitCopyText(log->SiteName, sizeof log->SiteName, site);
    log->Kind = KindOfName(name);
    snprintf(log->Address, sizeof log->Address, "file:///%s%s", folder, name);
    log->DNSLookup = 2;
}

int Finish(SeekmoleRequest* request, WORD result) {
    request->Result = result;
    if (request->CloseStatusDialog)
        request->CloseStatusDialog();
    return result;
}
} // namespace

int WINAPI Seekmole_Find(DWORD, HWND parent, SeekmoleRequest* request,
                         SeekmoleProgressProc progress, DWORD) {
    if (!request)
        return SEEKMOLE_NOTHING;
    char folder[MAX_PATH];
    if (!GetSearchFolder(request, folder))
        return Finish(request, SEEKMOLE_NOTHING);
    if (progress && progress(parent, "Looking for your web site's log files..."))
        return Finish(request, SEEKMOLE_CANCELLED);
    if (FileExists(folder, "instructions.txt"))
        return Finish(request, SEEKMOLE_INSTRUCTIONS);
    char site[SEEKMOLE_SITE_SIZE];
    DWORD n = GetEnvironmentVariableA("SEEKMOLE_SITE", site, sizeof site);
    if (n == 0 || n >= sizeof site)
        OvkitCopyText(site, sizeof site, "localhost");
    char names[SEEKMOLE_MAX_LOGS][MAX_PATH];
    int count = ListLogNames(folder, names);
    request->FoundCount = 0;
    for (int i = 0; i < count; ++i) {
        char status[MAX_PATH + 16];
        snprintf(status, sizeof status, "Found %s", names[i]);
        if (progress && progress(parent, status)) {
            request->FoundCount = 0;
            return Finish(request, SEEKMOLE_CANCELLED);
        }
        FillFound(&request->Found[request->FoundCount++], folder, names[i], site);
    }
    return Finish(request, count ? SEEKMOLE_FOUND : SEEKMOLE_NOTHING);
}

int WINAPI Seekmole_ValidLogFile(const char* path, DWORD) {
    if (!path)
        return 0;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;
    return data.nFileSizeLow != 0 || data.nFileSizeHigh != 0;
}
