// Timers that also work where the system timer cannot be used: on Windows NT
// 3.x a timer without a procedure runs as a thread that posts WM_TIMER.
#pragma once
#include "ovkit/ovkit_base.h"

// Starts a timer posting WM_TIMER with id to window every interval ms (or
// calling procedure). Returns SetTimer's result; an emulated timer returns
// the id, 0 when all 32 slots are used or its thread cannot start.
OVKIT_EXPORT(UINT_PTR)
OVKIT_SetTimerEx(HWND window, UINT_PTR id, UINT intervalMs, TIMERPROC procedure);
// Stops the timer of (window, id). Returns KillTimer's result; for an
// emulated timer 1 when it was stopped, 0 when there is none.
OVKIT_EXPORT(BOOL) OVKIT_KillTimerEx(HWND window, UINT_PTR id);
