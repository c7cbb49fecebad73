// Printing a run's counts as tab-separated lines (see rundump.cpp).
#pragma once
#include "run/run_context.h"

// "period" lines of the per-period block.
void PrintPeriodBlock(const RunContext* context);
// A "table" line and the item lines of every table, in table order, then
// the visitor table (number 44, "Visitors").
void PrintRunTables(const RunContext* context);
