#include "quick_help.h"
#include "ovkit/startup.h"
#include "ovkit/timers.h"
#include "ovkit/ui_helpers.h"

// A plain window of the popup class, sized to its text; the popup control
// draws and times it.
HWND OvkitOpenQuickHelp(HWND owner, const char* text, int x, int y) {
    HDC dc = GetDC(owner);
    HGDIOBJ old = SelectObject(dc, OvkitGetLibraryFont());
    RECT box = {0, 0, 1000, 1000};
    DrawTextA(dc, text, -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(owner, dc);
    int width = box.right + 5, height = box.bottom + 5;
    HWND popup = CreateWindowExA(0, "Ostrevane Popup", text, WS_POPUP, x - width / 2, y, width,
                                 height, owner, nullptr, OVKIT_GetInstance(), nullptr);
    if (popup)
        ShowWindow(popup, SW_SHOWNOACTIVATE);
    return popup;
}

void OvkitCloseQuickHelp(HWND owner, HWND* popup, WORD* timerFlag) {
    if (timerFlag && *timerFlag) {
        OVKIT_KillTimerEx(owner, 10000);
        *timerFlag = 0;
    }
    OVKIT_DestroyWindowAndHandle(popup);
}
