// Deciding the log format of a line.
#include "ovcore/logread.h"
#include "logparse/line_end.h"
#include "logparse/w3c_map.h"
#include <ctype.h>
#include <string.h>

namespace {

DWORD FirstLineEnd(const char* text, DWORD length) {
    return (DWORD)FindCrOrLf(text, length);
}

// Seconds since 1970, ".", three digits of milliseconds.
BOOL IsSecondsStamp(const char* text, DWORD lineLength) {
    if (lineLength <= 15)
        return FALSE;
    int before = 0, after = 0;
    BOOL dot = FALSE;
    for (DWORD i = 0; i < 15; i++) {
        if (text[i] == '.' && !dot)
            dot = TRUE;
        else if (isdigit((unsigned char)text[i]))
            (dot ? after : before)++;
        else
            break;
    }
    return (before == 9 || before == 10) && after == 3;
}

// "[date] " then a quoted field: 1 for an empty quote, 9 for a URL, else 10.
int DatedLineCode(const char* text, DWORD lineLength) {
    const char* quote = (const char*)memchr(text, '"', lineLength);
    if (!quote)
        return 0;
    const char* q = quote + 1;
    DWORD rest = lineLength - (DWORD)(q - text);
    if (rest > 0 && *q == '"')
        return 1;
    static const char* const schemes[] = {"http:", "ftp:", "file:", "mailto:"};
    for (const char* scheme : schemes)
        if (rest >= strlen(scheme) && strncmp(q, scheme, strlen(scheme)) == 0)
            return 9;
    return 10;
}

BOOL FollowsLogWord(const char* text, DWORD brace) {
    DWORD i = brace;
    while (i > 0 && (text[i - 1] == ' ' || text[i - 1] == '\t'))
        i--;
    return i >= 3 && _strnicmp(text + i - 3, "log", 3) == 0;
}

struct ShapeScan {
    int candidate = 1;
    int agentState = 0;
    int tabs = 0, blanks = 0, colons = 0, pipes = 0, commas = 0;
    BOOL bracket = FALSE;
};

void StepAgentShape(ShapeScan& s, char c) {
    BOOL open = s.candidate == 1 || s.candidate == 2;
    if (c == '/' && open)
        s.agentState = 1;
    else if (c == '(' && open && s.agentState == 1)
        s.agentState = 2;
    else if (c == ';' && open && s.agentState == 2)
        s.agentState = 3;
    else if (c == ')' && open && s.agentState == 3)
        s.agentState = 4;
}

int ScanLineShape(const char* text, DWORD length) {
    ShapeScan s;
    for (DWORD i = 0; i < length; i++) {
        char c = text[i];
        if (c == '\r' || c == '\n')
            break;
        switch (c) {
        case '\t':
            if (s.tabs == 11)
                return 5;
            s.tabs++;
            break;
        case ' ':
            s.blanks++;
            break;
        case ':':
            s.colons++;
            break;
        case '|':
            s.pipes++;
            break;
        case '[':
        case ']':
            s.bracket = TRUE;
            s.candidate = 2;
            break;
        case '"':
            s.candidate = 2;
            break;
        case ',':
            if (s.commas == 14)
                return 3;
            s.commas++;
            break;
        case '-':
            if (i + 1 < length && text[i + 1] == '>')
                s.candidate = 7;
            break;
        case '{':
            if (i >= 3 && FollowsLogWord(text, i))
                return 6;
            break;
        default:
            StepAgentShape(s, c);
            break;
        }
    }
    if (s.pipes == 9)
        return 12;
    if (s.blanks == 9 && s.colons == 2)
        return 4;
    if (s.agentState == 4 && (s.candidate == 1 || (s.candidate == 2 && !s.bracket)))
        return 8;
    return s.candidate;
}

} // namespace

int DetectLogFormat(LogFile* file, const char* text, DWORD length) {
    if (length >= 7 && strncmp(text, "format=", 7) == 0)
        return LOGFMT_NOT_RECORD;
    if (file && file->dwFormatHint == LOGFMT_W3C)
        return LOGFMT_W3C;
    if (W3C_IsDirective(text, length))
        return LOGFMT_W3C;
    // The rules below look at the first line only.
    DWORD lineLength = FirstLineEnd(text, length);
    if (IsSecondsStamp(text, lineLength))
        return LOGFMT_SECONDS;
    if (lineLength > 0 && text[0] == '[') {
        int code = DatedLineCode(text, lineLength);
        if (code)
            return code;
    }
    return ScanLineShape(text, lineLength);
}

BOOL SkipToLine(const char* text, DWORD length, DWORD* skipped) {
    DWORD i = 0;
    while (i < length && ((unsigned char)text[i] < 32 || (unsigned char)text[i] >= 128))
        i++;
    *skipped = i;
    // The reader hands out text that ends with a line's LF unless it is the
    // file's last piece: then no search is needed.
    if (i < length && text[length - 1] == '\n')
        return TRUE;
    return FindLineFeed(text + i, length - i) < length - i;
}

DWORD DropBracketedDate(char** text, DWORD* length, int* code) {
    const char* t = *text;
    DWORD n = *length;
    DWORD i = 0;
    while (i < n && t[i] != ']' && t[i] != '\r' && t[i] != '\n')
        i++;
    if (i == n || t[i] != ']')
        return 0;
    while (i < n && t[i] != '"' && t[i] != '\r' && t[i] != '\n')
        i++;
    if (i < n && t[i] != '"')
        return 0;
    // A quoted text on the first line makes the agent line a plain agent line.
    if (*code == LOGFMT_DATED_AGENT) {
        DWORD q = 0;
        while (q < n && t[q] != '"' && t[q] != '\r' && t[q] != '\n')
            q++;
        if (q == n || t[q] == '"')
            *code = LOGFMT_AGENT;
    }
    if (i == n)
        return 0;
    DWORD cut = i + 1;
    *text += cut;
    *length -= cut;
    return cut;
}
