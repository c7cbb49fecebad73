// The resolver and its cache.
#include "netsettings/host_resolver.h"
#include "core/net_binding.h"
#include <string.h>

namespace {

struct CacheEntry {
    BOOL inUse;
    DWORD lastUse; // GetTickCount
    DWORD address; // INADDR_NONE: the name did not resolve
    char name[HOST_CACHE_NAME_SIZE];
};

CacheEntry g_cache[HOST_CACHE_ENTRIES];

// The first free entry, else the one used longest ago.
CacheEntry* EntryToReuse(DWORD now) {
    CacheEntry* oldest = &g_cache[0];
    for (CacheEntry& e : g_cache) {
        if (!e.inUse)
            return &e;
        if (now - e.lastUse > now - oldest->lastUse)
            oldest = &e;
    }
    return oldest;
}

// WinSock's answer, or INADDR_NONE.
DWORD Lookup(const char* host) {
    const WinsockApi& ws = NetBinding_Winsock();
    if (!ws.gethostbyname)
        return INADDR_NONE;
    hostent* h = ws.gethostbyname(host);
    if (!h || h->h_addrtype != AF_INET || !h->h_addr_list || !h->h_addr_list[0])
        return INADDR_NONE;
    DWORD address;
    memcpy(&address, h->h_addr_list[0], sizeof(address));
    return address;
}

BOOL IsDotted(const char* host) {
    int dots = 0;
    for (const char* p = host; *p; p++) {
        if (*p == '.')
            dots++;
        else if (*p < '0' || *p > '9')
            return FALSE;
    }
    return dots == 3;
}

} // namespace

int GetHostByName(const char* host, DWORD* address) {
    const WinsockApi& ws = NetBinding_Winsock();
    if (!host || !host[0])
        return 0;
    if (IsDotted(host)) {
        if (ws.inet_addr)
            *address = ws.inet_addr(host);
        return 0;
    }
    DWORD now = GetTickCount();
    if (strlen(host) >= HOST_CACHE_NAME_SIZE) {
        DWORD found = Lookup(host);
        if (found != INADDR_NONE)
            *address = found;
        return 0;
    }
    for (CacheEntry& e : g_cache) {
        if (e.inUse && strcmp(e.name, host) == 0) {
            if (e.address != INADDR_NONE)
                *address = e.address;
            e.lastUse = now;
            return 0;
        }
    }
    CacheEntry* e = EntryToReuse(now);
    e->inUse = TRUE;
    e->lastUse = now;
    e->address = INADDR_NONE;
    strcpy(e->name, host);
    e->address = Lookup(host);
    if (e->address != INADDR_NONE)
        *address = e->address;
    e->lastUse = GetTickCount();
    return 0;
}

void HostCache_Clear(void) {
    memset(g_cache, 0, sizeof(g_cache));
}
