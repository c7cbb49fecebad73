// HTTP/1.0 GET requests, shared by the log fetch and the general GET.
#pragma once
#include <windows.h>

// The longest request text, terminator included.
#define HTTP_REQUEST_SIZE 500

// Range modes of a log request: none, or everything from the copy's size
// less the compared tail (HTTP_COMPARE_SIZE) on.
#define HTTP_RANGE_NONE 0
#define HTTP_RANGE_TAIL 2
#define HTTP_COMPARE_SIZE 1024

struct HttpRequestParts {
    const char* host;       // server host (without port)
    const char* path;       // starts with '/'
    BOOL viaProxy;          // absolute URL in the request line
    const char* proxyAuth;  // Base64 credentials for the proxy, or empty
    const char* serverAuth; // Base64 credentials for the server, or empty
    const char* userAgent;  // null: no User-Agent line
    const char* referrer;   // null: no Referrer line
    int rangeMode;          // HTTP_RANGE_*
    ULONGLONG copySize;     // size of the local copy (range mode TAIL)
};

// Writes the request text into out (size bytes). Its length, or -1 when it
// does not fit (out is then empty).
int Http_BuildRequest(const HttpRequestParts* parts, char* out, DWORD size);
// "Ostrevane/3.0 (WinNT)" on Windows NT, "Ostrevane/3.0 (Windows 95)" else.
const char* GetUserAgentText(void);
// Base64 of "user:password" into out (size bytes); empty when user is empty
// or the result does not fit. 1 when out holds credentials.
BOOL Http_BasicCredentials(const char* user, const char* password, char* out, DWORD size);
