#include "profile/profile_out.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Makes room for extra more characters plus the terminator.
static bool Reserve(ProfileOut* out, size_t extra) {
    if (out->failed)
        return false;
    size_t need = out->length + extra + 1;
    if (need <= out->capacity)
        return true;
    size_t capacity = out->capacity ? out->capacity : 4096;
    while (capacity < need)
        capacity *= 2;
    char* grown = static_cast<char*>(std::realloc(out->data, capacity));
    if (!grown) {
        out->failed = true;
        return false;
    }
    out->data = grown;
    out->capacity = capacity;
    return true;
}

static void AppendBytes(ProfileOut* out, const char* text, size_t len) {
    if (!Reserve(out, len))
        return;
    std::memcpy(out->data + out->length, text, len);
    out->length += len;
    out->data[out->length] = '\0';
}

void ProfileOut_Append(ProfileOut* out, const char* text) {
    AppendBytes(out, text ? text : "", text ? std::strlen(text) : 0);
}

void ProfileOut_Format(ProfileOut* out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int len = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (len < 0) {
        out->failed = true;
    } else if (Reserve(out, static_cast<size_t>(len))) {
        std::vsnprintf(out->data + out->length, static_cast<size_t>(len) + 1, format, args);
        out->length += static_cast<size_t>(len);
    }
    va_end(args);
}

void ProfileOut_KeyText(ProfileOut* out, const char* key, const char* value) {
    ProfileOut_Append(out, key);
    ProfileOut_Append(out, "=");
    size_t start = out->length;
    ProfileOut_Append(out, value);
    for (size_t i = start; !out->failed && i < out->length; i++) {
        if (out->data[i] == '\r' || out->data[i] == '\n')
            out->data[i] = ' ';
    }
    ProfileOut_Append(out, "\r\n");
}

void ProfileOut_KeyInt(ProfileOut* out, const char* key, long value) {
    ProfileOut_Format(out, "%s=%ld\r\n", key, value);
}

void ProfileOut_Free(ProfileOut* out) {
    std::free(out->data);
    *out = ProfileOut();
}
