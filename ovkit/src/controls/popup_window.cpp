// The quick-help popup window.
#include "control_procs.h"
#include "control_support.h"
#include "ovkit/popup.h"
#include "ovkit/startup.h"
#include "ovkit/timers.h"
#include "ovkit/ui_helpers.h"

using namespace ovkit_detail;

namespace {

const UINT kTextFormat = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX;
// The face's pattern is a one-bit picture: its two colours are the DC's
// text and background colours, both light so that dark text reads on it.
const COLORREF kPatternLight = RGB(255, 255, 255);
const COLORREF kPatternTint = RGB(255, 255, 225);
const COLORREF kText = RGB(0, 0, 0);

OvkitPopupRecord* RecordOf(HWND popup) {
    return reinterpret_cast<OvkitPopupRecord*>(GetWindowLongPtrA(popup, 0));
}

SIZE MeasureText(const char* text) {
    RECT box = {0, 0, 1000, 1000};
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, OvkitGetLibraryFont());
    DrawTextA(screen, text, -1, &box, kTextFormat | DT_CALCRECT);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return SIZE{box.right - box.left + 5, box.bottom - box.top + 5};
}

// Moves one coordinate so that [at, at + size) ends inside [0, limit).
int FitOnScreen(int at, int size, int limit, bool notNegative) {
    if (at + size > limit)
        at = limit - size;
    if (notNegative && at < 0)
        at = 0;
    return at;
}

void Paint(HWND popup, HDC dc) {
    OvkitPopupRecord* record = RecordOf(popup);
    if (!record)
        return;
    RECT client;
    GetClientRect(popup, &client);
    RECT shadow = {client.left + 1, client.top + 1, client.right, client.bottom};
    OVKIT_DrawBlackFrame(dc, &shadow);
    RECT face = {client.left, client.top, client.right - 1, client.bottom - 1};
    SetTextColor(dc, kPatternLight);
    SetBkColor(dc, kPatternTint);
    FillRect(dc, &face, record->brush ? record->brush : GetSysColorBrush(COLOR_INFOBK));
    OVKIT_DrawBlackFrame(dc, &face);
    InflateRect(&face, -2, -2);
    HGDIOBJ oldFont = record->font ? SelectObject(dc, record->font) : nullptr;
    SetTextColor(dc, kText);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, record->text, -1, &face, kTextFormat);
    if (oldFont)
        SelectObject(dc, oldFont);
}

void StopCloseTimer(HWND popup, OvkitPopupRecord* record) {
    if (record && record->timerFlag) {
        OVKIT_KillTimerEx(popup, OVKIT_POPUP_CLOSE_TIMER);
        record->timerFlag = 0;
    }
}

} // namespace

LRESULT CALLBACK OvkitPopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(popup, message, wParam, Paint))
        return 0;
    switch (message) {
    case WM_CREATE: {
        auto* record = static_cast<OvkitPopupRecord*>(
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(popup, 0, reinterpret_cast<LONG_PTR>(record));
        const OvkitDisplaySettings& settings = OvkitGetDisplaySettings();
        if (record && settings.quickHelpDelayMs != 0 &&
            OVKIT_SetTimerEx(popup, OVKIT_POPUP_CLOSE_TIMER, settings.quickHelpDurationMs, nullptr))
            record->timerFlag = 1;
        return 0;
    }
    case WM_TIMER:
        if (wParam != OVKIT_POPUP_CLOSE_TIMER)
            return 0;
        StopCloseTimer(popup, RecordOf(popup));
        DestroyWindow(popup);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        StopCloseTimer(popup, RecordOf(popup));
        return 0;
    case WM_NCDESTROY:
        // The record is the caller's; forget it with the window.
        SetWindowLongPtrA(popup, 0, 0);
        break;
    }
    return DefWindowProcA(popup, message, wParam, lParam);
}

HWND OVKIT_CALL OVKIT_CreatePopupWindow(HWND owner, LPARAM, const char* text, int x, int y,
                                        int flags, OvkitPopupRecord* record) {
    if (!record)
        return nullptr;
    if (!text)
        text = "";
    *record = OvkitPopupRecord{};
    lstrcpynA(record->text, text, sizeof record->text);
    record->font = OvkitGetLibraryFont();
    record->brush = OvkitGetPatternBrush();
    SIZE size = MeasureText(record->text);
    if (flags & OVKIT_POPUP_CENTRE_X)
        x -= size.cx / 2;
    if (flags & OVKIT_POPUP_CENTRE_Y)
        y -= size.cy / 2;
    bool notNegative = (flags & OVKIT_POPUP_NOT_NEGATIVE) != 0;
    x = FitOnScreen(x, size.cx, GetSystemMetrics(SM_CXSCREEN), notNegative);
    y = FitOnScreen(y, size.cy, GetSystemMetrics(SM_CYSCREEN), notNegative);
    HWND popup = CreateWindowExA(0, OVKIT_ClassNames[1], "", WS_POPUP, x, y, size.cx, size.cy,
                                 owner, nullptr, OVKIT_GetInstance(), record);
    if (popup)
        ShowWindow(popup, SW_SHOWNOACTIVATE);
    return popup;
}

void OVKIT_CALL OVKIT_DestroyPopup(HWND owner, HWND* popup, WORD* hoverTimerFlag) {
    if (hoverTimerFlag && *hoverTimerFlag) {
        OVKIT_KillTimerEx(owner, OVKIT_HOVER_TIMER);
        *hoverTimerFlag = 0;
    }
    if (popup) {
        if (*popup && IsWindow(*popup))
            DestroyWindow(*popup);
        *popup = nullptr;
    }
    if (owner) {
        UpdateWindow(owner);
        HWND parent = GetParent(owner);
        if (parent)
            UpdateWindow(parent);
    }
}
