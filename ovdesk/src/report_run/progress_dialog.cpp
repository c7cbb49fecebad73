// The one modeless progress dialog of the plug-in's long operations, and the
// functions other areas drive it with.
#include "report_run/progress_dialog.h"
#include "report_run/progress_messages.h"
#include "report_run/remote_status.h"
#include "report_run/report_delivery.h"
#include "report_run/report_run.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovcore/ovcore.h"
#include "ovkit/custom_controls.h"
#include "ovkit/resources.h"
#include "startup/plugin_state.h"
#include <cstdio>

namespace {
enum { TIMEOUT_TIMER_ID = 1000, DEFAULT_OFFICE_TIMEOUT = 60, CAPTION_CHARS = 100 };

struct ProgressDialogState {
    HWND Bar;
    HFONT BoldFont;
    ProgressDialogParams Params;
    int TimeoutSeconds;
    UINT_PTR Timer;
    int Ticks;
    HWND Dialog;
};
ProgressDialogState g_progress;

bool CancelAlreadySet(void) {
    return g_progress.Params.CancelFlag && *g_progress.Params.CancelFlag != 0;
}

void SetStatusText(HWND dialog, const char* text) {
    SetDlgItemTextA(dialog, IDC_PROGRESS_STATUS, text ? text : "");
}

void SetStatusFormat(HWND dialog, const char* format, LPARAM text) {
    char line[300];
    snprintf(line, sizeof line, format, text ? (const char*)text : "");
    SetStatusText(dialog, line);
}

void ShowStopButton(HWND dialog, BOOL show) {
    HWND stop = GetDlgItem(dialog, IDC_PROGRESS_STOP);
    EnableWindow(stop, show);
    ShowWindow(stop, show ? SW_SHOW : SW_HIDE);
}

void SendBarPercent(WPARAM percent) {
    if (g_progress.Bar)
        SendMessageA(g_progress.Bar, BAR_SET_POSITION, percent, 0);
}

BOOL CreateBar(HWND dialog) {
    HWND frame = GetDlgItem(dialog, IDC_PROGRESS_BAR_FRAME);
    RECT r = {};
    if (frame)
        GetClientRect(frame, &r);
    g_progress.Bar =
        frame ? CreateWindowExA(0, PROGRESS_BAR_CLASS, "", WS_CHILD | WS_VISIBLE, 1, 1, r.right - 2,
                                r.bottom - 2, frame, nullptr, GetPluginInstance(), nullptr)
              : nullptr;
    if (!g_progress.Bar)
        return FALSE;
    PostMessageA(g_progress.Bar, BAR_SET_FLAGS, 0, 0);
    char format[64];
    SendMessageA(g_progress.Bar, BAR_SET_FORMAT, 0,
                 (LPARAM)LoadText(IDS_PROGRESS_FORMAT, format, sizeof format));
    PostMessageA(g_progress.Bar, BAR_SET_MAXIMUM, 100, 0);
    PostMessageA(g_progress.Bar, BAR_SET_POSITION, 0, 0);
    PostMessageA(g_progress.Bar, BAR_SET_FONT, 0, (LPARAM)g_progress.BoldFont);
    return TRUE;
}

BOOL OnInitDialog(HWND dialog, const ProgressDialogParams* params) {
    g_progress.Bar = nullptr;
    g_progress.Timer = 0;
    g_progress.Ticks = 0;
    g_progress.BoldFont = PrepWindowFonts(dialog);
    if (params)
        g_progress.Params = *params;
    SetWindowTextA(dialog, g_progress.Params.Caption ? g_progress.Params.Caption : "");
    ShowStopButton(dialog, FALSE);
    g_progress.TimeoutSeconds =
        GetModuleProfileInt("Defaults", "WordTimeout", DEFAULT_OFFICE_TIMEOUT);
    if (g_progress.TimeoutSeconds <= 0)
        g_progress.TimeoutSeconds = DEFAULT_OFFICE_TIMEOUT;
    if (!CreateBar(dialog)) {
        // Without a bar nobody sees progress: stop the operation.
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    }
    OVKIT_SubclassFancyBitmap(GetDlgItem(dialog, IDC_PROGRESS_BANNER),
                              (UINT)OVKIT_GetBitmapResource(6), OVKIT_GetBitmapInstance());
    CenterWindowOnScreen(dialog);
    return TRUE;
}

void DisableButtons(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDC_PROGRESS_CANCEL), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_PROGRESS_STOP), FALSE);
}

