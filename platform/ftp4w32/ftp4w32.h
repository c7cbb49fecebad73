// FTP4W32.DLL: the FTP client library the engine and ovkit bind by name.
//
// Calling convention: every function is __stdcall (WINAPI) and exported under
// its undecorated name. Results: 0 on success, otherwise one of the FTPERR_
// codes below; FtpBytesToBeTransferred gives a byte count (0 when unknown).
//
// One session per process. FtpInit/FtpRelease are counted, so that two
// modules of one process may each initialise the library once. Every call but
// FtpInit answers FTPERR_NOTINITIALIZE before FtpInit (FtpRelease answers
// FTPERR_NOACTIVESESSION), and the remote operations answer FTPERR_NOTCONNECTED
// without a connection. While an asynchronous transfer runs, every call except
// FtpAbort, FtpLocalClose, FtpBytesToBeTransferred and the mode and time-out
// settings answers FTPERR_CANTCLOSE ("cmd is in progress").
#pragma once
#include <windows.h>

#ifdef FTP4W32_BUILD
#define FTP4W_API extern "C" __declspec(dllexport)
#else
#define FTP4W_API extern "C"
#endif

#define FTPERR_OK 0
#define FTPERR_ENTERPASSWORD 1 // the server wants a password and none was given
#define FTPERR_ACCOUNTNEEDED 2 // the server wants an account after the password
#define FTPERR_ABORTED (-1)    // a transfer ended by FtpAbort
#define FTPERR_INVALIDPARAMETER 1000
#define FTPERR_SESSIONUSED 1001
#define FTPERR_NOTINITIALIZE 1002
#define FTPERR_NOTCONNECTED 1003
#define FTPERR_CANTOPENLOCALFILE 1004
#define FTPERR_CANTWRITE 1005
#define FTPERR_NOACTIVESESSION 1006
#define FTPERR_STILLCONNECTED 1007
#define FTPERR_SERVERCANTEXECUTE 1008
#define FTPERR_LOGINREFUSED 1009
#define FTPERR_NOREMOTEFILE 1010
#define FTPERR_TRANSFERREFUSED 1011
#define FTPERR_WINSOCKNOTUSABLE 1012
#define FTPERR_CANTCLOSE 1013
#define FTPERR_UNKNOWNHOST 2001
#define FTPERR_NOREPLY 2002
#define FTPERR_CANTCONNECT 2003
#define FTPERR_CONNECTREJECTED 2004
#define FTPERR_SENDREFUSED 2005
#define FTPERR_DATACONNECTION 2006
#define FTPERR_TIMEOUT 2007
#define FTPERR_UNEXPECTEDANSWER 3001
#define FTPERR_CANTCHANGETYPE 3002
#define FTPERR_INSFRESOURCES 5002
#define FTPERR_INSMEMORY 5003
#define FTPERR_NOSOCKET 5004
#define FTPERR_CANTBIND 5005

// owner is not used: notifications go to the window each call names.
FTP4W_API int WINAPI FtpInit(HWND owner);
FTP4W_API int WINAPI FtpRelease(void);
// The size of the running (or last) transfer: the server's SIZE answer for a
// receive, the local file's size for a send; 0 when unknown.
FTP4W_API long WINAPI FtpBytesToBeTransferred(void);
FTP4W_API int WINAPI FtpSetDefaultPort(int port);
FTP4W_API int WINAPI FtpSetDefaultTimeOut(int seconds);
// Opens the control connection and logs in; always blocking (window and
// message are not used). An empty user name logs in anonymously.
FTP4W_API int WINAPI FtpLogin(const char* host, const char* user, const char* password, HWND window,
                              UINT message);
// Opens the control connection and reads the greeting, without logging in.
FTP4W_API int WINAPI FtpOpenConnection(const char* host);
// Sends QUIT and closes; FTPERR_CANTCLOSE while a transfer runs (then call
// FtpLocalClose).
FTP4W_API int WINAPI FtpCloseConnection(void);
// Ends any transfer and closes the sockets without a word to the server.
FTP4W_API int WINAPI FtpLocalClose(void);
// type 'I' binary or 'A' text. In asynchronous mode, with notify set and a
// window given, the call returns once the server has accepted the transfer,
// and the rest runs on a worker thread that posts message to window: wParam 0
// and lParam = bytes in the file so far while it runs, then wParam 1 and
// lParam = 0 or an FTPERR_ code at the end. Otherwise the call returns the
// transfer's result and posts nothing. A receive into an existing local file
// that is shorter than the remote one resumes behind it (REST) when its last
// bytes match the remote file's there; otherwise the local file is rewritten,
// and only once the server has started sending.
FTP4W_API int WINAPI FtpRecvFile(const char* remote, const char* local, char type, int notify,
                                 HWND window, UINT message);
FTP4W_API int WINAPI FtpSendFile(const char* local, const char* remote, char type, int notify,
                                 HWND window, UINT message);
// Writes the listing of pattern (a folder, a file, or names with * and ? in
// the last part; empty = the current folder) into localFile, one CRLF line per
// entry sorted by name: longListing 0 the names alone, 1 the server's long
// lines (its "total" lines left out). Both forms list the same entries in the
// same order. Always blocking (window and message are not used).
FTP4W_API int WINAPI FtpDir(const char* pattern, const char* localFile, BOOL longListing,
                            HWND window, UINT message);
FTP4W_API int WINAPI FtpSetAsynchronousMode(void);
FTP4W_API int WINAPI FtpSetSynchronousMode(void);
// Stops a running transfer and returns once it has ended (its end message,
// lParam FTPERR_ABORTED, is then posted); 0 also when nothing runs.
FTP4W_API int WINAPI FtpAbort(void);
FTP4W_API int WINAPI FtpPWD(char* buffer, UINT size);
FTP4W_API int WINAPI FtpCWD(const char* folder);
FTP4W_API int WINAPI FtpSetPassiveMode(BOOL passive);

// The place of an error code in the list of the library's error texts (0 to
// 29, in the order 1, 2, -1, 1000 to 1013, 2001 to 2007, 3001, 3002, 5002 to
// 5005), or -1 for a code without a text. Callers keep the texts in that
// order in their string tables.
inline int Ftp4w32_ErrorTextIndex(int code) {
    static const struct {
        int first, last;
    } kRuns[] = {{1, 2}, {-1, -1}, {1000, 1013}, {2001, 2007}, {3001, 3002}, {5002, 5005}};
    int index = 0;
    for (const auto& run : kRuns) {
        if (code >= run.first && code <= run.last)
            return index + (code - run.first);
        index += run.last - run.first + 1;
    }
    return -1;
}

// The 18 functions, for those that bind them by name.
#define FTP4W32_FUNCTIONS(X)                                                                       \
    X(FtpRelease)                                                                                  \
    X(FtpInit)                                                                                     \
    X(FtpBytesToBeTransferred)                                                                     \
    X(FtpSetDefaultPort)                                                                           \
    X(FtpSetDefaultTimeOut)                                                                        \
    X(FtpLogin)                                                                                    \
    X(FtpOpenConnection)                                                                           \
    X(FtpCloseConnection)                                                                          \
    X(FtpLocalClose)                                                                               \
    X(FtpRecvFile)                                                                                 \
    X(FtpSendFile)                                                                                 \
    X(FtpDir)                                                                                      \
    X(FtpSetAsynchronousMode)                                                                      \
    X(FtpSetSynchronousMode)                                                                       \
    X(FtpAbort)                                                                                    \
    X(FtpPWD)                                                                                      \
    X(FtpCWD)                                                                                      \
    X(FtpSetPassiveMode)
