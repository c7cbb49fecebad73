// Report-wide keywords: header figures, general, activity and technical
// statistics, server errors, weekday and hour summaries, styles, layout and
// word-processor keywords; keywords that name a statistics table go to the
// table evaluator.
#pragma once
#include "write/keyword_resolve.h"

// Writes the keyword's value into value (size bytes; empty text when the
// keyword yields nothing). Sets *markerFlag to 1 when the value is a layout
// marker, never clears it. 1, or 0 with nothing written when run is null.
int EvaluateHeaderKeyword(ReportHandle* report, RunContext* run, const char* keyword, char* value,
                          DWORD size, DWORD* markerFlag, ReportStatusProc status);