void OnCommand(HWND dialog, WORD id) {
    if (CancelAlreadySet())
        return;
    switch (id) {
    case IDC_PROGRESS_STOP:
        DisableButtons(dialog);
        PostMessageA(dialog, WM_CLOSE, IDC_PROGRESS_STOP, 0);
        break;
    case IDOK:
        EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
        PostMessageA(dialog, WM_CLOSE, 0, 1);
        break;
    case IDCANCEL:
    case IDC_PROGRESS_CANCEL:
        g_DocumentHandOverState = HANDOVER_FAILED;
        DisableButtons(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        break;
    case IDC_PROGRESS_HELP:
        WinHelpA(dialog, GetHelpPath(), HELP_FINDER, 0);
        break;
    }
}

void OnClose(WPARAM wParam) {
    volatile LONG* flag = g_progress.Params.CancelFlag;
    if (flag && *flag == 0)
        *flag = wParam == IDC_PROGRESS_STOP ? 1 : 2;
}

// An office macro names its step by index; the index comes from another
// process, so anything outside the table is ignored.
void OnOfficeStep(HWND dialog, WPARAM step, LPARAM count) {
    g_progress.Ticks = 0;
    if (step >= OFFICE_STEP_COUNT)
        return;
    char stepText[128];
    LoadText(IDS_WORD_STEP_FIRST + (UINT)step, stepText, sizeof stepText);
    char line[300];
    if (LOWORD(count))
        snprintf(line, sizeof line, "%s: %s...%d", "MS-Word Report", stepText, (int)LOWORD(count));
    else
        snprintf(line, sizeof line, "%s: %s...", "MS-Word Report", stepText);
    SetStatusText(dialog, line);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void OnOfficePercent(HWND dialog, WPARAM percent, LPARAM result) {
    g_progress.Ticks = 0;
    SendBarPercent(percent);
    if (percent > 99) {
        g_DocumentHandOverState = LOWORD(result) ? HANDOVER_FINISHED : HANDOVER_FAILED;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

void OnTimer(HWND dialog) {
    if (++g_progress.Ticks < g_progress.TimeoutSeconds)
        return;
    KillTimer(dialog, g_progress.Timer);
    g_progress.Timer = 0;
    g_DocumentHandOverState = HANDOVER_FAILED;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void OnDestroy(HWND dialog) {
    OVKIT_UnsubclassWindow(GetDlgItem(dialog, IDC_PROGRESS_BANNER));
    HFONT dialogFont = (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0);
    if (g_progress.BoldFont && g_progress.BoldFont != dialogFont)
        DeleteObject(g_progress.BoldFont);
    g_progress.BoldFont = nullptr;
    if (g_progress.Timer)
        KillTimer(dialog, g_progress.Timer);
    g_progress.Timer = 0;
    g_progress.Bar = nullptr;
}

// Status lines of the messages that carry no text of their own.
const char* FixedStatus(UINT message) {
    switch (message) {
    case PROGRESS_DISCONNECTING:
        return "Disconnecting...";
    case PROGRESS_TRANSFER_COMPLETE:
        return "Transfer Complete.";
    case PROGRESS_SORTING:
        return "Sorting database records; please wait.";
    case PROGRESS_SYNCHRONIZING:
        return "Synchronizing files...";
    case PROGRESS_CONNECTING:
        return "Connecting to host...";
    case PROGRESS_BUILDING_MAIL:
        return "Building mail message";
    case PROGRESS_BUILDING_ATTACHMENTS:
        return "Building mail attachments";
    case PROGRESS_SENDING_MAIL:
        return "Sending mail";
    }
    return nullptr;
}

// Status lines of the messages that fill a text into a format.
const char* StatusFormat(UINT message) {
    switch (message) {
    case PROGRESS_SENDING:
        return "Sending: %s";
    case PROGRESS_SMTP_CONNECTING:
        return "Connecting to SMTP Server %s";
    case PROGRESS_BYTES_RECEIVED:
        return "%s bytes received.";
    case PROGRESS_READING_RECORD:
        return "Reading database, record number %s";
    }
    return nullptr;
}
} // namespace

INT_PTR CALLBACK ProgressDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const char* fixed = FixedStatus(message)) {
        SetStatusText(dialog, fixed);
        return TRUE;
    }
    if (const char* format = StatusFormat(message)) {
        SetStatusFormat(dialog, format, lParam);
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (const ProgressDialogParams*)lParam);
    case PROGRESS_SET_PERCENT:
        SendBarPercent(wParam);
        return TRUE;
    case PROGRESS_SET_CAPTION:
        SetWindowTextA(dialog, lParam ? (const char*)lParam : "");
        ShowStopButton(dialog, FALSE);
        return TRUE;
    case PROGRESS_SET_STATUS:
        SetStatusText(dialog, (const char*)lParam);
        return TRUE;
    case PROGRESS_SHOW_STOP:
        ShowStopButton(dialog, TRUE);
        return TRUE;
    case PROGRESS_STATUS_AND_PERCENT:
        SetStatusText(dialog, (const char*)lParam);
        SendBarPercent(wParam);
        return TRUE;
    case PROGRESS_OFFICE_STEP:
        OnOfficeStep(dialog, wParam, lParam);
        return TRUE;
    case PROGRESS_OFFICE_PERCENT:
        OnOfficePercent(dialog, wParam, lParam);
        return TRUE;
    case PROGRESS_OFFICE_CANCEL:
        g_DocumentHandOverState = HANDOVER_FAILED;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    case PROGRESS_OFFICE_START_TIMER:
        g_progress.Ticks = 0;
        g_progress.Timer = SetTimer(dialog, TIMEOUT_TIMER_ID, 1000, nullptr);
        EnableWindow(GetDlgItem(dialog, IDC_PROGRESS_CANCEL), TRUE);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        OnClose(wParam);
        return TRUE;
    case WM_TIMER:
        OnTimer(dialog);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}

HWND ShowProgressDialog(HWND owner, volatile LONG* cancelFlag, const char* caption,
                        int showCommand) {
    g_progress.Params.Caption = caption;
    g_progress.Params.CancelFlag = cancelFlag;
    HWND dialog = RunModelessDialog(owner, ProgressDlg, IDD_PROGRESS, (LPARAM)&g_progress.Params,
                                    showCommand);
    if (!dialog)
        return nullptr;
    ORB_SetProgressHWND(dialog);
    ORB_SetCancelBOOL((const BOOL*)cancelFlag);
    g_progress.Dialog = dialog;
    return dialog;
}

void CloseProgressDialog(void) {
    HWND dialog = g_progress.Dialog;
    g_progress.Dialog = nullptr;
    if (!dialog)
        return;
    ORB_SetProgressHWND(nullptr);
    ORB_SetCancelBOOL(nullptr);
    CloseModelessDialog(IsWindow(dialog) ? GetParent(dialog) : nullptr, &dialog);
}

HWND GetProgressDialog(void) {
    return g_progress.Dialog;
}

void SetProgressCaption(const char* text) {
    if (g_progress.Dialog)
        SendMessageA(g_progress.Dialog, PROGRESS_SET_CAPTION, 0, (LPARAM)text);
}

void SetProgressStatus(const char* text) {
    if (g_progress.Dialog)
        SendMessageA(g_progress.Dialog, PROGRESS_SET_STATUS, 0, (LPARAM)text);
}

void GetProgressCaption(char* buffer) {
    buffer[0] = '\0';
    if (g_progress.Dialog)
        GetWindowTextA(g_progress.Dialog, buffer, CAPTION_CHARS + 1);
}

void CALLBACK ChangeProgressToCreatingOutput(void) {
    if (!g_progress.Dialog)
        return;
    char text[64];
    SetProgressStatus(LoadText(IDS_CREATING_OUTPUT, text, sizeof text));
    EnableWindow(GetDlgItem(g_progress.Dialog, IDC_PROGRESS_CANCEL), FALSE);
}

void UpdateProgressPercent(int percent) {
    if (g_progress.Dialog)
        SendMessageA(g_progress.Dialog, PROGRESS_SET_PERCENT, (WPARAM)percent, 0);
    WriteRemoteRunPercent(GetCurrentRunRequest(), percent);
}
