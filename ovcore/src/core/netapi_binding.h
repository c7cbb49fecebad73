// The Windows user and group directory functions, bound from NetApi32.dll on
// first use. Each forwards its arguments to the function of the same name and
// returns its result; ERROR_PROC_NOT_FOUND when the library or the function
// is missing.
#pragma once
#include <windows.h>
#include <lm.h>

namespace netapi {

NET_API_STATUS NetUserEnum(LPCWSTR server, DWORD level, DWORD filter, LPBYTE* buffer,
                           DWORD maxLength, LPDWORD read, LPDWORD total, LPDWORD resume);
NET_API_STATUS NetApiBufferFree(LPVOID buffer);
NET_API_STATUS NetUserGetLocalGroups(LPCWSTR server, LPCWSTR user, DWORD level, DWORD flags,
                                     LPBYTE* buffer, DWORD maxLength, LPDWORD read, LPDWORD total);
NET_API_STATUS NetLocalGroupEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD maxLength,
                                 LPDWORD read, LPDWORD total, PDWORD_PTR resume);

} // namespace netapi
