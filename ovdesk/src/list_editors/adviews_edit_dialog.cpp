// The ad-views add and edit dialog (8073): one procedure in two modes.
#include "list_editors/adviews_dialogs.h"
#include "list_editors/adviews_list.h"
#include "list_editors/list_common.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstring>
#include <string>

namespace {
// A double quote would end the field early in the file.
const char kQuotes[] = "The string '%s' contains double quotes.  Please eliminate them.";

struct EditDialog {
    bool Editing = false;
    HFONT Bold = nullptr;
};
EditDialog g_edit;

const struct {
    int Item;
    int Size;
} kFields[] = {{IDC_AV_VIEW_FIELD, ADVIEW_VIEWNAME_SIZE},
               {IDC_AV_CLICK_FIELD, ADVIEW_CLICKID_SIZE},
               {IDC_AV_DESCRIPTION_FIELD, ADVIEW_DESCRIPTION_SIZE}};

bool HasText(HWND dialog, int item) {
    return GetWindowTextLengthA(GetDlgItem(dialog, item)) > 0;
}

void EnableOk(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDOK),
                 HasText(dialog, IDC_AV_DESCRIPTION_FIELD) &&
                     (HasText(dialog, IDC_AV_VIEW_FIELD) || HasText(dialog, IDC_AV_CLICK_FIELD)));
}

bool InitEdit(HWND dialog, bool editing) {
    g_edit = EditDialog();
    g_edit.Editing = editing;
    AdViewsBlock* block = AdViews_List();
    if (!block)
        return false;
    if (!editing && block->Count >= ADVIEWS_MAX_ENTRIES) {
        AdViews_ShowFullMessage(dialog);
        return false;
    }
    SetWindowTextA(dialog, editing ? "Edit Ad Views and Clicks" : "Create New Ad Views and Clicks");
    const int labels[] = {IDC_AV_EDIT_LABEL1, IDC_AV_EDIT_LABEL2, IDC_AV_EDIT_LABEL3};
    g_edit.Bold = lists::MakeLabelsBold(dialog, labels, 3);
    CenterWindowOnScreen(dialog);
    for (const auto& field : kFields)
        SendDlgItemMessageA(dialog, field.Item, EM_LIMITTEXT, field.Size - 1, 0);
    int chosen = adviews::ChosenIndex();
    if (editing && chosen >= 0 && (DWORD)chosen < block->Count) {
        const AdViewFields& e = block->Entries[chosen];
        SetDlgItemTextA(dialog, IDC_AV_VIEW_FIELD, e.ViewName);
        SetDlgItemTextA(dialog, IDC_AV_CLICK_FIELD, e.ClickId);
        SetDlgItemTextA(dialog, IDC_AV_DESCRIPTION_FIELD, e.Description);
    }
    EnableOk(dialog);
    return true;
}

bool ReadEntry(HWND dialog, AdViewFields* entry) {
    memset(entry, 0, sizeof *entry);
    char* out[] = {entry->ViewName, entry->ClickId, entry->Description};
    for (int f = 0; f < 3; ++f) {
        GetDlgItemTextA(dialog, kFields[f].Item, out[f], kFields[f].Size);
        if (strchr(out[f], '"')) {
            lists::RefuseField(dialog, kFields[f].Item, kQuotes, out[f]);
            return false;
        }
    }
    return true;
}

void Commit(HWND dialog) {
    AdViewFields entry;
    if (!ReadEntry(dialog, &entry))
        return;
    int chosen = adviews::ChosenIndex();
    if (g_edit.Editing && chosen >= 0) {
        AdViews_Remove(chosen);
        ListView_DeleteItem(adviews::ListView(), chosen);
    }
    adviews::ShowNewRow(AdViews_Insert(entry));
    SaveAdViewsFile(dialog);
    adviews::RememberDescription(entry.Description);
    EndDialog(dialog, 1);
}

INT_PTR EditProcedure(HWND dialog, UINT message, WPARAM wParam, bool editing) {
    switch (message) {
    case WM_INITDIALOG:
        if (!InitEdit(dialog, editing))
            EndDialog(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Commit(dialog);
            break;
        case IDC_AV_CANCEL: // the Cancel button ends with 1, as the list dialog expects
            EndDialog(dialog, 1);
            break;
        case IDCANCEL: // the close box and Escape
            EndDialog(dialog, 0);
            break;
        case IDC_AV_HELP:
            lists::ShowHelpTopic(dialog, HELP_ADVIEWS_EDIT);
            break;
        case IDC_AV_VIEW_FIELD:
        case IDC_AV_CLICK_FIELD:
        case IDC_AV_DESCRIPTION_FIELD:
            if (HIWORD(wParam) == EN_CHANGE)
                EnableOk(dialog);
            break;
        }
        return TRUE;
    case WM_DESTROY:
        if (g_edit.Bold)
            DeleteObject(g_edit.Bold);
        g_edit = EditDialog();
        return FALSE;
    }
    return FALSE;
}
} // namespace

INT_PTR CALLBACK AdViews_CreateNewEntry(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return EditProcedure(dialog, message, wParam, false);
}

INT_PTR CALLBACK AdViews_EditEntry(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return EditProcedure(dialog, message, wParam, true);
}
