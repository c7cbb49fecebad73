#include "profile/credential_scramble.h"

namespace {
const unsigned char kRowPattern[16] = {0x5A, 0x13, 0x6C, 0x29, 0x47, 0x7E, 0x31, 0x0B,
                                       0x64, 0x2D, 0x52, 0x19, 0x73, 0x3E, 0x45, 0x26};

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
} // namespace

void ScrambleCredential(char* text) {
    if (!text)
        return;
    unsigned char key[64];
    BuildKey(key);
    for (int i = 0; text[i]; i++) {
        unsigned char plain = static_cast<unsigned char>(text[i]);
        unsigned char mixed = plain ^ key[i % 64];
        if (!IsKept(plain) && !IsKept(mixed))
            text[i] = static_cast<char>(mixed);
    }
}
