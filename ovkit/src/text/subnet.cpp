#include "ovkit/subnet.h"
#include "ovkit/ovassert.h"
#include <cstdio>
#include <cstdlib>

namespace {

const DWORD kUnset = 0xFFFFFFFFu;

// Reads one decimal number of at least one digit at *pos, at most limit;
// moves *pos behind it. Long digit runs saturate instead of wrapping.
bool ReadNumber(const char** pos, DWORD limit, DWORD* value) {
    const char* p = *pos;
    if (*p < '0' || *p > '9')
        return false;
    DWORD v = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (v <= limit)
            v = v * 10 + static_cast<DWORD>(*p - '0');
    if (v > limit)
        return false;
    *pos = p;
    *value = v;
    return true;
}

bool Expect(const char** pos, char c) {
    if (**pos != c)
        return false;
    ++*pos;
    return true;
}

// Reads "a.b.c.d" into an address word, first octet in the low byte.
bool ReadAddress(const char** pos, DWORD* address) {
    DWORD word = 0;
    for (int i = 0; i < 4; ++i) {
        DWORD octet;
        if ((i > 0 && !Expect(pos, '.')) || !ReadNumber(pos, 255, &octet))
            return false;
        word |= octet << (8 * i);
    }
    *address = word;
    return true;
}

bool ParseAddress(const char* text, DWORD* address) {
    return text && ReadAddress(&text, address);
}

DWORD PrefixMask(DWORD prefix) {
    if (prefix == 0)
        return 0;
    DWORD network = 0xFFFFFFFFu << (32 - prefix);
    return _byteswap_ulong(network);
}

int CountChar(const char* text, char c) {
    int n = 0;
    for (; *text; ++text)
        n += *text == c;
    return n;
}

int FormatAddress(char* out, int size, DWORD a) {
    return std::snprintf(out, size, "%u.%u.%u.%u", static_cast<unsigned>(a & 0xFF),
                         static_cast<unsigned>((a >> 8) & 0xFF),
                         static_cast<unsigned>((a >> 16) & 0xFF), static_cast<unsigned>(a >> 24));
}

// Reads the subnet form at *pos and moves *pos behind its last number.
bool ReadSubnet(const char** pos, OVKIT_Subnet* subnet) {
    DWORD address, prefix;
    if (!ReadAddress(pos, &address) || !Expect(pos, '/') || !ReadNumber(pos, 32, &prefix))
        return false;
    subnet->address = address;
    subnet->prefix = prefix;
    return true;
}

// Reads the range form at *pos (the dots of the whole text choose the short
// or the long form) and moves *pos behind its last number.
bool ReadRange(const char** pos, OVKIT_AddressRange* range) {
    int dots = CountChar(*pos, '.');
    if (dots != 3 && dots != 6)
        return false;
    DWORD low, high;
    if (!ReadAddress(pos, &low) || !Expect(pos, '-'))
        return false;
    if (dots == 3) {
        DWORD last;
        if (!ReadNumber(pos, 255, &last))
            return false;
        high = (low & 0x00FFFFFFu) | (last << 24);
    } else if (!ReadAddress(pos, &high)) {
        return false;
    }
    range->low = low;
    range->high = high;
    return true;
}

} // namespace

// The shape test reads the text as the parser does and also wants nothing
// behind the form, so it never accepts a text the parser refuses.
BOOL OVKIT_CALL OVKIT_IsSubnetString(const char* text) {
    OVKIT_Subnet unused;
    return text && ReadSubnet(&text, &unused) && *text == '\0';
}

BOOL OVKIT_CALL OVKIT_ParseSubnetString(const char* text, OVKIT_Subnet* subnet) {
    OVKIT_Subnet read;
    if (!text || !subnet || !ReadSubnet(&text, &read))
        return FALSE;
    *subnet = read;
    return TRUE;
}

int OVKIT_CALL OVKIT_SubnetToString(char* buffer, int size, const OVKIT_Subnet* subnet) {
    if (!buffer || !subnet || size < 32)
        return 0;
    int n = FormatAddress(buffer, size, subnet->address);
    return n + std::snprintf(buffer + n, size - n, "/%u", static_cast<unsigned>(subnet->prefix));
}

BOOL OVKIT_CALL OVKIT_IsAddressInSubnet(DWORD address, const OVKIT_Subnet* subnet) {
    if (!subnet || subnet->address == kUnset)
        return FALSE;
    OV_ASSERT(subnet->prefix <= 32);
    if (subnet->prefix > 32)
        return FALSE;
    DWORD mask = PrefixMask(subnet->prefix);
    return (address & mask) == (subnet->address & mask);
}

BOOL OVKIT_CALL OVKIT_IsAddressStringInSubnet(const char* address, const OVKIT_Subnet* subnet) {
    DWORD word;
    return ParseAddress(address, &word) && OVKIT_IsAddressInSubnet(word, subnet);
}

BOOL OVKIT_CALL OVKIT_IsAddressStringInSubnetString(const char* address, const char* subnet) {
    OVKIT_Subnet parsed;
    return OVKIT_ParseSubnetString(subnet, &parsed) &&
           OVKIT_IsAddressStringInSubnet(address, &parsed);
}

BOOL OVKIT_CALL OVKIT_IsAddressRangeString(const char* text) {
    OVKIT_AddressRange unused;
    return text && ReadRange(&text, &unused) && *text == '\0';
}

BOOL OVKIT_CALL OVKIT_ParseAddressRangeString(const char* text, OVKIT_AddressRange* range) {
    OVKIT_AddressRange read;
    if (!text || !range || !ReadRange(&text, &read))
        return FALSE;
    *range = read;
    return TRUE;
}

int OVKIT_CALL OVKIT_AddressRangeToString(char* buffer, int size, const OVKIT_AddressRange* range) {
    if (!buffer || !range || size < 32)
        return 0;
    int n = FormatAddress(buffer, size, range->low);
    buffer[n++] = '-';
    return n + FormatAddress(buffer + n, size - n, range->high);
}

BOOL OVKIT_CALL OVKIT_IsAddressInAddressRange(DWORD address, const OVKIT_AddressRange* range) {
    if (!range)
        return FALSE;
    // Bytes turned round so that the first octet is the most significant.
    DWORD a = _byteswap_ulong(address);
    return _byteswap_ulong(range->low) <= a && a <= _byteswap_ulong(range->high);
}

BOOL OVKIT_CALL OVKIT_IsAddressStringInAddressRange(const char* address,
                                                    const OVKIT_AddressRange* range) {
    DWORD word;
    return ParseAddress(address, &word) && OVKIT_IsAddressInAddressRange(word, range);
}

BOOL OVKIT_CALL OVKIT_IsAddressStringInAddressRangeString(const char* address, const char* range) {
    OVKIT_AddressRange parsed;
    return OVKIT_ParseAddressRangeString(range, &parsed) &&
           OVKIT_IsAddressStringInAddressRange(address, &parsed);
}
