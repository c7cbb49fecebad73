// The stand-in host's scheduler: the events the plug-in lists (code 9) and
// the unattended run of those that are due (code 11) at a clock the caller
// gives, so that tests never wait for real time.
#pragma once
#include "host_session.h"
#include <ctime>

// Lists the plug-in's events into the host state; false with the reason.
bool LoadHostSchedule(HostSession& session, std::string* error);
// Whether an armed entry is due at now.
bool IsScheduleEntryDue(const ScheduleListEntry& entry, time_t now);
// The time after the entry's next run: one repeat step past its Time (months
// as calendar months), or 0 for a one-off event.
time_t NextScheduleTime(const ScheduleListEntry& entry);
// Runs every due entry through code 11, then moves a repeating one to its
// next time and disarms a one-off one (in the host's copy). Returns the
// count of runs; *failed counts those that did not end in success.
int RunDueScheduleEvents(HostSession& session, time_t now, int* failed);
