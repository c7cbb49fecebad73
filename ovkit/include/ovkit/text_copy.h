// Bounded text copies into fixed buffers: the one home for every library and
// program of the system. Header only, so the stand-ins that do not link ovkit
// use it too, and nothing crosses a DLL boundary.
//
// The convention of them all: out holds size bytes and is always terminated
// when size is at least 1 (nothing is written when out is null or size is 0);
// a null text counts as empty; the text may overlap out.
#pragma once
#include <cstddef>
#include <cstring>

// Copies the first length bytes of text, as many as fit (size - 1). Returns
// the number of bytes kept.
inline size_t OvkitCopyPart(char* out, size_t size, const char* text, size_t length) {
    if (!out || size == 0)
        return 0;
    if (!text || length > size - 1)
        length = text ? size - 1 : 0;
    if (length)
        std::memmove(out, text, length);
    out[length] = '\0';
    return length;
}

// Copies the terminated text, as much of it as fits. Returns the number of
// characters kept.
inline size_t OvkitCopyText(char* out, size_t size, const char* text) {
    if (!out || size == 0)
        return 0;
    return OvkitCopyPart(out, size, text, text ? strnlen(text, size - 1) : 0);
}

// The same for an array: the size is taken from its type.
template <size_t N> inline size_t OvkitCopyText(char (&out)[N], const char* text) {
    return OvkitCopyText(out, N, text);
}

// Copies one fixed text field into another, reading at most the source's
// width (it may lack its terminator). Returns out.
template <size_t N, size_t M> inline char* OvkitCopyField(char (&out)[N], const char (&field)[M]) {
    OvkitCopyPart(out, N, field, strnlen(field, M));
    return out;
}

// Copies all length bytes of text when they fit with their terminator;
// otherwise empties out. Returns whether they fitted.
inline bool OvkitCopyWhole(char* out, size_t size, const char* text, size_t length) {
    if (!out || size == 0)
        return false;
    if (length >= size) {
        out[0] = '\0';
        return false;
    }
    OvkitCopyPart(out, size, text, length);
    return true;
}

// Appends the first length bytes of text to the terminated out (size bytes
// in all), as far as they fit. Returns false when something was cut.
inline bool OvkitAppendPart(char* out, size_t size, const char* text, size_t length) {
    size_t used = std::strlen(out);
    if (used >= size)
        return false;
    return OvkitCopyPart(out + used, size - used, text, length) == length;
}

inline bool OvkitAppendText(char* out, size_t size, const char* text) {
    return OvkitAppendPart(out, size, text, text ? std::strlen(text) : 0);
}
