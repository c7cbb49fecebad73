// WinSock helpers shared by the control and data channels: connecting,
// waiting with a time limit that an abort flag can cut short, sending.
// Results are FTPERR_ codes (0 on success) unless said otherwise.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>
#include <string>

namespace ftp {

enum WaitResult { kReady, kTimedOut, kAborted, kFailed };

// Waits until s is readable (or writable), for at most timeoutMs; abort, when
// given, is polled every few milliseconds.
WaitResult WaitSocket(SOCKET s, bool forWrite, DWORD timeoutMs, const volatile LONG* abort);

// Resolves host (IPv4) into address with the given port.
int ResolveHost(const char* host, int port, sockaddr_in* address);

// Connects a new stream socket within timeoutMs; *out is INVALID_SOCKET on failure.
int ConnectSocket(const sockaddr_in& address, DWORD timeoutMs, SOCKET* out);

// Sends all of data within timeoutMs per piece.
int SendAll(SOCKET s, const char* data, int length, DWORD timeoutMs, const volatile LONG* abort);

void CloseSocket(SOCKET* s);

} // namespace ftp
