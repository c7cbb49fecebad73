// Building a FileInfo from server lists: path lists, wildcards and archives.
#include "ovcore/fileinfo.h"
#include "logodbc/odbc_log_source.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

namespace {

// Full paths already taken in this build (compared without regard to case),
// so that a file reached through two patterns or two servers is read once.
struct SeenList {
    char** paths;
    DWORD count;
};

BOOL Seen_Has(const SeenList& seen, const char* path) {
    for (DWORD i = 0; i < seen.count; i++)
        if (lstrcmpiA(seen.paths[i], path) == 0)
            return TRUE;
    return FALSE;
}

BOOL Seen_Add(SeenList* seen, const char* path) {
    char** grown = (char**)realloc(seen->paths, (seen->count + 1) * sizeof(char*));
    if (!grown)
        return FALSE;
    seen->paths = grown;
    seen->paths[seen->count] = _strdup(path);
    return seen->paths[seen->count++] != nullptr;
}

void Seen_Free(SeenList* seen) {
    for (DWORD i = 0; i < seen->count; i++)
        free(seen->paths[i]);
    free(seen->paths);
    seen->paths = nullptr;
    seen->count = 0;
}

struct BuildArgs {
    HWND hostArg;
    const char* profileName;
    DWORD* flags;
    const char* odbcSource;
    FileInfo* info;
    BOOL unpack;
    FileInfoPathCallback pathCallback;
    SeenList* seen;
};

// Length of the folder part (through its last "\", "/" or ":").
size_t FolderLength(const char* path, size_t length) {
    size_t folder = 0;
    for (size_t i = 0; i < length; i++)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
            folder = i + 1;
    return folder;
}

int AddUnpacked(const BuildArgs& a, const char* path, int kind, WORD server) {
    DWORD count = 0;
    TempFileRecord** list = kind == ARCHIVE_ZIP
                                ? UnzipLogArchive(a.profileName, a.hostArg, path, &count)
                                : GunzipLogFile(a.profileName, a.hostArg, path, &count);
    a.info->wSourceKind = kind == ARCHIVE_ZIP ? FILEINFO_KIND_ZIP : FILEINFO_KIND_GZIP;
    int added = 0;
    for (DWORD i = 0; i < count; i++)
        if (FileInfo_AddFile(a.info, list[i]->szPath, list[i]->dwFileTime, list[i]->dwSize, server))
            added++;
    FreeTempFileList(list, count);
    return added;
}

int AddFound(const BuildArgs& a, const char* path, const WIN32_FIND_DATAA& found, WORD server) {
    if (Seen_Has(*a.seen, path) || !Seen_Add(a.seen, path))
        return 0;
    int kind = a.unpack ? DetectArchiveType(path) : ARCHIVE_NONE;
    if (kind == ARCHIVE_ZIP || kind == ARCHIVE_GZIP)
        return AddUnpacked(a, path, kind, server);
    a.info->wSourceKind = FILEINFO_KIND_PLAIN;
    ULARGE_INTEGER t;
    t.LowPart = found.ftLastWriteTime.dwLowDateTime;
    t.HighPart = found.ftLastWriteTime.dwHighDateTime;
    DWORD time = (DWORD)(t.QuadPart / 10000000ULL - 11644473600ULL);
    ULONGLONG size = ((ULONGLONG)found.nFileSizeHigh << 32) | found.nFileSizeLow;
    return FileInfo_AddFile(a.info, path, time, size, server) ? 1 : 0;
}

// Every file matching pattern (wildcards allowed; folders skipped).
int ExpandLogFilePattern(const BuildArgs& a, const char* pattern, WORD server) {
    size_t folder = FolderLength(pattern, strlen(pattern));
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int added = 0;
    char path[MAX_PATH];
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (snprintf(path, sizeof(path), "%.*s%s", (int)folder, pattern, found.cFileName) >=
            (int)sizeof(path))
            continue; // too long to open: skipped
        added += AddFound(a, path, found, server);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return added;
}

BOOL IsFullPath(const char* part) {
    return part[0] == '\\' || part[0] == '/' || (part[0] && part[1] == ':');
}

// An ODBC source: its connection text is the path's text behind "odbc:", or
// the profile's when the path holds none. Listed once its table is read and
// ordered by time, which only a listing that unpacks does.
int AddOdbcSource(const BuildArgs& a, const char* part, WORD server) {
    if (a.flags)
        *a.flags |= 32;
    size_t prefix = strlen(ODBC_SOURCE_PREFIX);
    const char* connection =
        _strnicmp(part, ODBC_SOURCE_PREFIX, prefix) == 0 ? part + prefix : part;
    if (!connection[0] && a.odbcSource)
        connection = a.odbcSource;
    char source[LOGSOURCE_PATH_MAX];
    if (!a.unpack || !connection[0] ||
        snprintf(source, sizeof(source), "%s%s", ODBC_SOURCE_PREFIX, connection) >=
            (int)sizeof(source) ||
        Seen_Has(*a.seen, source) || !PrepareODBCLogSource(connection))
        return 0;
    Seen_Add(a.seen, source);
    a.info->wSourceKind = FILEINFO_KIND_ODBC;
    return FileInfo_AddFile(a.info, source, (DWORD)time(nullptr), GetPreparedODBCLogSize(), server)
               ? 1
               : 0;
}

int AddPart(const BuildArgs& a, DWORD protocol, const char* part, WORD server) {
    if (protocol == SERVER_PROTOCOL_ODBC)
        return AddOdbcSource(a, part, server);
    char path[MAX_PATH];
    lstrcpynA(path, part, sizeof(path));
    if (a.pathCallback)
        a.pathCallback(path);
    return ExpandLogFilePattern(a, path, server);
}

int AddPathList(const BuildArgs& a, DWORD protocol, const char* text, WORD server) {
    const char* bar = strchr(text, '|');
    size_t folder = protocol != SERVER_PROTOCOL_ODBC && bar ? FolderLength(text, bar - text) : 0;
    int added = 0;
    char part[MAX_PATH];
    for (const char* p = text; p && *p;) {
        const char* end = strchr(p, '|');
        size_t length = end ? (size_t)(end - p) : strlen(p);
        size_t prefix = IsFullPath(p) ? 0 : folder;
        if (length > 0 && prefix + length < sizeof(part)) {
            memcpy(part, text, prefix);
            memcpy(part + prefix, p, length);
            part[prefix + length] = 0;
            added += AddPart(a, protocol, part, server);
        }
        p = end ? end + 1 : nullptr;
    }
    return added;
}

void Summarise(FileInfo* info) {
    info->dwTotalKB = 0;
    for (WORD i = 0; i < info->wcNumFiles; i++) {
        const LogFileEntry* e = info->lpFiles[i];
        info->dwTotalKB += (DWORD)((e->qwSize + 1023) / 1024);
        if (info->dwOldestFileTime == 0 || (long)e->dwFileTime < (long)info->dwOldestFileTime)
            info->dwOldestFileTime = e->dwFileTime;
        if (info->dwNewestFileTime == 0 || (long)e->dwFileTime > (long)info->dwNewestFileTime)
            info->dwNewestFileTime = e->dwFileTime;
    }
}

} // namespace

