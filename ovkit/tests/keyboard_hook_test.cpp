#include <gtest/gtest.h>
#include <windows.h>
#include "ovkit/keyboard_hook.h"
#include "wait_until.h"
#include <vector>

namespace {

int g_tabsSeen = 0;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_KEYDOWN && w == VK_TAB)
        ++g_tabsSeen;
    return DefWindowProcA(window, message, w, l);
}

// A top-level window with five focusable children; the third is disabled,
// the fourth hidden.
struct TabFixture {
    TabFixture() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "OvkitKeyProbe";
        RegisterClassA(&wc);
        top = CreateWindowExA(0, "OvkitKeyProbe", "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        for (int i = 0; i < 5; ++i)
            table[i] = CreateWindowExA(0, "OvkitKeyProbe", "", WS_CHILD | WS_VISIBLE, 10 * i, 0, 10,
                                       10, top, nullptr, GetModuleHandleA(nullptr), nullptr);
        EnableWindow(table[2], FALSE);
        ShowWindow(table[3], SW_HIDE);
        SetForegroundWindow(top);
        hook = OVKIT_SetKeyboardHook(nullptr);
    }
    ~TabFixture() {
        OVKIT_ReleaseKeyboardHook(hook);
        OVKIT_SetTabOrder(0, nullptr);
        DestroyWindow(top);
    }
    // Presses and releases Tab (with Shift when asked) as the keyboard would,
    // and lets this thread's message loop take the keys.
    // Keys go to the foreground window: another program's window may have
    // taken it since, so it is taken back first with the focus kept.
    void PressTab(bool shift) {
        g_tabsSeen = 0;
        HWND focus = GetFocus();
        if (GetForegroundWindow() != top) {
            SetForegroundWindow(top);
            SetFocus(focus);
        }
        if (shift)
            keybd_event(VK_SHIFT, 0, 0, 0);
        keybd_event(VK_TAB, 0, 0, 0);
        ovtest::PumpMessages();
        keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
        if (shift)
            keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        ovtest::PumpMessages();
    }

    HWND top = nullptr;
    HWND table[5] = {};
    HHOOK hook = nullptr;
};

} // namespace

TEST(KeyboardHook, TabMovesThroughTheTableWithoutWrapping) {
    TabFixture f;
    ASSERT_NE(f.hook, nullptr);
    EXPECT_EQ(OVKIT_SetTabOrder(5, f.table), 5);
    const struct {
        int from;
        bool shift;
        int to;       // -1: focus outside the table
        bool handled; // the key was swallowed
    } cases[] = {
        {0, false, 1, true}, {1, false, 4, true},  // the disabled and the hidden window are skipped
        {4, true, 1, true},  {4, false, 4, false}, // Tab on the last window goes on
        {0, true, 0, false},                       // Shift+Tab on the first likewise
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from * 10 + c.shift);
        SetFocus(f.table[c.from]);
        f.PressTab(c.shift);
        EXPECT_EQ(GetFocus(), f.table[c.to]);
        EXPECT_EQ(g_tabsSeen, c.handled ? 0 : 1);
    }
    // Focus outside the table, or no table: the key goes on.
    SetFocus(f.top);
    f.PressTab(false);
    EXPECT_EQ(GetFocus(), f.top);
    EXPECT_EQ(g_tabsSeen, 1);
    OVKIT_SetTabOrder(0, f.table);
    SetFocus(f.table[0]);
    f.PressTab(false);
    EXPECT_EQ(GetFocus(), f.table[0]);
    EXPECT_EQ(g_tabsSeen, 1);
}

// Guards against a global hook made with the caller's module: a caller without
// a module of its own (null) could not hook at all.
TEST(KeyboardHook, HookIsForTheCallingThreadAndReleases) {
    HHOOK hook = OVKIT_SetKeyboardHook(nullptr);
    ASSERT_NE(hook, nullptr);
    EXPECT_TRUE(OVKIT_ReleaseKeyboardHook(hook));
    EXPECT_FALSE(OVKIT_ReleaseKeyboardHook(hook));
}
