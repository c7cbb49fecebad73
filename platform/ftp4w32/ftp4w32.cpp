// The exported functions: argument and session checks, then the work in src/.
#include "ftp4w32.h"
#include "src/directory.h"
#include "src/session.h"
#include "src/transfer.h"

using ftp::CheckSession;
using ftp::TheSession;

FTP4W_API int WINAPI FtpInit(HWND) {
    ftp::Session& s = TheSession();
    if (s.initCount == 0) {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
            return FTPERR_WINSOCKNOTUSABLE;
    }
    InterlockedIncrement(&s.initCount);
    return FTPERR_OK;
}

FTP4W_API int WINAPI FtpRelease(void) {
    ftp::Session& s = TheSession();
    if (s.initCount <= 0)
        return FTPERR_NOACTIVESESSION;
    if (InterlockedDecrement(&s.initCount) > 0)
        return FTPERR_OK;
    // The last release ends a session left open, and says so.
    bool open = s.control.IsOpen() || s.worker;
    ftp::CloseLocally();
    WSACleanup();
    return open ? FTPERR_STILLCONNECTED : FTPERR_OK;
}

FTP4W_API long WINAPI FtpBytesToBeTransferred(void) {
    return TheSession().bytesToBeTransferred;
}

FTP4W_API int WINAPI FtpSetDefaultPort(int port) {
    if (TheSession().initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    if (port <= 0 || port > 65535)
        return FTPERR_INVALIDPARAMETER;
    TheSession().port = port;
    return FTPERR_OK;
}

FTP4W_API int WINAPI FtpSetDefaultTimeOut(int seconds) {
    ftp::Session& s = TheSession();
    if (s.initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    if (seconds <= 0 || seconds > 24 * 3600)
        return FTPERR_INVALIDPARAMETER;
    s.timeoutMs = static_cast<DWORD>(seconds) * 1000;
    // A running transfer keeps the time-out it started with.
    if (!s.busy)
        s.control.SetTimeout(s.timeoutMs);
    return FTPERR_OK;
}

FTP4W_API int WINAPI FtpLogin(const char* host, const char* user, const char* password, HWND,
                              UINT) {
    int result = CheckSession(false);
    return result != FTPERR_OK ? result : ftp::Login(host, user, password);
}

FTP4W_API int WINAPI FtpOpenConnection(const char* host) {
    int result = CheckSession(false);
    return result != FTPERR_OK ? result : ftp::OpenConnection(host);
}

FTP4W_API int WINAPI FtpCloseConnection(void) {
    int result = CheckSession(true);
    return result != FTPERR_OK ? result : ftp::CloseConnection();
}

FTP4W_API int WINAPI FtpLocalClose(void) {
    if (TheSession().initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    ftp::CloseLocally();
    return FTPERR_OK;
}

namespace {

int Transfer(bool receive, const char* remote, const char* local, char type, int notify,
             HWND window, UINT message) {
    int result = CheckSession(true);
    if (result != FTPERR_OK)
        return result;
    ftp::TransferRequest request = {receive, remote, local, type, notify != 0, window, message};
    return ftp::StartTransfer(request);
}

} // namespace

FTP4W_API int WINAPI FtpRecvFile(const char* remote, const char* local, char type, int notify,
                                 HWND window, UINT message) {
    return Transfer(true, remote, local, type, notify, window, message);
}

FTP4W_API int WINAPI FtpSendFile(const char* local, const char* remote, char type, int notify,
                                 HWND window, UINT message) {
    return Transfer(false, remote, local, type, notify, window, message);
}

FTP4W_API int WINAPI FtpDir(const char* pattern, const char* localFile, BOOL longListing, HWND,
                            UINT) {
    int result = CheckSession(true);
    return result != FTPERR_OK ? result : ftp::ListFolder(pattern, localFile, longListing != 0);
}

FTP4W_API int WINAPI FtpSetAsynchronousMode(void) {
    if (TheSession().initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    TheSession().async = true;
    return FTPERR_OK;
}

FTP4W_API int WINAPI FtpSetSynchronousMode(void) {
    if (TheSession().initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    TheSession().async = false;
    return FTPERR_OK;
}

FTP4W_API int WINAPI FtpAbort(void) {
    ftp::Session& s = TheSession();
    if (s.initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    InterlockedExchange(&s.abort, 1);
    ftp::JoinWorker();
    return FTPERR_OK;
}

FTP4W_API int WINAPI FtpPWD(char* buffer, UINT size) {
    if (buffer && size)
        buffer[0] = 0;
    int result = CheckSession(true);
    return result != FTPERR_OK ? result : ftp::PrintWorkingFolder(buffer, size);
}

FTP4W_API int WINAPI FtpCWD(const char* folder) {
    int result = CheckSession(true);
    return result != FTPERR_OK ? result : ftp::ChangeFolder(folder);
}

FTP4W_API int WINAPI FtpSetPassiveMode(BOOL passive) {
    if (TheSession().initCount <= 0)
        return FTPERR_NOTINITIALIZE;
    TheSession().passive = passive != 0;
    return FTPERR_OK;
}
