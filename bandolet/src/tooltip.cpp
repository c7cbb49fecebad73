// The tooltip: a pop-up with a black frame and a one-pixel shadow, filled
// with the bar's pattern brush, shown below the button without activation.
#include <cstring>
#include <new>

#include "bar_internal.h"

namespace bandolet {

namespace {

struct TipData {
    char text[kTextSize];
    HFONT font;
    HBRUSH brush;
};

SIZE TextSize(HFONT font, const char* text) {
    SIZE size = {};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

void PaintTip(HWND window, TipData* tip) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT rc = {};
    GetClientRect(window, &rc);
    RECT face = {0, 0, rc.right - 1, rc.bottom - 1};
    RECT shadowR = {1, rc.bottom - 1, rc.right, rc.bottom};
    RECT shadowB = {rc.right - 1, 1, rc.right, rc.bottom};
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &shadowR, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    FillRect(dc, &shadowB, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    FillRect(dc, &face, tip->brush ? tip->brush : GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ old = SelectObject(dc, tip->font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, tip->text, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

} // namespace

LRESULT CALLBACK BandoletTipWndProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    auto* tip = reinterpret_cast<TipData*>(GetWindowLongPtrA(window, 0));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(
            window, 0,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        break;
    case WM_PAINT:
        if (tip) {
            PaintTip(window, tip);
            return 0;
        }
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCDESTROY:
        delete tip;
        SetWindowLongPtrA(window, 0, 0);
        break;
    }
    return DefWindowProcA(window, message, wp, lp);
}

void RemoveTooltip(BandoletBar* bar) {
    if (bar->tooltip)
        DestroyWindow(bar->tooltip);
    bar->tooltip = nullptr;
    bar->tipButton = -1;
}

void ShowTooltip(BandoletBar* bar, int index) {
    RemoveTooltip(bar);
    const BandoletButton& b = bar->buttons[index];
    TipData* tip = new (std::nothrow) TipData();
    if (!tip) {
        Warn(bar->parent, "Insufficient memory.");
        return;
    }
    memcpy(tip->text, b.tooltip, kTextSize);
    // The parent may put its own text in; it gets a buffer of 256 bytes.
    SendMessageA(bar->parent, BANDOLET_MSG_TOOLTIP, b.command, reinterpret_cast<LPARAM>(tip->text));
    tip->text[kTextSize - 1] = '\0';
    tip->font = bar->font;
    tip->brush = bar->pattern;
    SIZE size = TextSize(tip->font, tip->text);
    int w = size.cx + 5 + 1, h = size.cy + 5 + 1;
    POINT at = {(b.rect.left + b.rect.right - w) / 2, b.scroll ? b.rect.bottom : bar->height + 4};
    ClientToScreen(bar->window, &at);
    int screen = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    if (at.x + w > screen)
        at.x = screen - w;
    if (at.x < 0)
        at.x = 0;
    if (at.y + h > screenH)
        at.y = screenH - h;
    // The text is also the window title, for whoever looks at the tip.
    bar->tooltip = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTipClass, tip->text, WS_POPUP,
                                   at.x, at.y, w, h, bar->window, nullptr, nullptr, tip);
    if (!bar->tooltip) {
        delete tip;
        return;
    }
    bar->tipButton = index;
    ShowWindow(bar->tooltip, SW_SHOWNOACTIVATE);
}

} // namespace bandolet
