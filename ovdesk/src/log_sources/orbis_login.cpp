// The login dialog of a remote log source.
#include "log_sources/orbis_login.h"

#include <cstring>

#include "desk_services.h"
#include "ovkit/ftp.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include "startup/plugin_state.h"

namespace {
enum { LOGIN_PICTURE = 8, HELP_LOG_SOURCE_LOGIN = 4015, HELP_OTHER_LOGIN = 4016 };

OrbisLoginBlock* BlockOf(HWND dialog) {
    return (OrbisLoginBlock*)GetWindowLongPtrA(dialog, DWLP_USER);
}

void OnInit(HWND dialog, OrbisLoginBlock* block) {
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)block);
    SendDlgItemMessageA(dialog, IDC_LOGIN_USER, EM_LIMITTEXT, LOGIN_TEXT_SIZE - 1, 0);
    SendDlgItemMessageA(dialog, IDC_LOGIN_PASSWORD, EM_LIMITTEXT, LOGIN_TEXT_SIZE - 1, 0);
    SetDlgItemTextA(dialog, IDC_LOGIN_USER, block->UserName);
    SetDlgItemTextA(dialog, IDC_LOGIN_PASSWORD, block->Password);
    ShowDecorativePicture(dialog, IDC_LOGIN_BANNER, LOGIN_PICTURE);
    SetPropA(dialog, "OvLoginFont", PrepWindowFonts(dialog));
    CenterWindowOnScreen(dialog);
}

void OnDestroy(HWND dialog) {
    RemoveDecorativePicture(dialog, IDC_LOGIN_BANNER, LOGIN_PICTURE);
    HFONT bold = (HFONT)RemovePropA(dialog, "OvLoginFont");
    if (bold && bold != (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0))
        DeleteObject(bold);
}

void StoreTexts(HWND dialog, OrbisLoginBlock* block) {
    GetItemTextBounded(dialog, IDC_LOGIN_USER, block->UserName, LOGIN_TEXT_SIZE);
    GetItemTextBounded(dialog, IDC_LOGIN_PASSWORD, block->Password, LOGIN_TEXT_SIZE);
}

void Browse(HWND dialog, OrbisLoginBlock* block) {
    OVKIT_FtpBrowseRecord record = {};
    GetItemTextBounded(dialog, IDC_LOGIN_USER, record.user, sizeof record.user);
    GetItemTextBounded(dialog, IDC_LOGIN_PASSWORD, record.password, sizeof record.password);
    memcpy(record.address, block->RemotePath, sizeof record.address);
    record.address[sizeof record.address - 1] = '\0';
    if (!OVKIT_FtpBrowse(dialog, &record))
        return;
    StoreTexts(dialog, block);
    memcpy(block->RemotePath, record.address, sizeof block->RemotePath);
    block->RemotePath[sizeof block->RemotePath - 1] = '\0';
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, WORD id) {
    OrbisLoginBlock* block = BlockOf(dialog);
    switch (id) {
    case IDOK:
    case IDC_LOGIN_OK:
        StoreTexts(dialog, block);
        EndDialog(dialog, 1);
        break;
    case IDCANCEL:
    case IDC_LOGIN_CANCEL:
        EndDialog(dialog, 2);
        break;
    case IDC_LOGIN_BROWSE:
        Browse(dialog, block);
        break;
    case IDC_LOGIN_HELP:
    case IDC_LOGIN_HELP2:
        WinHelpA(dialog, GetHelpPath(), HELP_CONTEXT,
                 block->Kind == 1 ? HELP_LOG_SOURCE_LOGIN : HELP_OTHER_LOGIN);
        break;
    }
}
} // namespace

INT_PTR CALLBACK OrbisLoginDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, (OrbisLoginBlock*)lParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_SYSCOMMAND:
        // Only the buttons end the login: the system Close is refused.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR RunOrbisLogin(HWND owner, OrbisLoginBlock* block) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_ORBIS_LOGIN);
    if (!dialogTemplate)
        return -1;
    return DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, owner, OrbisLoginDlg,
                                   (LPARAM)block);
}
