// Building the GET request text.
#include "fetch/http_request.h"
#include "netsettings/base64.h"
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace {

// Appends a formatted line ended by CR LF; FALSE once the text is full.
struct RequestText {
    char* out;
    DWORD size;
    DWORD length;
    BOOL ok;

    void Line(const char* format, ...) {
        if (!ok)
            return;
        va_list args;
        va_start(args, format);
        int n = vsnprintf(out + length, size - length, format, args);
        va_end(args);
        if (n < 0 || (DWORD)n + 2 >= size - length) {
            ok = FALSE;
            return;
        }
        length += (DWORD)n;
        out[length++] = '\r';
        out[length++] = '\n';
        out[length] = 0;
    }
};

} // namespace

int Http_BuildRequest(const HttpRequestParts* p, char* out, DWORD size) {
    if (!size)
        return -1;
    out[0] = 0;
    RequestText t = {out, size, 0, TRUE};
    if (p->viaProxy)
        t.Line("GET http://%s%s HTTP/1.0", p->host, p->path);
    else
        t.Line("GET %s HTTP/1.0", p->path);
    t.Line("Host: %s", p->host);
    if (p->viaProxy && p->proxyAuth && p->proxyAuth[0])
        t.Line("Proxy-Authorization: Basic %s", p->proxyAuth);
    if (p->rangeMode == HTTP_RANGE_TAIL)
        t.Line("Range: bytes=%llu-", p->copySize - HTTP_COMPARE_SIZE);
    if (p->userAgent)
        t.Line("User-Agent: %s", p->userAgent);
    if (p->referrer)
        t.Line("Referrer: %s", p->referrer);
    if (p->serverAuth && p->serverAuth[0])
        t.Line("Authorization: Basic %s", p->serverAuth);
    t.Line("Accept: */*");
    t.Line("Accept: image/gif");
    t.Line("Accept: image/x-xbitmap");
    t.Line("Accept: image/jpeg");
    t.Line("%s", "");
    if (!t.ok) {
        out[0] = 0;
        return -1;
    }
    return (int)t.length;
}

const char* GetUserAgentText(void) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    BOOL nt = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    return nt ? "Ostrevane/3.0 (WinNT)" : "Ostrevane/3.0 (Windows 95)";
}

BOOL Http_BasicCredentials(const char* user, const char* password, char* out, DWORD size) {
    if (size)
        out[0] = 0;
    if (!user || !user[0])
        return FALSE;
    char pair[256];
    int n = snprintf(pair, sizeof(pair), "%s:%s", user, password ? password : "");
    if (n < 0 || n >= (int)sizeof(pair))
        return FALSE;
    return Base64_Encode(pair, (DWORD)n, out, size);
}
