// Searches for line ends in log text, a block of bytes at a time: every line
// of a log passes through them, and the C runtime's memchr goes byte by byte.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Offset of the first byte equal to a, b or c in text[0, length); length when
// there is none. Reads no byte outside the range.
inline size_t FindAnyOf3(const char* text, size_t length, char a, char b, char c) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), vc = _mm_set1_epi8(c);
    for (; i + 16 <= length; i += 16) {
        __m128i block = _mm_loadu_si128((const __m128i*)(text + i));
        __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, va), _mm_cmpeq_epi8(block, vb)),
                         _mm_cmpeq_epi8(block, vc));
        int mask = _mm_movemask_epi8(hit);
        if (mask)
            return i + (size_t)__builtin_ctz((unsigned)mask);
    }
#else
    const uint32_t ones = 0x01010101u, highs = 0x80808080u;
    const uint32_t pa = ones * (unsigned char)a, pb = ones * (unsigned char)b,
                   pc = ones * (unsigned char)c;
    for (; i + 4 <= length; i += 4) {
        uint32_t w;
        memcpy(&w, text + i, 4);
        uint32_t xa = w ^ pa, xb = w ^ pb, xc = w ^ pc;
        uint32_t zero = ((xa - ones) & ~xa) | ((xb - ones) & ~xb) | ((xc - ones) & ~xc);
        if (zero & highs)
            break; // the byte loop below finds it within these four
    }
#endif
    for (; i < length; ++i)
        if (text[i] == a || text[i] == b || text[i] == c)
            return i;
    return length;
}

// Offset of the first LF, or length.
inline size_t FindLineFeed(const char* text, size_t length) {
    return FindAnyOf3(text, length, '\n', '\n', '\n');
}
// Offset of the first CR or LF, or length.
inline size_t FindCrOrLf(const char* text, size_t length) {
    return FindAnyOf3(text, length, '\r', '\n', '\n');
}
// Offset of the first CR, LF or NUL, or length.
inline size_t FindLineBreakOrNul(const char* text, size_t length) {
    return FindAnyOf3(text, length, '\r', '\n', '\0');
}

// Replaces every `from` in text[0, length) by `to`; blocks without one are
// not written.
inline void ReplaceByte(char* text, size_t length, char from, char to) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i vfrom = _mm_set1_epi8(from), vto = _mm_set1_epi8(to);
    for (; i + 16 <= length; i += 16) {
        __m128i block = _mm_loadu_si128((const __m128i*)(text + i));
        __m128i hit = _mm_cmpeq_epi8(block, vfrom);
        if (_mm_movemask_epi8(hit))
            _mm_storeu_si128((__m128i*)(text + i),
                             _mm_or_si128(_mm_and_si128(hit, vto), _mm_andnot_si128(hit, block)));
    }
#endif
    for (; i < length; ++i)
        if (text[i] == from)
            text[i] = to;
}

// Offset of the first c or NUL in text, with TextLength's aligned loads.
inline size_t FindByteOrNul(const char* text, char c) {
#if defined(__SSE2__)
    const char* p = text;
    while (((uintptr_t)p & 15) != 0) {
        if (*p == 0 || *p == c)
            return (size_t)(p - text);
        ++p;
    }
    const __m128i zero = _mm_setzero_si128(), vc = _mm_set1_epi8(c);
    for (;; p += 16) {
        __m128i block = _mm_load_si128((const __m128i*)p);
        int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, zero), _mm_cmpeq_epi8(block, vc)));
        if (mask)
            return (size_t)(p - text) + (size_t)__builtin_ctz((unsigned)mask);
    }
#else
    const char* p = text;
    while (*p && *p != c)
        ++p;
    return (size_t)(p - text);
#endif
}

// strlen without the C runtime's byte loop: aligned 16-byte loads never
// cross into a page the text does not reach.
inline size_t TextLength(const char* text) {
#if defined(__SSE2__)
    const char* p = text;
    while (((uintptr_t)p & 15) != 0) {
        if (*p == 0)
            return (size_t)(p - text);
        ++p;
    }
    const __m128i zero = _mm_setzero_si128();
    for (;; p += 16) {
        int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_load_si128((const __m128i*)p), zero));
        if (mask)
            return (size_t)(p - text) + (size_t)__builtin_ctz((unsigned)mask);
    }
#else
    return strlen(text);
#endif
}
