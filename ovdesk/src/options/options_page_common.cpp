// The page protocol the options pages share.
#include "options/options_sheet.h"
#include "startup/plugin_state.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstdlib>

namespace {
// The tab of the sheet that shows page; -1 when none does.
int TabOfPage(HWND page) {
    HWND tabs = FindWindowExA(GetParent(page), nullptr, WC_TABCONTROLA, nullptr);
    int count = tabs ? (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
    for (int i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_PARAM;
        if (SendMessageA(tabs, TCM_GETITEMA, i, (LPARAM)&item) && (HWND)item.lParam == page)
            return i;
    }
    return -1;
}
} // namespace

void OptionsPageCommon(HWND page, UINT message, LPARAM lParam, int row) {
    if (message == WM_INITDIALOG) {
        HFONT bold = GetOptionsBoldFont(page);
        if (bold && GetDlgItem(page, IDC_OPT_HEADING))
            SendDlgItemMessageA(page, IDC_OPT_HEADING, WM_SETFONT, (WPARAM)bold, 0);
    } else if (OptionsNotifyCode(message, lParam) == (UINT)PSN_SETACTIVE && row < OPTIONS_ROWS) {
        SetOptionsLastPage(row);
    }
}

UINT OptionsNotifyCode(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY && lParam ? ((NMHDR*)lParam)->code : 0;
}

BOOL OptionsAnswer(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

void OptionsShowThisPage(HWND page) {
    int tab = TabOfPage(page);
    if (tab >= 0)
        SendMessageA(GetParent(page), PSM_SETCURSEL, tab, 0);
}

BOOL OptionsRefuseApply(HWND page) {
    return OptionsAnswer(page, PSNRET_INVALID_NOCHANGEPAGE);
}

void OptionsCancelToClose(HWND page) {
    SendMessageA(GetParent(page), PSM_CANCELTOCLOSE, 0, 0);
}

void OptionsHelp(HWND page, DWORD topic, bool second) {
    WinHelpA(page, second ? GetSecondHelpPath() : GetHelpPath(), HELP_CONTEXT, topic);
}

int OptionsMessage(HWND page, const char* text, const char* caption, UINT type) {
    return DeskMessageBox(page, text, caption ? caption : OVDESK_CAPTION, type);
}

bool ReadItemNumber(HWND page, int item, int* value) {
    char text[32] = "";
    GetDlgItemTextA(page, item, text, sizeof text);
    char* end = nullptr;
    long number = strtol(text, &end, 10);
    if (end == text || *end || number < -100000000 || number > 100000000)
        return false;
    *value = (int)number;
    return true;
}
