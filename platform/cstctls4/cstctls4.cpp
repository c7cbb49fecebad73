// Stand-in of the viewer's custom-control library: one window class.
#include "cstctls4.h"
#include "src/view_window.h"

namespace {
HINSTANCE g_library = nullptr;
LONG g_registrations = 0;

} // namespace

int WINAPI CstRegisterControls(HINSTANCE) {
    if (g_registrations > 0) {
        ++g_registrations;
        return 1;
    }
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    wc.lpfnWndProc = TextViewProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = g_library;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.hbrBackground = nullptr; // painted whole
    wc.lpszClassName = CSTCTLS4_VIEW_CLASS;
    if (!RegisterClassA(&wc))
        return 0;
    g_registrations = 1;
    return 1;
}

int WINAPI CstUnregisterControls(HINSTANCE) {
    if (g_registrations == 0)
        return 0;
    if (--g_registrations == 0)
        UnregisterClassA(CSTCTLS4_VIEW_CLASS, g_library);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_library = instance;
    return TRUE;
}
