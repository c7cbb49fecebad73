// Realtime events of profiles. The profile record has no room for its entry,
// so the attachments are kept here, one per profile.
#include "schedule/schedule_realtime.h"
#include "schedule/schedule_events.h"
#include "host/host_callbacks.h"
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
struct Attachment {
    const AnalysisProfile* Profile;
    ScheduleListEntry* Entry;
};
Attachment* g_attached = nullptr;
DWORD g_attachedCount = 0;

int Attach(const AnalysisProfile* profile, ScheduleListEntry* entry) {
    Attachment* grown =
        (Attachment*)realloc(g_attached, (g_attachedCount + 1) * sizeof(Attachment));
    if (!grown)
        return 0;
    g_attached = grown;
    g_attached[g_attachedCount++] = {profile, entry};
    return 1;
}

void FillRealtimeEvent(const AnalysisProfile* profile, ScheduleEvent* event) {
    event->ActivityType = DEFINITION_SUMMARY;
    snprintf(event->SetName, sizeof event->SetName, "%s", profile->BaseName);
    snprintf(event->SetExtension, sizeof event->SetExtension, "%s", profile->Extension);
    snprintf(event->SetDescription, sizeof event->SetDescription, "%s", profile->Description);
    event->RepeatIncrement = (WORD)profile->RealtimeReportInterval;
    event->RepeatType = profile->RealtimeReportFrequency;
    event->Time = (DWORD)time(nullptr);
    event->Active = 1;
    event->Version = 256;
    event->Remote = EVENT_REALTIME;
    snprintf(event->SaveAsFilename, sizeof event->SaveAsFilename, "%s", profile->ReportSaveToPath);
    event->Memorized[0] = event->Server[0] = event->FilePath[0] = '\0';
}
} // namespace

ScheduleListEntry* GetProfileScheduleEntry(const AnalysisProfile* profile) {
    for (DWORD i = 0; i < g_attachedCount; ++i)
        if (g_attached[i].Profile == profile)
            return g_attached[i].Entry;
    return nullptr;
}

int DetachProfileScheduleEntry(const ScheduleListEntry* entry) {
    for (DWORD i = 0; i < g_attachedCount; ++i) {
        if (g_attached[i].Entry != entry)
            continue;
        g_attached[i] = g_attached[--g_attachedCount];
        return 1;
    }
    return 0;
}

void ClearProfileScheduleEntries(void) {
    free(g_attached);
    g_attached = nullptr;
    g_attachedCount = 0;
}

ScheduleListEntry* SetProfileScheduleEvent(AnalysisProfile* profile, DWORD_PTR hostHandle) {
    if (!profile)
        return nullptr;
    if (!hostHandle) {
        HostFindProfileProc find = HostFindProfile();
        if (find)
            find(profile, &hostHandle);
    }
    ScheduleListEntry* entry = GetProfileScheduleEntry(profile);
    if (entry && entry->Event) {
        FillRealtimeEvent(profile, entry->Event);
        FillScheduleListEntry(entry->Event, hostHandle, 1, entry);
        return entry;
    }
    entry = (ScheduleListEntry*)AllocHostRecord(sizeof(ScheduleListEntry));
    if (!entry)
        return nullptr;
    ScheduleEvent event = {};
    FillRealtimeEvent(profile, &event);
    if (!AddScheduleEvent(&event)) {
        FreeHostRecord(entry);
        return nullptr;
    }
    ScheduleEvent* added = GetLastScheduleEvent();
    if (!Attach(profile, entry)) {
        RemoveScheduleEvent(added);
        FreeHostRecord(entry);
        return nullptr;
    }
    FillScheduleListEntry(added, hostHandle, 1, entry);
    return entry;
}
