// Process-wide cache of resources found by module, id and type. Resources
// found stay loaded for the life of the process; copies handed to callers are
// theirs to free. Not locked: look-ups come from the user-interface thread.
#include "ovkit/resources.h"
#include "ovkit/memory.h"
#include <cstdio>
#include <cstring>

namespace {

const int kCacheSize = 1000;
// The custom type of language texts; entries compare types by pointer value.
const char kTextType[] = "TEXT";

struct CacheEntry {
    HMODULE module; // null: free entry
    UINT id;
    LPCSTR type;
    HRSRC resource;
    HGLOBAL loaded;
    const void* data;
    DWORD size;
};

CacheEntry g_cache[kCacheSize];
int g_used = 0;
LANGID g_language = 0;

struct Found {
    HGLOBAL loaded = nullptr;
    const void* data = nullptr;
    DWORD size = 0;
    char* copy = nullptr; // only when asked for
};

// A heap copy of the data with a NUL after it; the caller frees it with
// OVKIT_MyFree (a failed allocation has told the user).
char* CopyWithNul(const void* data, DWORD size) {
    char* copy = static_cast<char*>(OVKIT_MyAlloc(static_cast<SIZE_T>(size) + 1));
    if (!copy)
        return nullptr;
    std::memcpy(copy, data, size);
    copy[size] = '\0';
    return copy;
}

void TypeText(LPCSTR type, char* out, size_t size) {
    if (IS_INTRESOURCE(type))
        std::snprintf(out, size, "#%u", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(type)));
    else
        std::snprintf(out, size, "%s", type);
}

// A resource missing from the registered language is the normal case of a
// language module that lacks it: note it for the developer, nothing more.
void ReportMissingInLanguage(UINT id, LPCSTR type, DWORD error) {
    char reason[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), reason, sizeof reason, nullptr);
    char typeText[64];
    TypeText(type, typeText, sizeof typeText);
    char text[512];
    std::snprintf(text, sizeof text,
                  "ovkit: resource %u of type %s not found for language 0x%04X: %s\n", id & 0xFFFF,
                  typeText, g_language, reason);
    OutputDebugStringA(text);
}

HRSRC FindInModule(HMODULE module, UINT id, LPCSTR type) {
    LPCSTR name = MAKEINTRESOURCEA(id & 0xFFFF);
    if (!g_language)
        return FindResourceA(module, name, type);
    HRSRC found = FindResourceExA(module, type, name, g_language);
    DWORD error = found ? 0 : GetLastError();
    if (error)
        ReportMissingInLanguage(id, type, error);
    return found;
}

bool Give(const CacheEntry& entry, bool wantCopy, Found* out) {
    out->loaded = entry.loaded;
    out->data = entry.data;
    out->size = entry.size;
    out->copy = nullptr;
    if (!wantCopy)
        return true;
    out->copy = CopyWithNul(entry.data, entry.size);
    return out->copy != nullptr;
}

// Finds the cached entry or the first free one; null for neither.
CacheEntry* Scan(HMODULE module, UINT id, LPCSTR type, bool* hit) {
    CacheEntry* freeEntry = nullptr;
    *hit = false;
    for (CacheEntry& entry : g_cache) {
        if (!entry.module) {
            if (!freeEntry)
                freeEntry = &entry;
        } else if (entry.module == module && entry.id == id && entry.type == type) {
            *hit = true;
            return &entry;
        }
    }
    return freeEntry;
}

// Returns false, and leaves the cache as it was, when the resource cannot be
// given (a full cache fails every look-up, also of resources it holds).
bool CachedLookup(HMODULE module, UINT id, LPCSTR type, bool wantCopy, Found* out) {
    CacheEntry* entry = nullptr;
    bool hit = false;
    if (g_used == 0) {
        std::memset(g_cache, 0, sizeof g_cache);
        entry = &g_cache[0];
    } else if (g_used >= kCacheSize) {
        return false;
    } else {
        entry = Scan(module, id, type, &hit);
        if (!entry)
            return false;
        if (hit)
            return Give(*entry, wantCopy, out);
    }
    CacheEntry made = {module, id, type, FindInModule(module, id, type), nullptr, nullptr, 0};
    if (!made.resource)
        return false;
    made.loaded = LoadResource(module, made.resource);
    made.data = made.loaded ? LockResource(made.loaded) : nullptr;
    if (!made.data)
        return false;
    made.size = SizeofResource(module, made.resource);
    if (!Give(made, wantCopy, out))
        return false;
    *entry = made;
    ++g_used;
    return true;
}

void* CopyOut(UINT id, LPCSTR type, int* size, HINSTANCE module) {
    Found found;
    bool ok = CachedLookup(module, id, type, true, &found);
    if (size)
        *size = ok ? static_cast<int>(found.size) : 0;
    return ok ? found.copy : nullptr;
}

HGLOBAL LoadedHandle(UINT id, LPCSTR type, HINSTANCE module) {
    Found found;
    return CachedLookup(module, id, type, false, &found) ? found.loaded : nullptr;
}

} // namespace

int OVKIT_CALL OVKIT_Register(LANGID language) {
    g_language = language;
    return 1;
}

int OVKIT_CALL OVKIT_Unregister() {
    return 1;
}

HGLOBAL OVKIT_CALL OVKIT_LANGMENU_MAKEINTRESOURCE(UINT id, HINSTANCE module) {
    return LoadedHandle(id, RT_MENU, module);
}

HGLOBAL OVKIT_CALL OVKIT_PRODMENU_MAKEINTRESOURCE(UINT id, HINSTANCE module) {
    return LoadedHandle(id, RT_MENU, module);
}

HGLOBAL OVKIT_CALL OVKIT_LANGDLGBOX_MAKEINTRESOURCE(UINT id, HINSTANCE module) {
    return LoadedHandle(id, RT_DIALOG, module);
}

void* OVKIT_CALL OVKIT_LANGDLGBOX_MAKEINTRESOURCE_WRITABLE(UINT id, int* size, HINSTANCE module) {
    return CopyOut(id, RT_DIALOG, size, module);
}

char* OVKIT_CALL OVKIT_LANGSTRING_MAKEINTRESOURCE(UINT id, int* size, HINSTANCE module) {
    return static_cast<char*>(CopyOut(id, kTextType, size, module));
}

void OVKIT_FreeResourceCache() {
    std::memset(g_cache, 0, sizeof g_cache);
    g_used = 0;
}
