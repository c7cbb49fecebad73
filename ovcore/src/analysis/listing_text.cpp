#include "analysis/listing_text.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

void ListingText_Init(ListingText* t, char* buffer, size_t size) {
    t->text = buffer;
    t->size = size;
    t->length = 0;
    t->lineStart = 0;
    t->lines = 0;
    if (size)
        buffer[0] = 0;
}

static size_t Room(const ListingText* t) {
    return t->size ? t->size - 1 - t->length : 0;
}

void ListingText_AddCount(ListingText* t, const char* s, size_t count) {
    size_t n = strnlen(s, count);
    if (n > Room(t))
        n = Room(t);
    memcpy(t->text + t->length, s, n);
    t->length += n;
    if (t->size)
        t->text[t->length] = 0;
}

void ListingText_Add(ListingText* t, const char* s) {
    ListingText_AddCount(t, s, (size_t)-1);
}

void ListingText_Repeat(ListingText* t, char c, size_t count) {
    if (count > Room(t))
        count = Room(t);
    memset(t->text + t->length, c, count);
    t->length += count;
    if (t->size)
        t->text[t->length] = 0;
}

void ListingText_Format(ListingText* t, const char* format, ...) {
    if (!t->size)
        return;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(t->text + t->length, Room(t) + 1, format, args);
    va_end(args);
    if (n > 0)
        t->length += (size_t)n > Room(t) ? Room(t) : (size_t)n;
    t->text[t->length] = 0;
}

void ListingText_EndLine(ListingText* t) {
    ListingText_Add(t, "\r\n");
    t->lineStart = t->length;
    ++t->lines;
}

size_t ListingText_LineLength(const ListingText* t) {
    return t->length - t->lineStart;
}
