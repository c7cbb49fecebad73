// Small text routines that every line parser uses on its line buffer.
#include "ovcore/hitrecord.h"
#include "logparse/ascii_text.h"
#include <string.h>

void TrimFieldEnd(char* line, DWORD index) {
    line[index] = 0;
    while (index > 0 && line[index - 1] == ' ')
        line[--index] = 0;
}

DWORD SkipBlanksAfter(const char* line, DWORD index) {
    while (line[index + 1] == ' ')
        ++index;
    return index;
}

void LimitUrlLength(char* text) {
    if (strlen(text) <= 260)
        return;
    if (strchr(text, '?'))
        strcpy(text + 256, "...");
    else
        text[260] = 0;
}

static int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One pass with a read and a write pointer: each escape shortens the text in
// place without moving the rest of it again.
void UnescapeURLText(char* text) {
    char* out = text;
    for (const char* in = text; *in;) {
        int hi, lo;
        if (in[0] == '%' && (hi = HexValue(in[1])) >= 0 && (lo = HexValue(in[2])) >= 0) {
            *out++ = (char)(hi * 16 + lo);
            in += 3;
        } else {
            *out++ = *in++;
        }
    }
    *out = 0;
}

void DashToEmpty(char* field, char** slot) {
    if (field && field[0] == '-' && field[1] == 0)
        *slot = HitRecord_EmptyText;
}

DWORD GetLineLength(char* text, BOOL cut) {
    char* p = text;
    while (*p && *p != '\r' && *p != '\n')
        ++p;
    if (!*p)
        return (DWORD)(p - text);
    char* end = p;
    while (*p == '\r' || *p == '\n')
        ++p;
    if (cut)
        *end = 0;
    return (DWORD)(p - text);
}

DWORD FindLineEnd(const char* text, DWORD length) {
    for (DWORD i = 0; i < length; ++i) {
        if (text[i] != '\r')
            continue;
        if (i + 1 < length && text[i + 1] == '\n')
            return i;
        if (i > 0 && text[i - 1] == '\n')
            return i - 1;
    }
    return 0;
}

int MonthFromName(const char* text) {
    static const char kMonths[] = "janfebmaraprmayjunjulaugsepoctnovdec";
    if (!text[0] || !text[1] || !text[2])
        return -1;
    char m[3] = {AsciiLower(text[0]), AsciiLower(text[1]), AsciiLower(text[2])};
    for (int i = 0; i < 12; ++i)
        if (memcmp(kMonths + i * 3, m, 3) == 0)
            return i;
    return -1;
}

int TwoDigitYear(const char* text) {
    long n = 0;
    int digits = 0;
    while (*text == ' ')
        ++text;
    for (; IsAsciiDigit(*text) && digits < 9; ++text, ++digits)
        n = n * 10 + (*text - '0');
    if (digits == 0)
        return -1;
    if (n < 70)
        return (int)n + 100;
    if (n < 100)
        return (int)n;
    if (n < 1900)
        return -1;
    return (int)(n - 1900);
}

DWORD ParseDecimalSaturated(const char* text) {
    unsigned long long n = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        n = n * 10 + (unsigned)(*text - '0');
        if (n > 0xFFFFFFFFull)
            return 0xFFFFFFFFu;
    }
    return (DWORD)n;
}
