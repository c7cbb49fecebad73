// Host names to IPv4 addresses, with a small cache of recent answers
// (failures included).
#pragma once
#include <windows.h>

#define HOST_CACHE_ENTRIES 20
// Names this long or longer are resolved each time, never cached.
#define HOST_CACHE_NAME_SIZE 100

// Stores the address of host (dotted or a name) in network order through
// address; leaves it as it was when the name does not resolve (callers
// preset INADDR_NONE and test for it). Always 0.
int GetHostByName(const char* host, DWORD* address);
// Forgets every cached answer (tests).
void HostCache_Clear(void);
