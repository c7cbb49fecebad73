// Text written into a report page. Every report the template writer makes
// is HTML (the .doc and .xls reports too), so text from a log, a profile, a
// database or a fetched page goes in with '&', '<', '>', '"' and '\'' as
// character references: it can neither open mark-up nor leave an attribute
// value. Bytes above 127 stay as they are: the texts are in the Windows
// code page, the one every page declares (windows-1252).
#pragma once
#include <stddef.h>

// Escapes text into out (size bytes, always terminated when size is not 0).
// A character whose reference does not fit whole ends the copy there, so
// that a cut never leaves part of a reference. Returns the bytes of text
// taken.
size_t EscapeHtmlText(const char* text, char* out, size_t size);

// Appends text, escaped and cut as above, behind what out holds.
void AppendHtmlText(char* out, size_t size, const char* text);

// Turns the character references of an HTML text (a fetched page's title)
// back into the characters they stand for, in place: the named ones of the
// Windows code page's common characters and the numeric ones that the code
// page holds. Any other reference stays as it is written.
void DecodeHtmlReferences(char* text);
