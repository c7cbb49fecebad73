// Wildcard patterns of the filters. The containment test searches in place:
// it runs once per hit per pattern, so it builds no widened pattern.
#include "hit_filter.h"

#include <string.h>

static inline unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + ('a' - 'A')) : c;
}

// n bytes of a and b equal (b may be shorter: its terminator then differs).
static BOOL SameBytes(const char* a, const char* b, size_t n, BOOL caseSensitive) {
    if (caseSensitive)
        return strncmp(a, b, n) == 0;
    for (size_t i = 0; i < n; ++i) {
        if (Fold((unsigned char)a[i]) != Fold((unsigned char)b[i]))
            return FALSE;
        if (!a[i])
            break;
    }
    return TRUE;
}

static BOOL Contains(const char* text, size_t textLen, const char* part, size_t n,
                     BOOL caseSensitive) {
    if (n > textLen)
        return FALSE;
    for (size_t i = 0; i + n <= textLen; ++i)
        if (SameBytes(text + i, part, n, caseSensitive))
            return TRUE;
    return FALSE;
}

int MatchWildcard(const char* pattern, const char* text, BOOL exact, BOOL caseSensitive) {
    if (!pattern || !text)
        return 0;
    if (strcmp(pattern, "*") == 0)
        return 1;
    const char* core = pattern;
    size_t n = strlen(pattern);
    BOOL leading = TRUE, trailing = TRUE; // the widened "*pattern*"
    if (exact) {
        leading = n > 0 && core[0] == '*';
        if (leading) {
            ++core;
            --n;
        }
        trailing = n > 0 && core[n - 1] == '*';
        if (trailing)
            --n;
    }
    size_t textLen = strlen(text);
    if (leading && trailing)
        return Contains(text, textLen, core, n, caseSensitive);
    if (leading)
        return textLen >= n && SameBytes(text + textLen - n, core, n, caseSensitive);
    if (trailing)
        return textLen >= n && SameBytes(text, core, n, caseSensitive);
    return textLen == n && SameBytes(text, core, n, caseSensitive);
}

int MatchAnyPattern(const FilterString* list, const char* text, BOOL exact, BOOL caseSensitive) {
    for (; list; list = list->Next)
        if (MatchWildcard(list->lpszText, text, exact, caseSensitive))
            return 1;
    return 0;
}

int ContainsAnyItem(const FilterString* list, const char* text) {
    if (!text)
        return 0;
    size_t textLen = strlen(text);
    for (; list; list = list->Next)
        if (list->lpszText &&
            Contains(text, textLen, list->lpszText, strlen(list->lpszText), FALSE))
            return 1;
    return 0;
}
