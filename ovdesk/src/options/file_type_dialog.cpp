// The type dialog of the file-type editor: one extension and when its
// requests count.
#include "options/options_sheet.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstring>

namespace {
enum { EXTENSION_CHARS = 19, HELP_TOPIC = 4174 };

struct TypeChoice {
    int Item;
    int Type;
    const char* Explanation;
};
const TypeChoice kChoices[] = {
    {IDC_FT_ALWAYS, 2, "This file type includes ALL requests for files with the above extension."},
    {IDC_FT_NOT_SCRIPT, 0,
     "This file type includes requests for files with the above extension only if the URL does "
     "NOT contain a question mark (?)."},
    {IDC_FT_SCRIPT, 1,
     "This file type includes requests for files with the above extension only if the URL "
     "contains a question mark (?)."},
};

const char kInvalidCaption[] = "Invalid file extension";
const char kInvalidText[] =
    "You must enter a valid extension for this file type.  Enter the extension for the type of "
    "file you want to specify.\r\n\r\nExample: enter an extension of .txt for text files.";

struct TypeDialogData {
    FileType* Type;
    bool Adding;
};

void ShowExplanation(HWND dialog) {
    const char* text = "";
    for (const TypeChoice& choice : kChoices)
        if (IsDlgButtonChecked(dialog, choice.Item) == BST_CHECKED)
            text = choice.Explanation;
    SetDlgItemTextA(dialog, IDC_FT_EXPLAIN, text);
}

void Fill(HWND dialog, const TypeDialogData& data) {
    SetWindowTextA(dialog, data.Adding ? "Add File Type" : "Edit File Type");
    if (data.Adding)
        SetDlgItemTextA(dialog, IDOK, "&Add");
    SendDlgItemMessageA(dialog, IDC_FT_EXTENSION, EM_LIMITTEXT, EXTENSION_CHARS, 0);
    SetDlgItemTextA(dialog, IDC_FT_EXTENSION, data.Type->Name);
    int type = data.Adding ? 2 : data.Type->Type;
    for (const TypeChoice& choice : kChoices)
        CheckDlgButton(dialog, choice.Item, choice.Type == type ? BST_CHECKED : BST_UNCHECKED);
    ShowExplanation(dialog);
}

// Stored names are split at blanks and semicolons and read up to a comma
// inside braces: a name holding any of them cannot come back as written.
bool IsValidExtension(const char* name) {
    return name[0] && !strpbrk(name, " \t;{},");
}

// OK: the extension (without a leading dot) and the chosen type; false
// after the refusal's box.
bool Store(HWND dialog, const TypeDialogData& data) {
    char text[EXTENSION_CHARS + 2] = "";
    GetDlgItemTextA(dialog, IDC_FT_EXTENSION, text, sizeof text);
    const char* name = text[0] == '.' ? text + 1 : text;
    if (!IsValidExtension(name)) {
        DeskMessageBox(dialog, kInvalidText, kInvalidCaption, MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, IDC_FT_EXTENSION));
        return false;
    }
    strncpy(data.Type->Name, name, FILETYPE_NAME_SIZE - 1);
    data.Type->Name[FILETYPE_NAME_SIZE - 1] = '\0';
    for (const TypeChoice& choice : kChoices)
        if (IsDlgButtonChecked(dialog, choice.Item) == BST_CHECKED)
            data.Type->Type = choice.Type;
    return true;
}

INT_PTR CALLBACK FileTypeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    TypeDialogData* data = (TypeDialogData*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Fill(dialog, *(TypeDialogData*)lParam);
        CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FT_ALWAYS:
        case IDC_FT_NOT_SCRIPT:
        case IDC_FT_SCRIPT:
            ShowExplanation(dialog);
            return TRUE;
        case IDOK:
            if (data && Store(dialog, *data))
                EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_FT_HELP:
            OptionsHelp(dialog, HELP_TOPIC);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
} // namespace

int EditFileType(HWND owner, FileType* type, bool adding) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_OPT_FILE_TYPE);
    if (!type || !dialogTemplate)
        return 0;
    TypeDialogData data = {type, adding};
    return DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, owner, FileTypeDlg,
                                   (LPARAM)&data) == 1
               ? 1
               : 0;
}
