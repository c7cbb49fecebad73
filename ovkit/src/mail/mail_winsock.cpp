#include "mail_winsock.h"

namespace {

MailWinsockApi g_api;
HMODULE g_module = nullptr;
bool g_started = false;

struct Entry {
    const char* name;
    FARPROC* slot;
};

#define OVKIT_MAIL_WINSOCK_ENTRY(fn) {#fn, reinterpret_cast<FARPROC*>(&g_api.fn)},
const Entry kEntries[] = {OVKIT_MAIL_WINSOCK_FUNCTIONS(OVKIT_MAIL_WINSOCK_ENTRY)};
#undef OVKIT_MAIL_WINSOCK_ENTRY

void ClearSlots() {
    for (const Entry& entry : kEntries)
        *entry.slot = nullptr;
}

bool Resolve(HMODULE module) {
    for (const Entry& entry : kEntries) {
        *entry.slot = GetProcAddress(module, entry.name);
        if (!*entry.slot) {
            OutputDebugStringA("ovkit: WinSock lacks ");
            OutputDebugStringA(entry.name);
            OutputDebugStringA("\n");
            ClearSlots();
            return false;
        }
    }
    return true;
}

} // namespace

const MailWinsockApi* MailWinsockBind(const char* libraryName) {
    if (g_started)
        return &g_api;
    if (!g_module) {
        HMODULE module = LoadLibraryA(libraryName);
        if (!module)
            return nullptr;
        if (!Resolve(module)) {
            FreeLibrary(module);
            return nullptr;
        }
        g_module = module;
    }
    WSADATA data;
    g_started = g_api.WSAStartup(MAKEWORD(1, 1), &data) == 0;
    return g_started ? &g_api : nullptr;
}

void MailWinsockUnbind() {
    if (!g_module)
        return;
    if (g_started)
        g_api.WSACleanup();
    g_started = false;
    ClearSlots();
    FreeLibrary(g_module);
    g_module = nullptr;
}
