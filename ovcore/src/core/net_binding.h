// The network libraries the engine binds by name at registration: WinSock
// (WSOCK32.DLL) and the FTP client library (FTP4W32.DLL), all or nothing.
// Callers test NetBinding_IsBound() (or a pointer) before calling through.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include "ftp4w32.h"

struct WinsockApi {
    decltype(&::WSACleanup) WSACleanup;
    decltype(&::WSAStartup) WSAStartup;
    decltype(&::WSAAsyncSelect) WSAAsyncSelect;
    decltype(&::WSACancelAsyncRequest) WSACancelAsyncRequest;
    decltype(&::connect) connect;
    decltype(&::socket) socket;
    decltype(&::gethostbyname) gethostbyname;
    decltype(&::WSAAsyncGetHostByAddr) WSAAsyncGetHostByAddr;
    decltype(&::gethostbyaddr) gethostbyaddr;
    decltype(&::send) send;
    decltype(&::recv) recv;
    decltype(&::closesocket) closesocket;
    decltype(&::htons) htons;
    decltype(&::htonl) htonl;
    decltype(&::getsockopt) getsockopt;
    decltype(&::inet_addr) inet_addr;
    decltype(&::inet_ntoa) inet_ntoa;
    decltype(&::WSAGetLastError) WSAGetLastError;
    decltype(&::ioctlsocket) ioctlsocket;
    decltype(&::gethostname) gethostname;
    decltype(&::bind) bind;
    decltype(&::select) select;
    decltype(&::listen) listen;
    decltype(&::accept) accept;
};

// The functions of the FTP client library the engine binds, by name.
#define NET_FTP_FUNCTIONS(X) FTP4W32_FUNCTIONS(X)

struct FtpApi {
#define NET_FTP_MEMBER(fn) decltype(&::fn) fn;
    NET_FTP_FUNCTIONS(NET_FTP_MEMBER)
#undef NET_FTP_MEMBER
};

// The bound functions; every pointer is null while unbound.
const WinsockApi& NetBinding_Winsock(void);
const FtpApi& NetBinding_Ftp(void);
BOOL NetBinding_IsBound(void);

// Binds both libraries unless already bound, then calls FtpInit(0) and
// WSAStartup(1.1). FTP4W32.DLL is looked for in the engine's own folder, then
// on the search path; a folder given to NetBinding_SetFtpFolder replaces
// both. Returns 1 when bound, 0 when a library or function is missing (the
// missing name goes to the debug output; nothing stays loaded).
int NetBinding_Bind(void);
// Releases both libraries (WSACleanup, FtpRelease) and unloads them.
void NetBinding_Unbind(void);
// The only folder to take FTP4W32.DLL from; null restores the normal search.
void NetBinding_SetFtpFolder(const char* folder);
