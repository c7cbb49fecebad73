#include "oid_text.h"

#include <cstdio>

namespace ovbeacon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads one number at *p (digits), moving p past it and the dots after it.
uint32_t TakeNumber(const char*& p) {
    uint32_t n = 0;
    while (IsDigit(*p))
        n = n * 10 + static_cast<uint32_t>(*p++ - '0');
    while (*p == '.')
        ++p;
    return n;
}

} // namespace

size_t ParseOidText(const char* text, uint32_t* ids, size_t maxIds) {
    size_t count = 0;
    const char* p = text;
    while (IsDigit(*p)) {
        uint32_t n = TakeNumber(p);
        if (count < maxIds)
            ids[count] = n;
        ++count;
    }
    return count;
}

bool FormatOidSuffix(const uint32_t* ids, size_t count, size_t from, char* out, size_t size) {
    size_t used = 0;
    out[0] = '\0';
    for (size_t i = from; i < count; ++i) {
        int n = snprintf(out + used, size - used, i == from ? "%u" : ".%u", ids[i]);
        if (n < 0 || static_cast<size_t>(n) >= size - used) {
            out[0] = '\0';
            return false;
        }
        used += static_cast<size_t>(n);
    }
    return true;
}

int CompareOidSuffix(const char* a, const char* b) {
    const char* p = a;
    const char* q = b;
    while (IsDigit(*p) && IsDigit(*q)) {
        uint32_t x = TakeNumber(p);
        uint32_t y = TakeNumber(q);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (IsDigit(*p))
        return 1;
    if (IsDigit(*q))
        return -1;
    return 0;
}

} // namespace ovbeacon
