// The "Select Items..." dialog.
#include "viewer/select_items.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <vector>

namespace {
void Fill(HWND dialog, SelectItemsRequest* request) {
    HWND list = GetDlgItem(dialog, IDC_SELECT_LIST);
    HWND owner = GetDlgItem(request->Owner, request->ListId);
    for (WORD i = 0; i < request->Count; ++i) {
        char text[300] = "";
        LRESULT length = SendMessageA(owner, CB_GETLBTEXTLEN, i, 0);
        if (length != CB_ERR && length < (LRESULT)sizeof text)
            SendMessageA(owner, CB_GETLBTEXT, i, (LPARAM)text);
        LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)text);
        SendMessageA(list, LB_SETITEMDATA, at, i);
    }
    LRESULT selected = SendMessageA(owner, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        selected = 0;
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int at = 0; at < count; ++at)
        if (SendMessageA(list, LB_GETITEMDATA, at, 0) == selected) {
            SendMessageA(list, LB_SETSEL, TRUE, at);
            SendMessageA(list, LB_SETCARETINDEX, at, 0);
        }
}

// The chosen items in list order; 0 when none.
int Take(HWND dialog, SelectItemsRequest* request) {
    HWND list = GetDlgItem(dialog, IDC_SELECT_LIST);
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    WORD chosen = 0;
    for (int at = 0; at < count && chosen < request->Count; ++at)
        if (SendMessageA(list, LB_GETSEL, at, 0) > 0)
            request->Items[chosen++] = (WORD)SendMessageA(list, LB_GETITEMDATA, at, 0);
    if (!chosen)
        return 0;
    request->Count = chosen;
    return 1;
}

void InvertAll(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_SELECT_LIST);
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int at = 0; at < count; ++at)
        SendMessageA(list, LB_SETSEL, SendMessageA(list, LB_GETSEL, at, 0) <= 0, at);
}
} // namespace

INT_PTR CALLBACK SelectCascadeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    SelectItemsRequest* request = (SelectItemsRequest*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        request = (SelectItemsRequest*)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, request->Title);
        CenterWindowOnScreen(dialog);
        Fill(dialog, request);
        if (request->Unattended && *request->Unattended) {
            SendDlgItemMessageA(dialog, IDC_SELECT_LIST, LB_SETSEL, TRUE, -1);
            EndDialog(dialog, Take(dialog, request) ? 1 : 2);
        }
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SELECT_ALL:
            InvertAll(dialog);
            return TRUE;
        case IDOK:
            if (Take(dialog, request))
                EndDialog(dialog, 1);
            else
                DeskMessageBox(dialog, "You must select at least one item.", "No items selected",
                               MB_OK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 2);
            return TRUE;
        case IDC_SELECT_HELP:
            ShowReportHelp(dialog, HELP_SELECT_ITEMS);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
