// The realtime event of a profile: held in memory only, never in a file.
#pragma once
#include "ovdesk/host_interface.h"

// Creates or refreshes the realtime event of profile and returns its entry
// (attached to the profile), or null without memory. With hostHandle 0 the
// host is asked for the profile's handle.
ScheduleListEntry* SetProfileScheduleEvent(AnalysisProfile* profile, DWORD_PTR hostHandle);
// The entry attached to profile (null when none).
ScheduleListEntry* GetProfileScheduleEntry(const AnalysisProfile* profile);
// Detaches entry from whichever profile holds it; 1 when one did.
int DetachProfileScheduleEntry(const ScheduleListEntry* entry);
// Forgets every attachment (the entries themselves are the host's).
void ClearProfileScheduleEntries(void);
