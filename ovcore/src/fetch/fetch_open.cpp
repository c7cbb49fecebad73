// Starting a fetch: reading the profile and handing out the fetch handle.
#include "ovcore/fetch.h"
#include "ovcore/profile_file.h"
#include "ovcore/logpath.h"
#include "ovcore/netsettings.h"
#include "core/engine_state.h"
#include "fetch/copy_folder.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/ftp_fetch.h"
#include "fetch/http_fetch.h"
#include "logparse/w3c_warning.h"
#include <stdio.h>
#include <string.h>

namespace {

// The profile file of the data folder; null with the error text set.
AnalysisProfile* ReadFetchProfile(const char* profileFile) {
    char path[MAX_PATH];
    if (!profileFile || !profileFile[0] ||
        snprintf(path, sizeof(path), "%s%s", Engine_State().dataFolder, profileFile) >=
            (int)sizeof(path)) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, profileFile);
        return nullptr;
    }
    AnalysisProfile* profile = AnalysisProfile_New();
    if (profile && ReadOrbisFile(path, profile) == 4)
        return profile;
    AnalysisProfile_Free(profile);
    Fetch_SetErrorId(IDS_FETCH_PROFILE_UNREADABLE, profileFile);
    return nullptr;
}

// Local files and ODBC sources are read where they are: nothing to
// transfer, and the first poll reports done.
short StartLocalFetch(const AnalysisProfile* profile, HWND statusWindow, UrlFetchHandle* handle) {
    FetchState& s = Fetch_State();
    ServerList* fetched = Fetch_GetFetchedServerList();
    if (!fetched || !ServerList_Copy(fetched, &profile->Servers) ||
        !(*handle = Fetch_NewHandle(statusWindow))) {
        Fetch_SetErrorId(IDS_FETCH_NO_MEMORY, profile->Description);
        return ORB_FAIL;
    }
    s.downloadMode = DOWNLOAD_ALWAYS;
    s.localFile = INVALID_HANDLE_VALUE;
    s.busy = FALSE;
    s.expected = s.received = s.lastReported = 0;
    return ORB_OK;
}

// The report run reads every file of the copy folder.
BOOL KeepCopyFolder(const char* name) {
    ServerList* fetched = Fetch_GetFetchedServerList();
    char path[MAX_PATH];
    // Room is kept for the "*.*" behind the folder.
    if (!fetched || !Fetch_CopyFolderName(path, sizeof(path) - 3, Engine_State().dataFolder, name))
        return FALSE;
    strcat(path, "*.*");
    ServerList_FreeContents(fetched);
    ServerList_SetProtocol(fetched, SERVER_PROTOCOL_FILE);
    return ServerList_AddServer(fetched, "", path, "", "") == 1;
}

// An HTTP or FTP source: its copies are fetched into the copy folder.
short StartRemoteFetch(const AnalysisProfile* profile, const char* profileFile, HWND statusWindow,
                       UrlFetchHandle* handle) {
    BOOL ftp = profile->Servers.dwProtocol == SERVER_PROTOCOL_FTP;
    char name[MAX_PATH];
    lstrcpynA(name, profileFile, sizeof(name));
    char* dot = strrchr(name, '.');
    if (dot)
        *dot = 0;
    if (!(ftp ? FtpFetch_Open(profile, name) : HttpFetch_Open(profile, name)))
        return ORB_FAIL;
    if (!KeepCopyFolder(name) || !(*handle = Fetch_NewHandle(statusWindow))) {
        if (ftp)
            FtpFetch_End();
        else
            HttpFetch_End();
        Fetch_SetErrorId(IDS_FETCH_NO_MEMORY, profile->Description);
        return ORB_FAIL;
    }
    return ORB_OK;
}

} // namespace

// A new movable block holding the status window; a handle still out from an
// earlier fetch that was never closed is freed first.
UrlFetchHandle Fetch_NewHandle(HWND statusWindow) {
    FetchState& s = Fetch_State();
    if (s.handle)
        GlobalFree(s.handle);
    s.handle = GlobalAlloc(GMEM_MOVEABLE, sizeof(HWND));
    HWND* stored = s.handle ? static_cast<HWND*>(GlobalLock(s.handle)) : nullptr;
    if (!stored) {
        if (s.handle)
            GlobalFree(s.handle);
        s.handle = nullptr;
        return nullptr;
    }
    *stored = statusWindow;
    GlobalUnlock(s.handle);
    return s.handle;
}

ServerList* Fetch_GetFetchedServerList(void) {
    ServerList*& list = Engine_State().fetchServerList;
    if (!list)
        list = ServerList_New();
    return list;
}

BOOL Fetch_HasFetchedLogs(void) {
    return Fetch_State().fetched;
}

ORB_EXPORT(short) ORB_OpenURL(HWND statusWindow, const char* profileFile, UrlFetchHandle* handle) {
    W3C_ForgetWarnedFiles(); // a report run starts with its logs' listing
    FetchState& s = Fetch_State();
    s.statusWindow = statusWindow;
    s.errorText[0] = 0;
    if (!handle)
        return ORB_FAIL;
    *handle = nullptr;
    AnalysisProfile* profile = ReadFetchProfile(profileFile);
    if (!profile)
        return ORB_FAIL;
    s.fetched = s.connectionOpen = s.windowExists = FALSE;
    char firstPath[SERVERINFO_PATH_SIZE];
    Fetch_SendStatus(IDS_FETCH_ACCESSING, ServerList_GetPath(&profile->Servers, 0, firstPath));
    s.protocol = profile->Servers.dwProtocol;
    short result = ORB_FAIL;
    if (s.protocol == SERVER_PROTOCOL_FILE || s.protocol == SERVER_PROTOCOL_ODBC)
        result = StartLocalFetch(profile, statusWindow, handle);
    else if (s.protocol == SERVER_PROTOCOL_HTTP || s.protocol == SERVER_PROTOCOL_FTP)
        result = StartRemoteFetch(profile, profileFile, statusWindow, handle);
    else
        Fetch_SetErrorId(IDS_FETCH_REMOTE_UNAVAILABLE, LogProtocolToPrefix(s.protocol));
    AnalysisProfile_Free(profile);
    return result;
}
