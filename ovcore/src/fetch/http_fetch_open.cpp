// Starting an HTTP fetch: the fetch list, the copy names and the download
// modes.
#include "core/engine_state.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/http_fetch.h"
#include "ovcore/logpath.h"
#include "ovcore/netsettings.h"
#include <stdio.h>
#include <string.h>
#include <time.h>

namespace {

BOOL Format(char* out, DWORD size, const char* format, const char* a, const char* b) {
    int n = snprintf(out, size, format, a, b);
    if (n >= 0 && (DWORD)n < size)
        return TRUE;
    Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, b);
    return FALSE;
}

// The previous list's local path for a remote name, or null.
const char* PreviousCopy(const FetchList* previous, const char* remote) {
    for (DWORD i = 0; i < previous->dwCount; i++)
        if (strcmp(previous->lpEntries[i].szRemoteName, remote) == 0)
            return previous->lpEntries[i].szLocalPath;
    return nullptr;
}

// One entry per "|"- or blank-separated path of the source, carrying the
// previous list's copy name; copies of paths no longer listed are deleted.
BOOL BuildHttpFetchList(const char* host, const char* paths, const char* folder) {
    FetchList* list = Fetch_CurrentList();
    const FetchList* previous = Fetch_PreviousList();
    FetchList_Clear(list);
    char text[SERVERINFO_PATH_SIZE];
    lstrcpynA(text, paths, sizeof(text));
    for (char* piece = strtok(text, "| "); piece; piece = strtok(nullptr, "| ")) {
        char remote[FETCH_NAME_SIZE];
        if (!Format(remote, sizeof(remote), piece[0] == '/' ? "%s%s" : "%s/%s", host, piece) ||
            !FetchList_Add(list, remote, "HTTP"))
            return FALSE;
        const char* copy = PreviousCopy(previous, remote);
        if (copy && Fetch_IsInCopyFolder(copy, folder))
            strcpy(list->lpEntries[list->dwCount - 1].szLocalPath, copy);
    }
    for (DWORD i = 0; i < previous->dwCount; i++) {
        const FetchEntry* e = &previous->lpEntries[i];
        if (!PreviousCopy(list, e->szRemoteName) && Fetch_IsInCopyFolder(e->szLocalPath, folder))
            DeleteFileA(e->szLocalPath);
    }
    return TRUE;
}

ULONGLONG AsNumber(FILETIME t) {
    return (ULONGLONG)t.dwHighDateTime << 32 | t.dwLowDateTime;
}

// Reads the previous list and the list file's last write (zero when the
// file could not be made).
FILETIME ReadPreviousList(const char* path) {
    FILETIME written = {};
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        GetFileTime(file, nullptr, nullptr, &written);
        CloseHandle(file);
    }
    ReadFetchList(Fetch_PreviousList(), path);
    return written;
}

void SetFirstFetchTime() {
    FILETIME& first = Fetch_State().firstFetchTime;
    if (first.dwLowDateTime || first.dwHighDateTime)
        return;
    SYSTEMTIME now;
    GetSystemTime(&now);
    SystemTimeToFileTime(&now, &first);
}

// "Once": copies fetched completely by this process are current.
BOOL CopiesAreCurrent(const HttpFetchTarget& t, FILETIME listWritten) {
    const FetchList* previous = Fetch_PreviousList();
    return Fetch_State().downloadMode == DOWNLOAD_ONCE && previous->dwCount &&
           (listWritten.dwLowDateTime || listWritten.dwHighDateTime) &&
           strcmp(previous->szHeader, t.header) == 0 &&
           AsNumber(listWritten) > AsNumber(Fetch_State().firstFetchTime);
}

void MarkNothingToTransfer() {
    FetchState& s = Fetch_State();
    s.downloadMode = -1;
    s.busy = FALSE;
    s.fetched = TRUE;
    s.expected = s.received = 0;
}

void SendLoginStatus(const char* user, const char* host) {
    HWND window = Fetch_State().statusWindow;
    if (!window)
        return;
    char text[FETCH_ERROR_SIZE];
    snprintf(text, sizeof(text), LoadCachedString(IDS_FETCH_HTTP_LOGIN), user, host);
    SendMessageA(window, FETCH_MSG_STATUS, 0, (LPARAM)text);
    SendMessageA(window, FETCH_MSG_LOGIN_DONE, 0, 0);
}

// The copy folder, the list file and the source's parts; the paths in
// *paths.
BOOL ReadTarget(const AnalysisProfile* profile, const char* name, HttpFetchTarget& t, char* paths,
                DWORD pathsSize) {
    const char* data = Engine_State().dataFolder;
    char folder[MAX_PATH];
    if (!Format(folder, sizeof(folder), "%s%s.ftp", data, name) ||
        !Format(t.copyFolder, sizeof(t.copyFolder), "%s%s\\", folder, "") ||
        !Format(t.listPath, sizeof(t.listPath), "%s%s.dir", data, name))
        return FALSE;
    CreateDirectoryA(folder, nullptr);
    ServerList_GetDisplayName(&profile->Servers, t.header);
    if (ParseUrlSource(paths, pathsSize, t.header, t.host, sizeof(t.host), &t.port) !=
            SERVER_PROTOCOL_HTTP ||
        !t.host[0]) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, t.header);
        return FALSE;
    }
    NormalizeLogPathAt(paths, pathsSize, data, time(nullptr));
    const ServerInfo* server = ServerList_Get(&profile->Servers, 0);
    lstrcpynA(t.user, server ? server->szUsername : "", sizeof(t.user));
    lstrcpynA(t.password, server ? server->szPassword : "", sizeof(t.password));
    return TRUE;
}

} // namespace

BOOL HttpFetch_Open(const AnalysisProfile* profile, const char* name) {
    FetchState& s = Fetch_State();
    if (ServerList_Count(&profile->Servers) != 1) {
        Fetch_SetErrorId(IDS_FETCH_ONE_SERVER, profile->BaseName);
        return FALSE;
    }
    static HttpFetchTarget t;
    memset(&t, 0, sizeof(t));
    char paths[SERVERINFO_PATH_SIZE];
    if (!ReadTarget(profile, name, t, paths, sizeof(paths)))
        return FALSE;
    s.downloadMode = (int)profile->IncrementalUpdate;
    SetFirstFetchTime();
    FILETIME listWritten = ReadPreviousList(t.listPath);
    if (CopiesAreCurrent(t, listWritten)) {
        Fetch_SendStatus(IDS_FETCH_RETRIEVING, t.header);
        WriteFetchList(Fetch_PreviousList(), t.listPath);
        MarkNothingToTransfer();
        return TRUE;
    }
    SendLoginStatus(t.user, t.host);
    FetchList* list = Fetch_CurrentList();
    if (!BuildHttpFetchList(t.host, paths, t.copyFolder) || !MakeLocalCopyNames(list, t.copyFolder))
        return FALSE;
    if (!list->dwCount) {
        FtpErrorText(1010);
        return FALSE;
    }
    // The header goes in only once every copy has arrived, so that "Once"
    // never trusts copies of a fetch that failed.
    list->szHeader[0] = 0;
    if (!WriteFetchList(list, t.listPath)) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, t.listPath);
        return FALSE;
    }
    lstrcpynA(list->szHeader, t.header, sizeof(list->szHeader));
    return HttpTransfer_Start(&t);
}
