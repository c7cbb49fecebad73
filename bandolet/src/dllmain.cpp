#include "bar_internal.h"
#include "button_defs.h"
#include "options.h"

using namespace bandolet;

namespace {

bool Register(HINSTANCE module, const char* name, WNDPROC proc, const char* failure) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    if (RegisterClassA(&wc))
        return true;
    MessageBoxA(nullptr, failure, kCaption, MB_OK | MB_ICONERROR);
    return false;
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        SetLibraryModule(module);
        InitBuiltInButtons(module);
        if (!Register(module, kFrameClass, BandoletFrameWndProc,
                      "Unable to register toolbar frame window class."))
            return FALSE;
        if (!Register(module, kTipClass, BandoletTipWndProc,
                      "Unable to register tooltip window class.")) {
            UnregisterClassA(kFrameClass, module);
            return FALSE;
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        UnregisterClassA(kFrameClass, module);
        UnregisterClassA(kTipClass, module);
        ForgetMenuHosts();
        // At process exit ovkit may be gone already; the system frees it all.
        if (!reserved)
            FreeButtonDefs();
    }
    return TRUE;
}
