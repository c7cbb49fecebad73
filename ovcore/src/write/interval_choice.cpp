// ChooseReportIntervals: the scale of a report's time axis.
#include "ovcore/report_intervals.h"
#include "reportini/interval_rows.h"

namespace {

const DWORD kDay = 86400;
const DWORD kShortSpan = 86401;
const DWORD kLongSpan = 2678400; // 31 days
const int kTwelveMonthRow = 17;
const int kTwentyFourMonthRow = 18;

bool TakeRow(const ReportIniSettings* settings, int row, ReportIntervals* r) {
    report::IntervalRow s;
    if (!report::GetIntervalRow(settings, row, &s) || !s.Count || !s.Seconds)
        return false;
    r->Count = s.Count;
    r->Row = WORD(row);
    r->Length = s.Seconds;
    return true;
}

bool FirstCoveringRow(const ReportIniSettings* settings, DWORD span, ReportIntervals* r) {
    int rows = report::IntervalRowCount(settings);
    for (int i = 0; i < rows; ++i) {
        report::IntervalRow s;
        if (report::GetIntervalRow(settings, i, &s) &&
            ULONGLONG(s.Seconds) * s.Count >= ULONGLONG(span))
            return TakeRow(settings, i, r);
    }
    return false;
}

int DailyRow(DWORD days) {
    return days < 8 ? 9 : days < 15 ? 10 : days < 29 ? 11 : 12;
}

} // namespace

ORB_EXPORT(void)
ChooseReportIntervals(const ReportIniSettings* settings, int mode, ReportIntervals* r) {
    if (!r)
        return;
    r->Count = 0;
    if (mode == INTERVALS_TWELVE_MONTHS && TakeRow(settings, kTwelveMonthRow, r))
        return;
    if (mode == INTERVALS_24_MONTHS && TakeRow(settings, kTwentyFourMonthRow, r))
        return;
    ORB_TIME start = r->RangeStart;
    ORB_TIME end = r->RangeEnd < start ? start : r->RangeEnd;
    ORB_TIME day = start - start % kDay;
    DWORD span = end - day;
    if (end - start < kShortSpan || span >= kLongSpan) {
        FirstCoveringRow(settings, span, r);
    } else {
        r->Count = WORD(span / kDay + 1);
        r->Length = kDay;
        r->Row = WORD(DailyRow(r->Count));
    }
    if (r->Count == 0 && !TakeRow(settings, 0, r)) {
        // No table at all: one interval over the whole range.
        r->Count = 1;
        r->Row = 0;
        r->Length = span + 1;
    }
    if (r->Count > REPORT_MAX_INTERVALS)
        r->Count = REPORT_MAX_INTERVALS;
}
