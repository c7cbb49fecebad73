// What the two report entry points (the summary of a log run and the report
// from the history database) share: the style's sort order and the report
// language's words.
#pragma once
#include "ovcore/report_writer.h"
#include "run/report_handle.h"

// "Sort By" of the style's section in style.ini; 0 when absent.
int ReadSortSetting(const char* styleName);
// The words of report->Language read afresh; null when they cannot be read
// (nothing is left allocated then).
ReportIniSettings* ReadReportLanguageWords(const ReportHandle* report);
