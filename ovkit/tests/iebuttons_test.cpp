#include <gtest/gtest.h>
#include "../src/bitmaps/color_depth.h"
#include "canvas.h"
#include "library_ini.h"
#include "msgbox_watcher.h"
#include "ovkit/iebuttons.h"
#include "ovkit/startup.h"
#include "wait_until.h"
#include <string>
#include <vector>

namespace {

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

std::vector<WPARAM> g_commands;
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND)
        g_commands.push_back(w);
    return DefWindowProcA(window, message, w, l);
}

const WORD kPlaceholder = 77;

// A dialog-like parent 300 wide with a placeholder at y 10, 60 high, and a
// bar of two buttons (commands 501 and 502) in three widths.
class ButtonBar : public ::testing::Test {
  protected:
    void SetUp() override {
        if (OwnDesktop()) {
            // Activation, capture and the window under the mouse are then this
            // test's alone, whatever else runs on the machine. The switch
            // needs a thread that owns no window; without it the topmost
            // parent below still keeps most other windows out of the way.
            home_ = GetThreadDesktop(GetCurrentThreadId());
            desktop_ =
                CreateDesktopA("OvkitButtonBarTest", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
            if (desktop_ && !SetThreadDesktop(desktop_)) {
                CloseDesktop(desktop_);
                desktop_ = nullptr;
            }
        }
        ASSERT_TRUE(OvkitProcessAttach(Self()));
        // Other tests leave the shared cursor anywhere: park it off the bar,
        // or its first mouse move lights a button before the test begins.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = Self();
        wc.lpszClassName = "OvkitBarParent";
        RegisterClassA(&wc);
        parent_ = CreateWindowExA(WS_EX_TOPMOST, "OvkitBarParent", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                  300, 100, nullptr, nullptr, Self(), nullptr);
        SetActiveWindow(parent_);
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 10, 300, 60, parent_,
                        reinterpret_cast<HMENU>(kPlaceholder), Self(), nullptr);
        buttons_[0] = {501, 1, Self(), {}, 0, 0};
        buttons_[1] = {502, 2, Self(), {}, 0, 0};
        record_ = IEButtonsBar();
        record_.placeholderId = kPlaceholder;
        record_.pictureId = 1169;
        record_.pictureId16 = 1169;
        record_.module = Self();
        record_.buttonCount = 2;
        record_.widthDivisions = 3;
        record_.buttons = buttons_;
        g_commands.clear();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        UnregisterClassA("OvkitBarParent", Self());
        OvkitOverrideScreen(0, -1);
        OvkitProcessDetach();
        if (desktop_) {
            SetThreadDesktop(home_);
            CloseDesktop(desktop_);
        }
    }
    // Mouse tests run on a desktop of their own; message boxes are watched
    // on the usual one.
    virtual bool OwnDesktop() const { return false; }
    HWND Create() {
        bar_ = OVKIT_CreateToolbarWindow("", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent_, 900, 0,
                                         &record_);
        ovtest::PumpMessages();
        return bar_;
    }
    void Send(UINT message, int x, int y, WPARAM keys = 0) {
        SendMessageA(bar_, message, keys, MAKELPARAM(x, y));
        ovtest::PumpMessages();
    }
    WORD State(int i) const { return buttons_[i].state; }
    // The bar as it draws itself.
    void Print(ovkittest::Canvas& canvas) {
        SendMessageA(bar_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    }

    HDESK home_ = nullptr;
    HDESK desktop_ = nullptr;
    HWND parent_ = nullptr;
    HWND bar_ = nullptr;
    IEButton buttons_[2];
    IEButtonsBar record_;
};

class ButtonBarMouse : public ButtonBar {
  protected:
    bool OwnDesktop() const override { return true; }
};

} // namespace

TEST_F(ButtonBar, TakesThePlaceholdersPlace) {
    ASSERT_NE(Create(), nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(parent_, kPlaceholder)));
    RECT r;
    GetWindowRect(bar_, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 60);
    EXPECT_EQ(record_.cellWidth, 8);
    EXPECT_EQ(record_.cellHeight, 5);
    EXPECT_EQ(buttons_[1].rect.left, 100);
    EXPECT_EQ(record_.hotButton, OVKIT_IEB_NONE);
    EXPECT_EQ(record_.pictureX, 46);
}

