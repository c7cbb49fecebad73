// The progress dialog driven by the messages its senders use.
#include <gtest/gtest.h>

#include "desk_run_fixture.h"
#include "ids_report_run.h"
#include "report_run/progress_dialog.h"
#include "report_run/progress_messages.h"
#include "report_run/report_delivery.h"
#include "wait_until.h"

namespace {

struct ProgressFixture : ::testing::Test {
    desktest::DeskInstall& desk = desktest::Desk(); // window classes and resources
    volatile LONG cancel = 0;
    HWND dialog = nullptr;

    void SetUp() override {
        dialog = ShowProgressDialog(nullptr, &cancel, "Testing", SW_SHOWNORMAL);
        ASSERT_NE(dialog, nullptr);
        ovtest::PumpMessages();
    }
    void TearDown() override {
        CloseProgressDialog();
        g_DocumentHandOverState = HANDOVER_IDLE;
    }
    HWND Bar() const {
        return FindWindowExA(GetDlgItem(dialog, IDC_PROGRESS_BAR_FRAME), nullptr,
                             PROGRESS_BAR_CLASS, nullptr);
    }
    std::string Status() const {
        char text[300] = "";
        GetDlgItemTextA(dialog, IDC_PROGRESS_STATUS, text, sizeof text);
        return text;
    }
};

TEST_F(ProgressFixture, PercentMessagesMoveTheBar) {
    ASSERT_NE(Bar(), nullptr);
    EXPECT_EQ(SendMessageA(Bar(), BAR_GET_POSITION, 0, 0), 0);
    UpdateProgressPercent(37);
    EXPECT_EQ(SendMessageA(Bar(), BAR_GET_POSITION, 0, 0), 37);
    SendMessageA(dialog, PROGRESS_STATUS_AND_PERCENT, 64, (LPARAM) "Half way");
    EXPECT_EQ(SendMessageA(Bar(), BAR_GET_POSITION, 0, 0), 64);
    EXPECT_EQ(Status(), "Half way");
    SetProgressCaption("Building Summary Report...");
    char caption[101];
    GetProgressCaption(caption);
    EXPECT_STREQ(caption, "Building Summary Report...");
    EXPECT_EQ(cancel, 0);
}

TEST_F(ProgressFixture, ButtonsSetTheCancelWordOnce) {
    struct Case {
        int button;
        LONG word;
    } cases[] = {{IDC_PROGRESS_CANCEL, 2}, {IDC_PROGRESS_STOP, 1}, {IDCANCEL, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        cancel = 0;
        SendMessageA(dialog, PROGRESS_SHOW_STOP, 0, 0);
        EnableWindow(GetDlgItem(dialog, IDC_PROGRESS_CANCEL), TRUE);
        SendMessageA(dialog, WM_COMMAND, (WPARAM)c.button, 0);
        EXPECT_TRUE(ovtest::WaitUntil([&] { return cancel != 0; }, 2000));
        EXPECT_EQ(cancel, c.word);
        // A second press finds the word set and changes nothing.
        SendMessageA(dialog, WM_COMMAND, IDC_PROGRESS_CANCEL, 0);
        ovtest::PumpMessages();
        EXPECT_EQ(cancel, c.word);
        EXPECT_TRUE(IsWindow(dialog)) << "the operation closes the dialog, not the dialog itself";
    }
}

TEST_F(ProgressFixture, OfficeStepsOutsideTheTableAreIgnored) {
    SetProgressStatus("before");
    SendMessageA(dialog, PROGRESS_OFFICE_STEP, 18, 0);
    SendMessageA(dialog, PROGRESS_OFFICE_STEP, (WPARAM)-1, 0);
    EXPECT_EQ(Status(), "before");
    SendMessageA(dialog, PROGRESS_OFFICE_STEP, 4, 3);
    EXPECT_EQ(Status(), "MS-Word Report: Inserting tables...3");
    SendMessageA(dialog, PROGRESS_OFFICE_STEP, 17, 0);
    EXPECT_EQ(Status(), "MS-Word Report: Inserting CR/LFs...");
}

TEST_F(ProgressFixture, OfficeOutcomeEndsTheHandOver) {
    struct Case {
        LPARAM result;
        DocumentHandOverState state;
    } cases[] = {{1, HANDOVER_FINISHED}, {0, HANDOVER_FAILED}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        cancel = 0;
        g_DocumentHandOverState = HANDOVER_WAITING;
        SendMessageA(dialog, PROGRESS_OFFICE_PERCENT, 50, c.result);
        EXPECT_EQ(g_DocumentHandOverState, HANDOVER_WAITING);
        SendMessageA(dialog, PROGRESS_OFFICE_PERCENT, 100, c.result);
        EXPECT_EQ(g_DocumentHandOverState, c.state);
        EXPECT_TRUE(ovtest::WaitUntil([&] { return cancel == 2; }, 2000));
    }
}

TEST_F(ProgressFixture, CreatingOutputDisablesCancel) {
    EnableWindow(GetDlgItem(dialog, IDC_PROGRESS_CANCEL), TRUE);
    ChangeProgressToCreatingOutput();
    EXPECT_EQ(Status(), "Creating output file.");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PROGRESS_CANCEL)));
}

TEST(ProgressBar, UnsetMaximumShowsNothingAndRepeatsChangeNothing) {
    desktest::Desk(); // window classes
    HWND bar = CreateWindowExA(0, PROGRESS_BAR_CLASS, "", WS_POPUP, 0, 0, 100, 16, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageA(bar, BAR_GET_POSITION, 0, 0), -1);
    SendMessageA(bar, BAR_SET_POSITION, 20, 0);
    SendMessageA(bar, BAR_SET_POSITION_OFFICE, 30, 0);
    EXPECT_EQ(SendMessageA(bar, BAR_GET_POSITION, 0, 0), 30);
    DestroyWindow(bar);
}

} // namespace
