#include "dialog_helpers.h"
#include <cstring>
#include <initializer_list>

namespace {

struct ChildFonts {
    HFONT normal;
    HFONT bold;
};

BOOL CALLBACK SetOneChildFont(HWND child, LPARAM parameter) {
    const ChildFonts* fonts = reinterpret_cast<const ChildFonts*>(parameter);
    char name[16] = "";
    GetClassNameA(child, name, sizeof name);
    bool label = lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_NOPREFIX);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(label ? fonts->bold : fonts->normal),
                 FALSE);
    return TRUE;
}

int Clamp(int value, int low, int high) {
    if (value > high)
        value = high;
    return value < low ? low : value;
}

} // namespace

void CenterWindowInWorkArea(HWND window, HWND reference) {
    RECT work, r, around;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (!GetWindowRect(window, &r))
        return;
    if (!reference || !GetWindowRect(reference, &around))
        around = work;
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    int x = around.left + ((around.right - around.left) - width) / 2;
    int y = around.top + ((around.bottom - around.top) - height) / 2;
    x = Clamp(x, work.left, work.right - width);
    y = Clamp(y, work.top, work.bottom - height);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CreateDialogFonts(HWND window, HFONT* normal, HFONT* bold) {
    *normal = *bold = nullptr;
    LOGFONTA description;
    HGDIOBJ base = GetStockObject(DEFAULT_GUI_FONT);
    if (!base || !GetObjectA(base, sizeof description, &description))
        GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof description, &description);
    HDC dc = GetDC(window);
    description.lfHeight = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(window, dc);
    description.lfWeight = FW_NORMAL;
    if (PRIMARYLANGID(GetUserDefaultLangID()) == LANG_JAPANESE)
        description.lfCharSet = SHIFTJIS_CHARSET;
    *normal = CreateFontIndirectA(&description);
    description.lfWeight = FW_BOLD;
    *bold = CreateFontIndirectA(&description);
    if (*normal && *bold)
        return TRUE;
    for (HFONT* font : {normal, bold}) {
        if (*font)
            DeleteObject(*font);
        *font = nullptr;
    }
    return FALSE;
}

void SetChildFonts(HWND window, HFONT normal, HFONT bold) {
    ChildFonts fonts = {normal, bold};
    EnumChildWindows(window, SetOneChildFont, reinterpret_cast<LPARAM>(&fonts));
}

int IconMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    UINT buttons = type & MB_TYPEMASK;
    bool plain = buttons == MB_OK || buttons == MB_OKCANCEL || buttons == MB_YESNOCANCEL ||
                 buttons == MB_YESNO;
    if (!(type & MB_ICONMASK) && plain)
        type |= MB_ICONEXCLAMATION;
    return MessageBoxA(owner, text, caption, type);
}
