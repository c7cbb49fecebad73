// Services the plug-in's dialogs share.
#include "services/dialog_services.h"
#include "desk_services.h"
#include "ovkit/bevel_frame.h"
#include "ovkit/keyboard_hook.h"
#include "ovkit/listview_helpers.h"

namespace {
struct ControlDecorationEntry {
    HWND Control;
    WNDPROC Previous;
    WORD Kind;
};
ControlDecorationEntry g_decorations[DECORATION_TABLE_SIZE];
HHOOK g_tabHook = nullptr;

ControlDecorationEntry* FindDecoration(HWND control) {
    for (ControlDecorationEntry& e : g_decorations)
        if (e.Control == control)
            return &e;
    return nullptr;
}

void DrawSunkenFrame(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    OVKIT_DrawKarstPolygons(dc, &r, 0, 1, GetSysColor(COLOR_BTNSHADOW),
                            GetSysColor(COLOR_BTNHIGHLIGHT));
    ReleaseDC(control, dc);
}
} // namespace

int CALLBACK SwitchFontToBold(HWND dialog, int item, HFONT font) {
    HFONT own = (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0);
    if (!own)
        return -1;
    SendDlgItemMessageA(dialog, item, WM_SETFONT, (WPARAM)(font ? font : own), TRUE);
    return 0;
}

int GetTextWidth(HDC dc, const char* text, int count) {
    SIZE size;
    return GetTextExtentPoint32A(dc, text, count, &size) ? size.cx : 0;
}

int GetTextHeight(HDC dc, const char* text, int count) {
    SIZE size;
    return GetTextExtentPoint32A(dc, text, count, &size) ? size.cy : 0;
}

void DecorateControl(HWND control, WORD kind) {
    for (ControlDecorationEntry& e : g_decorations) {
        if (e.Control && IsWindow(e.Control))
            continue;
        e.Control = control;
        e.Kind = kind;
        e.Previous =
            (WNDPROC)SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)DecoratedControlProc);
        return;
    }
}

int GetDecoratedControlCount(void) {
    int used = 0;
    for (const ControlDecorationEntry& e : g_decorations)
        used += e.Control && IsWindow(e.Control) ? 1 : 0;
    return used;
}

LRESULT CALLBACK DecoratedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlDecorationEntry* e = FindDecoration(control);
    if (!e)
        return DefWindowProcA(control, message, wParam, lParam);
    WNDPROC previous = e->Previous;
    LRESULT result = CallWindowProcA(previous, control, message, wParam, lParam);
    if (message == WM_DESTROY) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)previous);
        *e = {};
    } else if (message != WM_MOUSEMOVE && e->Kind == DECORATION_SUNKEN &&
               IsWindowVisible(control)) {
        DrawSunkenFrame(control);
    }
    return result;
}

int InstallDialogTabHook(void) {
    if (g_tabHook)
        return 0;
    g_tabHook = OVKIT_SetKeyboardHook(GetPluginInstance());
    return g_tabHook ? 1 : 0;
}

int RemoveDialogTabHook(void) {
    if (!g_tabHook)
        return 0;
    OVKIT_ReleaseKeyboardHook(g_tabHook);
    g_tabHook = nullptr;
    return 1;
}

int ListViewSetRow(HWND listView, const char* text) {
    return OVKIT_ListViewAddRow(listView, text);
}

INT_PTR CALLBACK PleaseWaitDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    static HFONT bold = nullptr;
    switch (message) {
    case WM_INITDIALOG:
        bold = PrepWindowFonts(dialog);
        if (LOBYTE(LOWORD(GetVersion())) < 4)
            DecorateControl(GetDlgItem(dialog, 8505), DECORATION_SUNKEN);
        CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        if (bold && bold != (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0))
            DeleteObject(bold);
        bold = nullptr;
        return FALSE;
    }
    return FALSE;
}

HDDEDATA CALLBACK DdeCallBack(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

int CALLBACK RemoveContextHelpStyles(HWND window, UINT code, LPARAM) {
    if (code == 1) {
        SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~DS_CONTEXTHELP);
        SetWindowLongA(window, GWL_EXSTYLE,
                       GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_CONTEXTHELP);
    }
    return 0;
}

void GetBitmapSize(HBITMAP bitmap, int* width, int* height) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    *width = info.bmWidth;
    *height = info.bmHeight;
}
