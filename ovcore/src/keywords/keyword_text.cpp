#include "keyword_text.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "ovcore/report_numbers.h"
#include "ovkit/text_copy.h"

int CompareKeywordPrefix(const char* keyword, const char* prefix) {
    if (!keyword || !prefix)
        return 1;
    return _strnicmp(keyword, prefix, strlen(prefix));
}

bool KeywordIs(const char* keyword, const char* word) {
    return keyword && word && _stricmp(keyword, word) == 0;
}

bool KeywordIsIndexed(const char* keyword, const char* word) {
    size_t length = strlen(word);
    if (!keyword || _strnicmp(keyword, word, length) != 0)
        return false;
    return keyword[length] == 0 || keyword[length] == '[';
}

void CopyBeforeTab(const char* text, char* out, DWORD size) {
    const char* tab = text ? strchr(text, '\t') : nullptr;
    OvkitCopyPart(out, size, text, tab ? (size_t)(tab - text) : text ? strlen(text) : 0);
}

void CopyAfterTab(const char* text, char* out, DWORD size) {
    const char* tab = text ? strchr(text, '\t') : nullptr;
    OvkitCopyText(out, size, tab ? tab + 1 : "");
}

char* FormatValueText(char* out, DWORD size, const char* format, ...) {
    if (!out || size == 0)
        return out;
    va_list args;
    va_start(args, format);
    int written = vsnprintf(out, size, format, args);
    va_end(args);
    if (written < 0)
        out[0] = 0;
    return out;
}

void FormatDuration(ULONGLONG seconds, char* out, DWORD size) {
    FormatValueText(out, size, "%02lu:%02lu:%02lu", (unsigned long)(seconds / 3600),
                    (unsigned long)(seconds / 60 % 60), (unsigned long)(seconds % 60));
}

ULONGLONG KilobytesOf(double bytes) {
    ULONGLONG whole = bytes > 0 ? (ULONGLONG)bytes : 0;
    return (whole + 1023) / 1024;
}

void FormatByteCount(double bytes, char* out, DWORD size) {
    FormatCount(KilobytesOf(bytes), out, (int)size);
}
