#include "listing_text.h"

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

// Room for up to n more characters, cut to what is left.
static size_t Fit(const ListingText* t, size_t n) {
    return n > Room(t) ? Room(t) : n;
}

static void Advance(ListingText* t, size_t n) {
    t->length += n;
    if (t->size)
        t->text[t->length] = 0;
}

void ListingText_AddCount(ListingText* t, const char* s, size_t count) {
    size_t n = Fit(t, strnlen(s, count));
    memcpy(t->text + t->length, s, n);
    Advance(t, n);
}

void ListingText_Add(ListingText* t, const char* s) {
    ListingText_AddCount(t, s, (size_t)-1);
}

void ListingText_Repeat(ListingText* t, char c, size_t count) {
    count = Fit(t, count);
    memset(t->text + t->length, c, count);
    Advance(t, count);
}

void ListingText_Format(ListingText* t, const char* format, ...) {
    if (!t->size)
        return;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(t->text + t->length, Room(t) + 1, format, args);
    va_end(args);
    Advance(t, n > 0 ? Fit(t, (size_t)n) : 0);
}

void ListingText_EndLine(ListingText* t) {
    ListingText_Add(t, "\r\n");
    t->lineStart = t->length;
    ++t->lines;
}

size_t ListingText_LineLength(const ListingText* t) {
    return t->length - t->lineStart;
}
