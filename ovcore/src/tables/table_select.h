// End-of-run ordering of a table's item array (pointer swaps; the sort index
// no longer matches afterwards): the n largest to the front, the n smallest
// to the end, or a full sort.
#pragma once
#include "ovcore/analysis_table.h"

enum TableSortKey {
    SORT_BY_HITS = 0,
    SORT_BY_USERS = 1,
    SORT_BY_PAGE_TIME = 2,    // average seconds on the page, largest first
    SORT_BY_NAME = 3,         // case-blind ascending; always a full sort
    SORT_BY_VISIT_LENGTH = 4, // summed seconds on pages (a visit's length)
};

// Selection does n passes without allocation up to this n; larger requests
// sort the whole range.
#define SELECT_MAX_PASSES 200

// The n largest of positions start to count - 1 to the front of that range
// (among equal values the earliest position at each scan wins; all-zero
// rows stay in place). Deleted slots are never selected and go last in a
// full sort, which covers the same range.
void SelectTopItems(AnalysisTable* table, int key, DWORD n, DWORD start, DWORD count);
// The n smallest of positions max(start, 1) to count - 1 to the end of that
// range (among equals the highest position wins). Position 0 is never moved.
void SelectBottomItems(AnalysisTable* table, int key, DWORD n, DWORD start, DWORD count);

// Folds every live item that is not on the top list (item 0 aside) into the
// top-list member of the same name (case-blind): the member takes its last
// time and adds its counters; the item's name and extra data (by kind) are
// freed and it is zeroed and marked deleted, off every list. 1, or 0 when
// memory for the name hash is short.
int MergeTopNamesakes(AnalysisTable* table, int kind);
