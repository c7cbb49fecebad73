// The start of a remote fetch, shared by the HTTP and FTP roads.
#include "fetch/remote_start.h"
#include "core/engine_state.h"
#include "fetch/copy_folder.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "ovcore/logpath.h"
#include "ovcore/netsettings.h"
#include <stdio.h>
#include <string.h>
#include <time.h>

namespace {

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
BOOL CopiesAreCurrent(const FetchTarget& t, FILETIME listWritten) {
    const FetchList* previous = Fetch_PreviousList();
    return Fetch_State().downloadMode == DOWNLOAD_ONCE && previous->dwCount &&
           (listWritten.dwLowDateTime || listWritten.dwHighDateTime) &&
           strcmp(previous->szHeader, t.header) == 0 &&
           Fetch_TimeNumber(listWritten) > Fetch_TimeNumber(Fetch_State().firstFetchTime);
}

void MarkNothingToTransfer() {
    FetchState& s = Fetch_State();
    s.downloadMode = -1;
    s.busy = FALSE;
    s.fetched = TRUE;
    s.expected = s.received = 0;
}

// The copy folder, the list file and the source's parts; the paths in
// *paths.
BOOL ReadTarget(const AnalysisProfile* profile, const char* name, DWORD protocol, FetchTarget& t,
                char* paths, DWORD pathsSize) {
    const char* data = Engine_State().dataFolder;
    char folder[MAX_PATH];
    if (!Fetch_CopyFolderName(t.copyFolder, sizeof(t.copyFolder), data, name)) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, name);
        return FALSE;
    }
    lstrcpynA(folder, t.copyFolder, (int)strlen(t.copyFolder)); // without its separator
    if (!RemoteFetch_Format(t.listPath, sizeof(t.listPath), "%s%s.dir", data, name))
        return FALSE;
    CreateDirectoryA(folder, nullptr);
    ServerList_GetDisplayName(&profile->Servers, t.header);
    if (ParseUrlSource(paths, pathsSize, t.header, t.host, sizeof(t.host), &t.port) !=
            (int)protocol ||
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

BOOL RemoteFetch_Format(char* out, DWORD size, const char* format, const char* a, const char* b) {
    int n = snprintf(out, size, format, a, b);
    if (n >= 0 && (DWORD)n < size)
        return TRUE;
    Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, b);
    return FALSE;
}

const char* RemoteFetch_PreviousCopy(const FetchList* previous, const char* remote) {
    for (DWORD i = 0; i < previous->dwCount; i++)
        if (strcmp(previous->lpEntries[i].szRemoteName, remote) == 0)
            return previous->lpEntries[i].szLocalPath;
    return nullptr;
}

void RemoteFetch_DropUnlisted(const char* folder) {
    const FetchList* previous = Fetch_PreviousList();
    for (DWORD i = 0; i < previous->dwCount; i++) {
        const FetchEntry* e = &previous->lpEntries[i];
        if (!RemoteFetch_PreviousCopy(Fetch_CurrentList(), e->szRemoteName) &&
            Fetch_IsInCopyFolder(e->szLocalPath, folder))
            DeleteFileA(e->szLocalPath);
    }
}

void RemoteFetch_SendLogin(UINT textId, const char* user, const char* host) {
    HWND window = Fetch_State().statusWindow;
    if (!window)
        return;
    char text[FETCH_ERROR_SIZE];
    snprintf(text, sizeof(text), LoadCachedString(textId), user, host);
    SendMessageA(window, FETCH_MSG_STATUS, 0, (LPARAM)text);
}

void RemoteFetch_SendLoginDone(void) {
    if (Fetch_State().statusWindow)
        SendMessageA(Fetch_State().statusWindow, FETCH_MSG_LOGIN_DONE, 0, 0);
}

RemoteStart RemoteFetch_Begin(const AnalysisProfile* profile, const char* name, DWORD protocol,
                              FetchTarget* target, char* paths, DWORD pathsSize) {
    FetchState& s = Fetch_State();
    if (ServerList_Count(&profile->Servers) != 1) {
        Fetch_SetErrorId(IDS_FETCH_ONE_SERVER, profile->BaseName);
        return REMOTE_START_FAILED;
    }
    memset(target, 0, sizeof(*target));
    if (!ReadTarget(profile, name, protocol, *target, paths, pathsSize))
        return REMOTE_START_FAILED;
    s.downloadMode = (int)profile->IncrementalUpdate;
    SetFirstFetchTime();
    Fetch_RemoveStaleTemporaries();
    FILETIME listWritten = ReadPreviousList(target->listPath);
    if (!CopiesAreCurrent(*target, listWritten))
        return REMOTE_START_TRANSFER;
    Fetch_SendStatus(IDS_FETCH_RETRIEVING, target->header);
    WriteFetchList(Fetch_PreviousList(), target->listPath);
    MarkNothingToTransfer();
    return REMOTE_START_CURRENT;
}

BOOL RemoteFetch_PrepareList(const FetchTarget* target) {
    FetchList* list = Fetch_CurrentList();
    if (!MakeLocalCopyNames(list, target->copyFolder))
        return FALSE;
    if (!list->dwCount) {
        FtpErrorText(1010);
        return FALSE;
    }
    lstrcpynA(list->szHeader, target->header, sizeof(list->szHeader));
    if (!Fetch_WriteArrived(list, 0, target->listPath)) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, target->listPath);
        return FALSE;
    }
    return TRUE;
}
