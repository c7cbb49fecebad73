// The tab-order keyboard hook: Tab and Shift+Tab move the focus through a
// table of windows that the caller registers, for windows outside the dialog
// manager's own tab order.
#pragma once
#include "ovkit/ovkit_base.h"

// Installs the library's keyboard hook for the calling thread (the module
// argument is kept for callers and not used: the hook procedure lives in
// ovkit). Returns the hook handle, which the library also keeps; null on
// failure.
OVKIT_EXPORT(HHOOK) OVKIT_SetKeyboardHook(HINSTANCE module);
// Removes a hook. Returns UnhookWindowsHookEx's result.
OVKIT_EXPORT(BOOL) OVKIT_ReleaseKeyboardHook(HHOOK hook);
// Registers the tab order: count windows of the caller's table, which must
// stay alive while the hook is set. A count of 0 (or below) or a null table
// switches focus moving off. Returns the count registered.
OVKIT_EXPORT(int) OVKIT_SetTabOrder(int count, HWND* table);
