// The tables of a period read from the history tables: made empty, given
// their slots from the summary rows, and filled item by item.
#pragma once
#include "run/run_context.h"

// 44 empty tables and an empty visitor table in the block. 1/0.
int MakePeriodTables(PeriodBlock* period);
// The table that rows of a SummaryTableType value belong to (kind out, may
// be null), or null for values the block does not keep.
AnalysisTable* PeriodTableOfType(PeriodBlock* period, DWORD type, int* kind);
// Makes slots 0..count-1 of an empty table. 1/0.
int MakeTableSlots(AnalysisTable* table, DWORD count);
// Slot i of the table, or null (null table, or i past its slots).
AnalysisItem* TableSlot(AnalysisTable* table, DWORD i);
// Readies an item's extra data for the stored entry count of its kind. 1/0.
int PrepareItemExtra(AnalysisItem* item, int kind, DWORD storedCount);
int SetBandwidthSlot(AnalysisItem* item, DWORD n, double value);
// Adds a stored sub-list value (slot 0-11) to a visitor item. 1, or 0 when
// memory is short (values past a slot's room are dropped).
int AddStoredSubValue(AnalysisItem* item, DWORD slot, DWORD value);
int AddStoredSearchDetail(AnalysisItem* item, const char* name, DWORD hits, DWORD sessions);
// The characters of an item name that the name rows keep.
#define ODBC_STORED_NAME_CHARS 249
// Folds the items whose names came back equal (cut to the stored length)
// into the first of them: counts added, the later slots freed.
void FoldCutNames(PeriodBlock* period);
// Puts every table's sort index in name order. 1/0.
int FinishPeriodTables(PeriodBlock* period);
