// Host codes 8 and 9: listing and deleting scheduled events.
#include "schedule/schedule_events.h"
#include "schedule/schedule_files.h"
#include "schedule/schedule_realtime.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include <cstring>

namespace {
// Where the next enumeration call goes on: stored events first, then the
// realtime events of the loaded profiles.
DWORD g_eventCursor = 0;
DWORD g_profileCursor = 0;
BOOL g_eventsDone = FALSE;

// The loaded profile an event runs, with its host handle; null when the host
// does not know it.
AnalysisProfile* FindEventProfile(const ScheduleEvent* event, DWORD_PTR* handle) {
    HostFindProfileProc find = HostFindProfile();
    AnalysisProfile** profiles = GetLoadedProfiles();
    for (DWORD i = 0; find && i < GetLoadedProfileCount(); ++i) {
        AnalysisProfile* profile = profiles[i];
        if (_stricmp(profile->BaseName, event->SetName) != 0 ||
            _stricmp(profile->Extension, event->SetExtension) != 0)
            continue;
        if (find(profile, handle) == 1)
            return profile;
    }
    return nullptr;
}

int NextStoredEvent(ScheduleListEntry** out) {
    while (ScheduleEvent* event = GetScheduleEvent(g_eventCursor)) {
        ++g_eventCursor;
        DWORD_PTR handle = 0;
        if (event->Remote == EVENT_REALTIME || !FindEventProfile(event, &handle))
            continue;
        ScheduleListEntry* entry = (ScheduleListEntry*)AllocHostRecord(sizeof(ScheduleListEntry));
        if (!entry)
            return HOST_NO_MEMORY;
        FillScheduleListEntry(event, handle, 0, entry);
        *out = entry;
        return HOST_DONE;
    }
    return HOST_END;
}

int NextRealtimeEvent(ScheduleListEntry** out) {
    AnalysisProfile** profiles = GetLoadedProfiles();
    while (g_profileCursor < GetLoadedProfileCount()) {
        AnalysisProfile* profile = profiles[g_profileCursor++];
        if (!profile->RealtimeReports)
            continue;
        ScheduleListEntry* entry = SetProfileScheduleEvent(profile, 0);
        if (!entry)
            return HOST_NO_MEMORY;
        *out = entry;
        return HOST_DONE;
    }
    return HOST_END;
}
} // namespace

void ResetScheduleCursors(void) {
    g_eventCursor = g_profileCursor = 0;
    g_eventsDone = FALSE;
}

int __cdecl LogFindScheduleEvent(DWORD_PTR, DWORD_PTR, ScheduleListEntry** entry) {
    if (!entry)
        return HOST_NO_MEMORY;
    *entry = nullptr;
    if (!AreScheduleEventsLoaded()) {
        LoadScheduleEvents();
        MarkScheduleEventsLoaded();
        ResetScheduleCursors();
    }
    int result = HOST_END;
    if (!g_eventsDone) {
        result = NextStoredEvent(entry);
        if (result == HOST_END)
            g_eventsDone = TRUE;
    }
    if (result == HOST_END)
        result = NextRealtimeEvent(entry);
    // A finished listing starts over with the next call, so the host can
    // list again without the plug-in being reloaded.
    if (result == HOST_END)
        ResetScheduleCursors();
    return result;
}

int __cdecl DeleteScheduleEvent(DWORD_PTR, ScheduleListEntry* entry) {
    if (!entry)
        return HOST_DONE;
    // A realtime entry may still hang on its profile: detach it first so the
    // profile never points at freed memory.
    DetachProfileScheduleEntry(entry);
    if (ScheduleEvent* event = entry->Event) {
        if (event->FilePath[0])
            DeleteFileA(event->FilePath);
        RemoveScheduleEvent(event);
    }
    FreeHostRecord(entry);
    return HOST_DONE;
}
