// Ending a fetch and settling what it fetched.
#include "ovcore/logpath.h"
#include "core/engine_state.h"
#include "fetch/fetch_state.h"
#include "fetch/fetch_window.h"
#include "fetch/ftp_fetch.h"
#include "fetch/http_fetch.h"
#include "logread/engine_link.h"

namespace {

void EndTransfer() {
    FetchState& s = Fetch_State();
    if (s.protocol == SERVER_PROTOCOL_HTTP)
        HttpFetch_End();
    else if (s.protocol == SERVER_PROTOCOL_FTP)
        FtpFetch_End();
    s.busy = FALSE;
    s.connectionOpen = FALSE;
    s.windowExists = FALSE;
    if (s.localFile != INVALID_HANDLE_VALUE)
        CloseHandle(s.localFile);
    s.localFile = INVALID_HANDLE_VALUE;
}

// Unpacked archive copies go below the registered data folder.
void EnsureUnpackFolder() {
    char folder[MAX_PATH];
    if (!LogRead_GetDatfilesFolder(folder, sizeof(folder)))
        LogRead_SetDatfilesFolder(Engine_State().dataFolder);
}

} // namespace

HWND Fetch_WindowOf(UrlFetchHandle handle) {
    if (!handle || handle != Fetch_State().handle)
        return nullptr;
    HWND* stored = static_cast<HWND*>(GlobalLock(handle));
    if (!stored)
        return nullptr;
    HWND window = *stored;
    GlobalUnlock(handle);
    return window;
}

ORB_EXPORT(short)
ORB_CloseFTP(HWND /*statusWindow*/, UrlFetchHandle handle, AnalysisProfile* profile) {
    FetchState& s = Fetch_State();
    HWND window = Fetch_WindowOf(handle);
    DWORD protocol = profile ? profile->Servers.dwProtocol : SERVER_PROTOCOL_FILE;
    BOOL tell = window && protocol != SERVER_PROTOCOL_FILE;
    if (tell)
        SendMessageA(window, FETCH_MSG_CLOSE_BEGIN, 0, 0);
    EndTransfer();
    if (tell)
        SendMessageA(window,
                     protocol == SERVER_PROTOCOL_ODBC ? FETCH_MSG_CLOSE_ODBC : FETCH_MSG_CLOSE_END,
                     0, 0);
    if (handle && handle == s.handle) {
        GlobalFree(handle);
        s.handle = nullptr;
    }
    FetchList_Clear(Fetch_CurrentList());
    FetchList_Clear(Fetch_PreviousList());
    return 0;
}

ORB_EXPORT(short)
ORB_CloseURL(HWND statusWindow, UrlFetchHandle handle, AnalysisProfile* profile) {
    ORB_CloseFTP(statusWindow, handle, profile);
    if (!profile)
        return ORB_OK;
    // A transfer that ended in error leaves its reason: the copies are not
    // what the server holds, so they are not read as if they were.
    if (Fetch_State().errorText[0]) {
        profile->LogInfoValid = 0;
        return ORB_FAIL;
    }
    ServerList* fetched = Fetch_GetFetchedServerList();
    ServerList* copy = ServerList_New();
    BOOL ok = copy && fetched && ServerList_Copy(copy, fetched);
    EnsureUnpackFolder();
    // Files without a single readable record leave the log times unknown.
    ok = ok && DetectLogDateFormat(statusWindow, profile, copy, 0, 0, TRUE) &&
         profile->FirstLogTime != 0 && profile->LastLogTime != 0;
    profile->LogInfoValid = ok ? 1 : 0;
    ServerList_Free(copy);
    return ok ? ORB_OK : ORB_FAIL;
}

ORB_EXPORT(short) ORB_FreeURL(AnalysisProfile* profile) {
    if (profile)
        FileInfo_CloseAll(&profile->LogFiles);
    Fetch_State().fetched = FALSE;
    return 0;
}
