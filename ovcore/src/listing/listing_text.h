// A bounded text being built line by line: appends never pass the buffer's
// size (a longer text is cut), and lines are counted as they are ended.
#pragma once
#include <stddef.h>
#include <windows.h>

// Style marks read by the listing viewer.
#define MARK_END "\x01\x01"
#define MARK_LABEL "\x01\x02"
#define MARK_ERROR "\x01\x06"
#define MARK_FILE "\x01\x0A"
#define MARK_VALUE "\x01\x0E"

struct ListingText {
    char* text;
    size_t size;
    size_t length;
    size_t lineStart; // offset where the current line begins
    DWORD lines;
};

void ListingText_Init(ListingText* t, char* buffer, size_t size);
void ListingText_Add(ListingText* t, const char* s);
void ListingText_AddCount(ListingText* t, const char* s, size_t count);
void ListingText_Repeat(ListingText* t, char c, size_t count);
void ListingText_Format(ListingText* t, const char* format, ...);
// Appends "\r\n" and counts the line.
void ListingText_EndLine(ListingText* t);
// Characters on the current line so far.
size_t ListingText_LineLength(const ListingText* t);
