#include "shown_windows.h"
#include "ovkit/clickable.h"
#include "ovkit/custom_controls.h"
#include "ovkit/iebuttons.h"
#include "ovkit/popup.h"
#include "ovkit/progress.h"
#include "ovkit/propsheet.h"
#include "ovkit/slider.h"
#include <commctrl.h>

namespace {

bool OpenProgress(HWND host) {
    static int cancel = 0;
    HWND dialog = OVKIT_OpenProgressBar(host, "Creating report", "Reading access.log", "%d%% done",
                                        SW_SHOW, &cancel);
    if (!dialog)
        return false;
    SendMessageA(dialog, OVKIT_PB_SETTOTAL, 200, 0);
    SendMessageA(dialog, OVKIT_PB_SETPOS, 84, 0);
    return true;
}

bool OpenPopup(HWND host) {
    static OvkitPopupRecord record;
    RECT rect;
    GetWindowRect(host, &rect);
    HWND popup = OVKIT_CreatePopupWindow(host, 0, "Opens the report in your browser",
                                         (rect.left + rect.right) / 2, rect.top + 80,
                                         OVKIT_POPUP_CENTRE_X, &record);
    if (!popup)
        return false;
    // Keep it open for the picture.
    KillTimer(popup, OVKIT_POPUP_CLOSE_TIMER);
    record.timerFlag = 0;
    return true;
}

bool OpenSlider(HWND host) {
    HWND slider = OVKIT_CreateSliderControl(host, 20, 30, 320, 26, "Update every 60 minutes");
    if (!slider)
        return false;
    SendMessageA(slider, OVKIT_SLIDER_SETVALUE, 60, 0);
    return true;
}

bool OpenClickable(HWND host) {
    static OvkitClickItem items[4];
    static OvkitClickPage pages[3];
    const WORD ids[4] = {1, 2, OVKIT_CLICK_NEXT, OVKIT_CLICK_CLOSE};
    for (int i = 0; i < 4; ++i) {
        items[i].id = ids[i];
        items[i].hot = {(i % 2) * 80, (i / 2) * 48, (i % 2) * 80 + 80, (i / 2) * 48 + 48};
    }
    lstrcpyA(pages[1].title, "Choose a report");
    pages[1].items = items;
    pages[1].itemCount = 4;
    pages[1].bitmapId = SHOW_IDB_MENU;
    pages[1].bitmapModule = GetModuleHandleA(nullptr);
    return OVKIT_CreateClickableWindow("", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, host,
                                       nullptr, 0, &pages[1]) != nullptr;
}

// The pages' controls, filled in as a user might have left them.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    SetDlgItemTextA(page, 1001, "C:\\logs\\access.log");
    SetDlgItemTextA(page, 1002, "Visits to www.example.com");
    CheckDlgButton(page, 1003, BST_CHECKED);
    CheckDlgButton(page, 1101, BST_CHECKED);
    return FALSE;
}

bool OpenPropertySheet(HWND host) {
    static PROPSHEETPAGEA pages[2];
    const WORD templates[2] = {SHOW_IDD_GENERAL, SHOW_IDD_OUTPUT};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = GetModuleHandleA(nullptr);
        pages[i].pszTemplate = MAKEINTRESOURCEA(templates[i]);
        pages[i].pfnDlgProc = PageProc;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = host;
    header.nPages = 2;
    header.ppsp = pages;
    return OVKIT_PropertySheet(&header) != nullptr;
}

const WORD kBarPlaceholder = 100;

bool OpenButtonBar(HWND host) {
    static IEButton buttons[4];
    static IEButtonsBar record;
    HINSTANCE self = GetModuleHandleA(nullptr);
    RECT client;
    GetClientRect(host, &client);
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 10, client.right, 64, host,
                    reinterpret_cast<HMENU>(kBarPlaceholder), self, nullptr);
    for (WORD i = 0; i < 4; ++i)
        buttons[i] = {
            static_cast<WORD>(500 + i), static_cast<WORD>(SHOW_IDS_BUTTON1 + i), self, {}, 0, 0};
    record.placeholderId = kBarPlaceholder;
    record.pictureId = SHOW_IDB_BUTTONBAR;
    record.pictureId16 = SHOW_IDB_BUTTONBAR;
    record.module = self;
    record.buttonCount = 4;
    record.widthDivisions = 5;
    record.buttons = buttons;
    HWND bar =
        OVKIT_CreateToolbarWindow("", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host, 900, 0, &record);
    if (!bar)
        return false;
    // The last button greyed, to show that state too.
    SendMessageA(bar, OVKIT_IEB_ENABLE, 0, 503);
    return true;
}

// The icon buttons are owner-drawn: their parent passes the drawing on.
LRESULT CALLBACK ButtonPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        OVKIT_DrawCustomButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), nullptr);
        return TRUE;
    }
    if (message == WM_GETFONT)
        return reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    return DefWindowProcA(window, message, wParam, lParam);
}

bool OpenIconButtons(HWND host) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ButtonPanelProc;
    wc.hInstance = self;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "OvkitShowButtonPanel";
    RegisterClassA(&wc);
    RECT client;
    GetClientRect(host, &client);
    HWND panel = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                 client.bottom, host, nullptr, self, nullptr);
    if (!panel)
        return false;
    const char* captions[4] = {"Open log", "Make report", "Schedule", "Send by mail"};
    for (int i = 0; i < 4; ++i) {
        HWND button = CreateWindowExA(
            0, "BUTTON", captions[i], WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 20 + i * 110, 30, 96,
            72, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(600 + i)), self, nullptr);
        if (!button || !OVKIT_CreateCustomButton(button, SHOW_IDI_BUTTON1 + i, self))
            return false;
    }
    // The last one greyed, to show that state too.
    EnableWindow(GetDlgItem(panel, 603), FALSE);
    return true;
}

} // namespace

const ShownWindow kShownWindows[] = {
    {"progress", "the progress dialog", OpenProgress},
    {"popup", "the quick-help popup", OpenPopup},
    {"slider", "the slider", OpenSlider},
    {"clickable", "the clickable picture window", OpenClickable},
    {"propsheet", "the property sheet", OpenPropertySheet},
    {"buttonbar", "the browser-style button bar", OpenButtonBar},
    {"buttons", "the icon push buttons", OpenIconButtons},
    {nullptr, nullptr, nullptr},
};