int FileInfo_AddServerPath(HWND hostArg, const char* profileName, DWORD* flags,
                           const char* odbcSource, DWORD protocol, const char* pathText,
                           FileInfo* info, BOOL unpack, FileInfoPathCallback pathCallback) {
    SeenList seen = {};
    for (WORD i = 0; i < info->wcNumFiles; i++)
        Seen_Add(&seen, info->lpFiles[i]->szPath);
    BuildArgs a = {hostArg, profileName, flags, odbcSource, info, unpack, pathCallback, &seen};
    int added = AddPathList(a, protocol, pathText, info->wcNumServers++);
    Seen_Free(&seen);
    Summarise(info);
    return added;
}

int FileInfo_OpenServerList(HWND hostArg, const char* profileName, DWORD* flags,
                            const char* odbcSource, const ServerList* servers, FileInfo* info,
                            BOOL unpack, FileInfoPathCallback pathCallback) {
    FileInfo_Clear(info);
    SeenList seen = {};
    BuildArgs a = {hostArg, profileName, flags, odbcSource, info, unpack, pathCallback, &seen};
    for (DWORD i = 0; servers && i < servers->dwCount; i++)
        AddPathList(a, servers->dwProtocol, servers->lpServers[i]->szPath, info->wcNumServers++);
    Seen_Free(&seen);
    if (info->wcNumFiles)
        Summarise(info);
    return info->wcNumFiles;
}
