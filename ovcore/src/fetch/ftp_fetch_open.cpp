// Starting an FTP fetch: the login and the listing, synchronous.
#include "core/net_binding.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/ftp_fetch.h"
#include "ovcore/netsettings.h"

namespace {
const int kLibraryTimeOut = 120;
} // namespace

BOOL FtpFetch_Login(const FetchTarget& t) {
    const FtpApi& ftp = NetBinding_Ftp();
    ftp.FtpSetSynchronousMode();
    ftp.FtpSetDefaultPort(t.port);
    ftp.FtpSetDefaultTimeOut(kLibraryTimeOut);
    // The library keeps the mode of an earlier fetch: set it both ways.
    ftp.FtpSetPassiveMode(NetSettings_Get()->FTPPassive ? TRUE : FALSE);
    RemoteFetch_SendLogin(IDS_FETCH_FTP_LOGIN, t.user, t.host);
    int code = ftp.FtpLogin(t.host, t.user, t.password, nullptr, 0);
    if (code != 0) {
        FtpErrorText(code);
        return FALSE;
    }
    Fetch_State().connectionOpen = TRUE;
    RemoteFetch_SendLoginDone();
    return TRUE;
}

BOOL FtpFetch_Open(const AnalysisProfile* profile, const char* name) {
    static FetchTarget t;
    char paths[SERVERINFO_PATH_SIZE];
    RemoteStart start =
        RemoteFetch_Begin(profile, name, SERVER_PROTOCOL_FTP, &t, paths, sizeof(paths));
    if (start != REMOTE_START_TRANSFER)
        return start == REMOTE_START_CURRENT;
    if (!NetBinding_IsBound()) {
        FtpErrorText(1012);
        return FALSE;
    }
    if (!FtpFetch_Login(t))
        return FALSE;
    if (FtpFetch_BuildList(&t, paths) && RemoteFetch_PrepareList(&t) && FtpTransfer_Start(&t))
        return TRUE;
    FtpFetch_End();
    return FALSE;
}
