// The sub-entries of a search-table row (the engines of a keyword, the
// keywords of an engine) as the detail keywords read them: ranked by count,
// largest first. Reads the SearchDetail array of the item directly; kept in
// one place so the run's own search-table accessors can take over.
#pragma once
#include "ovcore/analysis_table.h"

// Sub-entry m (in count order, ties in stored order) of row n, or null.
const SearchDetail* GetRankedSearchDetail(const AnalysisTable* table, DWORD n, DWORD m);
