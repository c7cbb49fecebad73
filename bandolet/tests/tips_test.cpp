// The tip of the day and the splash dialog, through the library.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwchar>
#include <thread>

#include "bandolet_fixture.h"

using namespace bandolet_test;

namespace {

// Clicks the splash dialog of this process closed after afterMs, and counts
// how many it saw; gives up after a bound.
class SplashCloser {
  public:
    explicit SplashCloser(DWORD afterMs = 0) : after_(afterMs), thread_([this] { Run(); }) {}
    ~SplashCloser() {
        stop_ = true;
        thread_.join();
    }
    int Seen() const { return seen_; }
    bool Clicked() const { return clicked_; }

  private:
    static BOOL CALLBACK Find(HWND w, LPARAM lp) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        char cls[32] = {};
        WCHAR caption[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        // Not GetWindowText: it would wait on the window's thread, which may
        // be waiting for this one to end.
        InternalGetWindowText(w, caption, 32);
        if (pid == GetCurrentProcessId() && IsWindowVisible(w) && !strcmp(cls, "#32770") &&
            !wcscmp(caption, L"Ostrevane")) {
            *reinterpret_cast<HWND*>(lp) = w;
            return FALSE;
        }
        return TRUE;
    }
    void Run() {
        HWND handled = nullptr;
        DWORD seenAt = 0;
        for (DWORD start = GetTickCount(); !stop_ && GetTickCount() - start < 60000; Sleep(20)) {
            HWND box = nullptr;
            EnumWindows(Find, reinterpret_cast<LPARAM>(&box));
            if (box && box != handled) {
                handled = box;
                seenAt = GetTickCount();
                ++seen_;
            }
            if (box && GetTickCount() - seenAt >= after_) {
                clicked_ = true;
                PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            }
        }
    }
    DWORD after_;
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::atomic<bool> clicked_{false};
    std::thread thread_;
};

const char kThreeTips[] = "intro, not a tip\r\n[TIP]First tip[END TIP]\r\n"
                          "[tip]Second tip[end tip]\r\n[Tip]Third tip[End Tip]\r\n";

class TipTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(f.Loaded()); }
    BandoletFixture f;
    HostWindow host{400, 300};
};

} // namespace

TEST_F(TipTest, WalksItsTips) {
    struct Case {
        const char* what;
        const char* ini; // null: no TIP.INI
        const char* tips;
        int shown; // dialogs
        int numTips;
        std::vector<int> lastTip; // any of these
    } cases[] = {
        {"first run counts and shows tip 0", nullptr, kThreeTips, 1, 3, {0}},
        {"never the last one again",
         "[Main]\r\nNumTips=3\r\nLastTip=1\r\n",
         kThreeTips,
         1,
         3,
         {0, 2}},
        // Drawing "until it differs from the last" never ended with one tip.
        {"one tip: tip 0", "[Main]\r\nNumTips=1\r\nLastTip=0\r\n", "[TIP]Only[END TIP]", 1, 1, {0}},
        // A stale count larger than the file's showed nothing. With one tip
        // left every draw past it misses, so the count is always taken again.
        {"stale count: counted again",
         "[Main]\r\nNumTips=5\r\nLastTip=0\r\n",
         "[TIP]a[END TIP]",
         1,
         1,
         {0}},
        {"tips off", "[Main]\r\nShowTips=0\r\n", kThreeTips, 0, -1, {-1}},
        {"no tips", nullptr, "no tags here", 0, -1, {-1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(f.Path("TIP.INI").c_str());
        if (c.ini) {
            ASSERT_TRUE(f.Write("TIP.INI", c.ini));
        }
        ASSERT_TRUE(f.Write("TIP.TXT", c.tips));
        int seen = 0;
        {
            SplashCloser closer;
            f.api.TipOfTheDay(host.hwnd());
            seen = closer.Seen();
        }
        EXPECT_EQ(c.shown, seen);
        EXPECT_EQ(c.numTips, f.IniInt("TIP.INI", "NumTips"));
        int last = f.IniInt("TIP.INI", "LastTip");
        EXPECT_NE(c.lastTip.end(), std::find(c.lastTip.begin(), c.lastTip.end(), last)) << last;
    }
}

TEST_F(TipTest, SplashClosesOnItsOwn) {
    SplashCloser safety(20000); // only if it stays up
    DWORD t0 = GetTickCount();
    INT_PTR result = f.api.ShowSplash(host.hwnd(), 128, f.Module(), "One line\r\n");
    EXPECT_EQ(1, result);
    EXPECT_FALSE(safety.Clicked());
    EXPECT_EQ(1, safety.Seen());
    EXPECT_GE(GetTickCount() - t0, 200u); // it scrolled for a while first
}
