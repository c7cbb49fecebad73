// The progress dialog (template 330) and its bar ("ovdesk Progress Bar").
#pragma once
#include <windows.h>

#define PROGRESS_BAR_CLASS "ovdesk Progress Bar"

struct ProgressDialogParams {
    const char* Caption;
    volatile LONG* CancelFlag; // 0 running, 1 stop here, 2 cancel
};

// Creates the dialog (null when it cannot) and hands it and the cancel flag
// to the engine.
HWND ShowProgressDialog(HWND owner, volatile LONG* cancelFlag, const char* caption,
                        int showCommand);
void CloseProgressDialog(void);
// The progress dialog now up, or null.
HWND GetProgressDialog(void);
void SetProgressCaption(const char* text);
void SetProgressStatus(const char* text);
// The caption, at most 100 characters, into buffer (101 bytes).
void GetProgressCaption(char* buffer);
extern "C" __declspec(dllexport) void CALLBACK ChangeProgressToCreatingOutput(void);
void UpdateProgressPercent(int percent);
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    ProgressDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Window procedure of the bar class (registered at start-up).
LRESULT CALLBACK ProgressBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
