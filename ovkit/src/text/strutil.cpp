#include "ovkit/strutil.h"
#include "ovkit/ovassert.h"
#include <cstring>

namespace {

const int kStaticBuffers = 5;
const int kStringRoom = 256;
char g_staticStrings[kStaticBuffers][kStringRoom];

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

char Upper(char c) {
    return static_cast<char>(OVKIT_UpperCase(static_cast<unsigned char>(c)));
}

bool SameNoCase(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

// Looks at pos, then at each next character toward limit (forward: up to
// limit, excluded; backward: down to limit, included), at least one. Returns
// where wanted stands, or null when stop comes first or the limit is reached.
// direction: 1 forward, 2 backward.
const char* FindCharBounded(const char* pos, const char* limit, char wanted, char stop,
                            int direction) {
    bool forward = direction == 1;
    ptrdiff_t steps = forward ? limit - pos : pos - limit + 1;
    if (steps < 1)
        steps = 1;
    for (ptrdiff_t i = 0; i < steps; ++i, pos += forward ? 1 : -1) {
        if (*pos == wanted)
            return pos;
        if (*pos == stop)
            return nullptr;
    }
    return nullptr;
}

} // namespace

char* OVKIT_CALL OVKIT_BufCopy(char* buffer, const char* source, int size) {
    OV_ASSERT(buffer && size >= 1);
    if (!buffer || size < 1)
        return buffer;
    if (!source)
        source = "";
    for (int i = 0; i < size; ++i) {
        buffer[i] = source[i];
        if (!source[i])
            break;
    }
    buffer[size - 1] = '\0';
    return buffer + size;
}

const char* OVKIT_CALL OVKIT_GetString(UINT id, HINSTANCE module, char* buffer) {
    UINT_PTR number = reinterpret_cast<UINT_PTR>(buffer);
    if (number < kStaticBuffers)
        buffer = g_staticStrings[number];
    if (LoadStringA(module, id, buffer, kStringRoom) > 0)
        return buffer;
    buffer[0] = '\0';
    return "";
}

int OVKIT_CALL OVKIT_UpperCase(int ch) {
    return ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch;
}

const char* OVKIT_CALL OVKIT_EatWhitespace(const char* pos, int* count) {
    OV_ASSERT(pos && count);
    if (!pos || !count)
        return pos;
    int left = *count;
    while (left > 0 && (IsBlank(*pos) || IsLineEnd(*pos))) {
        ++pos;
        --left;
    }
    *count = left;
    return pos;
}

const char* OVKIT_CALL OVKIT_EatNonWhitespace(const char* pos, int* count, char* out, int room,
                                              BOOL keepBlanks) {
    OV_ASSERT(pos && count);
    if (!pos || !count)
        return pos;
    int left = *count;
    int copied = 0;
    while (left > 0 && !IsLineEnd(*pos) && (keepBlanks || !IsBlank(*pos))) {
        if (out) {
            if (copied >= room)
                break;
            out[copied++] = *pos;
        }
        ++pos;
        --left;
    }
    if (out)
        out[copied] = '\0';
    *count = left;
    return pos;
}

const char* OVKIT_CALL OVKIT_FindString(const char* start, const char* end, const char* text) {
    OV_ASSERT(text && *text);
    if (!start || !end || !text || !*text || end < start)
        return nullptr;
    size_t n = std::strlen(text);
    char first = Upper(text[0]);
    char last = Upper(text[n - 1]);
    for (const char* p = start; static_cast<size_t>(end - p) >= n; ++p)
        if (Upper(*p) == first && Upper(p[n - 1]) == last && SameNoCase(p, text, n))
            return p;
    return nullptr;
}

const char* OVKIT_CALL OVKIT_FindEnclosedString(const char* start, const char* open,
                                                const char* close, const char* end, int* remaining,
                                                int* length, BOOL inTag) {
    OV_ASSERT(start && open && close && end && remaining && length);
    if (!start || !open || !close || !end || !remaining || !length)
        return nullptr;
    const ptrdiff_t openLen = static_cast<ptrdiff_t>(std::strlen(open));
    const ptrdiff_t closeLen = static_cast<ptrdiff_t>(std::strlen(close));
    const ptrdiff_t need = openLen + closeLen + (inTag ? 2 : 0);
    if (*remaining < need)
        return nullptr;
    for (const char* cursor = start; end - cursor > need;) {
        const char* o = OVKIT_FindString(cursor, end, open);
        if (!o)
            return nullptr;
        // The open marker must stand inside a tag; if the first one does not,
        // the search ends.
        if (inTag && !FindCharBounded(o, cursor, '<', '>', 2))
            return nullptr;
        const char* c = OVKIT_FindString(o + openLen, end, close);
        if (c && inTag) {
            const char* tagEnd = FindCharBounded(o, end, '>', '<', 1);
            if (!tagEnd || c > tagEnd)
                c = nullptr;
        }
        if (!c) {
            cursor = o + openLen;
            continue;
        }
        const char* e = c + closeLen;
        *length = static_cast<int>(e - o);
        *remaining -= static_cast<int>(e - start);
        return e;
    }
    return nullptr;
}
