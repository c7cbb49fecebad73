// The layout keywords of the report templates (their values are marks and
// removals in the written page, not text) and the word-processor keywords.
#pragma once
#include "report/keyword_resolve.h"

// Evaluates keyword when it is a layout or word-processor keyword: writes
// its value into value (size bytes), sets *markerFlag to 1 when the value is
// a layout marker, and returns 1. Returns 0, touching nothing, for any other
// keyword.
int EvaluateLayoutKeyword(ReportHandle* report, RunContext* run, const char* keyword, char* value,
                          int size, DWORD* markerFlag, ReportStatusProc status);

// The action code of a layout marker text (compared without case), or -1
// when the text is none of the ten markers.
int LayoutActionOf(const char* text);
