#include "history/report_grid.h"

#define HOUR 3600u
#define DAY 86400u

void SetReportIntervalsForRange(RunContext* run, ORB_TIME start, ORB_TIME end) {
    ReportIntervals& iv = run->Intervals;
    if (end - start + 1 <= DAY) {
        start -= start % HOUR;
        if ((end + 1) % HOUR)
            end += HOUR - 1 - end % HOUR;
        iv.Length = HOUR;
        iv.Row = 8;
        iv.Count = (WORD)((end - start + 1) / HOUR);
    } else {
        start -= start % DAY;
        if ((end + 1) % DAY)
            end += DAY - end % DAY;
        DWORD span = end - start + 1;
        iv.RangeStart = iv.FirstStart = start;
        iv.RangeEnd = end;
        if (span <= 14 * DAY) {
            iv.Length = DAY;
            iv.Row = span <= 7 * DAY ? 9 : 10;
            iv.Count = (WORD)(span / DAY);
        } else {
            ChooseReportIntervals(run->Language, INTERVALS_BY_SPAN, &iv);
        }
    }
    iv.RangeStart = iv.FirstStart = start;
    iv.RangeEnd = end;
}

DWORD FirstHourOffset(ORB_TIME rangeStart, ORB_TIME periodStart) {
    for (DWORD k = 1; k <= 24; ++k)
        if (rangeStart <= periodStart + k * HOUR)
            return k - 1;
    return 24;
}

static LONG MonthSlot(const RunContext* run, ORB_TIME periodStart) {
    DWORD count =
        run->Intervals.Count < ANALYSIS_INTERVALS ? run->Intervals.Count : ANALYSIS_INTERVALS;
    if (count == 0 || periodStart < run->MonthStarts[0])
        return 0;
    for (DWORD m = 0; m < count; ++m)
        if (periodStart < run->MonthStarts[m + 1])
            return (LONG)m;
    return (LONG)count - 1;
}

LONG HourSlotIndex(const RunContext* run, DWORD periodIndex, DWORD hour, ORB_TIME periodStart) {
    (void)periodIndex;
    const ReportIntervals& iv = run->Intervals;
    if (run->CountByMonth)
        return MonthSlot(run, periodStart);
    // Placed by time, not by the day's place in the range: a range that
    // starts inside a day, and a grid of a few hours, keep each hour in the
    // slot its time falls in.
    long long at = (long long)periodStart + hour * HOUR - iv.FirstStart;
    if (iv.Length == 0 || at < 0 || at / iv.Length >= iv.Count)
        return -1;
    return (LONG)(at / iv.Length);
}
