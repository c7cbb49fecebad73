// Modeless dialogs and the message pump.
#include "desk_services.h"

namespace {
BOOL g_modelessUp = FALSE;
}

HWND RunModelessDialog(HWND owner, DLGPROC procedure, UINT templateId, LPARAM param,
                       int showCommand) {
    if (owner && IsWindow(owner)) {
        UpdateWindow(owner);
        EnableWindow(owner, FALSE);
    } else {
        owner = nullptr;
    }
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(templateId);
    HWND dialog = dialogTemplate ? CreateDialogIndirectParamA(GetPluginInstance(), dialogTemplate,
                                                              owner, procedure, param)
                                 : nullptr;
    if (!dialog) {
        if (owner)
            EnableWindow(owner, TRUE);
        return nullptr;
    }
    ShowWindow(dialog, showCommand);
    UpdateWindow(dialog);
    g_modelessUp = TRUE;
    return dialog;
}

int CloseModelessDialog(HWND owner, HWND* dialog) {
    if (owner && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
        SetFocus(owner);
        UpdateWindow(owner);
    }
    g_modelessUp = FALSE;
    if (!dialog || !*dialog || !IsWindow(*dialog)) {
        if (dialog)
            *dialog = nullptr;
        return 0;
    }
    DestroyWindow(*dialog);
    *dialog = nullptr;
    return 1;
}

int PumpMessages(void) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(0);
            return 1;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

int CALLBACK PeekMessageCallback(void) {
    return PumpMessages();
}
