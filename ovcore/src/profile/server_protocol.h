// Texts of the server-list protocol codes, as they stand before log paths.
#pragma once
#include "ovcore/serverlist.h"

// "file:///", "ftp://", "http://", "odbc:", or "unkProtocol://" for any other code.
const char* ServerProtocolPrefix(DWORD dwProtocol);
// The prefix to put before a path of that protocol: its text, or "" for an
// ODBC path already held with its "odbc:" (the form the profile reader gives
// back), so the prefix shows once.
const char* ServerProtocolPrefixFor(DWORD dwProtocol, const char* szPath);
// The code of a path's prefix (compared without case): 4 "odbc:", 0 "file:///",
// 2 "http://", 1 "ftp://"; 0 when the path has none of them.
DWORD ServerProtocolFromPrefix(const char* szPath);
// Longest prefix text, for sizing buffers that hold prefix and path.
#define SERVER_PROTOCOL_PREFIX_MAX 14
