#include "profile/profile_text.h"
#include <cstdlib>
#include <cstring>

// Editors that save in UTF-8 may put this mark before the first line.
static const char kUtf8Mark[] = "\xEF\xBB\xBF";

// Start of the line after p's line, or the end of the text.
static const char* NextLine(const char* p, const char* end) {
    while (p < end && *p != '\n')
        p++;
    return p < end ? p + 1 : end;
}

// The line's text behind its indentation: other editors indent with blanks or tabs.
static const char* SkipIndent(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t'))
        p++;
    return p;
}

// True when the line at p is exactly the header (blanks may surround it).
static bool IsHeaderLine(const char* p, const char* end, const char* header, size_t len) {
    p = SkipIndent(p, end);
    if (static_cast<size_t>(end - p) < len || std::memcmp(p, header, len) != 0)
        return false;
    for (p += len; p < end && *p != '\r' && *p != '\n'; p++) {
        if (*p != ' ' && *p != '\t')
            return false;
    }
    return true;
}

static const char* FindHeader(const char* text, const char* end, const char* header) {
    size_t len = std::strlen(header);
    for (const char* line = text; line < end; line = NextLine(line, end)) {
        if (IsHeaderLine(line, end, header, len))
            return line;
    }
    return nullptr;
}

bool FindProfileSection(const char* text, const char* name, ProfileSection* section) {
    if (!text || !name || !section)
        return false;
    const char* end = text + std::strlen(text);
    if (std::strncmp(text, kUtf8Mark, sizeof kUtf8Mark - 1) == 0)
        text += sizeof kUtf8Mark - 1;
    size_t nameLen = std::strlen(name);
    char* header = static_cast<char*>(std::malloc(nameLen + 3));
    if (!header)
        return false;
    header[0] = '[';
    std::memcpy(header + 1, name, nameLen);
    std::strcpy(header + 1 + nameLen, "]");
    const char* line = FindHeader(text, end, header);
    std::free(header);
    if (!line && name[0] == '[')
        line = FindHeader(text, end, name);
    if (!line)
        return false;
    section->begin = NextLine(line, end);
    const char* p = section->begin;
    while (p < end && *SkipIndent(p, end) != '[')
        p = NextLine(p, end);
    section->end = p;
    return true;
}

// The value of "key=" inside the section, and the position of its line end
// (null when the line has none).
static const char* FindValue(const ProfileSection& section, const char* key, const char** lineEnd) {
    size_t len = std::strlen(key);
    for (const char* start = section.begin; start < section.end;
         start = NextLine(start, section.end)) {
        const char* line = SkipIndent(start, section.end);
        if (static_cast<size_t>(section.end - line) > len && std::memcmp(line, key, len) == 0 &&
            line[len] == '=') {
            const char* value = line + len + 1;
            const char* p = value;
            while (p < section.end && *p != '\n')
                p++;
            *lineEnd = nullptr;
            if (p < section.end)
                *lineEnd = (p > value && p[-1] == '\r') ? p - 1 : p;
            return value;
        }
    }
    return nullptr;
}

bool HasProfileKey(const ProfileSection& section, const char* key) {
    const char* lineEnd = nullptr;
    return FindValue(section, key, &lineEnd) != nullptr;
}

size_t GetProfileTextString(const ProfileSection& section, const char* key, const char* def,
                            char* out, size_t size) {
    if (!out || size == 0)
        return 0;
    const char* lineEnd = nullptr;
    const char* value = FindValue(section, key, &lineEnd);
    size_t len;
    if (value && lineEnd) {
        len = static_cast<size_t>(lineEnd - value);
    } else {
        value = def ? def : "";
        len = std::strlen(value);
    }
    if (len >= size)
        len = size - 1;
    std::memcpy(out, value, len);
    out[len] = '\0';
    return len;
}

long GetProfileTextInt(const ProfileSection& section, const char* key, long def) {
    const char* lineEnd = nullptr;
    const char* value = FindValue(section, key, &lineEnd);
    if (!value || !lineEnd)
        return def;
    char number[33];
    size_t len = static_cast<size_t>(lineEnd - value);
    if (len > 32)
        len = 32;
    std::memcpy(number, value, len);
    number[len] = '\0';
    // 64-bit reading, so that unsigned values written in full wrap as stored.
    return static_cast<long>(std::strtoll(number, nullptr, 10));
}

char* GetProfileTextAlloc(const ProfileSection& section, const char* key) {
    const char* lineEnd = nullptr;
    const char* value = FindValue(section, key, &lineEnd);
    size_t len = (value && lineEnd) ? static_cast<size_t>(lineEnd - value) : 0;
    char* copy = static_cast<char*>(std::malloc(len + 1));
    if (!copy)
        return nullptr;
    std::memcpy(copy, value, len);
    copy[len] = '\0';
    return copy;
}
