// Bold title fonts and centring for the plug-in's dialogs.
#include "desk_services.h"

enum { FIRST_TITLE_ITEM = 30001, LAST_TITLE_ITEM = 30009 };

HFONT CALLBACK PrepWindowFonts(HWND dialog) {
    HFONT font = (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0);
    LOGFONTA description;
    if (!font || !GetObjectA(font, sizeof description, &description))
        return font;
    description.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectA(&description);
    if (!bold)
        return font;
    for (int id = FIRST_TITLE_ITEM; id <= LAST_TITLE_ITEM; ++id) {
        HWND item = GetDlgItem(dialog, id);
        if (item)
            SendMessageA(item, WM_SETFONT, (WPARAM)bold, FALSE);
    }
    return bold;
}

void CenterWindowOnScreen(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return;
    int width = r.right - r.left, height = r.bottom - r.top;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = width > screenWidth ? 0 : (screenWidth - width) / 2;
    int y = height > screenHeight ? 0 : (screenHeight - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CALLBACK CenterOnScreen(HWND window) {
    CenterWindowOnScreen(window);
}
