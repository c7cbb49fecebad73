#include "profile/credential_scramble.h"

namespace {
const unsigned char kRowPattern[16] = {0x5A, 0x13, 0x6C, 0x29, 0x47, 0x7E, 0x31, 0x0B,
                                       0x64, 0x2D, 0x52, 0x19, 0x73, 0x3E, 0x45, 0x26};
const char kEscape = 0x1B;

// The key is four rows of the same pattern, each row turned by its number so
// that the 64 bytes do not repeat every 16.
void BuildKey(unsigned char key[64]) {
    for (int row = 0; row < 4; row++) {
        for (int i = 0; i < 16; i++)
            key[row * 16 + i] = kRowPattern[(i + row * 5) % 16];
    }
}

bool IsKept(unsigned char c) {
    return c == 0 || c == '\r' || c == '\n';
}

// The bytes written behind the escape, and the letter that stands for each.
const char kEscaped[][2] = {{'\r', 'r'}, {'\n', 'n'}, {kEscape, 'e'}};

// The letter that stands for c behind the escape, or 0 when c stands as it is.
char EscapeLetter(char c) {
    for (const auto& e : kEscaped) {
        if (e[0] == c)
            return e[1];
    }
    return 0;
}

// The byte a letter behind the escape stands for, or 0 for any other letter.
char Unescaped(char letter) {
    for (const auto& e : kEscaped) {
        if (e[1] == letter)
            return e[0];
    }
    return 0;
}
} // namespace

void ScrambleCredential(char* text) {
    if (!text)
        return;
    unsigned char key[64];
    BuildKey(key);
    for (int i = 0; text[i]; i++) {
        unsigned char mixed = static_cast<unsigned char>(text[i]) ^ key[i % 64];
        if (!IsKept(mixed))
            text[i] = static_cast<char>(mixed);
    }
}

void StoreCredential(const char* plain, char* out, size_t size) {
    if (!out || size == 0)
        return;
    size_t used = 0;
    for (; plain && *plain; plain++) {
        char letter = EscapeLetter(*plain);
        size_t need = letter ? 2 : 1;
        if (used + need >= size)
            break;
        if (letter) {
            out[used++] = kEscape;
            out[used++] = letter;
        } else {
            out[used++] = *plain;
        }
    }
    out[used] = '\0';
    ScrambleCredential(out);
}

void LoadCredential(char* text) {
    if (!text)
        return;
    ScrambleCredential(text);
    char* to = text;
    for (const char* from = text; *from; from++) {
        char plain = from[0] == kEscape ? Unescaped(from[1]) : 0;
        if (plain) {
            *to++ = plain;
            from++;
        } else {
            *to++ = *from;
        }
    }
    *to = '\0';
}
