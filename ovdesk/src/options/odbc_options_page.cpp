// The ODBC page: whether profiles may keep their history in an ODBC data
// source, and whether the Rowmere pages are offered.
#include "options/options_sheet.h"
#include "resource_ids.h"

namespace {
enum { HELP_TOPIC = 7019 };

struct OdbcBox {
    int Item;
    const char* Key;
};
const OdbcBox kBoxes[] = {
    {IDC_OPT_ALLOW_ODBC, "AllowSwiftmereODBC"},
    {IDC_OPT_ALLOW_ROWMERE, "AllowRowmere"},
};
} // namespace

INT_PTR CALLBACK OdbcOptionsPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPT_ROW_ODBC);
    if (message == WM_INITDIALOG)
        for (const OdbcBox& box : kBoxes)
            CheckDlgButton(page, box.Item,
                           GetModuleProfileInt("Defaults", box.Key, 0) ? BST_CHECKED
                                                                       : BST_UNCHECKED);
    switch (OptionsNotifyCode(message, lParam)) {
    case (UINT)PSN_APPLY:
        for (const OdbcBox& box : kBoxes)
            WriteModuleProfileInt("Defaults", box.Key,
                                  IsDlgButtonChecked(page, box.Item) == BST_CHECKED ? 1 : 0);
        return OptionsAnswer(page, PSNRET_NOERROR);
    case (UINT)PSN_HELP:
        OptionsHelp(page, HELP_TOPIC, true);
        return TRUE;
    }
    return FALSE;
}
