// The overlapping log files notice.
#include <gtest/gtest.h>

#include "desk_run_fixture.h"
#include "ids_report_run.h"
#include "report_run/overlap_notice.h"

namespace {

TEST(OverlapNotice, OkStoresTheChoiceInTheProfileFileAndOnlyOkEnds) {
    desktest::DeskInstall& desk = desktest::Desk();
    for (int tick = 0; tick < 2; ++tick) {
        SCOPED_TRACE(tick);
        AnalysisProfile* profile = desk.WriteProfile("overlap", "c:\\a.log");
        profile->DontShowOverlapMsg = 1 - tick;
        HWND notice =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OVERLAP_NOTICE),
                               nullptr, OverlappedFilesDlgProc, (LPARAM)profile);
        ASSERT_NE(notice, nullptr);
        ShowWindow(notice, SW_SHOW);
        char text[200] = "";
        GetDlgItemTextA(notice, IDC_OVERLAP_TEXT, text, sizeof text);
        EXPECT_STREQ(text, "The log files specified have starting and ending times that overlap.");
        EXPECT_EQ(IsDlgButtonChecked(notice, IDC_OVERLAP_DONT_SHOW), (UINT)(1 - tick));
        CheckDlgButton(notice, IDC_OVERLAP_DONT_SHOW, tick ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(notice, WM_COMMAND, IDCANCEL, 0);
        SendMessageA(notice, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindowVisible(notice)) << "only OK ends the notice";
        SendMessageA(notice, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(profile->DontShowOverlapMsg, (DWORD)tick);
        AnalysisProfile* stored = AnalysisProfile_New();
        ReadOrbisFile((desk.Install().Data() + "overlap.wlp").c_str(), stored);
        EXPECT_EQ(stored->DontShowOverlapMsg, (DWORD)tick);
        AnalysisProfile_Free(stored);
        DestroyWindow(notice);
    }
}

} // namespace
