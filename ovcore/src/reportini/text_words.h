// Small text helpers of the settings readers (private).
#pragma once
#include <stddef.h>

namespace reportini {

// A heap copy (malloc) of text; null when memory is short.
char* DupText(const char* text);

// Removes the characters of strip from both ends of text, in place.
void TrimChars(char* text, const char* strip);
inline void TrimBlanks(char* text) {
    TrimChars(text, " \t");
}

// Splits text in place at any character of separators (runs of them count
// as one); stores at most max word pointers into words; returns the number.
int SplitWords(char* text, const char* separators, char** words, int max);

} // namespace reportini
