// "Restore" (21008): the selected item, or the whole language, back from the
// language's starting copy (.ORG).
#include "language_editor/language_files.h"
#include "language_editor/language_state.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>

namespace langedit {
namespace {
INT_PTR CALLBACK RestoreProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOnScreen(dialog);
        CheckRadioButton(dialog, IDC_LE_RESTORE_ITEM, IDC_LE_RESTORE_ALL, IDC_LE_RESTORE_ITEM);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            EndDialog(dialog, IsDlgButtonChecked(dialog, IDC_LE_RESTORE_ALL) ? IDC_LE_RESTORE_ALL
                                                                             : IDC_LE_RESTORE_ITEM);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

void NoStartingCopy(const std::string& path) {
    char text[MAX_PATH + 80];
    snprintf(text, sizeof text, "The starting copy %s cannot be read.", path.c_str());
    EditorMessage(text, "Restore", MB_OK | MB_ICONEXCLAMATION);
}

void RestoreItem(const std::string& original) {
    EditorState& state = State();
    int index = SelectedItem();
    if (index < 0 || state.Items[index].Key.empty())
        return;
    std::string text;
    if (!ReadWhole(original, &text)) {
        NoStartingCopy(original);
        return;
    }
    LanguageText copy;
    copy.Assign(std::move(text));
    std::string value;
    if (copy.Value(state.Items[index].Key, &value))
        StoreEdit(index, value);
}

void RestoreLanguage(const std::string& original) {
    EditorState& state = State();
    if (!CopyFileA(original.c_str(), state.Path.c_str(), FALSE)) {
        NoStartingCopy(original);
        return;
    }
    LoadLanguage(state.Path); // unsaved edits go too
}
} // namespace

void RunRestoreDialog(void) {
    EditorState& state = State();
    const DLGTEMPLATE* form = GetDialogTemplate(IDD_LANGUAGE_RESTORE);
    if (!form || state.Path.empty())
        return;
    INT_PTR choice = DialogBoxIndirectParamA(GetPluginInstance(), form, state.Page, RestoreProc, 0);
    std::string original = StartingCopyPath(state.Path);
    if (choice == IDC_LE_RESTORE_ITEM)
        RestoreItem(original);
    else if (choice == IDC_LE_RESTORE_ALL)
        RestoreLanguage(original);
    ShowSelectedValue();
}

} // namespace langedit
