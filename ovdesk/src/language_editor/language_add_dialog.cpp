// "Add New Report Language" (21006): a new language made from an existing one.
#include "language_editor/language_files.h"
#include "language_editor/language_state.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>

namespace langedit {
namespace {
const char kCaption[] = "Report Editor";

struct AddChoice {
    std::string Name;
    int Base = 0;
};

bool IsListed(const std::string& name) {
    for (const std::string& listed : State().Languages)
        if (_stricmp(listed.c_str(), name.c_str()) == 0)
            return true;
    return false;
}

// A name already listed would overwrite that language's files; a name that
// is no file name cannot be saved.
bool Refused(HWND dialog, const std::string& name) {
    char text[200];
    if (IsListed(name))
        snprintf(text, sizeof text, "The report language '%s' already exists.", name.c_str());
    else if (!IsValidLanguageName(name))
        snprintf(text, sizeof text, "'%s' is not a valid name for a report language.",
                 name.c_str());
    else
        return false;
    DeskMessageBox(dialog, text, kCaption, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, IDC_LE_NEW_NAME));
    return true;
}

INT_PTR CALLBACK AddProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    AddChoice* choice = (AddChoice*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        CenterWindowOnScreen(dialog);
        SendDlgItemMessageA(dialog, IDC_LE_NEW_NAME, EM_LIMITTEXT, 63, 0);
        for (const std::string& name : State().Languages)
            SendDlgItemMessageA(dialog, IDC_LE_BASE, LB_ADDSTRING, 0, (LPARAM)name.c_str());
        SendDlgItemMessageA(dialog, IDC_LE_BASE, LB_SETCURSEL, 0, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            char name[64] = "";
            GetDlgItemTextA(dialog, IDC_LE_NEW_NAME, name, sizeof name);
            choice->Name = name;
            choice->Base = (int)SendDlgItemMessageA(dialog, IDC_LE_BASE, LB_GETCURSEL, 0, 0);
            if (!choice->Name.empty() && Refused(dialog, choice->Name))
                return TRUE;
            EndDialog(dialog, !choice->Name.empty() && choice->Base >= 0);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        }
        return TRUE;
    }
    return FALSE;
}
} // namespace

void RunAddDialog(void) {
    EditorState& state = State();
    const DLGTEMPLATE* form = GetDialogTemplate(IDD_LANGUAGE_ADD);
    AddChoice choice;
    if (!form || DialogBoxIndirectParamA(GetPluginInstance(), form, state.Page, AddProc,
                                         (LPARAM)&choice) != 1)
        return;
    if (state.Modified && AskToSave(MB_YESNO) == IDYES && !SaveLanguage())
        return;
    if (!LoadLanguage(LanguagePath(state.Languages[choice.Base], ".RPL")))
        return;
    std::string path = LanguagePath(choice.Name, ".RPL");
    if (!WriteWhole(LanguagePath(choice.Name, ".ORG"), state.Text.Text()) ||
        !WriteWhole(path, state.Text.Text())) {
        EditorMessage("Cannot save file", "Save", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    state.Path = path;
    state.Languages.push_back(choice.Name);
    HWND combo = GetDlgItem(state.Page, IDC_LE_LANGUAGES);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)choice.Name.c_str());
    SendMessageA(combo, CB_SETCURSEL, state.Languages.size() - 1, 0);
    ShowSelectedValue();
}

} // namespace langedit
