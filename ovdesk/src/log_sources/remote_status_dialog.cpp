// The "Searching For Log Files..." dialog that the finder's progress
// callback keeps up from its first call to the end of the search.
#include "log_sources/remote_log_search.h"

#include "desk_services.h"
#include "resource_ids.h"
#include "services/dialog_services.h"
#include "startup/plugin_state.h"

namespace {
struct StatusState {
    HWND Dialog;
    HWND Owner;
    HFONT BoldFont;
    LONG StopAsked;
};
StatusState g_status = {};

void OnInit(HWND dialog) {
    g_status.BoldFont = PrepWindowFonts(dialog);
    // Windows before 4.0 draw no sunken static frames of their own.
    if (LOBYTE(LOWORD(GetVersion())) < 4)
        DecorateControl(GetDlgItem(dialog, IDC_FIND_STATUS_FRAME), DECORATION_SUNKEN);
    CenterWindowOnScreen(dialog);
}

void OnDestroy(HWND dialog) {
    HFONT own = (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0);
    if (g_status.BoldFont && g_status.BoldFont != own)
        DeleteObject(g_status.BoldFont);
    g_status.BoldFont = nullptr;
}
} // namespace

INT_PTR CALLBACK FindRemoteStatusDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            g_status.StopAsked = 1;
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
        } else if (LOWORD(wParam) == IDC_FIND_STATUS_HELP) {
            WinHelpA(dialog, GetHelpPath(), HELP_INDEX, 0);
        }
        return TRUE;
    case WM_FIND_STATUS_CAPTION:
        SetWindowTextA(dialog, (const char*)lParam);
        return TRUE;
    case WM_FIND_STATUS_TEXT:
        SetDlgItemTextA(dialog, IDC_FIND_STATUS_TEXT, (const char*)lParam);
        return TRUE;
    }
    return FALSE;
}

int CALLBACK RemoteLogFileCallback(HWND parent, const char* status) {
    if (!g_status.Dialog) {
        g_status.StopAsked = 0;
        g_status.Owner = parent;
        g_status.Dialog =
            RunModelessDialog(parent, FindRemoteStatusDlg, IDD_FIND_REMOTE_STATUS, 0, SW_SHOW);
        if (!g_status.Dialog)
            return 1;
    }
    if (status)
        SetDlgItemTextA(g_status.Dialog, IDC_FIND_STATUS_TEXT, status);
    if (!g_status.StopAsked) {
        PumpMessages();
        return 0;
    }
    g_status.StopAsked = 0;
    return 1;
}

void CALLBACK CloseRemoteStatusDialog(void) {
    if (g_status.Dialog)
        CloseModelessDialog(g_status.Owner, &g_status.Dialog);
    g_status.Dialog = nullptr;
    g_status.Owner = nullptr;
}

HWND GetRemoteStatusDialog(void) {
    return g_status.Dialog;
}
