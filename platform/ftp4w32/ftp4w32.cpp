#include "ftp4w32.h"

FTP4W_API int WINAPI FtpInit(HWND) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpRelease(void) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API long WINAPI FtpBytesToBeTransferred(void) {
    return 0;
}
FTP4W_API int WINAPI FtpSetDefaultPort(int) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpSetDefaultTimeOut(int) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpLogin(const char*, const char*, const char*, HWND, UINT) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpOpenConnection(const char*) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpCloseConnection(void) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpLocalClose(void) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpRecvFile(const char*, const char*, char, int, HWND, UINT) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpSendFile(const char*, const char*, char, int, HWND, UINT) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpDir(const char*, const char*, BOOL, HWND, UINT) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpSetAsynchronousMode(void) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpSetSynchronousMode(void) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpAbort(void) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpPWD(char* buffer, UINT size) {
    if (buffer && size)
        buffer[0] = 0;
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpCWD(const char*) {
    return FTPERR_NOTAVAILABLE;
}
FTP4W_API int WINAPI FtpSetPassiveMode(BOOL) {
    return FTPERR_NOTAVAILABLE;
}
