// Texts of a report's intervals and range, in the language's names.
#include "ovcore/report_intervals.h"
#include "reportini/interval_rows.h"
#include <stdio.h>
#include <string.h>

namespace {

const int kPartSize = 100; // one formatted time within a label

// The time in a format, cut to size; formats and names come from settings.
void FormatTime(const ReportIniSettings* settings, const char* format, ORB_TIME t, char* out,
                int size) {
    struct tm parts = {};
    struct tm* gmt = TimeToGmTm(&t);
    if (gmt)
        parts = *gmt;
    FormatIntlDateTime(out, size, format ? format : "", gmt ? &parts : nullptr, settings);
}

report::IntervalRow RowOf(const ReportIniSettings* settings, const ReportIntervals* r) {
    report::IntervalRow row = {0, 0, "%m/%d", "", "%D"};
    report::GetIntervalRow(settings, r->Row, &row);
    return row;
}

bool Empty(char* out, int size) {
    if (out && size > 0)
        *out = '\0';
    return out && size > 0;
}

bool InRange(const ReportIntervals* r, int n) {
    return r && n >= 0 && n < r->Count;
}

ORB_TIME IntervalStart(const ReportIntervals* r, int n) {
    return n == 0 ? r->RangeStart : ORB_TIME(n) * r->Length + r->FirstStart;
}

// "start - end" of the report's range in a format.
void FormatRange(const ReportIniSettings* settings, const char* format, const ReportIntervals* r,
                 char* out, int size) {
    char from[kPartSize], to[kPartSize];
    FormatTime(settings, format, r->RangeStart, from, sizeof from);
    FormatTime(settings, format, r->RangeEnd, to, sizeof to);
    snprintf(out, size_t(size), "%s - %s", from, to);
}

} // namespace

ORB_EXPORT(int)
FormatIntervalStartText(const ReportIniSettings* settings, const ReportIntervals* r, int n,
                        char* out, int size) {
    if (!Empty(out, size) || !InRange(r, n))
        return 0;
    FormatTime(settings, RowOf(settings, r).LabelFormat, IntervalStart(r, n), out, size);
    return 1;
}

ORB_EXPORT(int)
FormatIntervalLabelText(const ReportIniSettings* settings, const ReportIntervals* r, int n,
                        char* out, int size) {
    if (!Empty(out, size) || !InRange(r, n))
        return 0;
    ORB_TIME start = ORB_TIME(n) * r->Length + r->FirstStart;
    ORB_TIME end = start + (r->Length ? r->Length - 1 : 0);
    const char* format = r->Length < 60 ? "%M:%S" : r->Length < 86400 ? "%H:%M:%S" : "%m/%d";
    char from[kPartSize], to[kPartSize];
    FormatTime(settings, format, start, from, sizeof from);
    FormatTime(settings, format, end, to, sizeof to);
    if (strcmp(from, to) == 0)
        snprintf(out, size_t(size), "%s", from);
    else
        snprintf(out, size_t(size), "%s - %s", from, to);
    return 1;
}

ORB_EXPORT(int)
FormatPeriodLabelText(const ReportIniSettings* settings, const ReportIntervals* r, char* out,
                      int size) {
    if (!Empty(out, size) || !r)
        return 0;
    report::IntervalRow row = RowOf(settings, r);
    char range[2 * kPartSize + 4];
    FormatRange(settings, row.RangeFormat, r, range, sizeof range);
    snprintf(out, size_t(size), "%s (%s)", range, row.Name ? row.Name : "");
    return 1;
}

ORB_EXPORT(int)
FormatReportRangeText(const ReportIniSettings* settings, const ReportIntervals* r, char* out,
                      int size) {
    if (!Empty(out, size) || !r)
        return 0;
    FormatRange(settings, "%D %T", r, out, size);
    return 1;
}

ORB_EXPORT(int)
FormatGeneratedOnText(const ReportIniSettings* settings, const ReportIntervals* r, ORB_TIME now,
                      char* out, int size) {
    if (!Empty(out, size) || !r)
        return 0;
    // The language's own format names the day and the time; an interval
    // row's start format may hold only one of them.
    const char* format = settings && settings->GeneratedOnFormat && settings->GeneratedOnFormat[0]
                             ? settings->GeneratedOnFormat
                             : RowOf(settings, r).LabelFormat;
    FormatTime(settings, format, now, out, size);
    return 1;
}
