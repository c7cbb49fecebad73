// WinSock as the mailer binds it: WSOCK32.DLL by name, every function or
// none, started (version 1.1) on the first SMTP send and kept until the
// library unloads.
#pragma once
#include <windows.h>
#include <winsock2.h>

#define OVKIT_MAIL_WINSOCK_FUNCTIONS(X)                                                            \
    X(WSACleanup)                                                                                  \
    X(WSAStartup)                                                                                  \
    X(WSAAsyncSelect)                                                                              \
    X(WSACancelAsyncRequest)                                                                       \
    X(connect)                                                                                     \
    X(socket)                                                                                      \
    X(gethostbyname)                                                                               \
    X(WSAAsyncGetHostByAddr)                                                                       \
    X(gethostbyaddr)                                                                               \
    X(send)                                                                                        \
    X(recv)                                                                                        \
    X(closesocket)                                                                                 \
    X(htons)                                                                                       \
    X(getsockopt)                                                                                  \
    X(inet_addr)                                                                                   \
    X(WSAGetLastError)                                                                             \
    X(ioctlsocket)                                                                                 \
    X(gethostname)                                                                                 \
    X(bind)                                                                                        \
    X(select)                                                                                      \
    X(listen)                                                                                      \
    X(accept)

struct MailWinsockApi {
#define OVKIT_MAIL_WINSOCK_SLOT(fn) decltype(&::fn) fn;
    OVKIT_MAIL_WINSOCK_FUNCTIONS(OVKIT_MAIL_WINSOCK_SLOT)
#undef OVKIT_MAIL_WINSOCK_SLOT
};

// Binds (from the given library name) and starts WinSock once; later calls
// give the same binding. Null when the library or a function is missing (the
// missing name goes to the debugger output) or WSAStartup fails.
const MailWinsockApi* MailWinsockBind(const char* libraryName = "WSOCK32.DLL");
// Cleans up and frees WinSock when it was bound; for library unload.
void MailWinsockUnbind();
