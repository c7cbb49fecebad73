// The modeless please-wait dialog that shows the step and file in work.
#pragma once
#include <windows.h>

// Creates the please-wait dialog; with an owner window and disableOwner set
// the owner is disabled and becomes the dialog's owner. The dialog, or null.
extern "C" __declspec(dllexport) HWND
    DisplayPleaseWait(HWND owner, DLGPROC procedure, LPARAM ignored, BOOL disableOwner);
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    PleaseWaitDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Sets the step text of the current please-wait dialog (none: nothing).
void ShowImportStep(const char* text);
// Sets the file text; a name longer than 48 characters shows as "..." and
// its last 45.
void ShowImportFile(const char* name);
// Closes the current please-wait dialog.
void ClosePleaseWait(void);
