// The in-memory list of scheduled events and the host's records of them.
#pragma once
#include "desk_types.h"

// Copies event to the heap and appends it to the list; 1, or 0 without memory.
int AddScheduleEvent(const ScheduleEvent* event);
// The list's copy of the event added last (null when the list is empty).
ScheduleEvent* GetLastScheduleEvent(void);
DWORD GetScheduleEventCount(void);
// Removes one event from the list and frees it; 1 when it was there.
int RemoveScheduleEvent(ScheduleEvent* event);
// Frees every event and the list.
void FreeScheduleEvents(void);
// Describes an event to the host; with realtime set the event becomes the
// realtime event of its profile (Remote 2).
void FillScheduleListEntry(ScheduleEvent* event, DWORD_PTR hostHandle, int realtime,
                           ScheduleListEntry* entry);
// The event at index (null past the end).
ScheduleEvent* GetScheduleEvent(DWORD index);
// Starts the next enumeration (code 9) from the first event.
void ResetScheduleCursors(void);
// Whether the stored event files were read into the list since it was
// last freed, and the mark that says so.
int AreScheduleEventsLoaded(void);
void MarkScheduleEventsLoaded(void);
