// The ad-views remove dialog (8072).
#include "list_editors/adviews_dialogs.h"
#include "list_editors/adviews_list.h"
#include "list_editors/list_common.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>

namespace {
HFONT g_bold = nullptr;

void InitRemove(HWND dialog) {
    CenterWindowOnScreen(dialog);
    const int name[] = {IDC_AV_REMOVED_NAME};
    g_bold = lists::MakeLabelsBold(dialog, name, 1);
    AdViewsBlock* block = AdViews_List();
    int index = adviews::ChosenIndex();
    if (block && index >= 0 && (DWORD)index < block->Count)
        SetDlgItemTextA(dialog, IDC_AV_REMOVED_NAME, block->Entries[index].Description);
}

void Remove(HWND dialog) {
    int index = adviews::ChosenIndex();
    HWND list = adviews::ListView();
    AdViews_Remove(index);
    ListView_DeleteItem(list, index);
    int rows = ListView_GetItemCount(list);
    lists::SelectRow(list, rows == 0 ? -1 : index > 0 ? index - 1 : 0);
    SaveAdViewsFile(dialog);
    EndDialog(dialog, 1);
}
} // namespace

INT_PTR CALLBACK AdViews_RemoveEntry(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitRemove(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            Remove(dialog);
        else if (LOWORD(wParam) == IDC_AV_CANCEL)
            EndDialog(dialog, 1); // Cancel ends with 1, as the list dialog expects
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        else if (LOWORD(wParam) == IDC_AV_HELP)
            lists::ShowHelpTopic(dialog, HELP_ADVIEWS_REMOVE);
        return TRUE;
    case WM_DESTROY:
        if (g_bold)
            DeleteObject(g_bold);
        g_bold = nullptr;
        return FALSE;
    }
    return FALSE;
}
