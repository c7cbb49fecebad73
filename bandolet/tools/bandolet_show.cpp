// bandolet_show NAME [PICTURE.bmp]: opens the toolbar, its tooltip, the tip of
// the day or the splash over a host window, with the mouse where the picture
// needs it, and runs until closed. Given a file name, it writes what the
// screen shows there once the windows have painted.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

#include "bandolet/bandolet.h"
#include "bar.h"
#include "screen_capture.h"

namespace {

constexpr UINT_PTR kMouseTimer = 1, kShotTimer = 2, kModalTimer = 3;
const char* g_picture = nullptr;
const char* g_name = "";
HWND g_host = nullptr;

struct Shown {
    const char* name;
    const char* what;
    int width; // of the host's client area
};
constexpr Shown kShown[] = {
    {"toolbar", "the toolbar", 760},
    {"toolbar-hot", "a button under the mouse", 760},
    {"toolbar-pressed", "a button pressed", 760},
    {"toolbar-scrolled", "a narrow toolbar, scrolled", 330},
    {"tooltip", "a button's tooltip", 760},
    {"tip", "the tip of the day", 760},
    {"splash", "the splash with the credits", 760},
    {nullptr, nullptr, 0},
};

bool Is(const char* name) {
    return strcmp(g_name, name) == 0;
}

// Puts the mouse over the centre of a button of the bar.
void MouseOver(UINT command) {
    auto* bar = reinterpret_cast<BandoletBar*>(GetWindowLongPtrA(g_host, GWLP_USERDATA));
    for (int i = 0; bar && i < bar->count; ++i)
        if (bar->buttons[i].command == command) {
            const RECT& r = bar->buttons[i].rect;
            POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(bar->window, &at);
            SetCursorPos(at.x, at.y);
            return;
        }
}

void Shoot() {
    if (!g_picture)
        return;
    std::string partial = std::string(g_picture) + ".part";
    if (!WriteScreenBmp(partial.c_str()) ||
        !MoveFileExA(partial.c_str(), g_picture, MOVEFILE_REPLACE_EXISTING))
        fprintf(stderr, "bandolet_show: could not write %s\n", g_picture);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_SIZE:
        Bandolet_Resize(window);
        return 0;
    case WM_TIMER:
        if (wp == kMouseTimer) {
            KillTimer(window, kMouseTimer);
            if (Is("toolbar-hot") || Is("tooltip"))
                MouseOver(Is("tooltip") ? 5040 : 5030);
            if (Is("toolbar-pressed")) {
                MouseOver(5040);
                mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            }
            SetTimer(window, kShotTimer, 1200, nullptr);
        } else if (wp == kShotTimer) {
            KillTimer(window, kShotTimer);
            Shoot();
            if (Is("toolbar-pressed"))
                mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        } else if (wp == kModalTimer) {
            KillTimer(window, kModalTimer);
            if (Is("tip"))
                Bandolet_TipOfTheDay(window);
            else
                Bandolet_ShowSplash(window, 0, nullptr, nullptr);
        }
        return 0;
    case WM_COMMAND:
        Bandolet_Command(window, LOWORD(wp));
        return 0;
    case WM_DESTROY:
        Bandolet_DestroyBandolet(window);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wp, lp);
}

HWND MakeHost(const Shown& shown) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    wc.lpszClassName = "BandoletShowHost";
    RegisterClassA(&wc);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&File");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&View");
    RECT frame = {0, 0, shown.width, 360};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    return CreateWindowExA(0, wc.lpszClassName, shown.what, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                           10, frame.right - frame.left, frame.bottom - frame.top, nullptr, menu,
                           wc.hInstance, nullptr);
}

int Usage() {
    std::string text = "usage: bandolet_show NAME [PICTURE.bmp]\nnames:\n";
    for (const Shown* s = kShown; s->name; ++s)
        text += std::string("  ") + s->name + "  " + s->what + "\n";
    fputs(text.c_str(), stderr);
    return 2;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2)
        return Usage();
    const Shown* shown = kShown;
    while (shown->name && strcmp(shown->name, __argv[1]) != 0)
        ++shown;
    if (!shown->name)
        return Usage();
    g_name = shown->name;
    g_picture = __argc > 2 ? __argv[2] : nullptr;
    g_host = MakeHost(*shown);
    if (!g_host || !Bandolet_CreateDefaultBandolet(g_host, 0x54E | BANDOLET_SEPARATORS)) {
        fprintf(stderr, "bandolet_show: could not open %s\n", shown->what);
        return 1;
    }
    if (Is("toolbar-scrolled")) {
        Bandolet_Command(g_host, BANDOLET_CMD_SCROLL_RIGHT);
        Bandolet_Command(g_host, BANDOLET_CMD_SCROLL_RIGHT);
    }
    SetForegroundWindow(g_host);
    SetTimer(g_host, kMouseTimer, 600, nullptr);
    if (Is("tip") || Is("splash"))
        SetTimer(g_host, kModalTimer, 100, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
