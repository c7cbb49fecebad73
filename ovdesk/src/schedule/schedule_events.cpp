// Scheduled events held in memory.
#include "schedule/schedule_events.h"
#include "host/host_callbacks.h"
#include "schedule/schedule_realtime.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
ScheduleEvent** g_events = nullptr;
DWORD g_count = 0;
// Whether the stored events were read: an event added before the first
// listing (a realtime or command-line one) must not stop that read.
BOOL g_loaded = FALSE;
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
    g_loaded = FALSE;
    ResetScheduleCursors();
    ClearProfileScheduleEntries();
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

ScheduleEvent* GetScheduleEvent(DWORD index) {
    return index < g_count ? g_events[index] : nullptr;
}

int AreScheduleEventsLoaded(void) {
    return g_loaded;
}
void MarkScheduleEventsLoaded(void) {
    g_loaded = TRUE;
}
