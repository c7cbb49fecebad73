// Value lists of filters and their text form.
#include "ovcore/filters.h"
#include "ovkit/text_copy.h"
#include <cstdlib>
#include <cstring>

static bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
static bool IsSeparator(char c) {
    return IsBlank(c) || c == ',';
}
static bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// Appends a node holding the len characters at text; false when memory is short.
static bool AppendItem(FilterString*** tail, const char* text, size_t len) {
    FilterString* node = static_cast<FilterString*>(std::calloc(1, sizeof(FilterString)));
    char* copy = static_cast<char*>(std::malloc(len + 1));
    if (!node || !copy) {
        std::free(node);
        std::free(copy);
        return false;
    }
    std::memcpy(copy, text, len);
    copy[len] = '\0';
    node->lpszText = copy;
    **tail = node;
    *tail = &node->Next;
    return true;
}

static int ParseSingle(const char* p, FilterString** head) {
    while (IsBlank(*p))
        p++;
    size_t len = std::strlen(p);
    if (len >= 2 && IsQuote(p[0]) && p[len - 1] == p[0]) {
        p++;
        len -= 2;
    }
    if (len == 0)
        return 1;
    FilterString** tail = head;
    return AppendItem(&tail, p, len) ? 1 : 0;
}

// One list-mode item starting at p (not a separator): a quoted part runs to
// the next like quote; text right behind it joins the item up to the next
// separator. Writes the item into out and returns the position behind it.
static const char* ScanListItem(const char* p, char* out, size_t* outLen) {
    size_t n = 0;
    if (IsQuote(*p)) {
        char quote = *p++;
        while (*p && *p != quote)
            out[n++] = *p++;
        if (*p == quote)
            p++;
    }
    while (*p && !IsSeparator(*p))
        out[n++] = *p++;
    *outLen = n;
    return p;
}

static int ParseList(const char* p, FilterString** head) {
    char* item = static_cast<char*>(std::malloc(std::strlen(p) + 1));
    if (!item)
        return 0;
    FilterString** tail = head;
    int ok = 1;
    while (*p && ok) {
        if (IsSeparator(*p)) {
            p++;
            continue;
        }
        size_t len = 0;
        p = ScanListItem(p, item, &len);
        if (len > 0 && !AppendItem(&tail, item, len))
            ok = 0;
    }
    std::free(item);
    return ok;
}

int ORB_CALL FilterStringToStruct(const char* szText, FilterString** lplpList, int iMode) {
    if (!szText || !lplpList)
        return 1;
    *lplpList = nullptr;
    return iMode == FILTER_TEXT_LIST ? ParseList(szText, lplpList) : ParseSingle(szText, lplpList);
}

// The quote an item needs in the text form: 0 none, else the quote character.
static char QuoteFor(const char* text) {
    if (!std::strpbrk(text, " \t,"))
        return 0;
    return std::strchr(text, '"') ? '\'' : '"';
}

int ORB_CALL FilterStructToString(const FilterString* lpList, char* szOut, int size) {
    if (!szOut || size < 1)
        return 0;
    szOut[0] = '\0';
    size_t used = 0;
    for (; lpList; lpList = lpList->Next) {
        const char* text = lpList->lpszText ? lpList->lpszText : "";
        char quote = QuoteFor(text);
        size_t len = std::strlen(text);
        size_t need = len + (quote ? 2 : 0) + 1; // the item, its quotes, its blank
        if (used + need + 1 > static_cast<size_t>(size))
            break;
        if (quote)
            szOut[used++] = quote;
        std::memcpy(szOut + used, text, len);
        used += len;
        if (quote)
            szOut[used++] = quote;
        szOut[used++] = ' ';
    }
    if (used > 0)
        used--; // the last blank
    szOut[used] = '\0';
    return lpList ? 0 : 1;
}

int ORB_CALL FilterStructTextSize(const FilterString* lpList) {
    size_t size = 1;
    for (; lpList; lpList = lpList->Next) {
        const char* text = lpList->lpszText ? lpList->lpszText : "";
        size += std::strlen(text) + 3;
    }
    return static_cast<int>(size);
}

int ORB_CALL CopyStringStruct(const FilterString* lpList, FilterString** lplpOut) {
    if (!lplpOut)
        return 0;
    *lplpOut = nullptr;
    FilterString** tail = lplpOut;
    for (; lpList; lpList = lpList->Next) {
        const char* text = lpList->lpszText ? lpList->lpszText : "";
        if (!AppendItem(&tail, text, std::strlen(text))) {
            FreeFilterStrings(*lplpOut);
            *lplpOut = nullptr;
            return 0;
        }
    }
    return 1;
}

void ORB_CALL FreeOneFilterString(FilterString* lpNode) {
    if (!lpNode)
        return;
    std::free(lpNode->lpszText);
    std::free(lpNode);
}

void ORB_CALL FreeFilterStrings(FilterString* lpList) {
    while (lpList) {
        FilterString* next = lpList->Next;
        FreeOneFilterString(lpList);
        lpList = next;
    }
}

FilterString* ORB_CALL SearchFilterStrings(FilterString* lpList, const char* szText,
                                           FilterCompareFn lpfnCompare) {
    for (; lpList; lpList = lpList->Next) {
        if (!szText) {
            if (!lpList->lpszText)
                return lpList;
        } else if (lpList->lpszText && lpfnCompare && lpfnCompare(lpList->lpszText, szText) == 0) {
            return lpList;
        }
    }
    return nullptr;
}
