// The File Types and Domains pages.
#include "options/key_list_page.h"
#include "options/options_sheet.h"
#include "resource_ids.h"

namespace {
const OptionsKey kFileTypeKeys[] = {
    {"Download File Extensions and Types", "DownloadTypes"},
    {"Document File Extensions and Types", "DocumentTypes"},
};
const OptionsKey kDomainKeys[] = {
    {"United States Domains", "USDomains"},
    {"Government Domains (gov)", "gov_OrgType"},
    {"Military Domains (mil)", "mil_OrgType"},
    {"Other Network Domains (net)", "net_OrgType"},
    {"Other Organization Domains (org)", "org_OrgType"},
    {"International Domains (int)", "int_OrgType"},
    {"ARPA Domains (arpa)", "arpa_OrgType"},
    {"Educational Domains (edu)", "edu_OrgType"},
    {"Commercial Domains (com)", "com_OrgType"},
};

void EditSelected(HWND page, const OptionsKey* keys, int count, OptionsKeyEditor editor) {
    LRESULT index = SendDlgItemMessageA(page, IDC_OPT_KEYS, LB_GETCURSEL, 0, 0);
    if (index < 0 || index >= count)
        return;
    if (editor(page, keys[index].Key, keys[index].Title) == 1)
        OptionsCancelToClose(page);
}
} // namespace

INT_PTR OptionsKeyListPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int row,
                           const OptionsKey* keys, int count, OptionsKeyEditor editor) {
    OptionsPageCommon(page, message, lParam, row);
    switch (message) {
    case WM_INITDIALOG:
        for (int i = 0; i < count; ++i)
            SendDlgItemMessageA(page, IDC_OPT_KEYS, LB_ADDSTRING, 0, (LPARAM)keys[i].Title);
        SendDlgItemMessageA(page, IDC_OPT_KEYS, LB_SETCURSEL, 0, 0);
        return FALSE;
    case WM_COMMAND:
        if ((LOWORD(wParam) == IDC_OPT_KEYS && HIWORD(wParam) == LBN_DBLCLK) ||
            (LOWORD(wParam) == IDC_OPT_KEYS_EDIT && HIWORD(wParam) == BN_CLICKED)) {
            EditSelected(page, keys, count, editor);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK FileTypesOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return OptionsKeyListPage(page, message, wParam, lParam, OPT_ROW_FILE_TYPES, kFileTypeKeys,
                              sizeof kFileTypeKeys / sizeof kFileTypeKeys[0], EditFileTypeList);
}

INT_PTR CALLBACK DomainsOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return OptionsKeyListPage(page, message, wParam, lParam, OPT_ROW_DOMAINS, kDomainKeys,
                              sizeof kDomainKeys / sizeof kDomainKeys[0], EditWordList);
}
