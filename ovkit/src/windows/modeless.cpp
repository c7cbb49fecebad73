// Opening and closing modeless dialogs.
#include "ovkit/progress.h"

namespace {

// Runs the dialog's messages until it is gone. Waits for messages rather than
// spinning; a WM_QUIT ends the loop and is posted again for the caller.
void RunUntilGone(HWND dialog) {
    MSG msg;
    while (IsWindow(dialog)) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

} // namespace

HWND OVKIT_CALL OVKIT_CreateModeless(HWND parent, DLGPROC procedure, int templateId,
                                     HINSTANCE module, LPARAM initParam, int show, BOOL runLoop,
                                     BOOL ownAndDisable) {
    if (!IsWindow(parent))
        parent = nullptr;
    HWND owner = ownAndDisable ? parent : nullptr;
    HWND dialog =
        CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), owner, procedure, initParam);
    if (!dialog)
        return nullptr;
    ShowWindow(dialog, show);
    UpdateWindow(dialog);
    if (ownAndDisable && parent) {
        EnableWindow(parent, FALSE);
        UpdateWindow(parent);
    }
    if (!runLoop)
        return dialog;
    RunUntilGone(dialog);
    if (parent) {
        EnableWindow(parent, TRUE);
        UpdateWindow(parent);
    }
    return nullptr;
}

void OVKIT_CALL OVKIT_DestroyModeless(HWND parent, HWND* dialog) {
    if (parent)
        EnableWindow(parent, TRUE);
    if (dialog) {
        if (*dialog && IsWindow(*dialog))
            DestroyWindow(*dialog);
        *dialog = nullptr;
    }
    if (parent) {
        SetFocus(parent);
        UpdateWindow(parent);
    }
}
