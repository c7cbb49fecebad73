// The bar made in a host window: options, buttons, clicks, scrolling, tooltips.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "bandolet_fixture.h"
#include "bar_internal.h"
#include "wait_until.h"

using namespace bandolet_test;

namespace {

class BarTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(f.Loaded()); }
    void TearDown() override { f.api.Destroy(host.hwnd()); }
    BandoletBar* Bar() { return BarOf(host.hwnd()); }
    HWND BarWindow() { return f.api.GetToolbarHWND(host.hwnd()); }
    void Click(POINT down, POINT up) {
        SendMessageA(BarWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        SendMessageA(BarWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(up.x, up.y));
        SendMessageA(BarWindow(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
        ovtest::PumpMessages();
    }

    BandoletFixture f;
    HostWindow host{1200, 300};
};

} // namespace

TEST_F(BarTest, WithoutSettingsTakesTheDefaultsAndStoresWhatACommandChanges) {
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0));
    EXPECT_EQ(0x54Eu, Bar()->options);
    EXPECT_EQ(5000u, Bar()->leftmost);
    ASSERT_EQ(1, f.api.Command(host.hwnd(), 19000)); // small bitmaps
    EXPECT_EQ(0x44Du, Bar()->options);
    EXPECT_EQ(1, f.IniInt("TOOLBAR.INI", "WrittenOnce"));
    EXPECT_EQ(1, f.IniInt("TOOLBAR.INI", "SmallBitmaps"));
    EXPECT_EQ(0, f.IniInt("TOOLBAR.INI", "LargeBitmaps"));
    EXPECT_EQ(0, f.IniInt("TOOLBAR.INI", "Shadows"));
    EXPECT_EQ(1024, f.IniInt("TOOLBAR.INI", "Scrollable"));
    EXPECT_EQ(5000, f.IniInt("TOOLBAR.INI", "Leftmost"));
    // A new bar reads them back.
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0));
    EXPECT_EQ(0x44Du, Bar()->options);
}

TEST_F(BarTest, ReadsBothSizesFromTheFileAsLarge) {
    ASSERT_TRUE(f.Write("TOOLBAR.INI", "[Main]\r\nSmallBitmaps=1\r\nLargeBitmaps=2\r\n"));
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0));
    EXPECT_EQ(BANDOLET_LARGE, Bar()->options & (BANDOLET_LARGE | BANDOLET_SMALL));
}

TEST_F(BarTest, OwnSettingsFileGetsTheOptionsAndTheLeftmost) {
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0x54E));
    std::string own = f.Path("host-toolbar.ini");
    ASSERT_NE(nullptr, f.api.SetINIFilename(host.hwnd(), own.c_str(), 0x406));
    EXPECT_EQ(0x406u | BANDOLET_OWN_FILE, Bar()->options); // never written: as given
    f.api.Resize(host.hwnd());
    ASSERT_EQ(1, f.api.Command(host.hwnd(), 19005));
    ASSERT_EQ(1, f.api.Command(host.hwnd(), BANDOLET_CMD_SCROLL_RIGHT));
    EXPECT_EQ(16, f.IniInt("host-toolbar.ini", "Frame"));
    EXPECT_EQ(5030, f.IniInt("host-toolbar.ini", "Leftmost"));
    EXPECT_EQ(-1, f.IniInt("TOOLBAR.INI", "Leftmost"));
}

TEST_F(BarTest, MatchesButtonsAndMakesSubsetBars) {
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0x54E));
    const UINT two[] = {5000, BANDOLET_CMD_SEPARATOR, 5030, BANDOLET_CMD_SCROLL_LEFT, 0};
    EXPECT_EQ(2, f.api.MatchButtons(host.hwnd(), two));
    EXPECT_EQ(BANDOLET_SUBSET, Bar()->options & BANDOLET_SUBSET);
    EXPECT_EQ(5000u, Bar()->commands[0]);
    EXPECT_EQ(5030u, Bar()->commands[1]);
    EXPECT_EQ(0u, Bar()->commands[2]);
    HWND made = BarWindow();
    const UINT same[] = {5000, 5030, 0};
    EXPECT_EQ(1, f.api.MatchButtons(host.hwnd(), same));
    EXPECT_EQ(made, BarWindow()); // not made again
    const UINT none[] = {BANDOLET_CMD_SEPARATOR, 0};
    EXPECT_EQ(0, f.api.MatchButtons(host.hwnd(), none));
    const UINT unknown[] = {5000, 4242, 0};
    EXPECT_EQ(nullptr, f.api.CreateSubset(host.hwnd(), unknown, 0x54E));
}

