#include "net_socket.h"
#include "ftp4w32.h"

namespace ftp {

namespace {
const DWORD kSliceMs = 20;
}

WaitResult WaitSocket(SOCKET s, bool forWrite, DWORD timeoutMs, const volatile LONG* abort) {
    DWORD start = GetTickCount();
    for (;;) {
        if (abort && *abort)
            return kAborted;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return kTimedOut;
        DWORD slice = timeoutMs - elapsed < kSliceMs ? timeoutMs - elapsed : kSliceMs;
        fd_set ready, failed;
        FD_ZERO(&ready);
        FD_ZERO(&failed);
        FD_SET(s, &ready);
        FD_SET(s, &failed);
        timeval tv = {0, static_cast<long>(slice * 1000)};
        int n = select(0, forWrite ? nullptr : &ready, forWrite ? &ready : nullptr, &failed, &tv);
        if (n < 0 || FD_ISSET(s, &failed))
            return kFailed;
        if (n > 0)
            return kReady;
    }
}

int ResolveHost(const char* host, int port, sockaddr_in* address) {
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found)
        return FTPERR_UNKNOWNHOST;
    *address = *reinterpret_cast<sockaddr_in*>(found->ai_addr);
    address->sin_port = htons(static_cast<u_short>(port));
    freeaddrinfo(found);
    return FTPERR_OK;
}

int ConnectSocket(const sockaddr_in& address, DWORD timeoutMs, SOCKET* out) {
    *out = INVALID_SOCKET;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return FTPERR_NOSOCKET;
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
        closesocket(s);
        return FTPERR_CANTCONNECT;
    }
    WaitResult waited = WaitSocket(s, true, timeoutMs, nullptr);
    int error = 0;
    int size = sizeof(error);
    getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
    if (waited != kReady || error != 0) {
        closesocket(s);
        if (waited == kTimedOut)
            return FTPERR_TIMEOUT;
        return error == WSAECONNREFUSED ? FTPERR_CONNECTREJECTED : FTPERR_CANTCONNECT;
    }
    *out = s;
    return FTPERR_OK;
}

int SendAll(SOCKET s, const char* data, int length, DWORD timeoutMs, const volatile LONG* abort) {
    while (length > 0) {
        WaitResult waited = WaitSocket(s, true, timeoutMs, abort);
        if (waited == kAborted)
            return FTPERR_ABORTED;
        if (waited == kTimedOut)
            return FTPERR_TIMEOUT;
        int sent = waited == kReady ? send(s, data, length, 0) : SOCKET_ERROR;
        if (sent == SOCKET_ERROR) {
            if (WSAGetLastError() == WSAEWOULDBLOCK)
                continue;
            return FTPERR_SENDREFUSED;
        }
        data += sent;
        length -= sent;
    }
    return FTPERR_OK;
}

void CloseSocket(SOCKET* s) {
    if (*s != INVALID_SOCKET)
        closesocket(*s);
    *s = INVALID_SOCKET;
}

} // namespace ftp
