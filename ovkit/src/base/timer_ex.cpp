#include "ovkit/timers.h"
#include "timer_emulation.h"

namespace {

// Slot table of the emulated timers, used from the user-interface thread only.
struct OVKIT_TimerSlot {
    HWND window;
    UINT_PTR id;
    UINT intervalMs;
    HANDLE thread; // non-null while the slot is used
    DWORD threadId;
    HANDLE stop; // set to end the thread
};
OVKIT_TimerSlot g_slots[32];

DWORD WINAPI TimerThreadProc(void* parameter) {
    OVKIT_TimerSlot* slot = static_cast<OVKIT_TimerSlot*>(parameter);
    while (WaitForSingleObject(slot->stop, slot->intervalMs) == WAIT_TIMEOUT)
        PostMessageA(slot->window, WM_TIMER, slot->id, 0);
    return 0;
}

void FreeSlot(OVKIT_TimerSlot& slot) {
    if (slot.thread) {
        // Ended by its event rather than terminated, so it never dies holding a lock.
        SetEvent(slot.stop);
        WaitForSingleObject(slot.thread, INFINITE);
        CloseHandle(slot.thread);
    }
    if (slot.stop)
        CloseHandle(slot.stop);
    slot = OVKIT_TimerSlot();
}

} // namespace

bool OvkitTimersNeedEmulation() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion <= 3;
}

UINT_PTR OvkitStartEmulatedTimer(HWND window, UINT_PTR id, UINT intervalMs) {
    for (OVKIT_TimerSlot& slot : g_slots) {
        if (slot.thread)
            continue;
        slot.window = window;
        slot.id = id;
        slot.intervalMs = intervalMs;
        slot.stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (slot.stop)
            slot.thread = CreateThread(nullptr, 0, TimerThreadProc, &slot, 0, &slot.threadId);
        if (!slot.thread) {
            FreeSlot(slot);
            return 0;
        }
        return id;
    }
    return 0;
}

BOOL OvkitStopEmulatedTimer(HWND window, UINT_PTR id) {
    for (OVKIT_TimerSlot& slot : g_slots) {
        if (slot.thread && slot.window == window && slot.id == id) {
            FreeSlot(slot);
            return TRUE;
        }
    }
    return FALSE;
}

UINT_PTR OVKIT_CALL OVKIT_SetTimerEx(HWND window, UINT_PTR id, UINT intervalMs,
                                     TIMERPROC procedure) {
    if (!procedure && OvkitTimersNeedEmulation())
        return OvkitStartEmulatedTimer(window, id, intervalMs);
    return SetTimer(window, id, intervalMs, procedure);
}

BOOL OVKIT_CALL OVKIT_KillTimerEx(HWND window, UINT_PTR id) {
    // A timer with a procedure is a system timer even where others are emulated.
    if (OvkitTimersNeedEmulation() && OvkitStopEmulatedTimer(window, id))
        return TRUE;
    return KillTimer(window, id);
}
