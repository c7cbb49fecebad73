// One row of the interval table: the language's own when it has the row,
// else the built-in one (private).
#pragma once
#include "ovcore/report_ini.h"

namespace report {

struct IntervalRow {
    DWORD Seconds;
    WORD Count; // at most REPORT_MAX_INTERVALS
    const char* LabelFormat;
    const char* Name;
    const char* RangeFormat;
};

// False when neither table has the row.
bool GetIntervalRow(const ReportIniSettings* settings, int row, IntervalRow* out);
// Rows of the table that a span search walks.
int IntervalRowCount(const ReportIniSettings* settings);

} // namespace report
