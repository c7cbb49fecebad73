// Bounded text copies used throughout the profile code.
#pragma once
#include <cstddef>
#include <cstdlib>
#include <cstring>

// Copies at most size - 1 characters of szSrc (null counts as empty) and
// terminates. size must be at least 1.
inline char* CopyText(char* szDest, size_t size, const char* szSrc) {
    size_t n = szSrc ? std::strlen(szSrc) : 0;
    if (n >= size)
        n = size - 1;
    std::memcpy(szDest, szSrc ? szSrc : "", n);
    szDest[n] = '\0';
    return szDest;
}

// The same for a destination array: the size is taken from its type.
template <size_t N> inline char* CopyText(char (&dest)[N], const char* szSrc) {
    return CopyText(dest, N, szSrc);
}

// Heap copy of a text (malloc); null when memory is short.
inline char* DuplicateText(const char* szSrc) {
    size_t n = std::strlen(szSrc) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy)
        std::memcpy(copy, szSrc, n);
    return copy;
}

// Copies one fixed text field into another, reading at most the source's
// width (it may lack its terminator) and writing at most the destination's.
template <size_t N, size_t M> inline char* CopyTextField(char (&dest)[N], const char (&src)[M]) {
    size_t n = strnlen(src, M);
    if (n >= N)
        n = N - 1;
    std::memcpy(dest, src, n);
    dest[n] = '\0';
    return dest;
}
