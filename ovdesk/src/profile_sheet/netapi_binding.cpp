#include "profile_sheet/netapi_binding.h"
#include "ovkit/dll_binding.h"

namespace {
// Loaded on first use; the destructor frees it when the plug-in unloads.
class NetApiLibrary {
  public:
    ~NetApiLibrary() {
        if (module_)
            FreeLibrary(module_);
    }
    FARPROC Entry(const char* name) {
        if (!module_)
            module_ = LoadLibraryA("NetApi32.dll");
        return OvkitProcAddress<FARPROC>(module_, name);
    }

  private:
    HMODULE module_ = nullptr;
};
NetApiLibrary g_netapi;

// Resolves name once and keeps it.
template <typename Function> Function Bound(Function* slot, const char* name) {
    if (!*slot)
        *slot = reinterpret_cast<Function>(g_netapi.Entry(name));
    return *slot;
}

decltype(&NetUserEnum) g_userEnum;
decltype(&NetLocalGroupEnum) g_groupEnum;
decltype(&NetApiBufferFree) g_bufferFree;
} // namespace

NET_API_STATUS DeskNetUserEnum(LPCWSTR server, DWORD level, DWORD filter, LPBYTE* buffer,
                               DWORD maxLength, LPDWORD read, LPDWORD total, LPDWORD resume) {
    auto function = Bound(&g_userEnum, "NetUserEnum");
    return function ? function(server, level, filter, buffer, maxLength, read, total, resume)
                    : ERROR_PROC_NOT_FOUND;
}

NET_API_STATUS DeskNetLocalGroupEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD maxLength,
                                     LPDWORD read, LPDWORD total, PDWORD_PTR resume) {
    auto function = Bound(&g_groupEnum, "NetLocalGroupEnum");
    return function ? function(server, level, buffer, maxLength, read, total, resume)
                    : ERROR_PROC_NOT_FOUND;
}

NET_API_STATUS DeskNetApiBufferFree(LPVOID buffer) {
    auto function = Bound(&g_bufferFree, "NetApiBufferFree");
    return function ? function(buffer) : ERROR_PROC_NOT_FOUND;
}
