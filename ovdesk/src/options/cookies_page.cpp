// The Cookies page: whether cookies identify visits, and whether they are
// checked first.
#include "options/options_sheet.h"
#include "resource_ids.h"
#include <cstdlib>

namespace {
enum { HELP_TOPIC = 4108 };

bool StoredOn(const char* key) {
    char value[16] = "";
    GetModuleProfileString("Cookie", key, "1", value, sizeof value);
    return atoi(value) != 0;
}

void EnableValidate(HWND page) {
    EnableWindow(GetDlgItem(page, IDC_OPT_COOKIE_VALIDATE),
                 IsDlgButtonChecked(page, IDC_OPT_COOKIE_ENABLE) == BST_CHECKED);
}

void Fill(HWND page) {
    CheckDlgButton(page, IDC_OPT_COOKIE_ENABLE, StoredOn("Enable") ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_OPT_COOKIE_VALIDATE,
                   StoredOn("Validate") ? BST_CHECKED : BST_UNCHECKED);
    EnableValidate(page);
}

BOOL Apply(HWND page) {
    WriteModuleProfileString("Cookie", "Enable",
                             IsDlgButtonChecked(page, IDC_OPT_COOKIE_ENABLE) == BST_CHECKED ? "1"
                                                                                            : "0");
    WriteModuleProfileString(
        "Cookie", "Validate",
        IsDlgButtonChecked(page, IDC_OPT_COOKIE_VALIDATE) == BST_CHECKED ? "1" : "0");
    return OptionsAnswer(page, PSNRET_NOERROR);
}
} // namespace

INT_PTR CALLBACK CookiesOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPT_ROW_COOKIES);
    if (message == WM_INITDIALOG)
        Fill(page);
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_OPT_COOKIE_ENABLE &&
        HIWORD(wParam) == BN_CLICKED) {
        // The check follows the use: both on or both off.
        CheckDlgButton(page, IDC_OPT_COOKIE_VALIDATE,
                       IsDlgButtonChecked(page, IDC_OPT_COOKIE_ENABLE));
        EnableValidate(page);
        return TRUE;
    }
    switch (OptionsNotifyCode(message, lParam)) {
    case (UINT)PSN_APPLY:
        return Apply(page);
    case (UINT)PSN_HELP:
        OptionsHelp(page, HELP_TOPIC);
        return TRUE;
    }
    return FALSE;
}
