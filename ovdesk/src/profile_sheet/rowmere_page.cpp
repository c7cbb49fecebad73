// The Rowmere page: the profile's two database-report sections, each
// configured on a sheet of its own.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/rowmere_sheet.h"
#include "profile_sheet/odbc_binding.h"
#include "resource_ids.h"

namespace {
enum { HELP_ROWMERE = 7002 };

RowmereSettings** Section(int kind) {
    AnalysisProfile* profile = SheetState().Profile;
    return kind == ROWMERE_KIND_IP ? &profile->RowmereIP : &profile->RowmereAuthUser;
}

void UpdateControls(HWND page) {
    EnableWindow(GetDlgItem(page, IDC_RW_IP_CONFIGURE),
                 IsDlgButtonChecked(page, IDC_RW_IP) == BST_CHECKED);
    EnableWindow(GetDlgItem(page, IDC_RW_USER_CONFIGURE),
                 IsDlgButtonChecked(page, IDC_RW_USER) == BST_CHECKED);
}

void Configure(HWND page, int kind) {
    RowmereSettings** section = Section(kind);
    RowmereSettings* copy = MakeCopyOfRowmere(*section);
    if (!copy)
        return;
    if (ConfigureRowmereSheet(page, *section == nullptr, copy, kind) == 1) {
        copy->RowmereEnabled = 1;
        FreeRowmere(*section);
        *section = copy;
    } else {
        FreeRowmere(copy);
    }
}

BOOL LeaveRowmere(HWND page) {
    // A box ticked for a section never configured changes nothing.
    if (RowmereSettings* ip = *Section(ROWMERE_KIND_IP))
        ip->RowmereEnabled = IsDlgButtonChecked(page, IDC_RW_IP) == BST_CHECKED;
    if (RowmereSettings* user = *Section(ROWMERE_KIND_USER))
        user->RowmereEnabled = IsDlgButtonChecked(page, IDC_RW_USER) == BST_CHECKED;
    return AcceptLeaving(page);
}
} // namespace

INT_PTR CALLBACK RowmerePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_ROWMERE);
    switch (message) {
    case WM_INITDIALOG: {
        RowmereSettings* ip = *Section(ROWMERE_KIND_IP);
        RowmereSettings* user = *Section(ROWMERE_KIND_USER);
        CheckDlgButton(page, IDC_RW_IP, ip && ip->RowmereEnabled ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(page, IDC_RW_USER,
                       user && user->RowmereEnabled ? BST_CHECKED : BST_UNCHECKED);
        UpdateControls(page);
        return TRUE;
    }
    case WM_DESTROY:
        OdbcRelease(); // the connection the configure sheet left open
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_RW_IP:
        case IDC_RW_USER:
            UpdateControls(page);
            return TRUE;
        case IDC_RW_IP_CONFIGURE:
            Configure(page, ROWMERE_KIND_IP);
            return TRUE;
        case IDC_RW_USER_CONFIGURE:
            Configure(page, ROWMERE_KIND_USER);
            return TRUE;
        }
        return FALSE;
    case WM_HELP:
        ShowSecondHelp(page, HELP_ROWMERE);
        return TRUE;
    case WM_NOTIFY:
        return IsLeaving(SheetNotifyCode(message, lParam)) ? LeaveRowmere(page) : FALSE;
    }
    return FALSE;
}
