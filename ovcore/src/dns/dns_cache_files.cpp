// Opening, closing and flushing the DNS cache files.
#include "dns_cache.h"

#include <stdlib.h>
#include <string.h>

#include "dns_cache_state.h"
#include "core/engine_state.h"
#include "ovcore/dns.h"
#include "ovcore/settings.h"

#define DNS_CACHE_DEFAULT_ENTRIES 50000

static DnsCacheState g_cache = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE, NULL, NULL, 0};

DnsCacheState& DnsCache_State(void) {
    return g_cache;
}

BOOL DNSCache_IsOn(void) {
    return g_cache.text != INVALID_HANDLE_VALUE && g_cache.index != INVALID_HANDLE_VALUE &&
           g_cache.addresses && g_cache.offsets;
}

DWORD DNSCache_Entries(void) {
    return g_cache.entries;
}

static void CloseHandleOf(HANDLE* h) {
    if (*h != INVALID_HANDLE_VALUE)
        CloseHandle(*h);
    *h = INVALID_HANDLE_VALUE;
}

void DnsCache_Drop(void) {
    CloseHandleOf(&g_cache.text);
    CloseHandleOf(&g_cache.index);
    free(g_cache.addresses);
    free(g_cache.offsets);
    g_cache.addresses = g_cache.offsets = NULL;
}

// An existing file, or else a new one; read and write, shared for reading.
static HANDLE OpenOrCreate(const char* path) {
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    return h;
}

static BOOL CachePath(char* out, const char* folder, const char* ext) {
    if (strlen(folder) + strlen("NSLOOKUP") + strlen(ext) >= MAX_PATH)
        return FALSE;
    wsprintfA(out, "%sNSLOOKUP%s", folder, ext);
    return TRUE;
}

static BOOL ReadWords(HANDLE h, DWORD offset, DWORD* words, DWORD count) {
    DWORD got = 0;
    if (SetFilePointer(h, (LONG)offset, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    return ReadFile(h, words, count * 4, &got, NULL) && got == count * 4;
}

// Reads min(N, size / 8) entries from each half of the index, so an index
// written with another entry count is taken over as far as it goes. A half
// that cannot be read leaves both arrays empty.
static void ReadIndex(DWORD size) {
    DWORD count = size / 8 < g_cache.entries ? size / 8 : g_cache.entries;
    if (!ReadWords(g_cache.index, 0, g_cache.addresses, count) ||
        !ReadWords(g_cache.index, size / 2, g_cache.offsets, count)) {
        memset(g_cache.addresses, 0, g_cache.entries * 4);
        memset(g_cache.offsets, 0, g_cache.entries * 4);
    }
}

int LoadDNSCache(const char* folder) {
    char path[MAX_PATH];
    DnsCache_Drop();
    // No folder yet (no registration): never files in the current folder.
    if (!folder || !folder[0] || !CachePath(path, folder, ".DTX"))
        return 0;
    g_cache.text = OpenOrCreate(path);
    if (g_cache.text == INVALID_HANDLE_VALUE)
        return 0;
    CachePath(path, folder, ".DIN");
    g_cache.index = OpenOrCreate(path);
    if (g_cache.index == INVALID_HANDLE_VALUE) {
        DnsCache_Drop();
        return 0;
    }
    DWORD size = GetFileSize(g_cache.index, NULL);
    if (size == INVALID_FILE_SIZE)
        size = 0;
    DWORD fallback = size / 8 > DNS_CACHE_DEFAULT_ENTRIES ? size / 8 : DNS_CACHE_DEFAULT_ENTRIES;
    int entries = GetModuleProfileInt("Defaults", "DNSCacheEntries", (int)fallback);
    g_cache.entries = entries > 0 ? (DWORD)entries : 0;
    g_cache.addresses = (DWORD*)calloc(g_cache.entries + 1, 4);
    g_cache.offsets = (DWORD*)calloc(g_cache.entries + 1, 4);
    if (!g_cache.addresses || !g_cache.offsets) {
        DnsCache_Drop();
        return 0;
    }
    if (size > 0)
        ReadIndex(size);
    return 1;
}

// Both arrays, then the file cut at their end: an index that held more
// entries must not leave a stale tail that the next opening would read as
// the offset half.
static void WriteIndex(void) {
    DWORD bytes = g_cache.entries * 4, written = 0;
    if (SetFilePointer(g_cache.index, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return;
    if (!WriteFile(g_cache.index, g_cache.addresses, bytes, &written, NULL) || written != bytes)
        return;
    if (WriteFile(g_cache.index, g_cache.offsets, bytes, &written, NULL) && written == bytes)
        SetEndOfFile(g_cache.index);
}

void CloseDNSCache(void) {
    if (g_cache.index != INVALID_HANDLE_VALUE && g_cache.addresses && g_cache.offsets)
        WriteIndex();
    DnsCache_Drop();
}

int DNSCache_EnsureOpen(void) {
    if (DNSCache_IsOn())
        return 1;
    return LoadDNSCache(Engine_State().dnsCacheFolder);
}

static void DeleteCacheFile(const char* folder, const char* ext) {
    char path[MAX_PATH];
    if (folder[0] && CachePath(path, folder, ext))
        DeleteFileA(path);
}

ORB_EXPORT(int) ORB_FlushDNSCache(DWORD /*ignored*/) {
    DnsCache_Drop();
    const char* folder = Engine_State().dnsCacheFolder;
    DeleteCacheFile(Engine_State().dataFolder, ".DTX");
    DeleteCacheFile(Engine_State().dataFolder, ".DIN");
    LoadDNSCache(folder);
    return 1;
}
