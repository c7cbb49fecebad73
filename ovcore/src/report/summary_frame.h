// What the two report entry points (the summary of a log run and the report
// from the history database) share: the progress slots while a report is
// written, the style's sort order and the report language's words.
#pragma once
#include "ovcore/report_writer.h"
#include "run/report_handle.h"

// While the report is written the caller's peek callback is the only
// progress callback.
void InstallPeekCallback(ORB_PEEKPROC peek);
// Slots 1 and 2 empty, the registered pump back in slot 3.
void RestoreCallbacks(void);
// "Sort By" of the style's section in style.ini; 0 when absent.
int ReadSortSetting(const char* styleName);
// The words of report->Language read afresh; null when they cannot be read
// (nothing is left allocated then).
ReportIniSettings* ReadReportLanguageWords(const ReportHandle* report);
