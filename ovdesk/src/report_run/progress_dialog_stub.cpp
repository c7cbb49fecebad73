// Placeholder until the progress dialog lands.
#include "report_run/progress_dialog.h"

HWND ShowProgressDialog(HWND, volatile LONG*, const char*, int) {
    return nullptr;
}
void CloseProgressDialog(void) {}
HWND GetProgressDialog(void) {
    return nullptr;
}
void SetProgressCaption(const char*) {}
void SetProgressStatus(const char*) {}
void GetProgressCaption(char* buffer) {
    buffer[0] = '\0';
}
void CALLBACK ChangeProgressToCreatingOutput(void) {}
void UpdateProgressPercent(int) {}
INT_PTR CALLBACK ProgressDlg(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
LRESULT CALLBACK ProgressBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
