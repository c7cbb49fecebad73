// The host's callbacks, stored by SupplyCallback slot.
#pragma once
#include "ovdesk/host_interface.h"

// The stored callback of a slot (null when none was supplied).
HostCallback GetHostCallback(int slot);
// Typed access to the slots the plug-in calls.
HostStatusProc HostStatus(void);
HostRefreshProc HostRefresh(void);
HostFindProfileProc HostFindProfile(void);
HostAddScheduleProc HostAddSchedule(void);
HostRealtimeProgressProc HostRealtimeProgress(void);
HostRemoveScheduleProc HostRemoveSchedule(void);
HostAddProfileProc HostAddProfile(void);
// Shows a status text through slot 1 when the host gave one.
void ShowHostStatus(const char* text);
// Forgets every slot (shut-down and tests).
void ClearHostCallbacks(void);

// A zero-filled record of the process heap for the host (see host_interface.h);
// null without memory.
void* AllocHostRecord(size_t size);
void FreeHostRecord(void* record);
// The window the host gave with its last profile enumeration.
HWND GetHostWindow(void);
