// The intranet remove dialog (8052).
#include "list_editors/intranet_dialogs.h"
#include "list_editors/intranet_list.h"
#include "list_editors/list_common.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstring>

namespace {
HFONT g_bold = nullptr;

void InitRemove(HWND dialog) {
    CenterWindowOnScreen(dialog);
    const int name[] = {IDC_IN_REMOVED_NAME};
    g_bold = lists::MakeLabelsBold(dialog, name, 1);
    IntranetBlock* block = Intranet_List();
    int index = intranet::ChosenIndex();
    if (!block || index < 0 || (DWORD)index >= block->Count)
        return;
    const IntranetFields& e = block->Entries[index];
    bool described = e.Description[0] && strcmp(e.Description, " ") != 0;
    SetDlgItemTextA(dialog, IDC_IN_REMOVED_NAME, described ? e.Description : e.Domain);
}

void Remove(HWND dialog) {
    int index = intranet::ChosenIndex();
    HWND list = intranet::ListView();
    Intranet_Remove(index);
    ListView_DeleteItem(list, index);
    SaveIntranetFile(dialog);
    intranet::ShowDetails(-1);
    int rows = ListView_GetItemCount(list);
    lists::SelectRow(list, rows == 0 ? -1 : index > 0 ? index - 1 : 0);
    EndDialog(dialog, 1);
}
} // namespace

INT_PTR CALLBACK Intranet_RemoveEntry(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitRemove(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            Remove(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        else if (LOWORD(wParam) == IDC_IN_HELP)
            lists::ShowHelpTopic(dialog, HELP_INTRANET_REMOVE);
        return TRUE;
    case WM_DESTROY:
        if (g_bold)
            DeleteObject(g_bold);
        g_bold = nullptr;
        return FALSE;
    }
    return FALSE;
}
