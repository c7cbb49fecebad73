// Counting the hits of a kind-6 run into the run context, and closing the
// run's counting before the report is written.
#pragma once
#include "run/report_handle.h"

// Makes the 44 tables and the visitor table of the context (empty headers;
// each table's first insertion makes its arrays, and item 0 for the tables
// that expire idle items); 1, or 0 when memory is short (nothing left
// allocated).
int MakeRunTables(RunContext* context);
// Points the context's table updaters at it (visit closing, the name of the
// rest): for tables made elsewhere, such as a stored day's.
void BindRunTables(RunContext* context);
// Frees every table (with its extra data by kind), the array and the
// visitor table; the period block's pointers become null.
void FreeRunTables(RunContext* context);

// 0 when the report has no run context, else AccumulateHit's result.
int AccumulateGuard(ReportHandle* report, HitRecord* hit);
// 1 when the hit was counted or skipped by rule; 0 when a table update
// failed (out of memory: the run's error text says so).
int AccumulateHit(ReportHandle* report, RunContext* context, HitRecord* hit);
// Closes one visit (visitor expiry and the end of the run).
void CloseVisit(RunContext* context, AnalysisItem* visitor);

// End of counting: drains the DNS ring, then EndRunTables. The context
// (still owned by the report), or null when the report has none.
RunContext* EndSummaryContext(ReportHandle* report);
// Closes the last day and every visit, then SortAndTrimReportTables(1).
void EndRunTables(RunContext* context);
// Orders every table for the writers (reordering only; nothing is cut).
void SortAndTrimReportTables(RunContext* context, int mergeNamesakes);
