// Where an HTTP request goes: the proxy when one is set and resolves (its
// address is kept until the settings are reloaded), else the server.
#pragma once
#include <winsock2.h>
#include <windows.h>

// Fills *address and *viaProxy. 1, or 0 with the fetch error text set when
// the server's host does not resolve.
BOOL Http_ResolveTarget(const char* host, int port, sockaddr_in* address, BOOL* viaProxy);
