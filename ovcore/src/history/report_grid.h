// The interval grid of a report from the history database, and where each
// stored hour of a day lands in it.
#pragma once
#include "run/run_context.h"

// Sets the run's grid for the range [start, end]: hourly slots within a day
// (the range widened to whole hours), else daily slots (the range widened to
// whole days, its end moved to the next midnight) up to 14 days, else the
// grid of the span.
void SetReportIntervalsForRange(RunContext* run, ORB_TIME start, ORB_TIME end);
// The hours of the range's first day that lie before the range start: the
// smallest k - 1 (k from 1 to 24) with rangeStart <= periodStart + k hours,
// else 24.
DWORD FirstHourOffset(ORB_TIME rangeStart, ORB_TIME periodStart);
// The report slot of hour `hour` of the stored day starting at periodStart
// (its month by the month table, else the interval its time falls in), or -1
// when the hour lies outside every slot. periodIndex, the day's index in the
// range, is not needed for either.
LONG HourSlotIndex(const RunContext* run, DWORD periodIndex, DWORD hour, ORB_TIME periodStart);
