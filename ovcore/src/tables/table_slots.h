// Slot handling shared by insertion and expiry.
#pragma once
#include "ovcore/analysis_table.h"

// A slot for a new item: the newest free one, else a new slot (the arrays
// grow first). The item is reset; ovCount goes up. ANALYSIS_NO_ITEM when
// memory is short.
LONG TakeItemSlot(AnalysisTable* table);
// Gives the item a heap copy of name and files it in the hash under it. 1/0.
int NameItem(AnalysisTable* table, LONG index, const char* name);
// Frees the item's name and extra data (by kind), zeroes it, marks it deleted
// and pushes it on the delete list; ovCount goes down.
void ReleaseItemSlot(AnalysisTable* table, LONG index, int kind);
