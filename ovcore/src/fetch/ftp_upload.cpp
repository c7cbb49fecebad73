// Uploading one file to an FTP address (the client delivers reports so).
#include "core/engine_state.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/ftp_fetch.h"
#include "core/net_binding.h"
#include "ovcore/logpath.h"
#include <string.h>
#include <time.h>

ORB_EXPORT(short)
ORB_Cre8URL(HWND statusWindow, const char* url, const char* user, const char* password,
            const char* localFile, UrlFetchHandle* handle) {
    FetchState& s = Fetch_State();
    s.statusWindow = statusWindow;
    s.errorText[0] = 0;
    s.fetched = s.connectionOpen = s.busy = FALSE;
    s.protocol = SERVER_PROTOCOL_FTP;
    s.expected = s.received = s.lastReported = 0;
    if (handle)
        *handle = nullptr;
    Fetch_SendStatus(IDS_FETCH_ACCESSING, url);
    static FetchTarget t;
    memset(&t, 0, sizeof(t));
    char remote[FETCH_NAME_SIZE];
    if (!handle || !url || !localFile ||
        ParseUrlSource(remote, sizeof(remote), url, t.host, sizeof(t.host), &t.port) !=
            SERVER_PROTOCOL_FTP ||
        !t.host[0])
        return ORB_FAIL;
    NormalizeLogPathAt(remote, sizeof(remote), Engine_State().dataFolder, time(nullptr));
    lstrcpynA(t.user, user ? user : "", sizeof(t.user));
    lstrcpynA(t.password, password ? password : "", sizeof(t.password));
    if (!NetBinding_IsBound()) {
        FtpErrorText(1012);
        return ORB_FAIL;
    }
    if (!FtpFetch_Login(t) || !FtpTransfer_StartUpload(localFile, remote))
        return ORB_FAIL;
    if (statusWindow)
        SendMessageA(statusWindow, FETCH_MSG_UPLOAD_STARTED, 0, (LPARAM) "FTP upload");
    if (!(*handle = Fetch_NewHandle(statusWindow))) {
        FtpFetch_End();
        Fetch_SetErrorId(IDS_FETCH_NO_MEMORY, url);
        return ORB_FAIL;
    }
    return ORB_OK;
}
