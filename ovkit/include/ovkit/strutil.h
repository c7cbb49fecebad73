// Bounded copying, string-table look-up and scanning of counted text buffers.
#pragma once
#include "ovkit/ovkit_base.h"

// Copies source up to and including its NUL, at most size bytes, then sets
// buffer[size-1] to NUL: at most size-1 characters survive, bytes behind a
// shorter source's NUL are left alone. size must be at least 1. Returns
// buffer + size.
OVKIT_EXPORT(char*) OVKIT_BufCopy(char* buffer, const char* source, int size);

// Loads string id of module's string table (at most 255 characters) into
// buffer, which holds 256 bytes, or, when buffer is a number 0 to 4 (null is
// 0), into that one of the library's five static buffers (a later call with
// the same number overwrites it). Returns the text, "" when the string does
// not exist; never null.
OVKIT_EXPORT(const char*) OVKIT_GetString(UINT id, HINSTANCE module, char* buffer);

// The letter a-z made upper case; any other byte unchanged.
OVKIT_EXPORT(int) OVKIT_UpperCase(int ch);

// Skips blanks, tabs, CR and LF while *count is positive; stores the new count
// and returns the new position.
OVKIT_EXPORT(const char*) OVKIT_EatWhitespace(const char* pos, int* count);
// Copies characters until CR, LF, *count running out or (with an out buffer)
// room running out; a blank or tab stops it too unless keepBlanks is set.
// out (may be null: nothing is copied) holds room+1 bytes and is terminated.
// Stores the new count and returns the new position.
OVKIT_EXPORT(const char*)
OVKIT_EatNonWhitespace(const char* pos, int* count, char* out, int room, BOOL keepBlanks);
// First position p, start <= p < end, where the whole (non-empty) text occurs
// before end, ignoring ASCII case; null when there is none or end < start.
OVKIT_EXPORT(const char*) OVKIT_FindString(const char* start, const char* end, const char* text);
// Finds the first span from an open marker to the next close marker within
// [start, end). With inTag the open marker must stand inside a tag (a '<'
// before it with no '>' between) and the close marker before that tag's '>';
// when the first open marker is not inside a tag the search ends. On success
// returns the position just behind the close marker, stores the span's length
// (it begins at result - *length) and reduces *remaining by result - start;
// else null.
OVKIT_EXPORT(const char*)
OVKIT_FindEnclosedString(const char* start, const char* open, const char* close, const char* end,
                         int* remaining, int* length, BOOL inTag);
