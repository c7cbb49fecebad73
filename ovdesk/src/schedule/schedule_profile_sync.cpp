// The realtime event follows the profile sheet's changes to a profile.
#include "schedule/schedule_realtime.h"
#include "schedule/schedule_events.h"
#include "host/host_callbacks.h"
#include <cstdio>
#include <cstring>

namespace {
bool SameSettings(const RealtimeEventSettings& a, const RealtimeEventSettings& b) {
    return a.Reports == b.Reports && a.Frequency == b.Frequency && a.Interval == b.Interval &&
           strcmp(a.Target, b.Target) == 0 && strcmp(a.Description, b.Description) == 0;
}
} // namespace

RealtimeEventSettings GetRealtimeEventSettings(const AnalysisProfile* profile) {
    RealtimeEventSettings settings = {};
    if (!profile)
        return settings;
    settings.Reports = profile->RealtimeReports ? 1 : 0;
    settings.Frequency = profile->RealtimeReportFrequency;
    settings.Interval = profile->RealtimeReportInterval;
    snprintf(settings.Target, sizeof settings.Target, "%s", profile->ReportSaveToPath);
    snprintf(settings.Description, sizeof settings.Description, "%s", profile->Description);
    return settings;
}

void ForgetProfileScheduleEvent(AnalysisProfile* profile) {
    ScheduleListEntry* entry = GetProfileScheduleEntry(profile);
    if (!entry)
        return;
    HostRemoveScheduleProc remove = HostRemoveSchedule();
    if (remove)
        remove(profile, entry);
    DetachProfileScheduleEntry(entry);
    if (entry->Event)
        RemoveScheduleEvent(entry->Event);
    FreeHostRecord(entry);
}

void SyncProfileScheduleEvent(AnalysisProfile* profile, const RealtimeEventSettings& before) {
    if (!profile)
        return;
    if (!profile->RealtimeReports) {
        ForgetProfileScheduleEvent(profile);
        return;
    }
    ScheduleListEntry* held = GetProfileScheduleEntry(profile);
    if (held && SameSettings(before, GetRealtimeEventSettings(profile)))
        return;
    ScheduleListEntry* entry = SetProfileScheduleEvent(profile, 0);
    HostAddScheduleProc add = HostAddSchedule();
    // A refreshed entry is the one the host already holds.
    if (entry && !held && add)
        add(entry);
}
