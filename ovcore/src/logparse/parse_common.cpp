#include "logparse/parse_common.h"
#include "logparse/ascii_text.h"
#include "logparse/line_end.h"
#include "core/engine_settings.h"
#include "ovcore/hittime.h"
#include <ctype.h>
#include <string.h>

DWORD LineEndOffset(const char* text, DWORD length) {
    return (DWORD)FindLineBreakOrNul(text, length);
}

DWORD FirstLineLength(const char* text, DWORD length) {
    DWORD i = (DWORD)FindCrOrLf(text, length);
    while (i < length && (text[i] == '\r' || text[i] == '\n'))
        ++i;
    return i;
}

DWORD FirstLineLengthFrom(const char* text, DWORD end, DWORD length) {
    DWORD i = end;
    if (i < length && text[i] == 0)
        i += (DWORD)FindCrOrLf(text + i, length - i);
    while (i < length && (text[i] == '\r' || text[i] == '\n'))
        ++i;
    return i;
}

BOOL RejectLine(LineParseResult* res, DWORD consumed) {
    res->dwConsumed = consumed;
    res->bNotRecord = TRUE;
    return FALSE;
}

BOOL AcceptLine(LineParseResult* res, DWORD consumed) {
    res->dwConsumed = consumed;
    res->bNotRecord = FALSE;
    return TRUE;
}

char* AppendLineText(HitRecord* rec, DWORD* cursor, const char* text) {
    DWORD n = (DWORD)TextLength(text) + 1;
    if (!HitRecord_EnsureRoom(rec, *cursor, n))
        return nullptr;
    char* at = rec->lpLine + *cursor;
    memmove(at, text, n);
    *cursor += n;
    return at;
}

int MethodCodeFromText(const char* text) {
    if (!text[0])
        return HIT_METHOD_OTHER;
    if (StartsWithNoCase(text, "get", 3))
        return HIT_METHOD_GET;
    if (StartsWithNoCase(text, "put", 3))
        return HIT_METHOD_PUT;
    if (StartsWithNoCase(text, "post", 4))
        return HIT_METHOD_POST;
    if (StartsWithNoCase(text, "head", 4))
        return HIT_METHOD_HEAD;
    return -1;
}

// Whether text[0, n) equals the lower-case pattern, ignoring the case of letters.
static bool EqualsLowerPattern(const char* text, const char* pattern, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = (char)(c + ('a' - 'A'));
        if (c != pattern[i])
            return false;
    }
    return true;
}

// Offset of the lower-case pattern in text[from, n), case ignored; n when absent.
static size_t FindNoCase(const char* text, size_t from, size_t n, const char* pattern) {
    size_t m = strlen(pattern);
    for (size_t i = from; i + m <= n; ++i)
        if (EqualsLowerPattern(text + i, pattern, m))
            return i;
    return n;
}

// Where "dbml.exe?template=" begins within the URL's first 260 bytes, or n.
// The '?' is looked for first: most URLs have none or one.
static size_t FindTemplateMarker(const char* url, size_t n) {
    static const char marker[] = "dbml.exe?template=";
    const size_t before = 8; // bytes of the marker before its '?'
    for (size_t q = before; q < n; ++q) {
        q += FindAnyOf3(url + q, n - q, '?', '?', '?');
        if (q >= n)
            break;
        size_t at = q - before;
        if (at + sizeof(marker) - 1 <= n &&
            EqualsLowerPattern(url + at, marker, sizeof(marker) - 1))
            return at;
    }
    return n;
}

// "/x/dbml.exe?template=/t/a.dbm&id=3" -> "/t/a.dbm?id=3".
static void RewriteDatabaseTemplateUrl(HitRecord* rec) {
    // The marker holds a '?': a URL without one needs no more looking at.
    if (!rec->lpszUrl[FindByteOrNul(rec->lpszUrl, '?')])
        return;
    size_t n = TextLength(rec->lpszUrl); // the C runtime's strnlen goes a byte at a time
    if (n > 260)
        n = 260;
    size_t tpl = FindTemplateMarker(rec->lpszUrl, n);
    if (tpl == n || FindNoCase(rec->lpszUrl, tpl, n, ".dbm") == n)
        return;
    char* eq = strchr(rec->lpszUrl, '=');
    if (!eq)
        return;
    rec->lpszUrl = eq + 1;
    char* amp = strchr(rec->lpszUrl, '&');
    if (amp)
        *amp = '?';
}

BOOL FinishParsedLine(DWORD code, HitRecord* rec) {
    if (!Engine_Settings().defaults.disableColdFusion)
        RewriteDatabaseTemplateUrl(rec);
    if (!SetHitTime(code, rec))
        return FALSE;
    int method = MethodCodeFromText(rec->lpszMethod);
    if (method < 0)
        return FALSE;
    rec->wMethod = (WORD)method;
    FitClientAddress(rec);
    CompleteHitRecord(rec);
    return TRUE;
}

BOOL SetServiceProtocol(HitRecord* rec, DWORD* cursor) {
    for (char* p = rec->lpszMethod; *p; ++p)
        *p = (char)toupper((unsigned char)*p);
    const char* method = rec->lpszMethod;
    const char* rename = nullptr;
    const char* protocol = "HTTP/1.0";
    if (strcmp(method, "SENT") == 0) {
        rename = "GET";
        protocol = "FTP";
    } else if (strcmp(method, "CREATED") == 0) {
        rename = "PUT";
        protocol = "FTP";
    } else if (strncmp(method, "GET", 3) != 0 && strncmp(method, "POST", 4) != 0 &&
               strncmp(method, "HEAD", 4) != 0 && strncmp(method, "PUT", 3) != 0) {
        return FALSE;
    }
    if (rename) {
        char* m = AppendLineText(rec, cursor, rename);
        if (!m)
            return FALSE;
        rec->lpszMethod = m;
    }
    char* proto = AppendLineText(rec, cursor, protocol);
    if (!proto)
        return FALSE;
    rec->lpszProtocol = proto;
    return TRUE;
}

size_t LimitAndUnescapeUrl(char* url) {
    // Most URLs hold no escape: the text before the first '%' stays as it is,
    // and one pass finds both that and the end.
    size_t escape = FindByteOrNul(url, '%');
    size_t n = url[escape] ? escape + TextLength(url + escape) : escape;
    if (n > 260) {
        LimitUrlLength(url);
        n = TextLength(url);
        escape = FindAnyOf3(url, n, '%', '%', '%');
    }
    if (escape < n) {
        UnescapeURLText(url + escape);
        n = escape + TextLength(url + escape);
    }
    return n;
}

void CleanUrlField(char* url) {
    size_t n = LimitAndUnescapeUrl(url);
    if (n > 0 && url[n - 1] == '?')
        url[n - 1] = 0;
}
