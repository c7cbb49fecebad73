#include "reportini/text_words.h"
#include <stdlib.h>
#include <string.h>

namespace reportini {

char* DupText(const char* text) {
    size_t length = strlen(text) + 1;
    char* copy = static_cast<char*>(malloc(length));
    if (copy)
        memcpy(copy, text, length);
    return copy;
}

void TrimChars(char* text, const char* strip) {
    size_t start = strspn(text, strip);
    size_t length = strlen(text + start);
    while (length > 0 && strchr(strip, text[start + length - 1]))
        --length;
    memmove(text, text + start, length);
    text[length] = '\0';
}

int SplitWords(char* text, const char* separators, char** words, int max) {
    int count = 0;
    char* p = text;
    while (count < max) {
        p += strspn(p, separators);
        if (!*p)
            break;
        words[count++] = p;
        p += strcspn(p, separators);
        if (*p)
            *p++ = '\0';
    }
    return count;
}

} // namespace reportini
