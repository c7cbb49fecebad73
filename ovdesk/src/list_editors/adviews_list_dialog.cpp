// The ad-views list dialog and host code 18.
#include "list_editors/adviews_dialogs.h"
#include "list_editors/adviews_list.h"
#include "list_editors/list_common.h"
#include "ovdesk/host_interface.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovkit/listview_helpers.h"
#include <commctrl.h>
#include <string>

namespace {
struct ListDialog {
    HWND Window = nullptr;
    HWND List = nullptr;
    std::string WantedDescription;
    int Chosen = -1;
};
ListDialog g_dialog;

int AddRow(int index) {
    return lists::InsertRow(g_dialog.List, index, AdViews_List()->Entries[index].Description,
                            nullptr);
}

void EnableEditing() {
    AdViewsBlock* block = AdViews_List();
    BOOL any = block && block->Count > 0;
    EnableWindow(GetDlgItem(g_dialog.Window, IDC_AV_DELETE), any);
    EnableWindow(GetDlgItem(g_dialog.Window, IDC_AV_EDIT), any);
}

void Refresh() {
    int previous = OVKIT_ListViewGetSelection(g_dialog.List);
    LoadAdViewsFile(g_dialog.Window);
    ListView_DeleteAllItems(g_dialog.List);
    AdViewsBlock* block = AdViews_List();
    for (DWORD i = 0; block && i < block->Count; ++i)
        AddRow((int)i);
    lists::SelectRow(g_dialog.List,
                     lists::RowAfterRefresh(g_dialog.List, &g_dialog.WantedDescription, previous));
    EnableEditing();
}

void InitDialog(HWND dialog) {
    g_dialog = ListDialog();
    g_dialog.Window = dialog;
    g_dialog.List = GetDlgItem(dialog, IDC_AV_LIST);
    ListView_SetExtendedListViewStyle(g_dialog.List, LVS_EX_FULLROWSELECT);
    OVKIT_ListViewInsertColumns(g_dialog.List, LoadTextSlot(IDS_ADVIEWS_COLUMNS, 0));
    CenterWindowOnScreen(dialog);
    SendMessageA(dialog, WM_LIST_REFRESH, 0, 0);
}

void EndList(HWND dialog) {
    g_dialog = ListDialog();
    EndDialog(dialog, 0);
}

int Choose(HWND dialog, bool edit) {
    AdViewsBlock* block = AdViews_List();
    int count = block ? (int)block->Count : 0;
    g_dialog.Chosen =
        edit ? lists::ChosenRow(dialog, g_dialog.List, count, "No entries to edit", "No entries")
             : lists::ChosenRow(dialog, g_dialog.List, count, "No Entries to Delete", "No Entries");
    return g_dialog.Chosen;
}

void OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        EndList(dialog);
        break;
    case IDC_AV_ADD:
        lists::RunChild(dialog, IDD_ADVIEWS_EDIT, AdViews_CreateNewEntry);
        EnableEditing();
        break;
    case IDC_AV_EDIT:
        // Cancel ends the edit dialog with 1 as well: the list is read again.
        if (Choose(dialog, true) >= 0 &&
            lists::RunChild(dialog, IDD_ADVIEWS_EDIT, AdViews_EditEntry))
            SendMessageA(dialog, WM_LIST_REFRESH, 0, 0);
        break;
    case IDC_AV_DELETE:
        if (Choose(dialog, false) >= 0)
            lists::RunChild(dialog, IDD_ADVIEWS_REMOVE, AdViews_RemoveEntry);
        EnableEditing();
        break;
    case IDC_AV_HELP:
        lists::ShowHelpTopic(dialog, HELP_ADVIEWS_LIST);
        break;
    }
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header) {
    if (header->idFrom != IDC_AV_LIST)
        return FALSE;
    if (header->code == NM_DBLCLK)
        OnCommand(dialog, IDC_AV_EDIT);
    return TRUE;
}
} // namespace

namespace adviews {
HWND ListView(void) {
    return g_dialog.List;
}
int ChosenIndex(void) {
    return g_dialog.Chosen;
}
void ShowNewRow(int index) {
    if (index >= 0 && g_dialog.List)
        lists::SelectRow(g_dialog.List, AddRow(index));
}
void RememberDescription(const char* description) {
    g_dialog.WantedDescription = description;
}
} // namespace adviews

INT_PTR CALLBACK AdViewsDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog);
        return TRUE;
    case WM_LIST_REFRESH:
        Refresh();
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_DRAWITEM:
        if (wParam == IDC_AV_LIST)
            return OVKIT_ListViewDrawItem((const DRAWITEMSTRUCT*)lParam);
        return FALSE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndList(dialog);
        return TRUE;
    }
    return FALSE;
}

int __cdecl HostAdViewsList(HWND owner) {
    if (!AdViews_AllocList())
        return -1;
    const DLGTEMPLATE* form = GetDialogTemplate(IDD_ADVIEWS_LIST);
    if (form)
        DialogBoxIndirectParamA(GetPluginInstance(), form, owner, AdViewsDlg, 0);
    // Every change was written when it was made; a list the user left alone
    // is never rewritten.
    if (AdViews_ListChanged())
        SaveAdViewsFile(owner);
    AdViews_FreeList();
    return 0;
}
