// FTP4W32.DLL: the FTP client library the engine binds by name.
//
// Calling convention: every function is __stdcall (WINAPI) and exported under
// its undecorated name. Results: 0 on success, otherwise an FTP error code
// (1000-5005); FtpBytesToBeTransferred gives a byte count (0 when unknown).
// The FTP client itself comes later: for now every operation fails with
// FTPERR_NOTAVAILABLE.
#pragma once
#include <windows.h>

#ifdef FTP4W32_BUILD
#define FTP4W_API extern "C" __declspec(dllexport)
#else
#define FTP4W_API extern "C"
#endif

#define FTPERR_OK 0
#define FTPERR_NOTINITIALIZE 1002
#define FTPERR_NOTCONNECTED 1003
// The stand-in's answer to every request: "Error during FTP connection."
#define FTPERR_NOTAVAILABLE 2003

FTP4W_API int WINAPI FtpInit(HWND owner);
FTP4W_API int WINAPI FtpRelease(void);
FTP4W_API long WINAPI FtpBytesToBeTransferred(void);
FTP4W_API int WINAPI FtpSetDefaultPort(int port);
FTP4W_API int WINAPI FtpSetDefaultTimeOut(int seconds);
FTP4W_API int WINAPI FtpLogin(const char* host, const char* user, const char* password, HWND window,
                              UINT message);
FTP4W_API int WINAPI FtpOpenConnection(const char* host);
FTP4W_API int WINAPI FtpCloseConnection(void);
FTP4W_API int WINAPI FtpLocalClose(void);
// type 'I' binary or 'A' text; progress and the end are posted to window.
FTP4W_API int WINAPI FtpRecvFile(const char* remote, const char* local, char type, int notify,
                                 HWND window, UINT message);
FTP4W_API int WINAPI FtpSendFile(const char* local, const char* remote, char type, int notify,
                                 HWND window, UINT message);
// longListing 0: names only, one per line; 1: the long listing.
FTP4W_API int WINAPI FtpDir(const char* pattern, const char* localFile, BOOL longListing,
                            HWND window, UINT message);
FTP4W_API int WINAPI FtpSetAsynchronousMode(void);
FTP4W_API int WINAPI FtpSetSynchronousMode(void);
FTP4W_API int WINAPI FtpAbort(void);
FTP4W_API int WINAPI FtpPWD(char* buffer, UINT size);
FTP4W_API int WINAPI FtpCWD(const char* folder);
FTP4W_API int WINAPI FtpSetPassiveMode(BOOL passive);
