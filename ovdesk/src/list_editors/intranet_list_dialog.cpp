// The intranet list dialog and host code 17.
#include "list_editors/intranet_dialogs.h"
#include "list_editors/intranet_list.h"
#include "list_editors/list_common.h"
#include "ovdesk/host_interface.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovkit/listview_helpers.h"
#include "ovkit/custom_controls.h"
#include "ovkit/bitmaps.h"
#include "ovkit/resources.h"
#include <commctrl.h>
#include <cstring>
#include <string>

namespace {
const int kPicture = 7;

struct ListDialog {
    HWND Window = nullptr;
    HWND List = nullptr;
    HFONT Bold = nullptr;
    std::string WantedDomain; // the row to select at the next refresh
    int Chosen = -1;
};
ListDialog g_dialog;

int AddRow(int index) {
    const IntranetFields& e = Intranet_List()->Entries[index];
    return lists::InsertRow(g_dialog.List, index, e.Domain, e.Description);
}

void ShowField(int item, const char* text) {
    SetDlgItemTextA(g_dialog.Window, item, strcmp(text, " ") == 0 ? "" : text);
}

void EnableEditing() {
    IntranetBlock* block = Intranet_List();
    BOOL any = block && block->Count > 0;
    EnableWindow(GetDlgItem(g_dialog.Window, IDC_IN_DELETE), any);
    EnableWindow(GetDlgItem(g_dialog.Window, IDC_IN_EDIT), any);
}

void Refresh() {
    int previous = OVKIT_ListViewGetSelection(g_dialog.List);
    LoadIntranetFile(g_dialog.Window);
    ListView_DeleteAllItems(g_dialog.List);
    IntranetBlock* block = Intranet_List();
    for (DWORD i = 0; block && i < block->Count; ++i)
        AddRow((int)i);
    int row = lists::RowAfterRefresh(g_dialog.List, &g_dialog.WantedDomain, previous);
    lists::SelectRow(g_dialog.List, row);
    intranet::ShowDetails(row);
    EnableEditing();
}

void InitDialog(HWND dialog) {
    g_dialog = ListDialog();
    g_dialog.Window = dialog;
    g_dialog.List = GetDlgItem(dialog, IDC_IN_LIST);
    const int labels[] = {IDC_IN_CITY_LABEL, IDC_IN_STATE_LABEL, IDC_IN_COUNTRY_LABEL,
                          IDC_IN_PATTERN_LABEL};
    g_dialog.Bold = lists::MakeLabelsBold(dialog, labels, 4);
    CenterWindowOnScreen(dialog);
    ListView_SetExtendedListViewStyle(g_dialog.List, LVS_EX_FULLROWSELECT);
    OVKIT_ListViewInsertColumns(g_dialog.List, LoadTextSlot(IDS_INTRANET_COLUMNS, 0));
    OVKIT_SubclassFancyBitmap(GetDlgItem(dialog, IDC_IN_PICTURE), OVKIT_GetBitmapResource(kPicture),
                              OVKIT_GetBitmapInstance());
    SendMessageA(dialog, WM_LIST_REFRESH, 0, 0);
}

void EndList(HWND dialog) {
    OVKIT_UnsubclassWindow(GetDlgItem(dialog, IDC_IN_PICTURE));
    OVKIT_DestroyDlgBmp(dialog, OVKIT_GetBitmapResource(kPicture), OVKIT_GetBitmapInstance());
    if (g_dialog.Bold)
        DeleteObject(g_dialog.Bold);
    g_dialog = ListDialog();
    EndDialog(dialog, 0);
}

// Delete or Edit: the chosen row, or -1 after the box that says why not.
int Choose(HWND dialog, bool edit) {
    IntranetBlock* block = Intranet_List();
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
    case IDC_IN_ADD:
        lists::RunChild(dialog, IDD_INTRANET_EDIT, Intranet_CreateNewEntry);
        EnableEditing();
        break;
    case IDC_IN_EDIT:
        if (Choose(dialog, true) >= 0 &&
            lists::RunChild(dialog, IDD_INTRANET_EDIT, Intranet_EditEntry))
            SendMessageA(dialog, WM_LIST_REFRESH, 0, 0);
        break;
    case IDC_IN_DELETE:
        if (Choose(dialog, false) >= 0)
            lists::RunChild(dialog, IDD_INTRANET_REMOVE, Intranet_RemoveEntry);
        EnableEditing();
        break;
    case IDC_IN_HELP:
        lists::ShowHelpTopic(dialog, HELP_INTRANET_LIST);
        break;
    }
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header, LPARAM lParam) {
    if (header->idFrom != IDC_IN_LIST)
        return FALSE;
    if (header->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* change = (const NMLISTVIEW*)lParam;
        if ((change->uChanged & LVIF_STATE) &&
            ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
            intranet::ShowDetails(OVKIT_ListViewGetSelection(g_dialog.List));
    } else if (header->code == NM_DBLCLK) {
        OnCommand(dialog, IDC_IN_EDIT);
    }
    return TRUE;
}
} // namespace

namespace intranet {
HWND ListView(void) {
    return g_dialog.List;
}
int ChosenIndex(void) {
    return g_dialog.Chosen;
}
void ShowNewRow(int index) {
    IntranetBlock* block = Intranet_List();
    if (!block || index < 0 || !g_dialog.List)
        return;
    lists::SelectRow(g_dialog.List, AddRow(index));
}
void RememberDomain(const char* domain) {
    g_dialog.WantedDomain = domain;
}
void ShowDetails(int index) {
    IntranetBlock* block = Intranet_List();
    bool shown = block && index >= 0 && (DWORD)index < block->Count;
    const IntranetFields* e = shown ? &block->Entries[index] : nullptr;
    ShowField(IDC_IN_CITY, e ? e->City : "");
    ShowField(IDC_IN_STATE, e ? e->State : "");
    ShowField(IDC_IN_COUNTRY, e ? e->Country : "");
    ShowField(IDC_IN_PATTERN, e ? e->Pattern : "");
}
} // namespace intranet

INT_PTR CALLBACK IntranetDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog);
        return TRUE;
    case WM_LIST_REFRESH:
        Refresh();
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam, lParam);
    case WM_DRAWITEM:
        if (wParam == IDC_IN_LIST)
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

int __cdecl HostIntranetList(HWND owner) {
    if (!Intranet_AllocList())
        return -1;
    const DLGTEMPLATE* form = GetDialogTemplate(IDD_INTRANET_LIST);
    if (form)
        DialogBoxIndirectParamA(GetPluginInstance(), form, owner, IntranetDlg, 0);
    // Every change was written when it was made; this write only repeats
    // one, and a list the user left alone is never rewritten.
    if (Intranet_ListChanged())
        SaveIntranetFile(owner);
    Intranet_FreeList();
    return 0;
}
