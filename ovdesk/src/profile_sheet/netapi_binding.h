// NetApi32.dll, bound by name on the first call of a wrapper and freed when
// the plug-in unloads. Each wrapper passes its arguments through and
// returns the function's status; ERROR_PROC_NOT_FOUND when the library or
// the entry point is missing.
#pragma once
#include <windows.h>
#include <lm.h>

NET_API_STATUS DeskNetUserEnum(LPCWSTR server, DWORD level, DWORD filter, LPBYTE* buffer,
                               DWORD maxLength, LPDWORD read, LPDWORD total, LPDWORD resume);
NET_API_STATUS DeskNetLocalGroupEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD maxLength,
                                     LPDWORD read, LPDWORD total, PDWORD_PTR resume);
NET_API_STATUS DeskNetApiBufferFree(LPVOID buffer);
