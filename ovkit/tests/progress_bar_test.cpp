#include "control_fixture.h"
#include "ovkit/progress.h"
#include "ovkit/startup.h"

using ovtest::ClientPicture;
using ovtest::Sys;

namespace {

const int kBarWidth = 200;
const int kBarHeight = 24;

class ProgressBarTest : public ovtest::ControlTest {
  protected:
    HWND MakeBar() {
        HWND bar = CreateWindowExA(0, "Ostrevane Progress Bar", "", WS_CHILD | WS_VISIBLE, 0, 0,
                                   kBarWidth, kBarHeight, parent_->window(), nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SendMessageA(bar, OVKIT_PB_SETTEXT, 0, reinterpret_cast<LPARAM>("%d%%"));
        return bar;
    }
};

// The first column of the top row (above the text) in the button-face
// colour: where the done part ends.
int SplitOf(HWND bar) {
    ClientPicture picture(bar);
    for (int x = 0; x < picture.width(); ++x) {
        if (picture.At(x, 0) != Sys(COLOR_HIGHLIGHT))
            return picture.At(x, 0) == Sys(COLOR_BTNFACE) ? x : -1;
    }
    return picture.width();
}

TEST_F(ProgressBarTest, DonePartEndsAtPositionOverTotal) {
    const struct {
        DWORD total;
        DWORD position;
        int split;
    } cases[] = {
        {200, 50, kBarWidth / 4},
        {0, 50, 0},                            // no total: 0 per cent
        {100, 150, kBarWidth},                 // beyond the total: at most all
        {200000000, 100000000, kBarWidth / 2}, // wide arithmetic: the product passes 32 bits
        {4000000000u, 3000000000u, kBarWidth * 3 / 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " of " << c.total);
        HWND bar = MakeBar();
        SendMessageA(bar, OVKIT_PB_SETTOTAL, c.total, 0);
        SendMessageA(bar, OVKIT_PB_SETPOS, c.position, 0);
        EXPECT_EQ(SplitOf(bar), c.split);
        DestroyWindow(bar);
    }
}

TEST_F(ProgressBarTest, PositionOnlyMovesForwardAndZeroResets) {
    HWND bar = MakeBar();
    SendMessageA(bar, OVKIT_PB_SETTOTAL, 100, 0);
    SendMessageA(bar, OVKIT_PB_SETPOS, 50, 0);
    SendMessageA(bar, OVKIT_PB_SETPOS, 30, 0);
    EXPECT_EQ(SplitOf(bar), kBarWidth / 2);
    SendMessageA(bar, OVKIT_PB_SETPOS, 0, 0);
    EXPECT_EQ(SplitOf(bar), 0);
    SendMessageA(bar, OVKIT_PB_SETPOS, 10, 0);
    EXPECT_EQ(SplitOf(bar), kBarWidth / 10);
}

TEST_F(ProgressBarTest, RestartCountsAgainstHundredAndEmptiesTheQueue) {
    HWND bar = MakeBar();
    SendMessageA(bar, OVKIT_PB_SETTOTAL, 1000, 0);
    SendMessageA(bar, OVKIT_PB_SETPOS, 900, 0);
    PostMessageA(parent_->window(), WM_USER + 7, 0, 0);
    SendMessageA(bar, OVKIT_PB_RESTART, 25, reinterpret_cast<LPARAM>("%d"));
    EXPECT_EQ(SplitOf(bar), kBarWidth / 4);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(parent_->Received(WM_USER + 7).size(), 1u);
}

TEST_F(ProgressBarTest, OwnedFontIsDeletedWithTheBar) {
    const struct {
        WORD style;
        bool deleted;
    } cases[] = {{0, false}, {OVKIT_PB_OWNFONT, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        HWND bar = MakeBar();
        SendMessageA(bar, OVKIT_PB_SETFONT, 0, reinterpret_cast<LPARAM>(font));
        SendMessageA(bar, OVKIT_PB_SETSTYLE, c.style, 0);
        DestroyWindow(bar);
        LOGFONTA info;
        EXPECT_EQ(GetObjectA(font, sizeof info, &info) == 0, c.deleted);
        if (!c.deleted)
            DeleteObject(font);
    }
}

TEST_F(ProgressBarTest, CreatedInsideTheItemInsetByOnePixel) {
    HWND item = CreateWindowExA(0, "static", "", WS_CHILD | WS_VISIBLE, 5, 5, 120, 20,
                                parent_->window(), reinterpret_cast<HMENU>(77), nullptr, nullptr);
    HWND bar = OVKIT_CreateProgressBar(parent_->window(), 77, nullptr, "%d%%");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetParent(bar), item);
    RECT rect;
    GetWindowRect(bar, &rect);
    MapWindowPoints(nullptr, item, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 1);
    EXPECT_EQ(rect.right, 119);
    EXPECT_EQ(rect.bottom, 19);
    EXPECT_EQ(OVKIT_CreateProgressBar(parent_->window(), 78, nullptr, "%d"), nullptr);
}

} // namespace
