#include "control_fixture.h"
#include "ovkit/progress.h"
#include "ovkit/startup.h"

namespace {

using ProgressDialogTest = ovtest::ControlTest;

HWND BarOf(HWND dialog) {
    return FindWindowExA(GetDlgItem(dialog, 1001), nullptr, "Ostrevane Progress Bar", nullptr);
}

std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST_F(ProgressDialogTest, OpensDisablingTheParentAndCancelSetsTheFlag) {
    int cancel = 7;
    HWND dialog = OVKIT_OpenProgressBar(parent_->window(), "Reading logs", "access.log",
                                        "%d%% done", SW_SHOW, &cancel);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(cancel, 0);
    EXPECT_FALSE(IsWindowEnabled(parent_->window()));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), parent_->window());
    EXPECT_EQ(TextOf(dialog), "Reading logs");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1002)), "access.log");
    HWND bar = BarOf(dialog);
    ASSERT_NE(bar, nullptr);
    // The dialog passes the bar's messages on.
    SendMessageA(dialog, OVKIT_PB_SETTOTAL, 10, 0);
    SendMessageA(dialog, OVKIT_PB_SETPOS, 5, 0);
    ovtest::ClientPicture picture(bar);
    EXPECT_EQ(picture.At(picture.width() / 2 - 1, 0), ovtest::Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(picture.At(picture.width() / 2 + 1, 0), ovtest::Sys(COLOR_BTNFACE));

    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(cancel, 1);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(parent_->window()));
}

TEST_F(ProgressDialogTest, CloseCancelsAndCallerMayCloseItself) {
    int cancel = 0;
    HWND dialog = OVKIT_OpenProgressBar(parent_->window(), "t", "m", "%d", SW_SHOW, &cancel);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ovtest::WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(cancel, 1);

    dialog = OVKIT_OpenProgressBar(parent_->window(), "t", "m", "%d", SW_SHOW, &cancel);
    HWND variable = dialog;
    OVKIT_DestroyModeless(parent_->window(), &variable);
    EXPECT_EQ(variable, nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(cancel, 0);
    EXPECT_TRUE(IsWindowEnabled(parent_->window()));
}

// Guards: a second dialog opened while the first was still open lost its
// values when the first one ended, so its Cancel set no flag.
TEST_F(ProgressDialogTest, SecondDialogClosesTheFirstAndKeepsItsOwnFlag) {
    int first = 0, second = 0;
    HWND one = OVKIT_OpenProgressBar(parent_->window(), "one", "m", "%d", SW_SHOW, &first);
    HWND two = OVKIT_OpenProgressBar(parent_->window(), "two", "m", "%d", SW_SHOW, &second);
    EXPECT_FALSE(IsWindow(one));
    ASSERT_TRUE(IsWindow(two));
    EXPECT_FALSE(IsWindowEnabled(parent_->window()));
    SendMessageA(two, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(second, 1);
    EXPECT_FALSE(IsWindow(two));
    EXPECT_TRUE(IsWindowEnabled(parent_->window()));
}

INT_PTR CALLBACK ClosesAtOnce(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG)
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (message == WM_CLOSE)
        DestroyWindow(dialog);
    return message == WM_INITDIALOG;
}

TEST_F(ProgressDialogTest, ModelessWithOwnLoopReturnsWhenTheDialogIsGone) {
    HWND result = OVKIT_CreateModeless(parent_->window(), ClosesAtOnce, 1000,
                                       GetModuleHandleA(nullptr), 0, SW_SHOW, TRUE, TRUE);
    EXPECT_EQ(result, nullptr);
    EXPECT_TRUE(IsWindowEnabled(parent_->window()));
    EXPECT_EQ(OVKIT_CreateModeless(parent_->window(), ClosesAtOnce, 4242, GetModuleHandleA(nullptr),
                                   0, SW_SHOW, FALSE, TRUE),
              nullptr);
    EXPECT_TRUE(IsWindowEnabled(parent_->window()));
}

HWND g_stayingDialog = nullptr;

INT_PTR CALLBACK Stays(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG)
        g_stayingDialog = dialog;
    return message == WM_INITDIALOG;
}

// Guards: the dialog's own loop swallowed WM_QUIT, so a program asked to end
// while a modeless dialog ran never ended.
TEST_F(ProgressDialogTest, ModelessLoopLeavesQuitForTheCaller) {
    PostQuitMessage(3);
    HWND result = OVKIT_CreateModeless(parent_->window(), Stays, 1000, GetModuleHandleA(nullptr), 0,
                                       SW_SHOW, TRUE, FALSE);
    EXPECT_EQ(result, nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(g_stayingDialog);
}

} // namespace
