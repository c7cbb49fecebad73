// Day and hour summaries of a run (the "SummaryByDay" keywords and the
// work-hour sums of the hours table).
#pragma once
#include "ovcore/analysis_table.h"
#include "ovcore/report_ini.h"

struct RunContext;

// Hits of the hours table's items "%02d:00-%02d:59" for each hour of the
// language's work hours (after hours); users likewise.
ULONGLONG SumHoursHits(const RunContext* run, const AnalysisTable* hours);
ULONGLONG SumAfterHoursHits(const RunContext* run, const AnalysisTable* hours);
ULONGLONG SumHoursUsers(const RunContext* run, const AnalysisTable* hours, const HourList* list);

// Value of a "SummaryByDay" keyword; for logs without visitors every one of
// them is the marker "%%Remove%%" (marker flag set). 1 when keyword is one
// of them, else 0 (value empty).
int FillSummaryByDayVars(const RunContext* run, const char* keyword, char* value, DWORD size,
                         DWORD* markerFlag);

// Name of the named item with the most (fewest) hits, the first on a tie;
// empty when there is none.
void MostHitsItemName(const AnalysisTable* table, bool most, char* out, DWORD size);