TEST_F(ButtonBarMouse, ClickSendsTheCommandAndLightsTheButton) {
    ASSERT_NE(Create(), nullptr);
    Send(WM_MOUSEMOVE, 50, 30);
    EXPECT_EQ(State(0), OVKIT_IEB_HOT);
    ovkittest::Canvas hot(200, 60);
    Print(hot);
    EXPECT_EQ(hot.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised frame";
    EXPECT_EQ(hot.At(100, 0), GetSysColor(COLOR_BTNFACE));
    Send(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    EXPECT_EQ(State(0), OVKIT_IEB_PRESSED);
    ovkittest::Canvas pressed(200, 60);
    Print(pressed);
    EXPECT_EQ(pressed.At(0, 0), GetSysColor(COLOR_BTNSHADOW)) << "sunk frame";
    Send(WM_LBUTTONUP, 50, 30);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0], 501u);
    EXPECT_EQ(State(0), OVKIT_IEB_NORMAL);
    EXPECT_EQ(record_.hotButton, OVKIT_IEB_NONE);

    Send(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 150, 30, MK_LBUTTON);
    Send(WM_LBUTTONUP, 150, 30);
    EXPECT_TRUE(g_commands.size() == 1) << "a click from one button to another sends nothing";
    Send(WM_MOUSEMOVE, 250, 30);
    EXPECT_EQ(State(1), OVKIT_IEB_NORMAL) << "left the bar";
    EXPECT_NE(GetCapture(), bar_);
}

TEST_F(ButtonBarMouse, DisabledButtonIsDrawnGreyAndNotClickable) {
    ASSERT_NE(Create(), nullptr);
    Send(WM_MOUSEMOVE, 150, 30);
    ASSERT_EQ(State(1), OVKIT_IEB_HOT);
    ovkittest::Canvas before(200, 60);
    Print(before);
    SendMessageA(bar_, OVKIT_IEB_ENABLE, 0, 502);
    EXPECT_EQ(State(1), OVKIT_IEB_DISABLED);
    EXPECT_EQ(SendMessageA(bar_, OVKIT_IEB_ISENABLED, 0, 502), 0);
    EXPECT_EQ(SendMessageA(bar_, OVKIT_IEB_ISENABLED, 0, 501), 1);
    EXPECT_EQ(SendMessageA(bar_, OVKIT_IEB_ISENABLED, 0, 999), -1);
    ovkittest::Canvas after(200, 60);
    Print(after);
    int changed = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 100; x < 200; ++x)
            changed += before.At(x, y) != after.At(x, y);
    EXPECT_GT(changed, 0);
    Send(WM_LBUTTONDOWN, 150, 30, MK_LBUTTON);
    Send(WM_LBUTTONUP, 150, 30);
    EXPECT_TRUE(g_commands.empty());
    SendMessageA(bar_, OVKIT_IEB_ENABLE, 1, 502);
    EXPECT_EQ(SendMessageA(bar_, OVKIT_IEB_ISENABLED, 0, 502), 1);
}

TEST_F(ButtonBarMouse, QuickHelpOpensAfterTheDelay) {
    ASSERT_NE(Create(), nullptr);
    Send(WM_MOUSEMOVE, 50, 30);
    EXPECT_TRUE(ovtest::WaitUntil([&] { return record_.quickHelp != nullptr; }));
    char text[64] = "";
    GetWindowTextA(record_.quickHelp, text, sizeof text);
    EXPECT_STREQ(text, "Failed to load a bitmap resource.") << "the caption string";
    RECT r;
    GetWindowRect(record_.quickHelp, &r);
    EXPECT_EQ(r.top, 70) << "just below the button";
    EXPECT_NEAR((r.left + r.right) / 2, 50, 1);
    Send(WM_MOUSEMOVE, 250, 30);
    EXPECT_EQ(record_.quickHelp, nullptr);
}

TEST_F(ButtonBarMouse, NoQuickHelpWhenItsDelayIsZero) {
    OvkitProcessDetach();
    ovkittest::ScopedLibraryIni off("RepaintInfoSection", "QuickHelpDelay", "0");
    ASSERT_TRUE(OvkitProcessAttach(Self()));
    ASSERT_NE(Create(), nullptr);
    Send(WM_MOUSEMOVE, 50, 30);
    EXPECT_EQ(record_.quickHelpTimer, 0);
    EXPECT_FALSE(ovtest::WaitUntil([&] { return record_.quickHelp != nullptr; }, 1500));
}

TEST_F(ButtonBar, PictureAndBackgroundByScreenColours) {
    record_.backgroundId = 1153;
    record_.backgroundModule = Self();
    record_.pictureId = 4321; // missing: only the 16-colour picture exists
    OvkitOverrideScreen(4, -1);
    ASSERT_NE(Create(), nullptr) << "the second picture id on a 16-colour screen";
    EXPECT_EQ(record_.background, nullptr);
    DestroyWindow(bar_);

    OvkitOverrideScreen(0, -1);
    record_.pictureId = 1169;
    ASSERT_NE(Create(), nullptr);
    EXPECT_NE(record_.background, nullptr) << "the faint background on a rich screen";
}

TEST_F(ButtonBar, MissingPictureFailsWithAMessage) {
    record_.pictureId = record_.pictureId16 = 4321;
    ovtest::MsgBoxWatcher boxes;
    EXPECT_EQ(Create(), nullptr);
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].text, "Failed to load a bitmap resource.");
    EXPECT_EQ(boxes.Seen()[0].caption, "Ostrevane User Interface DLL");
}
