// Merging a stored day (period context P) into a report's run context (R):
// its per-period counters, its hour arrays and its tables, each hour into
// the report slot it falls in.
#pragma once
#include "run/run_context.h"

// Where the day lies in the report: its index in the range, its start, and
// the hours before the range start to leave out (first day only).
struct PeriodPlace {
    DWORD Index;
    ORB_TIME Start;
    DWORD SkipHours;
};

// Busiest and quietest days, day counts and the weekday/weekend sums.
void MergeTemplateCounters(PeriodBlock* report, const PeriodBlock* period);
// The hour arrays of the per-period block, each hour into its slot.
void MergeHourArrays(RunContext* report, const RunContext* period, const PeriodPlace* place);
// Hours (into their slots) and totals of one item; bandwidth items also
// their byte slots.
int MergeItemCounts(RunContext* report, AnalysisItem* to, const AnalysisItem* from, int kind,
                    const PeriodPlace* place);
// Every live named item of the period's table found or added by name in
// the report's and merged, with its server counts or search details. 1, or
// 0 when memory is short.
int MergeTableItems(RunContext* report, int tableNumber, AnalysisTable* to,
                    const AnalysisTable* from, const PeriodPlace* place);
// The period's TopPaths renumbered into the report's pages and merged (its
// names are put back afterwards). 1/0.
int MergeTopPaths(RunContext* report, RunContext* period, const PeriodPlace* place);

// The visitor-like tables (TopCompanies, TopUsers): the period's namesakes
// folded first; the rest row (when the table has one) is not merged. 1/0.
int MergeVisitorTableItems(RunContext* report, AnalysisTable* to, AnalysisTable* from,
                           const PeriodPlace* place);
// One stored day into the report: its visits closed, its counters, hour
// arrays and tables merged; tables past the big-table cutoff are left out of
// the report. progress (may be null) gets a percent from percentLow to
// percentHigh after each table and answers 0 to stop. 1, or 0 when stopped
// or memory is short.
typedef int (*MergeProgressProc)(DWORD percent);
int MergePeriodIntoRunContext(RunContext* report, RunContext* period, const PeriodPlace* place,
                              DWORD percentLow, DWORD percentHigh, MergeProgressProc progress);
// After the merge: every table used, except the big visitor-like and path
// tables, the lists that hold only their aggregate row, and empty tables.
void MarkReportTables(RunContext* report);
