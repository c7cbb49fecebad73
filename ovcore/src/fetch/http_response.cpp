// Reading the head of an HTTP answer.
#include "fetch/http_response.h"
#include <ctype.h>
#include <string.h>

namespace {

// Start of the first occurrence of needle in data[0, length), or null.
const char* Find(const char* data, DWORD length, const char* needle) {
    DWORD n = (DWORD)strlen(needle);
    for (DWORD i = 0; i + n <= length; i++)
        if (memcmp(data + i, needle, n) == 0)
            return data + i;
    return nullptr;
}

// The value text of header name (after "name:" at a line start and blanks),
// matched without case; null when absent. *end receives the line's end.
const char* HeaderValue(const char* head, DWORD length, const char* name, const char** end) {
    DWORD n = (DWORD)strlen(name);
    const char* stop = head + length;
    for (const char* line = head; line < stop;) {
        const char* eol = (const char*)memchr(line, '\n', stop - line);
        if (!eol)
            eol = stop;
        if ((DWORD)(eol - line) > n && _strnicmp(line, name, n) == 0 && line[n] == ':') {
            const char* v = line + n + 1;
            while (v < eol && (*v == ' ' || *v == '\t'))
                v++;
            *end = eol;
            return v;
        }
        line = eol + 1;
    }
    return nullptr;
}

// Reads decimal digits at *p (before end); FALSE when there is none.
BOOL ReadNumber(const char** p, const char* end, ULONGLONG* value) {
    const char* s = *p;
    ULONGLONG v = 0;
    while (s < end && isdigit((unsigned char)*s)) {
        if (v > (~0ULL - 9) / 10)
            return FALSE;
        v = v * 10 + (ULONGLONG)(*s++ - '0');
    }
    if (s == *p)
        return FALSE;
    *p = s;
    *value = v;
    return TRUE;
}

} // namespace

int Http_ParseHead(const char* data, DWORD length, int* status, DWORD* headLength) {
    const char* crlf = Find(data, length, "\r\n\r\n");
    const char* lf = Find(data, length, "\n\n");
    const char* end = nullptr;
    if (crlf && (!lf || crlf < lf))
        end = crlf + 4;
    else if (lf)
        end = lf + 2;
    if (!end)
        return length > 7 && memcmp(data, "HTTP/", 5) != 0 ? HTTP_HEAD_MALFORMED
                                                           : HTTP_HEAD_INCOMPLETE;
    const char* s = data;
    if ((DWORD)(end - s) < 12 || memcmp(s, "HTTP/", 5) != 0 || !isdigit((unsigned char)s[5]) ||
        s[6] != '.' || !isdigit((unsigned char)s[7]) || s[8] != ' ')
        return HTTP_HEAD_MALFORMED;
    ULONGLONG code = 0;
    const char* p = s + 9;
    if (!ReadNumber(&p, end, &code) || p - (s + 9) != 3)
        return HTTP_HEAD_MALFORMED;
    *status = (int)code;
    *headLength = (DWORD)(end - data);
    return HTTP_HEAD_COMPLETE;
}

BOOL Http_HeaderNumber(const char* head, DWORD headLength, const char* name, ULONGLONG* value) {
    const char* end = nullptr;
    const char* v = HeaderValue(head, headLength, name, &end);
    return v && ReadNumber(&v, end, value);
}

BOOL Http_ContentRange(const char* head, DWORD headLength, ULONGLONG* first, ULONGLONG* last,
                       ULONGLONG* total) {
    const char* end = nullptr;
    const char* v = HeaderValue(head, headLength, "content-range", &end);
    if (!v || end - v < 6 || _strnicmp(v, "bytes ", 6) != 0)
        return FALSE;
    v += 6;
    if (!ReadNumber(&v, end, first) || v >= end || *v++ != '-' || !ReadNumber(&v, end, last) ||
        v >= end || *v++ != '/' || !ReadNumber(&v, end, total))
        return FALSE;
    return *first <= *last && *last < *total;
}
