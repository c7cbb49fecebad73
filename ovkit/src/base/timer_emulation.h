// The emulated timers behind OVKIT_SetTimerEx. Private to ovkit; the tests
// drive them directly, since the system timer serves every Windows they run on.
#pragma once
#include <windows.h>

// Whether this Windows needs them (NT of major version 3 or lower).
bool OvkitTimersNeedEmulation();
// A thread that posts WM_TIMER (id as first parameter) to window every
// interval. Returns id, or 0 when all 32 slots are used or the thread fails.
UINT_PTR OvkitStartEmulatedTimer(HWND window, UINT_PTR id, UINT intervalMs);
// Stops the thread of (window, id) and frees its slot. 1 when there was one.
BOOL OvkitStopEmulatedTimer(HWND window, UINT_PTR id);
