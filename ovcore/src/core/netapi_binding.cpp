#include "core/netapi_binding.h"
#include "ovkit/dll_binding.h"

namespace netapi {

static HMODULE g_library;

// Resolves one function on its first call and keeps it. The system library
// stays loaded for the life of the process, so kept addresses stay valid.
static FARPROC Bind(FARPROC* kept, const char* name) {
    if (*kept)
        return *kept;
    if (!g_library)
        g_library = LoadLibraryA("NetApi32.dll");
    *kept = OvkitProcAddress<FARPROC>(g_library, name);
    return *kept;
}

template <typename Fn> static Fn Resolve(const char* name) {
    static FARPROC kept; // one per function type; each of the four differs
    return reinterpret_cast<Fn>(Bind(&kept, name));
}

NET_API_STATUS NetUserEnum(LPCWSTR server, DWORD level, DWORD filter, LPBYTE* buffer,
                           DWORD maxLength, LPDWORD read, LPDWORD total, LPDWORD resume) {
    auto fn = Resolve<decltype(&::NetUserEnum)>("NetUserEnum");
    return fn ? fn(server, level, filter, buffer, maxLength, read, total, resume)
              : ERROR_PROC_NOT_FOUND;
}

NET_API_STATUS NetApiBufferFree(LPVOID buffer) {
    auto fn = Resolve<decltype(&::NetApiBufferFree)>("NetApiBufferFree");
    return fn ? fn(buffer) : ERROR_PROC_NOT_FOUND;
}

NET_API_STATUS NetUserGetLocalGroups(LPCWSTR server, LPCWSTR user, DWORD level, DWORD flags,
                                     LPBYTE* buffer, DWORD maxLength, LPDWORD read, LPDWORD total) {
    auto fn = Resolve<decltype(&::NetUserGetLocalGroups)>("NetUserGetLocalGroups");
    return fn ? fn(server, user, level, flags, buffer, maxLength, read, total)
              : ERROR_PROC_NOT_FOUND;
}

NET_API_STATUS NetLocalGroupEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD maxLength,
                                 LPDWORD read, LPDWORD total, PDWORD_PTR resume) {
    auto fn = Resolve<decltype(&::NetLocalGroupEnum)>("NetLocalGroupEnum");
    return fn ? fn(server, level, buffer, maxLength, read, total, resume) : ERROR_PROC_NOT_FOUND;
}

} // namespace netapi
