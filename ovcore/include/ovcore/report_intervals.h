// The report's time intervals: which scale of the language's interval table
// the report uses, and the texts of its intervals and range. Times follow the
// engine's time convention (dates.h): wall-clock values read as GMT.
#pragma once
#include "ovcore/dates.h"

#define REPORT_MAX_INTERVALS 32

// How the intervals are chosen: by the report's span, or fixed at the twelve
// (twenty-four) months of the history database's yearly reports.
enum ReportIntervalMode { INTERVALS_BY_SPAN, INTERVALS_TWELVE_MONTHS, INTERVALS_24_MONTHS };

struct ReportIntervals {
    WORD Count;          // 0 to REPORT_MAX_INTERVALS
    WORD Row;            // scale row whose formats label the intervals
    DWORD Length;        // seconds per interval
    ORB_TIME FirstStart; // start of interval 0 as the analysis counted it
    ORB_TIME RangeStart; // the report's range
    ORB_TIME RangeEnd;
};

// Sets Count, Row and Length from the range (mode INTERVALS_BY_SPAN): under
// 86,401 seconds or from 31 days on, the first row whose intervals cover the
// span from the start of the first day; otherwise one interval a day, row 9
// below 8 days, 10 below 15, 11 below 29, else 12. Rows the settings lack are
// taken from the built-in table; with neither, one interval over the range.
ORB_EXPORT(void)
ChooseReportIntervals(const ReportIniSettings* settings, int mode, ReportIntervals* intervals);

// Texts written into out (size characters with the NUL, cut when longer).
// Each returns 1, or 0 with an empty text for an interval not below Count.
// The start of interval n (interval 0 starts at the range start) in the
// row's label format.
ORB_EXPORT(int)
FormatIntervalStartText(const ReportIniSettings* settings, const ReportIntervals* intervals, int n,
                        char* out, int size);
// "start - end" of interval n ("%M:%S" under a minute, "%H:%M:%S" under a
// day, else "%m/%d"), or the start alone when both texts are equal.
ORB_EXPORT(int)
FormatIntervalLabelText(const ReportIniSettings* settings, const ReportIntervals* intervals, int n,
                        char* out, int size);
// "start - end (scale name)" of the range in the row's range format.
ORB_EXPORT(int)
FormatPeriodLabelText(const ReportIniSettings* settings, const ReportIntervals* intervals,
                      char* out, int size);
// "start - end" of the range, each "%D %T".
ORB_EXPORT(int)
FormatReportRangeText(const ReportIniSettings* settings, const ReportIntervals* intervals,
                      char* out, int size);
// The time now in the row's label format: the report's generated-on text.
ORB_EXPORT(int)
FormatGeneratedOnText(const ReportIniSettings* settings, const ReportIntervals* intervals,
                      ORB_TIME now, char* out, int size);
