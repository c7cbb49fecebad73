// The toolbar library's windows for ovkit_show's runner (bandolet_show): the
// bar over the host window, with the mouse where the picture needs it, and
// the tip of the day and the splash opened over it.
#include <cstring>

#include "bandolet/bandolet.h"
#include "bar.h"
#include "shown_windows.h"

namespace {

// Timer ids beside the runner's own (1 and 2).
constexpr UINT_PTR kMouseTimer = 11, kModalTimer = 12;

enum Mode { kPlain, kHot, kPressed, kScrolled, kTooltip, kTip, kSplash };
Mode g_mode = kPlain;
WNDPROC g_hostProc = nullptr;

// Puts the mouse over the centre of a button of the host's bar.
void MouseOver(HWND host, UINT command) {
    auto* bar = reinterpret_cast<BandoletBar*>(GetWindowLongPtrA(host, GWLP_USERDATA));
    for (int i = 0; bar && i < bar->count; ++i)
        if (bar->buttons[i].command == command) {
            const RECT& r = bar->buttons[i].rect;
            POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(bar->window, &at);
            SetCursorPos(at.x, at.y);
            return;
        }
}

void OnTimer(HWND host, UINT_PTR id) {
    KillTimer(host, id);
    if (id == kModalTimer) {
        if (g_mode == kTip)
            Bandolet_TipOfTheDay(host);
        else
            Bandolet_ShowSplash(host, 0, nullptr, nullptr);
        return;
    }
    MouseOver(host, g_mode == kHot ? 5030 : 5040);
    if (g_mode == kPressed)
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
}

LRESULT CALLBACK HostProc(HWND host, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_SIZE)
        Bandolet_Resize(host);
    if (message == WM_COMMAND && Bandolet_Command(host, LOWORD(wp)))
        return 0;
    if (message == WM_TIMER && (wp == kMouseTimer || wp == kModalTimer)) {
        OnTimer(host, wp);
        return 0;
    }
    if (message == WM_DESTROY)
        Bandolet_DestroyBandolet(host);
    return CallWindowProcA(g_hostProc, host, message, wp, lp);
}

bool Open(HWND host, Mode mode, int width) {
    g_mode = mode;
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&File");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&View");
    SetMenu(host, menu);
    RECT frame = {0, 0, width, 360};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    SetWindowPos(host, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    g_hostProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc)));
    if (!Bandolet_CreateDefaultBandolet(host, 0x54E | BANDOLET_SEPARATORS))
        return false;
    for (int i = 0; mode == kScrolled && i < 2; ++i)
        Bandolet_Command(host, BANDOLET_CMD_SCROLL_RIGHT);
    SetForegroundWindow(host);
    if (mode == kHot || mode == kPressed || mode == kTooltip)
        SetTimer(host, kMouseTimer, 600, nullptr);
    if (mode == kTip || mode == kSplash)
        SetTimer(host, kModalTimer, 100, nullptr);
    return true;
}

} // namespace

const ShownWindow kShownWindows[] = {
    {"toolbar", "the toolbar", [](HWND h) { return Open(h, kPlain, 760); }},
    {"toolbar-hot", "a button under the mouse", [](HWND h) { return Open(h, kHot, 760); }},
    {"toolbar-pressed", "a button pressed", [](HWND h) { return Open(h, kPressed, 760); }},
    {"toolbar-scrolled", "a narrow toolbar, scrolled",
     [](HWND h) { return Open(h, kScrolled, 330); }},
    {"tooltip", "a button's tooltip", [](HWND h) { return Open(h, kTooltip, 760); }},
    {"tip", "the tip of the day", [](HWND h) { return Open(h, kTip, 760); }},
    {"splash", "the splash with the credits", [](HWND h) { return Open(h, kSplash, 760); }},
    {nullptr, nullptr, nullptr},
};
