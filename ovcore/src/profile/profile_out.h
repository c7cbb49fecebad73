// A growing text buffer in which the profile writer composes the file.
#pragma once
#include <cstddef>

struct ProfileOut {
    char* data = nullptr;
    size_t length = 0;
    size_t capacity = 0;
    bool failed = false; // memory ran short; everything appended since is lost
};

void ProfileOut_Append(ProfileOut* out, const char* text);
// printf-style, measured first, so any length fits.
void ProfileOut_Format(ProfileOut* out, const char* format, ...);
// "key=value\r\n"; CR and LF inside the value are written as blanks so that
// a value always stays on its own line.
void ProfileOut_KeyText(ProfileOut* out, const char* key, const char* value);
// "key=%d\r\n"
void ProfileOut_KeyInt(ProfileOut* out, const char* key, long value);
void ProfileOut_Free(ProfileOut* out);
