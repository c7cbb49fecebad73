#include "interval_rows.h"
#include "ovcore/report_intervals.h"
#include "reportini/report_ini_defaults.h"

namespace report {

bool GetIntervalRow(const ReportIniSettings* settings, int row, IntervalRow* out) {
    if (row < 0)
        return false;
    if (settings && settings->Intervals && row < settings->IntervalCount) {
        const IntervalScale& s = settings->Intervals[row];
        *out = {s.Seconds, s.Count, s.LabelFormat, s.Name, s.RangeFormat};
    } else if (row < reportini::kDefaultScaleCount) {
        const reportini::DefaultScale& d = reportini::kDefaultScales[row];
        *out = {d.seconds, d.count, d.labelFormat, d.name, d.rangeFormat};
    } else {
        return false;
    }
    // The interval arrays of a table item hold 32 counters.
    if (out->Count > REPORT_MAX_INTERVALS)
        out->Count = REPORT_MAX_INTERVALS;
    return true;
}

int IntervalRowCount(const ReportIniSettings* settings) {
    if (settings && settings->Intervals && settings->IntervalCount)
        return settings->IntervalCount;
    return reportini::kDefaultScaleCount;
}

} // namespace report
