// The tab-order keyboard hook.
#include "ovkit/keyboard_hook.h"
#include "files/module_folder.h"

namespace {

HHOOK g_hook = nullptr;
// The caller's table, as given; process-wide (one dialog at a time).
WORD g_count = 0;
HWND* g_table = nullptr;

bool KeyDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

// The nearest enabled and visible window from the focused entry in the
// given direction; null at the table's ends (no wrapping) or when the focus
// is not in the table.
HWND NextInTable(HWND focus, int step) {
    int at = -1;
    for (int i = 0; i < g_count && at < 0; ++i) {
        if (g_table[i] == focus)
            at = i;
    }
    if (at < 0)
        return nullptr;
    for (int i = at + step; i >= 0 && i < g_count; i += step) {
        if (IsWindowEnabled(g_table[i]) && IsWindowVisible(g_table[i]))
            return g_table[i];
    }
    return nullptr;
}

LRESULT CALLBACK TabOrderHook(int code, WPARAM key, LPARAM info) {
    if (code >= 0 && g_count && g_table && IsWindow(g_table[0]) && key == VK_TAB &&
        KeyDown(VK_TAB)) {
        if (HWND next = NextInTable(GetFocus(), KeyDown(VK_SHIFT) ? -1 : 1)) {
            SetFocus(next);
            return 1;
        }
    }
    return CallNextHookEx(g_hook, code, key, info);
}

} // namespace

OVKIT_EXPORT(HHOOK) OVKIT_SetKeyboardHook(HINSTANCE) {
    // The calling thread only: a global hook would put ovkit into every
    // process on the desktop.
    HHOOK hook =
        SetWindowsHookExA(WH_KEYBOARD, TabOrderHook, OvkitLibraryModule(), GetCurrentThreadId());
    if (hook)
        g_hook = hook;
    return hook;
}

OVKIT_EXPORT(BOOL) OVKIT_ReleaseKeyboardHook(HHOOK hook) {
    BOOL done = UnhookWindowsHookEx(hook);
    if (done && hook == g_hook)
        g_hook = nullptr;
    return done;
}

OVKIT_EXPORT(int) OVKIT_SetTabOrder(int count, HWND* table) {
    if (count < 0 || !table)
        count = 0;
    if (count > 0xFFFF)
        count = 0xFFFF;
    g_count = static_cast<WORD>(count);
    g_table = count ? table : nullptr;
    return count;
}
