// The pick-list texts of the filter fields: pairs of zero-terminated
// strings (a label and the value it stands for), a second zero after a
// string skipped, ended by an entry that begins with a carriage return or
// by the end of the text.
#pragma once
#include <windows.h>

// Copies the pairs of text (size bytes, not necessarily zero-ended) one
// string after another, each with its terminator, into out (null: only
// measures); *bytes receives the bytes they take. A pair cut by the end of
// the text is left out. The number of pairs.
WORD CopyOptionPairs(const char* text, DWORD size, char* out, DWORD* bytes);
