// Credentials at rest: user names and passwords are stored scrambled in the
// profile file.
#pragma once
#include <cstddef>

// Scrambles or unscrambles text in place. Each byte is combined by
// exclusive-or with the next byte of a 64-byte key that repeats every 64
// bytes; a byte whose result would be NUL, CR or LF is left as it is, so the
// text keeps its length and stays on one line. Its own inverse for every text
// without CR or LF.
void ScrambleCredential(char* text);

// The stored form of a credential: CR, LF and ESC are first written as ESC
// followed by 'r', 'n' or 'e' (the scramble cannot give them back), then the
// text is scrambled. out needs room for twice the text's length and the NUL.
void StoreCredential(const char* plain, char* out, size_t size);
// The plain credential from its stored form, in place.
void LoadCredential(char* text);
// Room needed by the stored form of a credential of at most length characters.
#define CREDENTIAL_STORED_SIZE(length) (2 * (length) + 1)
