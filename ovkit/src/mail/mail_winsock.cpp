#include "mail_winsock.h"

namespace {

MailWinsockApi g_api;
HMODULE g_module = nullptr;
bool g_started = false;

} // namespace

const MailWinsockApi* MailWinsockBind(const char* libraryName) {
    if (g_started)
        return &g_api;
    if (!g_module) {
        HMODULE module = LoadLibraryA(libraryName);
        if (!module)
            return nullptr;
        if (!OvkitBindWinsock(module, &g_api)) {
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
    g_api = MailWinsockApi();
    FreeLibrary(g_module);
    g_module = nullptr;
}
