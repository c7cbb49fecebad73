// WinSock as this system binds it from WSOCK32.DLL: one list of functions,
// one table and one binder for the mailer and the engine alike. Header only;
// each caller loads (and frees) the library and starts WinSock itself.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include "ovkit/dll_binding.h"

#define OVKIT_WINSOCK_FUNCTIONS(X)                                                                 \
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
    X(htonl)                                                                                       \
    X(getsockopt)                                                                                  \
    X(inet_addr)                                                                                   \
    X(inet_ntoa)                                                                                   \
    X(WSAGetLastError)                                                                             \
    X(ioctlsocket)                                                                                 \
    X(gethostname)                                                                                 \
    X(bind)                                                                                        \
    X(select)                                                                                      \
    X(listen)                                                                                      \
    X(accept)

struct OvkitWinsockApi {
#define OVKIT_WINSOCK_SLOT(fn) decltype(&::fn) fn;
    OVKIT_WINSOCK_FUNCTIONS(OVKIT_WINSOCK_SLOT)
#undef OVKIT_WINSOCK_SLOT
};

// Fills *api from module, every function or none: false (and *api all null)
// when one is missing.
inline bool OvkitBindWinsock(HMODULE module, OvkitWinsockApi* api) {
    bool ok = true;
#define OVKIT_WINSOCK_BIND(fn) ok = ok && OVKIT_BIND_MEMBER(module, *api, fn, "WSOCK32.DLL");
    OVKIT_WINSOCK_FUNCTIONS(OVKIT_WINSOCK_BIND)
#undef OVKIT_WINSOCK_BIND
    if (!ok)
        *api = OvkitWinsockApi();
    return ok;
}
