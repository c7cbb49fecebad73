// The "Memorize Report..." dialog: asks the description of a definition.
#include "report_dialog/create_report_dialog.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include "desk_services.h"
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
enum { NAME_PICTURE = 9 };
// The name the dialog started with: keeping it is not a clash.
char g_startName[DEFINITION_DESCRIPTION_SIZE] = "";

BOOL NameInUse(const MemorizeNameParams* params, const char* name) {
    if (_stricmp(name, g_startName) == 0)
        return FALSE;
    HWND combo = GetDlgItem(params->OwnerDialog, params->ComboId);
    int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH];
        LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        if (length == CB_ERR || length >= (LRESULT)sizeof text)
            continue;
        SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text);
        if (_stricmp(text, name) == 0)
            return TRUE;
    }
    return FALSE;
}

void TakeName(HWND dialog, MemorizeNameParams* params) {
    char name[DEFINITION_DESCRIPTION_SIZE];
    GetItemTextBounded(dialog, IDC_MEMO_NAME, name, sizeof name);
    if (!name[0]) {
        char caption[LOADTEXT_SLOT_SIZE];
        DeskMessageBox(dialog, LoadTextSlot(IDS_MEMORIZE_NAME_EMPTY, 0),
                       LoadText(IDS_MEMORIZE_NAME_INVALID, caption, sizeof caption), MB_OK);
        return;
    }
    if (NameInUse(params, name)) {
        DeskMessageBox(dialog, LoadTextSlot(IDS_NAME_IN_USE, 0), OVDESK_CAPTION, MB_OK);
        return;
    }
    OvkitCopyText(params->Description, DEFINITION_DESCRIPTION_SIZE, name);
    EndDialog(dialog, 1);
}
} // namespace

INT_PTR CALLBACK GetMemorizeNameDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        MemorizeNameParams* params = (MemorizeNameParams*)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OvkitCopyText(g_startName, sizeof g_startName, params->Description);
        SendDlgItemMessageA(dialog, IDC_MEMO_NAME, EM_LIMITTEXT, DEFINITION_DESCRIPTION_CHARS, 0);
        SetDlgItemTextA(dialog, IDC_MEMO_NAME, params->Description);
        ShowDecorativePicture(dialog, IDC_MEMO_PICTURE, NAME_PICTURE);
        return TRUE;
    }
    case WM_DESTROY:
        RemoveDecorativePicture(dialog, IDC_MEMO_PICTURE, NAME_PICTURE);
        return FALSE;
    case WM_COMMAND: {
        MemorizeNameParams* params = (MemorizeNameParams*)GetWindowLongPtrA(dialog, DWLP_USER);
        switch (LOWORD(wParam)) {
        case IDC_MEMO_SAVE:
        case IDOK:
            TakeName(dialog, params);
            return TRUE;
        case IDC_MEMO_DELETE:
            EndDialog(dialog, IDC_MEMO_DELETE);
            return TRUE;
        case IDC_MEMO_CANCEL:
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_MEMO_HELP:
            ShowReportHelp(dialog, HELP_MEMORIZE_NAME);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}
