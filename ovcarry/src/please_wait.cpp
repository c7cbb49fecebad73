#include "please_wait.h"
#include "carry_resource.h"
#include "carry_state.h"
#include <string.h>

#define FILE_TEXT_CHARS 48

static void CentreOnScreen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND DisplayPleaseWait(HWND owner, DLGPROC procedure, LPARAM, BOOL disableOwner) {
    HWND parent = nullptr;
    if (owner && IsWindow(owner) && disableOwner) {
        EnableWindow(owner, FALSE);
        UpdateWindow(owner);
        parent = owner;
    }
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PLEASE_WAIT),
                                     parent, procedure, 0);
    if (!dialog)
        return nullptr;
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    return dialog;
}

INT_PTR CALLBACK PleaseWaitDlgProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        g_carry.PleaseWait = dialog;
        CentreOnScreen(dialog);
    } else if (message == WM_CLOSE) {
        DestroyWindow(dialog);
    } else if (message == WM_DESTROY && g_carry.PleaseWait == dialog) {
        g_carry.PleaseWait = nullptr;
    }
    return 0;
}

void ShowImportStep(const char* text) {
    if (g_carry.PleaseWait)
        SetDlgItemTextA(g_carry.PleaseWait, IDC_WAIT_STEP, text);
}

void ShowImportFile(const char* name) {
    if (!g_carry.PleaseWait)
        return;
    size_t length = strlen(name);
    char shown[FILE_TEXT_CHARS + 1];
    if (length > FILE_TEXT_CHARS) {
        memcpy(shown, "...", 3);
        memcpy(shown + 3, name + length - (FILE_TEXT_CHARS - 3), FILE_TEXT_CHARS - 3 + 1);
        name = shown;
    }
    SetDlgItemTextA(g_carry.PleaseWait, IDC_WAIT_FILE, name);
}

void ClosePleaseWait(void) {
    if (g_carry.PleaseWait)
        SendMessageA(g_carry.PleaseWait, WM_CLOSE, 0, 0);
}
