// Looking names up in the DNS cache and adding new ones.
#include <winsock2.h>

#include "dns_cache.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include "dns_cache_state.h"
#include "core/net_binding.h"

// Room for the longest line: a 99-character name, the address and the time.
#define DNS_LINE_READ 160

DWORD DNSCache_AddressOf(const char* text) {
    const WinsockApi& ws = NetBinding_Winsock();
    if (!text || !ws.inet_addr)
        return INADDR_NONE;
    return ws.inet_addr(text);
}

static void AddressText(DWORD address, char* out) {
    const BYTE* b = (const BYTE*)&address;
    wsprintfA(out, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
}

// Removes index slot i, moving the older entries up: an address 0 left in
// the middle would end the index there and lose every older entry.
static void RemoveSlot(DWORD i) {
    DnsCacheState& c = DnsCache_State();
    DWORD later = c.entries - i - 1;
    memmove(c.addresses + i, c.addresses + i + 1, later * 4);
    memmove(c.offsets + i, c.offsets + i + 1, later * 4);
    c.addresses[c.entries - 1] = 0;
    c.offsets[c.entries - 1] = 0;
}

static size_t TokenLength(const char* p) {
    return strcspn(p, "\r\n, ");
}

// The name of the line at offset when that line is the address's own line
// (offsets keep only their low 32 bits, so past 4 GB they point elsewhere).
// 1 found, 0 another address's line, -1 nothing readable.
static int ReadCachedName(DWORD offset, DWORD address, char* name) {
    HANDLE text = DnsCache_State().text;
    char line[DNS_LINE_READ + 1];
    DWORD got = 0;
    if (SetFilePointer(text, (LONG)offset, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !ReadFile(text, line, DNS_LINE_READ, &got, NULL) || got == 0)
        return -1;
    line[got] = 0;
    size_t n = TokenLength(line);
    if (n == 0)
        return -1;
    char expected[16];
    AddressText(address, expected);
    const char* second = line + n;
    if (*second != ' ' || TokenLength(second + 1) != strlen(expected) ||
        strncmp(second + 1, expected, strlen(expected)) != 0)
        return 0;
    if (n > DNS_NAME_SIZE - 1)
        n = DNS_NAME_SIZE - 1;
    memcpy(name, line, n);
    name[n] = 0;
    return 1;
}

int LookupDNSCache(char* text, DWORD* address) {
    *address = DNSCache_AddressOf(text);
    if (*address == INADDR_NONE)
        return DNS_CACHE_NOT_ADDRESS;
    DnsCacheState& c = DnsCache_State();
    if (!DNSCache_IsOn() || c.entries == 0)
        return DNS_CACHE_NOT_FOUND;
    for (DWORD i = 0; i < c.entries && c.addresses[i]; ++i) {
        if (c.addresses[i] != *address)
            continue;
        char name[DNS_NAME_SIZE];
        int read = ReadCachedName(c.offsets[i], *address, name);
        if (read < 0)
            RemoveSlot(i);
        if (read <= 0)
            return DNS_CACHE_NOT_FOUND;
        strcpy(text, name);
        return DNS_CACHE_FOUND;
    }
    return DNS_CACHE_NOT_FOUND;
}

void AddToDNSCache(DWORD address, const char* text) {
    DnsCacheState& c = DnsCache_State();
    if (address == 0 || !text || !DNSCache_IsOn())
        return;
    char line[DNS_NAME_SIZE + 40];
    const BYTE* b = (const BYTE*)&address;
    int length = _snprintf(line, sizeof(line), "%.99s %d.%d.%d.%d %lX\r\n", text, b[0], b[1], b[2],
                           b[3], (unsigned long)time(NULL));
    LARGE_INTEGER zero = {}, end = {};
    DWORD written = 0;
    if (!SetFilePointerEx(c.text, zero, &end, FILE_END) ||
        !WriteFile(c.text, line, (DWORD)length, &written, NULL) || written != (DWORD)length) {
        DnsCache_Drop(); // reopened by the next run that needs it
        return;
    }
    if (c.entries == 0)
        return;
    memmove(c.addresses + 1, c.addresses, (c.entries - 1) * 4);
    memmove(c.offsets + 1, c.offsets, (c.entries - 1) * 4);
    c.addresses[0] = address;
    c.offsets[0] = end.LowPart;
}
