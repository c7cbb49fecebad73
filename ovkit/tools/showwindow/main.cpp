// ovkit_show NAME [PICTURE.bmp]: opens one of ovkit's windows over a plain host
// window and runs until closed. Given a file name, it writes what the screen
// shows there once the windows have painted (the file appears whole, so a
// script can wait for it).
#include "screen_capture.h"
#include "shown_windows.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const UINT_PTR kRedrawTimer = 1;
const UINT_PTR kReadyTimer = 2;
const char* g_picture = nullptr;

BOOL CALLBACK RedrawOne(HWND window, LPARAM) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kRedrawTimer) {
            KillTimer(window, kRedrawTimer);
            EnumThreadWindows(GetCurrentThreadId(), RedrawOne, 0);
            SetTimer(window, kReadyTimer, 500, nullptr);
        }
        if (wParam == kReadyTimer) {
            KillTimer(window, kReadyTimer);
            std::string partial = std::string(g_picture) + ".part";
            if (!WriteScreenBmp(partial.c_str()) ||
                !MoveFileExA(partial.c_str(), g_picture, MOVEFILE_REPLACE_EXISTING))
                fprintf(stderr, "ovkit_show: could not write %s\n", g_picture);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeHost(const char* title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    wc.lpszClassName = "OvkitShowHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                           560, 400, nullptr, nullptr, wc.hInstance, nullptr);
}

int Usage() {
    std::string text = "usage: ovkit_show NAME [PICTURE.bmp]\nnames:\n";
    for (const ShownWindow* w = kShownWindows; w->name; ++w)
        text += std::string("  ") + w->name + "  " + w->what + "\n";
    fputs(text.c_str(), stderr);
    return 2;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2)
        return Usage();
    const ShownWindow* shown = kShownWindows;
    while (shown->name && strcmp(shown->name, __argv[1]) != 0)
        ++shown;
    if (!shown->name)
        return Usage();
    HWND host = MakeHost(shown->what);
    if (!host || !shown->open(host)) {
        fprintf(stderr, "ovkit_show: could not open %s\n", shown->what);
        return 1;
    }
    if (__argc > 2) {
        g_picture = __argv[2];
        SetTimer(host, kRedrawTimer, 1000, nullptr);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
