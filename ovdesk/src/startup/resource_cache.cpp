// A bounded cache of loaded resources: looked up once per module, id and
// type, then served from memory.
#include "startup/resource_cache.h"
#include "startup/startup_parts.h"
#include "desk_services.h"
#include <cstring>

namespace {
struct ResourceCacheEntry {
    HMODULE Module;
    UINT Id;
    LPCSTR Type; // a predefined type number or a name pointer, compared as a value
    HRSRC Resource;
    HGLOBAL Loaded;
    const void* Locked;
    DWORD Size;
};

ResourceCacheEntry g_entries[RESOURCE_CACHE_SIZE];
int g_used = 0;

char* CopyBytes(const void* bytes, DWORD size) {
    char* copy = (char*)HeapAlloc(GetProcessHeap(), 0, size + 1);
    if (copy) {
        memcpy(copy, bytes, size);
        copy[size] = '\0';
    }
    return copy;
}

int Hand(const ResourceCacheEntry& e, HGLOBAL* loaded, const void** locked, char** copy,
         DWORD* size) {
    if (copy) {
        // A fresh copy of the locked bytes on every request: the caller owns it.
        *copy = CopyBytes(e.Locked, e.Size);
        if (!*copy)
            return 0;
    }
    if (loaded)
        *loaded = e.Loaded;
    if (locked)
        *locked = e.Locked;
    if (size)
        *size = e.Size;
    return 1;
}
} // namespace

int FindCachedResource(HMODULE module, UINT id, LPCSTR type, HGLOBAL* loaded, const void** locked,
                       char** copy, DWORD* size) {
    if (copy)
        *copy = nullptr;
    if (g_used >= RESOURCE_CACHE_SIZE)
        return 0;
    ResourceCacheEntry* free_entry = nullptr;
    for (ResourceCacheEntry& e : g_entries) {
        if (!e.Locked) {
            if (!free_entry)
                free_entry = &e;
            continue;
        }
        if (e.Module == module && e.Id == id && e.Type == type)
            return Hand(e, loaded, locked, copy, size);
    }
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!resource || !free_entry)
        return 0;
    DWORD bytes = SizeofResource(module, resource);
    HGLOBAL handle = LoadResource(module, resource);
    const void* pointer = handle ? LockResource(handle) : nullptr;
    if (!pointer)
        return 0;
    *free_entry = {module, id, type, resource, handle, pointer, bytes};
    ++g_used;
    return Hand(*free_entry, loaded, locked, copy, size);
}

int GetResourceCacheCount(void) {
    return g_used;
}

void FreeResourceCache(void) {
    memset(g_entries, 0, sizeof g_entries);
    g_used = 0;
}

void FreeResourceCopy(void* copy) {
    if (copy)
        HeapFree(GetProcessHeap(), 0, copy);
}

const DLGTEMPLATE* GetDialogTemplate(UINT id) {
    const void* locked = nullptr;
    if (!FindCachedResource(GetLanguageModule(), id, RT_DIALOG, nullptr, &locked, nullptr, nullptr))
        return nullptr;
    return (const DLGTEMPLATE*)locked;
}

void* LoadDialogResource(UINT id, DWORD* size) {
    char* copy = nullptr;
    FindCachedResource(GetLanguageModule(), id, RT_DIALOG, nullptr, nullptr, &copy, size);
    return copy;
}

char* GetTextResource(UINT id, DWORD* size) {
    char* copy = nullptr;
    FindCachedResource(GetLanguageModule(), id, "TEXT", nullptr, nullptr, &copy, size);
    return copy;
}
