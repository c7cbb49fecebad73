// One scheduled event as a section of a settings file: [Main] of a .las
// event file, or [EventN] of the older single file logsched.dat.
#pragma once
#include "desk_types.h"

// Reads the section into a zero-filled event (texts cut to their fields;
// FilePath is left empty); 1, or 0 when the section has no Version (it holds
// no event).
int ReadScheduleEventFile(const char* file, ScheduleEvent* event, const char* section);
// Writes every stored key of the event into the section; 1, or 0 when a
// write failed or file is empty (a realtime event has no file). FilePath is
// not stored.
int WriteScheduleEventFile(const char* file, const ScheduleEvent* event, const char* section);
