// IPv4 subnets and address ranges, as the filters and the intranet lists use
// them.
//
// An address word holds the first dotted octet in its lowest byte (the order
// of the octets on the wire). Text forms: address "a.b.c.d", subnet
// "a.b.c.d/len" (len 0 to 32), range "a.b.c.d-e" (the high address shares the
// first three octets) or "a.b.c.d-e.f.g.h". Numbers are plain decimal digits;
// an octet above 255 makes the text unparsable; the parsers ignore text behind
// the last number, the "Is" tests want none. An address text that does not
// parse lies in no subnet or range.
#pragma once
#include "ovkit/ovkit_base.h"

#pragma pack(push, 1)
// address 0xFFFFFFFF marks an unset subnet, which contains nothing.
struct OVKIT_Subnet {
    DWORD address;
    DWORD prefix;
};
// Lowest and highest address, both included.
struct OVKIT_AddressRange {
    DWORD low;
    DWORD high;
};
#pragma pack(pop)
static_assert(sizeof(OVKIT_Subnet) == 8, "OVKIT_Subnet is stored as two words");
static_assert(sizeof(OVKIT_AddressRange) == 8, "OVKIT_AddressRange is stored as two words");

// 1 when OVKIT_ParseSubnetString accepts the text and nothing follows the
// form's last number; else 0.
OVKIT_EXPORT(BOOL) OVKIT_IsSubnetString(const char* text);
// 1 when the text reads as a subnet; the record is written only then.
OVKIT_EXPORT(BOOL) OVKIT_ParseSubnetString(const char* text, OVKIT_Subnet* subnet);
// Writes "a.b.c.d/len"; the number of characters, 0 when size < 32.
OVKIT_EXPORT(int) OVKIT_SubnetToString(char* buffer, int size, const OVKIT_Subnet* subnet);
// 1 when the address lies in the subnet (prefix 0 holds every address).
OVKIT_EXPORT(BOOL) OVKIT_IsAddressInSubnet(DWORD address, const OVKIT_Subnet* subnet);
OVKIT_EXPORT(BOOL) OVKIT_IsAddressStringInSubnet(const char* address, const OVKIT_Subnet* subnet);
// 0 when either text does not parse.
OVKIT_EXPORT(BOOL) OVKIT_IsAddressStringInSubnetString(const char* address, const char* subnet);

// 1 when OVKIT_ParseAddressRangeString accepts the text and nothing follows
// the form's last number; else 0.
OVKIT_EXPORT(BOOL) OVKIT_IsAddressRangeString(const char* text);
// 1 when the text reads as a range (three dots: short form, six: long form);
// the record is written only then.
OVKIT_EXPORT(BOOL) OVKIT_ParseAddressRangeString(const char* text, OVKIT_AddressRange* range);
// Writes the long form; the number of characters, 0 when size < 32.
OVKIT_EXPORT(int)
OVKIT_AddressRangeToString(char* buffer, int size, const OVKIT_AddressRange* range);
// 1 when low <= address <= high, compared in numeric (network) order.
OVKIT_EXPORT(BOOL) OVKIT_IsAddressInAddressRange(DWORD address, const OVKIT_AddressRange* range);
OVKIT_EXPORT(BOOL)
OVKIT_IsAddressStringInAddressRange(const char* address, const OVKIT_AddressRange* range);
// 0 when either text does not parse.
OVKIT_EXPORT(BOOL)
OVKIT_IsAddressStringInAddressRangeString(const char* address, const char* range);
