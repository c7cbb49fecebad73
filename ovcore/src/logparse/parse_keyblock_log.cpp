// Key-block lines (format code 6): "log {start 936201234.5} {host 1.2.3.4}
// {method GET} {url {/a b.html}} {status 200} {bytes 2326} ...". Values may
// hold nested braces and backslash escapes; records wrapped over lines are
// not joined.
#include "logparse/parse_common.h"
#include "logparse/parse_engine.h"
#include "ovcore/hittime.h"
#include <stdlib.h>
#include <string.h>

namespace {

// Offset of the brace that closes the one at `open`, or end.
DWORD MatchingBrace(const LineScan& s, DWORD open) {
    int depth = 0;
    for (DWORD i = open; i < s.end; ++i) {
        char c = s.line[i];
        if (c == '\\') {
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return i;
        }
    }
    return s.end;
}

// Drops one pair of outer braces and undoes backslash escapes, in place.
char* CleanValue(char* value) {
    while (*value == ' ')
        ++value;
    size_t n = strlen(value);
    if (n >= 2 && value[0] == '{' && value[n - 1] == '}') {
        value[n - 1] = 0;
        ++value;
    }
    char* out = value;
    for (char* p = value; *p; ++p) {
        if (*p == '\\' && p[1])
            ++p;
        *out++ = *p;
    }
    *out = 0;
    return value;
}

enum { KEY_START = 1, KEY_HOST = 2, KEY_METHOD = 4, KEY_URL = 8, KEY_STATUS = 16, KEY_BYTES = 32 };
const unsigned kRequiredKeys = 63;

// Stores one key's value; answers the key bit, 0 for other keys, -1 when
// the value rejects the line.
int StoreValue(HitRecord* rec, const char* key, char* value, long long* start) {
    if (_stricmp(key, "start") == 0) {
        *start = _strtoi64(value, nullptr, 10); // a fraction is cut off
        return KEY_START;
    }
    if (_stricmp(key, "host") == 0) {
        rec->lpszClientAddr = value;
        OvkitCopyText(rec->szClientAddr, sizeof(rec->szClientAddr), value);
        return KEY_HOST;
    }
    if (_stricmp(key, "addr") == 0) {
        rec->lpszServerAddr = value;
        OvkitCopyText(rec->szServerAddr, sizeof(rec->szServerAddr), value);
        return 0;
    }
    if (_stricmp(key, "method") == 0) {
        int code = MethodCodeFromText(value);
        if (code < 0)
            return -1;
        rec->lpszMethod = value;
        rec->wMethod = (WORD)code;
        return KEY_METHOD;
    }
    if (_stricmp(key, "url") == 0) {
        CleanUrlField(value);
        rec->lpszUrl = value;
        return KEY_URL;
    }
    if (_stricmp(key, "status") == 0) {
        rec->lpszStatus = value;
        return KEY_STATUS;
    }
    if (_stricmp(key, "bytes") == 0) {
        rec->lpszBytesOut = rec->lpszBytesIn = value;
        return KEY_BYTES;
    }
    if (_stricmp(key, "agent") == 0)
        rec->lpszUserAgent = value;
    else if (_stricmp(key, "referrer") == 0)
        rec->lpszReferrer = value;
    return 0;
}

// The position behind the first "log" (any case), or end.
DWORD AfterLogWord(const LineScan& s) {
    for (DWORD i = 0; i + 3 <= s.end; ++i)
        if (_strnicmp(s.line + i, "log", 3) == 0)
            return i + 3;
    return s.end;
}

} // namespace

BOOL ParseKeyBlockLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    unsigned seen = 0;
    long long start = -1;
    for (s.pos = AfterLogWord(s);;) {
        while (s.pos < s.end && s.line[s.pos] != '{')
            ++s.pos;
        if (s.AtEnd())
            break;
        DWORD close = MatchingBrace(s, s.pos);
        if (close >= s.end)
            break; // wrapped onto the next line: what came so far decides
        s.line[close] = 0;
        char* key = s.line + s.pos + 1;
        s.pos = close + 1;
        while (*key == ' ')
            ++key;
        char* p = key;
        while (*p && *p != ' ' && *p != '{')
            ++p;
        char name[16] = {0};
        memcpy(name, key, (size_t)(p - key) < sizeof(name) - 1 ? (size_t)(p - key) : 0);
        char* text = CleanValue(p);
        int bit = StoreValue(rec, name, text, &start);
        if (bit < 0)
            return RejectLine(res, consumed);
        seen |= (unsigned)bit;
    }
    if (seen != kRequiredKeys)
        return RejectLine(res, consumed);
    ORB_TIME t = HitTime_FromUnixSeconds(start);
    if (t == ORB_TIME_INVALID)
        return RejectLine(res, consumed);
    rec->dwTime = t;
    LogParse_SetUnresolvedNames(rec);
    CompleteHitRecord(rec);
    return AcceptLine(res, consumed);
}