TEST_F(BarTest, TurnsClicksIntoCommands) {
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0x54E));
    POINT report = ButtonCentre(Bar(), 5000);
    POINT schedule = ButtonCentre(Bar(), 5030);
    POINT away = {report.x, Bar()->height + 50};
    ASSERT_EQ(1, f.api.EnableButton(host.hwnd(), 5090, FALSE));
    EXPECT_EQ(0, SendMessageA(BarWindow(), BANDOLET_MSG_ISENABLED, 0, 5090));
    struct Case {
        const char* what;
        POINT down, up;
        std::vector<UINT> sent;
    } cases[] = {
        {"click", report, report, {5000}},
        {"pressed, moved off and released: nothing", schedule, away, {}},
        {"disabled: nothing", ButtonCentre(Bar(), 5090), ButtonCentre(Bar(), 5090), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.commands.clear();
        Click(c.down, c.up);
        EXPECT_EQ(c.sent, host.commands);
        EXPECT_EQ(-1, Bar()->pressed);
    }
}

TEST_F(BarTest, ScrollsWhenTooNarrow) {
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0x54E));
    EXPECT_FALSE(Bar()->scrollShown); // wide enough for all
    SetWindowPos(host.hwnd(), nullptr, 0, 0, 260, 300, SWP_NOMOVE | SWP_NOZORDER);
    f.api.Resize(host.hwnd());
    BandoletBar* bar = Bar();
    ASSERT_TRUE(bar->scrollShown);
    int right = ButtonAt(bar, BANDOLET_CMD_SCROLL_RIGHT);
    int left = ButtonAt(bar, BANDOLET_CMD_SCROLL_LEFT);
    EXPECT_TRUE(bar->buttons[right].enabled);
    EXPECT_FALSE(bar->buttons[left].enabled);
    EXPECT_TRUE(bar->buttons[ButtonAt(bar, 5070)].hidden);

    // The right scroll button, clicked, scrolls by one button.
    POINT arrow = ButtonCentre(bar, BANDOLET_CMD_SCROLL_RIGHT);
    Click(arrow, arrow);
    ASSERT_TRUE(ovtest::WaitUntil([&] { return Bar()->leftmost == 5030; }, 2000));
    EXPECT_TRUE(bar->buttons[ButtonAt(bar, 5000)].hidden);
    EXPECT_TRUE(bar->buttons[left].enabled);
    EXPECT_EQ(5030, f.IniInt("TOOLBAR.INI", "Leftmost"));

    for (int i = 0; i < 30; ++i)
        f.api.Command(host.hwnd(), BANDOLET_CMD_SCROLL_RIGHT);
    EXPECT_EQ(19203u, bar->leftmost); // the last button
    EXPECT_FALSE(bar->buttons[right].enabled);
}

TEST_F(BarTest, ShowsTooltipsAfterADelay) {
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0x54E));
    struct Case {
        UINT command;
        std::string parentText;
        std::string shown;
    } cases[] = {
        {5030, "", "Schedule a Report"},
        {5040, "The host's own words", "The host's own words"},
        // A host text that fills the buffer is cut and ended, not read past.
        {5050, std::string(300, 'x'), std::string(255, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.substr(0, 20));
        host.ownTipFor = c.command;
        host.ownTip = c.parentText;
        SendMessageA(BarWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5)); // off every button
        POINT at = ButtonCentre(Bar(), c.command);
        POINT screen = at;
        ClientToScreen(BarWindow(), &screen);
        SetCursorPos(screen.x, screen.y); // the tracking timer follows the real mouse
        SendMessageA(BarWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ASSERT_TRUE(ovtest::WaitUntil([&] { return Bar()->tooltip != nullptr; }, 3000));
        char text[1024] = {};
        GetWindowTextA(Bar()->tooltip, text, sizeof text);
        EXPECT_EQ(c.shown, text);
        RECT tip = {}, bar = {};
        GetWindowRect(Bar()->tooltip, &tip);
        GetWindowRect(BarWindow(), &bar);
        EXPECT_EQ(bar.bottom + 4, tip.top);
    }
}

