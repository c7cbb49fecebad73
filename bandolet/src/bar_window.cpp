// The bar window: painting, the mouse, its timers and its commands.
#include "bar_internal.h"
#include "ovkit/timers.h"

namespace bandolet {

namespace {

constexpr UINT kTipDelayMs = 250, kRepeatMs = 100, kTrackMs = 125;

BandoletBar* BarOfWindow(HWND window) {
    return reinterpret_cast<BandoletBar*>(GetWindowLongPtrA(window, 0));
}

// The button under point (client coordinates), -1 for none. The host must
// have no window open over the parent; moves also need an active window.
int HitTest(BandoletBar* bar, POINT pt, bool move) {
    HWND root = GetAncestor(bar->parent, GA_ROOT);
    if (GetLastActivePopup(root) != root)
        return -1;
    if (move && !GetActiveWindow() && !GetForegroundWindow())
        return -1;
    for (int i = 0; i < bar->count; ++i) {
        const BandoletButton& b = bar->buttons[i];
        if (!b.hidden && PtInRect(&b.rect, pt))
            return i;
    }
    return -1;
}

void Reset(BandoletBar* bar) {
    if (bar->pressed >= 0)
        bar->buttons[bar->pressed].pressed = false;
    bar->hot = bar->pressed = -1;
    RemoveTooltip(bar);
    OVKIT_KillTimerEx(bar->window, kTipTimer);
    OVKIT_KillTimerEx(bar->window, kRepeatTimer);
    if (bar->tracking)
        OVKIT_KillTimerEx(bar->window, kTrackTimer);
    bar->tracking = false;
    InvalidateRect(bar->window, nullptr, FALSE);
}

// A click's command: the library's own go to the bar itself, the rest to
// the parent.
void PostCommand(BandoletBar* bar, UINT command) {
    bool own = command == BANDOLET_CMD_SCROLL_LEFT || command == BANDOLET_CMD_SCROLL_RIGHT ||
               command == BANDOLET_CMD_OPTIONS_MENU || command == BANDOLET_CMD_SPLASH;
    PostMessageA(own ? bar->window : bar->parent, WM_COMMAND, command, 0);
}

void OnLeftUp(BandoletBar* bar, POINT pt) {
    int index = bar->pressed;
    OVKIT_KillTimerEx(bar->window, kRepeatTimer);
    if (index < 0)
        return;
    bar->buttons[index].pressed = false;
    bar->pressed = -1;
    if (HitTest(bar, pt, false) == index) {
        bar->hot = -1;
        PostCommand(bar, bar->buttons[index].command);
    }
    InvalidateRect(bar->window, nullptr, FALSE);
}

void OnMouseMove(BandoletBar* bar, POINT pt, bool leftDown) {
    RECT rc = {};
    GetClientRect(bar->window, &rc);
    int hit = PtInRect(&rc, pt) ? HitTest(bar, pt, true) : -1;
    if (hit < 0 && bar->pressed < 0) {
        if (bar->hot >= 0 || bar->tracking)
            Reset(bar);
        return;
    }
    if (!bar->tracking)
        bar->tracking = OVKIT_SetTimerEx(bar->window, kTrackTimer, kTrackMs, nullptr) != 0;
    if (hit != bar->hot) {
        RemoveTooltip(bar);
        OVKIT_KillTimerEx(bar->window, kTipTimer);
        bar->hot = hit;
        if (hit >= 0 && (bar->options & BANDOLET_TOOLTIPS) && bar->buttons[hit].tooltip[0])
            OVKIT_SetTimerEx(bar->window, kTipTimer, kTipDelayMs, nullptr);
        InvalidateRect(bar->window, nullptr, FALSE);
    }
    if (bar->pressed >= 0) {
        if (!leftDown) {
            OnLeftUp(bar, pt);
            return;
        }
        bool over = hit == bar->pressed;
        if (bar->buttons[bar->pressed].pressed != over) {
            bar->buttons[bar->pressed].pressed = over;
            InvalidateRect(bar->window, nullptr, FALSE);
        }
    }
}

void OnLeftDown(BandoletBar* bar, POINT pt) {
    int hit = HitTest(bar, pt, false);
    if (hit < 0 || !bar->buttons[hit].enabled || bar->buttons[hit].separator)
        return;
    RemoveTooltip(bar);
    bar->pressed = bar->hot = hit;
    bar->buttons[hit].pressed = true;
    if (bar->buttons[hit].autoRepeat)
        OVKIT_SetTimerEx(bar->window, kRepeatTimer, kRepeatMs, nullptr);
    InvalidateRect(bar->window, nullptr, FALSE);
}

void OnTrackTimer(BandoletBar* bar) {
    POINT pt = {};
    GetCursorPos(&pt);
    ScreenToClient(bar->window, &pt);
    bool down =
        (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
    UINT message = bar->pressed >= 0 && !down ? WM_LBUTTONUP : WM_MOUSEMOVE;
    PostMessageA(bar->window, message, down ? MK_LBUTTON : 0, MAKELPARAM(pt.x, pt.y));
}

void OnTimer(BandoletBar* bar, UINT_PTR id) {
    if (id == kTipTimer) {
        OVKIT_KillTimerEx(bar->window, kTipTimer);
        if (bar->hot >= 0 && bar->pressed < 0 && !bar->buttons[bar->hot].separator)
            ShowTooltip(bar, bar->hot);
    } else if (id == kRepeatTimer) {
        int i = bar->pressed;
        if (i >= 0 && bar->buttons[i].pressed)
            PostCommand(bar, bar->buttons[i].command);
    } else if (id == kTrackTimer) {
        OnTrackTimer(bar);
    }
}

LRESULT SetEnabled(BandoletBar* bar, BOOL enable, UINT command) {
    return Bandolet_EnableButton(bar->parent, command, enable);
}

void OnRightUp(BandoletBar* bar, POINT pt) {
    ClientToScreen(bar->window, &pt);
    ShowOptionsMenu(bar, pt);
}

} // namespace

LRESULT CALLBACK BandoletFrameWndProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<BandoletBar*>(cs->lpCreateParams)->window = window;
        return 0;
    }
    BandoletBar* bar = BarOfWindow(window);
    if (!bar)
        return DefWindowProcA(window, message, wp, lp);
    POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (message) {
    case WM_DESTROY:
        Reset(bar);
        SetWindowLongPtrA(window, 0, 0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintBar(bar, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(bar, pt, (wp & MK_LBUTTON) != 0);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftDown(bar, pt);
        return 0;
    case WM_LBUTTONUP:
        OnLeftUp(bar, pt);
        return 0;
    case WM_RBUTTONUP:
        OnRightUp(bar, pt);
        return 0;
    case WM_TIMER:
        OnTimer(bar, wp);
        return 0;
    case WM_KILLFOCUS:
        Reset(bar);
        return 0;
    case WM_INITMENU:
        return Bandolet_Initmenu(bar->parent, reinterpret_cast<HMENU>(wp));
    case WM_COMMAND:
        if (!Bandolet_Command(bar->parent, LOWORD(wp)))
            PostMessageA(bar->parent, WM_COMMAND, wp, lp);
        return 0;
    case WM_PALETTECHANGED:
    case WM_QUERYNEWPALETTE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case BANDOLET_MSG_ENABLE:
        return SetEnabled(bar, static_cast<BOOL>(wp), static_cast<UINT>(lp));
    case BANDOLET_MSG_ISENABLED: {
        int i = ButtonIndex(bar, static_cast<UINT>(lp));
        return i >= 0 && bar->buttons[i].enabled;
    }
    }
    return DefWindowProcA(window, message, wp, lp);
}

} // namespace bandolet
