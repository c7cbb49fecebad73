// The options menus: the bar's pop-up, shown modally and ended from a watcher
// thread, and the "Toolbar" menu added to the host's menu bar.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "bandolet_fixture.h"
#include "wait_until.h"

using namespace bandolet_test;

namespace {

constexpr UINT kSmall = 19000, kLarge = 19001, kText = 19002, kTooltips = 19003;

bool Checked(HMENU menu, UINT command) {
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

class OptionsMenuTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(f.Loaded()); }
    void TearDown() override { f.api.Destroy(host.hwnd()); }

    BandoletFixture f;
    HostWindow host{1200, 300};
};

// The shown pop-up menu window of this process, or null.
HWND ShownPopup() {
    HWND w = FindWindowA("#32768", nullptr);
    return w && IsWindowVisible(w) ? w : nullptr;
}

} // namespace

TEST_F(OptionsMenuTest, PopupShowsTheOptionsAndCancellingChangesNothing) {
    // The menu shows the options stored in the settings file.
    ASSERT_TRUE(f.Write("TOOLBAR.INI",
                        "[Main]\r\nSmallBitmaps=0\r\nLargeBitmaps=1\r\nText=1\r\nTooltips=0\r\n"));
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0));
    DWORD before = BarOf(host.hwnd())->options;
    std::atomic<int> seen{-1};
    std::thread watcher([&] {
        HWND popup = nullptr;
        if (!ovtest::WaitUntil([&] { return (popup = ShownPopup()) != nullptr; }))
            return;
        auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        seen = menu ? (Checked(menu, kSmall) << 3 | Checked(menu, kLarge) << 2 |
                       Checked(menu, kText) << 1 | Checked(menu, kTooltips))
                    : -2;
        PostMessageA(popup, WM_CANCELMODE, 0, 0);
        // Should the menu stay, Escape ends it as a user would.
        if (!ovtest::WaitUntil([] { return ShownPopup() == nullptr; }, 2000))
            PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    f.api.Command(host.hwnd(), BANDOLET_CMD_OPTIONS_MENU);
    watcher.join();
    EXPECT_EQ(0b0110, seen.load()); // large and text checked, small and tooltips not
    EXPECT_EQ(before, BarOf(host.hwnd())->options);
    EXPECT_EQ(nullptr, ShownPopup());
}

TEST_F(OptionsMenuTest, HostGetsOneToolbarMenuThatFollowsTheOptions) {
    decltype(&Bandolet_Initmenu) initmenu = reinterpret_cast<decltype(&Bandolet_Initmenu)>(
        reinterpret_cast<void*>(GetProcAddress(f.Module(), "Bandolet_Initmenu")));
    ASSERT_NE(nullptr, initmenu);
    ASSERT_TRUE(f.Write("TOOLBAR.INI", "[Main]\r\nSmallBitmaps=1\r\nLargeBitmaps=0\r\nText=1\r\n"));
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0));
    ASSERT_NE(nullptr, f.api.CreateDefault(host.hwnd(), 0));
    HMENU view = GetSubMenu(GetMenu(host.hwnd()), 1);
    ASSERT_EQ(1, GetMenuItemCount(view)); // added once, though the bar was made twice
    char name[64] = {};
    GetMenuStringA(view, 0, name, sizeof name, MF_BYPOSITION);
    EXPECT_STREQ("Toolbar", name);
    HMENU toolbar = GetSubMenu(view, 0);
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(1, initmenu(host.hwnd(), toolbar));
    EXPECT_TRUE(Checked(toolbar, kSmall));
    EXPECT_FALSE(Checked(toolbar, kLarge));
    EXPECT_TRUE(Checked(toolbar, kText));
    // Highlight mode and shadows go with large bitmaps only.
    for (UINT command : {19008u, 19009u})
        EXPECT_TRUE(GetMenuState(toolbar, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED))
            << command;
}
