// Bounded text copies for the path and URL helpers, whose callers pass
// buffers of MAX_PATH bytes: a result that does not fit is no result. Private
// to ovkit.
#pragma once
#include <cstddef>
#include <cstring>

namespace ovkit_detail {

// Copies n bytes of from (n may be larger than what fits) into out, which
// holds room bytes; keeps at most room-1 of them and terminates. from may
// overlap out. Returns the number of bytes kept.
inline size_t CopyPart(char* out, size_t room, const char* from, size_t n) {
    if (!out || room == 0)
        return 0;
    if (n > room - 1)
        n = room - 1;
    if (n)
        std::memmove(out, from, n);
    out[n] = '\0';
    return n;
}

// Copies n bytes of from into out (room bytes) when they fit with their
// terminator; otherwise empties out. from may overlap out. Returns whether
// they fit.
inline bool CopyWhole(char* out, size_t room, const char* from, size_t n) {
    if (!out || room == 0)
        return false;
    if (n >= room) {
        out[0] = '\0';
        return false;
    }
    CopyPart(out, room, from, n);
    return true;
}

// Appends text to the NUL-terminated out (room bytes in all), as far as it
// fits. Returns false when something was cut.
inline bool AppendPart(char* out, size_t room, const char* text, size_t n) {
    size_t used = std::strlen(out);
    if (used >= room)
        return false;
    size_t kept = CopyPart(out + used, room - used, text, n);
    return kept == n;
}

inline bool AppendText(char* out, size_t room, const char* text) {
    return AppendPart(out, room, text, std::strlen(text));
}

inline bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace ovkit_detail
