// The network libraries the engine binds by name at registration: WinSock
// (WSOCK32.DLL) and the FTP client library (FTP4W32.DLL), all or nothing.
// Callers test NetBinding_IsBound() (or a pointer) before calling through.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include "ovkit/ftp_client_api.h"
#include "ovkit/winsock_api.h"

// WinSock and the FTP client library in the tables and binders shared with
// ovkit's mailer and FTP browser.
typedef OvkitWinsockApi WinsockApi;
typedef OvkitFtpApi FtpApi;
// The functions of the FTP client library the engine binds, by name.
#define NET_FTP_FUNCTIONS(X) FTP4W32_FUNCTIONS(X)

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
