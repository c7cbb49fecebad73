#include "run/option_pairs.h"

#include <string.h>

namespace {

// Length of the string at text[at], or -1 when no terminator comes before
// the end.
long StringAt(const char* text, DWORD size, DWORD at) {
    const void* end = memchr(text + at, 0, size - at);
    return end ? (long)((const char*)end - (text + at)) : -1;
}

} // namespace

WORD CopyOptionPairs(const char* text, DWORD size, char* out, DWORD* bytes) {
    WORD pairs = 0;
    DWORD at = 0, used = 0;
    while (text && at < size && text[at] != '\r') {
        long label = StringAt(text, size, at);
        if (label < 0 || at + label + 1 >= size)
            break;
        DWORD valueAt = at + label + 1;
        long value = StringAt(text, size, valueAt);
        if (value < 0)
            break;
        DWORD pairBytes = (DWORD)label + 1 + (DWORD)value + 1;
        if (out)
            memcpy(out + used, text + at, pairBytes);
        used += pairBytes;
        pairs++;
        at = valueAt + value + 1;
        if (at < size && text[at] == 0)
            at++; // a second zero after a string
    }
    if (bytes)
        *bytes = used;
    return pairs;
}
