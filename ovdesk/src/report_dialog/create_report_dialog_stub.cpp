// Placeholder until the Create Report dialog lands: the dialog cannot be
// made, so every caller takes its failure path.
#include "report_dialog/create_report_dialog.h"

ReportSettings g_ReportSettings = {"(Default)", ".\\REPORT.HTM", "", ""};
char g_ReportLanguage[64] = "ENGLISH";
char g_ReportTitle[200] = "";

INT_PTR CALLBACK CreateReportDlg(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK GetMemorizeNameDlg(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        EndDialog(dialog, 2);
        return TRUE;
    }
    return FALSE;
}

BOOL CheckNetworkForProfile(HWND, AnalysisProfile*) {
    return FALSE;
}
