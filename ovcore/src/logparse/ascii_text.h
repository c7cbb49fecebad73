// Character tests and case-blind compares of the per-line path, for ASCII:
// the C runtime's versions ask the thread's locale on every call (under Wine
// a look-up of the thread data each time), and the engine never sets a
// locale, so their answers are these.
#pragma once
#include <stddef.h>

inline bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsAsciiAlnum(char c) {
    return IsAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c + ('a' - 'A')) : c;
}
// Whether text begins with the n characters of the lower-case prefix,
// ignoring the case of letters (_strnicmp(text, prefix, n) == 0). Stops at
// the end of a shorter text.
inline bool StartsWithNoCase(const char* text, const char* lowerPrefix, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (AsciiLower(text[i]) != lowerPrefix[i])
            return false;
    return true;
}
// Whether text begins with the n characters of prefix (strncmp(...) == 0).
inline bool StartsWith(const char* text, const char* prefix, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (text[i] != prefix[i])
            return false;
    return true;
}
