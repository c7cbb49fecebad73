// Running a scheduled event (host code 11).
#pragma once
#include "ovdesk/host_interface.h"
#include <cstddef>

// Runs the entry's event unattended: 1 when a report was written, else 0
// with the reason (reasonSize bytes). The outcome is logged either way.
int RunScheduledEvent(HWND host, ScheduleListEntry* entry, char* reason, size_t reasonSize);
