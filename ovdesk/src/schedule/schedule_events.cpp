// Scheduled events held in memory.
#include "schedule/schedule_events.h"
#include "host/host_callbacks.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
ScheduleEvent** g_events = nullptr;
DWORD g_count = 0;
} // namespace

int AddScheduleEvent(const ScheduleEvent* event) {
    ScheduleEvent* copy = (ScheduleEvent*)malloc(sizeof(ScheduleEvent));
    if (!copy)
        return 0;
    ScheduleEvent** grown =
        (ScheduleEvent**)realloc(g_events, (g_count + 1) * sizeof(ScheduleEvent*));
    if (!grown) {
        free(copy);
        return 0;
    }
    *copy = *event;
    grown[g_count++] = copy;
    g_events = grown;
    return 1;
}

ScheduleEvent* GetLastScheduleEvent(void) {
    return g_count ? g_events[g_count - 1] : nullptr;
}
DWORD GetScheduleEventCount(void) {
    return g_count;
}

int RemoveScheduleEvent(ScheduleEvent* event) {
    for (DWORD i = 0; i < g_count; ++i) {
        if (g_events[i] != event)
            continue;
        free(event);
        memmove(&g_events[i], &g_events[i + 1], (g_count - i - 1) * sizeof(ScheduleEvent*));
        --g_count;
        return 1;
    }
    return 0;
}

void FreeScheduleEvents(void) {
    for (DWORD i = 0; i < g_count; ++i)
        free(g_events[i]);
    free(g_events);
    g_events = nullptr;
    g_count = 0;
}

void FillScheduleListEntry(ScheduleEvent* event, DWORD_PTR hostHandle, int realtime,
                           ScheduleListEntry* entry) {
    if (realtime)
        event->Remote = EVENT_REALTIME;
    entry->HostHandle = hostHandle;
    snprintf(entry->FilePath, sizeof entry->FilePath, "%s", event->FilePath);
    entry->Time = event->Time;
    entry->RepeatType = event->RepeatIncrement ? event->RepeatType : 5;
    entry->RepeatIncrement = event->RepeatIncrement;
    entry->Active = event->Active;
    entry->RemoteRequest = event->Remote == EVENT_REMOTE_REQUEST ? 1 : 0;
    entry->Immediate = event->Immediate;
    entry->RealtimeFlag = realtime ? 1 : 0;
    entry->Event = event;
}

// The scheduler's editors are not part of this build; the host's delete
// still releases an event held in memory.
int __cdecl EditScheduleEvent(HWND, ScheduleListEntry*, ScheduleListEntry** out) {
    if (out)
        *out = nullptr;
    return HOST_NO_MEMORY;
}

int __cdecl DeleteScheduleEvent(DWORD_PTR, ScheduleListEntry* entry) {
    if (!entry)
        return HOST_DONE;
    if (entry->Event) {
        if (entry->Event->FilePath[0])
            DeleteFileA(entry->Event->FilePath);
        RemoveScheduleEvent(entry->Event);
    }
    FreeHostRecord(entry);
    return HOST_DONE;
}

int __cdecl LogFindScheduleEvent(DWORD_PTR, DWORD_PTR, ScheduleListEntry** entry) {
    // Stored events are the scheduler's; none are listed by this build.
    *entry = nullptr;
    return HOST_END;
}
