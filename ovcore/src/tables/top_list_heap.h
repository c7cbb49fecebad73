// The weakest member of a table's top list without walking the list: a heap
// beside the table, ordered by hits and, among equal hits, by the newest
// member first (the list's own order, newest at its head). Members' hits
// only grow while a run counts, so the heap is repaired lazily: an entry
// whose member gained hits is put back with its new count when it comes up.
// The list stays the stored truth; whenever the heap's view of it differs
// (a table read from storage, cleared, or linked by other code), the heap is
// made again from the list.
#pragma once
#include "ovcore/analysis_table.h"

struct TopListHeap;

// The list primitives report each change (no effect while no heap exists).
void TopListHeap_Pushed(AnalysisTable* table, LONG item);
void TopListHeap_Unlinked(AnalysisTable* table, LONG item);
// The top-list member with the fewest hits, the first in list order among
// equals; ANALYSIS_NO_ITEM when the list is empty.
LONG TopListHeap_Weakest(AnalysisTable* table);
void TopListHeap_Free(TopListHeap* heap);
