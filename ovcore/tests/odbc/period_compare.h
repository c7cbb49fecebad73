// Comparing two periods' per-period blocks and tables item by item, for the
// tests that store a period in one form and read it back or in another.
#pragma once
#include "run/run_context.h"

namespace odbctest {

// Names are compared as stored: cut to 249 characters.
void ExpectSameTable(const AnalysisTable* a, const AnalysisTable* b, int kind);
void ExpectSamePeriod(const PeriodBlock* a, const PeriodBlock* b);

} // namespace odbctest
