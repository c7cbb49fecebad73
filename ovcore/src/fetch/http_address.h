// Where an HTTP request goes: the proxy when one is set and resolves (its
// address is kept until the settings are reloaded), else the server.
#pragma once
#include <winsock2.h>
#include <windows.h>

// Fills *address and *viaProxy. 1, or 0 with the fetch error text set when
// the server's host does not resolve.
BOOL Http_ResolveTarget(const char* host, int port, sockaddr_in* address, BOOL* viaProxy);

// Resolves the address for host and builds a GET of path (no range) with
// the server's Basic credentials (user not empty) and the proxy's. The
// request's length, or -1 (the fetch error text is set when the host does
// not resolve).
int Http_PrepareGet(const char* host, int port, const char* path, const char* user,
                    const char* password, const char* userAgent, const char* referrer,
                    sockaddr_in* address, char* request, DWORD size);
