// Slot handling shared by insertion and expiry.
#pragma once
#include "ovcore/analysis_table.h"

struct NameStore;

// A slot for a new item: the newest free one, else a new slot (the arrays
// grow first). The item is reset; ovCount goes up. ANALYSIS_NO_ITEM when
// memory is short.
LONG TakeItemSlot(AnalysisTable* table);
// Gives the item name (when store is not null, a name it keeps: the item
// takes it itself if the table keeps that store; else a heap copy) and files
// it in the hash under it. 1/0.
int NameItem(AnalysisTable* table, LONG index, const char* name, NameStore* store = nullptr);
// Frees the item's name and extra data (by kind), zeroes it, marks it deleted
// and pushes it on the delete list; ovCount goes down.
void ReleaseItemSlot(AnalysisTable* table, LONG index, int kind);
