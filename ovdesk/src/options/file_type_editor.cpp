// The file-type editor: the types of one [Defaults] key in a report list,
// added, edited and removed through the type dialog, written on OK.
#include "options/options_sheet.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovkit/listview_helpers.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace {
enum { UI_LIMIT = 50, HELP_TOPIC = 4173 };

// The editor's state: the engine's 100-slot array; each row's lParam is its
// slot.
struct FileTypeEditor {
    const char* Key;
    const char* Title;
    FileType** Types;
};

HWND List(HWND dialog) {
    return GetDlgItem(dialog, IDC_FTE_LIST);
}

const char* ConditionText(int type) {
    switch (type) {
    case 0:
        return "Non-scripts";
    case 1:
        return "Scripts only";
    default:
        return "Always";
    }
}

void SetRowTexts(HWND list, int row, const FileType* type) {
    ListView_SetItemText(list, row, 0, const_cast<char*>(type->Name));
    ListView_SetItemText(list, row, 1, const_cast<char*>(ConditionText(type->Type)));
}

int AddRow(HWND list, int slot, const FileType* type) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char*>(type->Name);
    item.lParam = slot;
    int row = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    if (row >= 0)
        SetRowTexts(list, row, type);
    return row;
}

int RowSlot(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&item) ? (int)item.lParam : -1;
}

void SelectOnly(HWND list, int row) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void UpdateButtons(HWND dialog) {
    UINT selected = ListView_GetSelectedCount(List(dialog));
    EnableWindow(GetDlgItem(dialog, IDC_FTE_EDIT), selected == 1);
    EnableWindow(GetDlgItem(dialog, IDC_FTE_REMOVE), selected > 0);
}

void Fill(HWND dialog, const FileTypeEditor& editor) {
    SetWindowTextA(dialog, editor.Title);
    HWND list = List(dialog);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    OVKIT_ListViewInsertColumns(list, "110,Extension\t150,Conditions");
    for (int slot = 0; slot < FILETYPE_SLOTS; ++slot)
        if (editor.Types[slot])
            AddRow(list, slot, editor.Types[slot]);
    UpdateButtons(dialog);
}

void Add(HWND dialog, FileTypeEditor& editor) {
    HWND list = List(dialog);
    int freeSlot = -1;
    for (int slot = FILETYPE_SLOTS - 1; slot >= 0; --slot)
        if (!editor.Types[slot])
            freeSlot = slot;
    if (ListView_GetItemCount(list) >= UI_LIMIT || freeSlot < 0) {
        char text[200];
        snprintf(text, sizeof text,
                 "The maximum number of file types (%d) has been reached. Try deleting some "
                 "unused types. ",
                 UI_LIMIT);
        DeskMessageBox(dialog, text, "Too many file types", MB_OK | MB_ICONWARNING);
        return;
    }
    FileType* type = CreateFileType();
    if (!type)
        return;
    if (!EditFileType(dialog, type, true)) {
        FreeFileType(type);
        return;
    }
    editor.Types[freeSlot] = type;
    int row = AddRow(list, freeSlot, type);
    if (row >= 0)
        SelectOnly(list, row);
    UpdateButtons(dialog);
}

void Edit(HWND dialog, FileTypeEditor& editor) {
    HWND list = List(dialog);
    if (ListView_GetSelectedCount(list) != 1)
        return;
    int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    int slot = RowSlot(list, row);
    if (slot < 0 || !editor.Types[slot])
        return;
    FileType* copy = CreateFileType();
    if (!copy)
        return;
    *copy = *editor.Types[slot];
    if (!EditFileType(dialog, copy, false)) {
        FreeFileType(copy);
        return;
    }
    FreeFileType(editor.Types[slot]);
    editor.Types[slot] = copy;
    SetRowTexts(list, row, copy);
}

void Remove(HWND dialog, FileTypeEditor& editor) {
    HWND list = List(dialog);
    for (int row = ListView_GetItemCount(list) - 1; row >= 0; --row) {
        if (!(ListView_GetItemState(list, row, LVIS_SELECTED) & LVIS_SELECTED))
            continue;
        int slot = RowSlot(list, row);
        if (slot >= 0) {
            FreeFileType(editor.Types[slot]);
            editor.Types[slot] = nullptr;
        }
        ListView_DeleteItem(list, row);
    }
    UpdateButtons(dialog);
}

// OK: the types without gaps, written and freed.
void Save(FileTypeEditor& editor) {
    int count = 0;
    for (int slot = 0; slot < FILETYPE_SLOTS; ++slot) {
        FileType* type = editor.Types[slot];
        editor.Types[slot] = nullptr;
        if (type)
            editor.Types[count++] = type;
    }
    WriteFileTypesToIniFile(count, editor.Types, editor.Key);
}

void End(HWND dialog, FileTypeEditor& editor, int result) {
    if (result == 1)
        Save(editor);
    FreeFileTypesArray(editor.Types, FILETYPE_SLOTS);
    editor.Types = nullptr;
    EndDialog(dialog, result);
}

BOOL OnNotify(HWND dialog, FileTypeEditor& editor, const NMHDR* header) {
    if (header->idFrom != IDC_FTE_LIST)
        return FALSE;
    if (header->code == LVN_ITEMCHANGED)
        UpdateButtons(dialog);
    else if (header->code == (UINT)NM_DBLCLK)
        Edit(dialog, editor);
    return FALSE;
}

INT_PTR CALLBACK FileTypeEditorDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    FileTypeEditor* editor = (FileTypeEditor*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Fill(dialog, *(FileTypeEditor*)lParam);
        CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_NOTIFY:
        return editor ? OnNotify(dialog, *editor, (const NMHDR*)lParam) : FALSE;
    case WM_COMMAND:
        if (!editor)
            break;
        switch (LOWORD(wParam)) {
        case IDC_FTE_ADD:
            Add(dialog, *editor);
            return TRUE;
        case IDC_FTE_EDIT:
            Edit(dialog, *editor);
            return TRUE;
        case IDC_FTE_REMOVE:
            Remove(dialog, *editor);
            return TRUE;
        case IDOK:
            End(dialog, *editor, 1);
            return TRUE;
        case IDCANCEL:
            End(dialog, *editor, 0);
            return TRUE;
        case IDC_FTE_HELP:
            OptionsHelp(dialog, HELP_TOPIC);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
} // namespace

int EditFileTypeList(HWND owner, const char* key, const char* title) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_OPT_FILE_TYPE_EDITOR);
    if (!dialogTemplate)
        return -1;
    int count = 0;
    // An unset key shows what the engine uses then, so that OK keeps it.
    FileTypeEditor editor = {key, title,
                             GetFileTypesFromIniFile(&count, key, GetDefaultsListDefault(key))};
    if (!editor.Types) {
        char text[300];
        snprintf(text, sizeof text,
                 "The list \"%s\" in the settings file cannot be read, so it cannot be edited "
                 "here.",
                 title);
        DeskMessageBox(owner, text, OVDESK_CAPTION, MB_OK | MB_ICONWARNING);
        return -1;
    }
    INT_PTR result = DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, owner,
                                             FileTypeEditorDlg, (LPARAM)&editor);
    if (editor.Types) // the dialog could not be made
        FreeFileTypesArray(editor.Types, FILETYPE_SLOTS);
    return result == 1 ? 1 : result == 0 ? 0 : -1;
}
