// The overlapping log files notice.
#include "report_run/overlap_notice.h"
#include "desk_services.h"
#include "ids_report_run.h"

namespace {
AnalysisProfile* g_noticeProfile = nullptr;

void OnInit(HWND dialog, AnalysisProfile* profile) {
    g_noticeProfile = profile;
    bool several = profile && ServerList_Count(&profile->Servers) >= 2;
    SetDlgItemTextA(dialog, IDC_OVERLAP_TEXT,
                    several ? "The log files on at least one of the servers have starting and "
                              "ending times that overlap."
                            : "The log files specified have starting and ending times that "
                              "overlap.");
    CheckDlgButton(dialog, IDC_OVERLAP_DONT_SHOW,
                   profile && profile->DontShowOverlapMsg ? BST_CHECKED : BST_UNCHECKED);
    CenterWindowOnScreen(dialog);
}
} // namespace

INT_PTR CALLBACK OverlappedFilesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, (AnalysisProfile*)lParam);
        return TRUE;
    case WM_COMMAND:
        // Only OK ends the notice: Escape and Close leave it up.
        if (LOWORD(wParam) != IDOK)
            return TRUE;
        if (g_noticeProfile) {
            g_noticeProfile->DontShowOverlapMsg =
                IsDlgButtonChecked(dialog, IDC_OVERLAP_DONT_SHOW) == BST_CHECKED ? 1 : 0;
            // A file that cannot be rewritten keeps the choice for this run only.
            ORB_UpdateOrbisEntry(g_noticeProfile);
        }
        EndDialog(dialog, 1);
        return TRUE;
    case WM_CLOSE:
        return TRUE;
    }
    return FALSE;
}

INT_PTR ShowOverlapNotice(HWND owner, AnalysisProfile* profile) {
    return DialogBoxParamA(GetPluginInstance(), MAKEINTRESOURCEA(IDD_OVERLAP_NOTICE), owner,
                           OverlappedFilesDlgProc, (LPARAM)profile);
}
