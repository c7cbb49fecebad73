// The library's modeless progress dialog: a banner picture, a message line, a
// progress bar and Cancel. One at a time: its values are process-wide.
#include "control_support.h"
#include "base/library_resources.h"
#include "ovkit/progress.h"
#include "ovkit/resources.h"
#include "ovkit/startup.h"

using namespace ovkit_detail;

namespace {

struct ProgressDialog {
    HWND dialog;
    HWND parent;
    HWND bar;
    HFONT boldFont;
    HBITMAP picture;
    const char* title;
    const char* message;
    const char* format;
    int* cancelFlag;
};
ProgressDialog g_progress = {};

void ShowBanner(HWND dialog) {
    HBITMAP picture = static_cast<HBITMAP>(LoadImageA(OVKIT_GetBitmapInstance(),
                                                      MAKEINTRESOURCEA(OVKIT_GetBitmapResource(6)),
                                                      IMAGE_BITMAP, 0, 0, 0));
    if (!picture)
        return;
    g_progress.picture = picture;
    SendDlgItemMessageA(dialog, OVKIT_IDC_PROGRESS_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
}

void OnInit(HWND dialog) {
    g_progress.dialog = dialog;
    HWND text = GetDlgItem(dialog, OVKIT_IDC_PROGRESS_TEXT);
    g_progress.boldFont = MakeBoldCopy(text);
    if (g_progress.boldFont)
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(g_progress.boldFont), FALSE);
    SetWindowTextA(dialog, g_progress.title ? g_progress.title : "");
    SetWindowTextA(text, g_progress.message ? g_progress.message : "");
    if (g_progress.cancelFlag)
        *g_progress.cancelFlag = 0;
    g_progress.bar = OVKIT_CreateProgressBar(dialog, OVKIT_IDC_PROGRESS_FRAME, g_progress.boldFont,
                                             g_progress.format ? g_progress.format : "");
    if (!g_progress.bar) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return;
    }
    ShowBanner(dialog);
    CentreOnScreen(dialog);
}

void OnDestroy(HWND dialog) {
    if (dialog != g_progress.dialog)
        return; // a dialog that failed before its values were taken
    // The bar borrows the bold font; it goes with the dialog.
    if (g_progress.boldFont)
        DeleteObject(g_progress.boldFont);
    if (g_progress.picture)
        DeleteObject(g_progress.picture);
    g_progress = ProgressDialog{};
}

bool IsBarMessage(UINT message) {
    return message == OVKIT_PB_SETPOS || message == OVKIT_PB_SETTOTAL ||
           message == OVKIT_PB_SETFONT || message == OVKIT_PB_SETSTYLE ||
           message == OVKIT_PB_SETTEXT;
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsBarMessage(message)) {
        if (g_progress.bar)
            SendMessageA(g_progress.bar, message, wParam, lParam);
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            if (g_progress.cancelFlag)
                *g_progress.cancelFlag = 1;
            HWND self = dialog;
            OVKIT_DestroyModeless(g_progress.parent, &self);
        }
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return TRUE;
    }
    return FALSE;
}

} // namespace

HWND OVKIT_CALL OVKIT_OpenProgressBar(HWND parent, const char* title, const char* message,
                                      const char* format, int show, int* cancelFlag) {
    // One at a time: a dialog still open is closed first, so that its end
    // cannot clear the values of the new one.
    if (g_progress.dialog && IsWindow(g_progress.dialog)) {
        HWND open = g_progress.dialog;
        OVKIT_DestroyModeless(g_progress.parent, &open);
    }
    g_progress = ProgressDialog{};
    g_progress.parent = IsWindow(parent) ? parent : nullptr;
    g_progress.title = title;
    g_progress.message = message;
    g_progress.format = format;
    g_progress.cancelFlag = cancelFlag;
    return OVKIT_CreateModeless(parent, ProgressDialogProc, OVKIT_IDD_PROGRESS, OVKIT_GetInstance(),
                                0, show, FALSE, TRUE);
}
