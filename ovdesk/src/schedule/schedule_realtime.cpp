// Realtime events of profiles. The attachments are kept here by the
// profile's file name, not its record: each profile enumeration makes the
// records anew, and the host keeps the entry it was given.
#include "schedule/schedule_realtime.h"
#include "schedule/schedule_events.h"
#include "host/host_callbacks.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
struct Attachment {
    char BaseName[PROFILE_BASENAME_SIZE];
    char Extension[PROFILE_EXTENSION_SIZE];
    ScheduleListEntry* Entry;
};
Attachment* g_attached = nullptr;
DWORD g_attachedCount = 0;

bool IsOf(const Attachment& attachment, const AnalysisProfile* profile) {
    return _stricmp(attachment.BaseName, profile->BaseName) == 0 &&
           _stricmp(attachment.Extension, profile->Extension) == 0;
}

int Attach(const AnalysisProfile* profile, ScheduleListEntry* entry) {
    Attachment* grown =
        (Attachment*)realloc(g_attached, (g_attachedCount + 1) * sizeof(Attachment));
    if (!grown)
        return 0;
    g_attached = grown;
    Attachment& made = g_attached[g_attachedCount++];
    snprintf(made.BaseName, sizeof made.BaseName, "%s", profile->BaseName);
    snprintf(made.Extension, sizeof made.Extension, "%s", profile->Extension);
    made.Entry = entry;
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
    for (DWORD i = 0; profile && i < g_attachedCount; ++i)
        if (IsOf(g_attached[i], profile))
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
