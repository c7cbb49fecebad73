// The scheduler's stored events: one "log%04d.las" settings file per event in
// the plug-in's datfiles folder, and the older single "logsched.dat".
#pragma once
#include "desk_types.h"
#include "schedule/schedule_file.h"
#include <cstddef>

// The lowest free "log%04d.las" path of the datfiles folder into path (size
// bytes); 1, or 0 when every number is taken or the path does not fit.
int NextScheduleFileName(char* path, size_t size);
// Splits "<folder>ovdesk\logsched.dat" into event files that take free
// numbers (existing events are never overwritten), keeps a ".bak" copy and
// deletes it. 1, or 0 when it cannot be opened (it is then kept).
int MigrateScheduleFile(void);
// Migrates, then appends every readable event file to the in-memory list.
// Returns the count of events loaded.
int LoadScheduleEvents(void);
