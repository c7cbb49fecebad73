#include "ovkit/settings_file.h"
#include <cstring>

namespace {

const char kPrefix[] = "Encrypt://";
const size_t kPrefixLength = sizeof kPrefix - 1;

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

BOOL OVKIT_CALL OVKIT_EncryptPassword(const char* password, char* out, BYTE key) {
    if (!password || !out)
        return FALSE;
    static const char kDigits[] = "0123456789ABCDEF";
    std::memcpy(out, kPrefix, kPrefixLength);
    char* p = out + kPrefixLength;
    for (const unsigned char* b = reinterpret_cast<const unsigned char*>(password); *b; ++b) {
        unsigned char mixed = static_cast<unsigned char>(*b ^ key);
        *p++ = kDigits[mixed >> 4];
        *p++ = kDigits[mixed & 15];
    }
    *p = '\0';
    return TRUE;
}

BOOL OVKIT_CALL OVKIT_DecryptPassword(const char* text, char* out, BYTE key) {
    if (!text || !out)
        return FALSE;
    if (_strnicmp(text, kPrefix, kPrefixLength) != 0) {
        std::memmove(out, text, std::strlen(text) + 1);
        return TRUE;
    }
    const char* digits = text + kPrefixLength;
    char* p = out;
    // A pair with a missing or non-hex digit ends the password there.
    for (; digits[0] && digits[1]; digits += 2) {
        int high = HexValue(digits[0]);
        int low = HexValue(digits[1]);
        if (high < 0 || low < 0)
            break;
        *p++ = static_cast<char>((high << 4 | low) ^ key);
    }
    *p = '\0';
    return TRUE;
}
