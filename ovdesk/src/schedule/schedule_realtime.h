// The realtime event of a profile: held in memory only, never in a file.
#pragma once
#include "desk_types.h"

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

// What a profile's realtime event is made from, taken before the profile
// sheet opens so that the change can be told afterwards.
struct RealtimeEventSettings {
    DWORD Reports;
    WORD Frequency;
    DWORD Interval;
    char Target[PROFILE_SAVETOPATH_SIZE];
    char Description[PROFILE_DESCRIPTION_SIZE];
};
// The settings of profile (all off for null).
RealtimeEventSettings GetRealtimeEventSettings(const AnalysisProfile* profile);
// After the profile sheet (host code 2) closed with OK: a realtime report
// switched off removes the profile's event (host slot 12, then freed); one
// switched on, or changed, makes or refreshes it, and a new one is handed to
// the host (slot 9).
void SyncProfileScheduleEvent(AnalysisProfile* profile, const RealtimeEventSettings& before);
// A profile that goes away (code 3) takes its realtime event with it.
void ForgetProfileScheduleEvent(AnalysisProfile* profile);
