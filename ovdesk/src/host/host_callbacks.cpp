// The host's callback slots.
#include "host/host_callbacks.h"

namespace {
enum { SLOT_COUNT = 14 };
HostCallback g_slots[SLOT_COUNT];

bool IsStoredSlot(int code) {
    return (code >= 1 && code <= 10) || code == 12 || code == 13;
}
} // namespace

int __cdecl SupplyCallback(int code, HostCallback function) {
    if (!IsStoredSlot(code))
        return 0;
    g_slots[code] = function;
    return 1;
}

HostCallback GetHostCallback(int slot) {
    return IsStoredSlot(slot) ? g_slots[slot] : nullptr;
}

HostStatusProc HostStatus(void) {
    return (HostStatusProc)g_slots[HOST_SLOT_STATUS];
}
HostRefreshProc HostRefresh(void) {
    return (HostRefreshProc)g_slots[HOST_SLOT_REFRESH];
}
HostFindProfileProc HostFindProfile(void) {
    return (HostFindProfileProc)g_slots[HOST_SLOT_FIND_PROFILE];
}
HostAddScheduleProc HostAddSchedule(void) {
    return (HostAddScheduleProc)g_slots[HOST_SLOT_ADD_SCHEDULE];
}
HostRealtimeProgressProc HostRealtimeProgress(void) {
    return (HostRealtimeProgressProc)g_slots[HOST_SLOT_REALTIME_PROGRESS];
}
HostRemoveScheduleProc HostRemoveSchedule(void) {
    return (HostRemoveScheduleProc)g_slots[HOST_SLOT_REMOVE_SCHEDULE];
}
HostAddProfileProc HostAddProfile(void) {
    return (HostAddProfileProc)g_slots[HOST_SLOT_ADD_PROFILE];
}

void ShowHostStatus(const char* text) {
    if (HostStatusProc status = HostStatus())
        status(text);
}

void ClearHostCallbacks(void) {
    for (HostCallback& slot : g_slots)
        slot = nullptr;
}

void* AllocHostRecord(size_t size) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}

void FreeHostRecord(void* record) {
    if (record)
        HeapFree(GetProcessHeap(), 0, record);
}