// Guards the grey-picture fault: a disabled button's picture is embossed, only
// its ink drawn, in the highlight and shadow colours on the button face.
TEST_F(BarTest, DrawsDisabledPicturesEmbossed) {
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), BANDOLET_LARGE));
    ASSERT_EQ(1, f.api.EnableButton(host.hwnd(), 5090, FALSE));
    RECT rc = {};
    GetClientRect(BarWindow(), &rc);
    HDC screen = GetDC(BarWindow());
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(dc, canvas);
    bandolet::PaintBar(Bar(), dc);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                   dark = GetSysColor(COLOR_BTNSHADOW);
    struct Case {
        UINT command;
        bool embossed;
    } cases[] = {{5090, true}, {5000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const RECT& b = Bar()->buttons[ButtonAt(Bar(), c.command)].rect;
        int x0 = (b.left + b.right - Bar()->bitmapWidth) / 2, y0 = b.top + 3;
        int lights = 0, darks = 0, others = 0;
        for (int y = y0; y < y0 + Bar()->bitmapHeight; ++y)
            for (int x = x0; x < x0 + Bar()->bitmapWidth + 1; ++x) {
                COLORREF p = GetPixel(dc, x, y);
                lights += p == light;
                darks += p == dark;
                others += p != face && p != light && p != dark;
            }
        if (c.embossed) {
            EXPECT_EQ(0, others);
            EXPECT_GT(lights, 0);
            EXPECT_GT(darks, 0);
        } else {
            EXPECT_GT(others, 0);
        }
    }
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(BarWindow(), screen);
}

// Guards added buttons' pictures being freed with the first bar that showed them.
TEST_F(BarTest, AddedButtonsShareTheirPicturesAndOutliveABar) {
    HINSTANCE m = f.Module();
    ASSERT_EQ(1, f.api.AddButton(m, 266, 102, 117, 282, 218, 234, 250, 135, 146, 6000));
    UINT ids[] = {6000, 5000, 0};
    HostWindow other(1200, 300);
    ASSERT_NE(nullptr, f.api.CreateSubset(host.hwnd(), ids, 0x54E));
    ASSERT_NE(nullptr, f.api.CreateSubset(other.hwnd(), ids, 0x54E));
    const bandolet::BandoletButton& mine = Bar()->buttons[ButtonAt(Bar(), 6000)];
    BandoletBar* second = BarOf(other.hwnd());
    bandolet::BandoletButton kept = second->buttons[ButtonAt(second, 6000)];
    ASSERT_NE(nullptr, kept.normal);
    EXPECT_EQ(mine.normal, kept.normal);
    EXPECT_EQ(mine.disabled, kept.disabled);
    EXPECT_EQ(mine.shadow, kept.shadow);
    f.api.Destroy(host.hwnd());
    for (HBITMAP h : {kept.normal, kept.disabled, kept.shadow})
        EXPECT_EQ(OBJ_BITMAP, static_cast<DWORD>(GetObjectType(h)));
    RedrawWindow(second->window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    f.api.Destroy(other.hwnd());
}

// The 16-colour form of each built-in button exists and keeps to the standard 16 colours.
TEST(BuiltInPictures, SixteenColourFormsUseOnlyTheStandardColours) {
    BandoletFixture f;
    ASSERT_TRUE(f.Loaded());
    const COLORREF vga[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                            0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                            0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (UINT id = 117; id <= 132; ++id) {
        SCOPED_TRACE(id);
        if (id == 128) // the watermark
            continue;
        HBITMAP h = static_cast<HBITMAP>(
            LoadImageA(f.Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(nullptr, h);
        HDC dc = CreateCompatibleDC(nullptr);
        BITMAP bm = {};
        GetObjectA(h, sizeof bm, &bm);
        int bad = 0;
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < bm.bmWidth; ++x) {
                HGDIOBJ old = SelectObject(dc, h);
                COLORREF c = GetPixel(dc, x, y);
                SelectObject(dc, old);
                bad += std::find(std::begin(vga), std::end(vga), c) == std::end(vga);
            }
        EXPECT_EQ(0, bad);
        DeleteDC(dc);
        DeleteObject(h);
    }
}
