// Counting the hits of a kind-6 run into the run context, and closing the
// run's counting before the report is written.
#pragma once
#include "run/report_handle.h"

// 0 when the report has no run context, else AccumulateHit's result.
int AccumulateGuard(ReportHandle* report, HitRecord* hit);
// 1 when the hit was counted or skipped by rule; 0 when a table update
// failed (out of memory: the run's error text says so).
int AccumulateHit(ReportHandle* report, RunContext* context, HitRecord* hit);
// Closes one visit (visitor expiry and the end of the run).
void CloseVisit(RunContext* context, AnalysisItem* visitor);

// End of counting: drains the DNS ring, closes the last day and every visit
// and orders the tables for the writers. 1, or 0 when the report has no
// run context.
int EndSummaryContext(ReportHandle* report);
// Orders every table for the writers (reordering only; nothing is cut).
void SortAndTrimReportTables(RunContext* context);
