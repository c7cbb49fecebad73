// Read side of one statistics table for the keyword evaluators: the item of
// a report row and its counters, and sums over items. A null table, a table
// without an item array or a row out of range gives 0 (or null).
//
// Rows (the order flag): TABLE_ROWS_FROM_START, row n is item n;
// TABLE_ROWS_FROM_END, row n is item ovCount-n-1 (the bottom rows, which the
// end-of-run sort puts at the end, least first); TABLE_ROWS_AFTER_AGGREGATE,
// row n is the item behind item 0 when item 0 is the aggregate row (tables
// whose selection starts behind it). Except from the start, the aggregate
// row is never a row. Sums run over items from
// first up to, not including, end (clamped to the item count; use
// TABLE_ALL_ITEMS for all).
#pragma once
#include "ovcore/analysis_table.h"

#define TABLE_ALL_ITEMS 0xFFFFFFFFu

#define TABLE_ROWS_FROM_START 0
#define TABLE_ROWS_FROM_END 1
#define TABLE_ROWS_AFTER_AGGREGATE 2

// The item shown in row n, or null when there is none or it has no name.
const AnalysisItem* GetTableRowItem(const AnalysisTable* table, int order, DWORD n);

DWORD GetTableItemHits(const AnalysisTable* table, int order, DWORD n);
DWORD GetTableItemUsers(const AnalysisTable* table, int order, DWORD n);
DWORD GetTableItemNonCached(const AnalysisTable* table, int order, DWORD n);
double GetTableItemBytes(const AnalysisTable* table, int order, DWORD n);
DWORD GetTableItemSubCount(const AnalysisTable* table, int order, DWORD n);
DWORD GetTableItemIntervalHits(const AnalysisTable* table, int order, DWORD n, DWORD k);
DWORD GetTableItemIntervalUsers(const AnalysisTable* table, int order, DWORD n, DWORD k);
// Duration total divided by its count; 0 when either is 0.
DWORD GetTableItemAverage(const AnalysisTable* table, int order, DWORD n);
// Element m of the item's value array: the per-server counters of a server
// table (kind TABLE_KIND_SERVERS) or the per-interval doubles of the
// bandwidth table (TABLE_KIND_BANDWIDTH); 0 for other kinds or m past the
// array.
DWORD GetTableItemValue(const AnalysisTable* table, int kind, int order, DWORD n, DWORD m);
double GetTableItemDouble(const AnalysisTable* table, int kind, int order, DWORD n, DWORD m);
double GetTableItemDoubleSum(const AnalysisTable* table, int kind, int order, DWORD n);

ULONGLONG SumTableHits(const AnalysisTable* table, DWORD first, DWORD end);
ULONGLONG SumTableUsers(const AnalysisTable* table, DWORD first, DWORD end);
double SumTableBytes(const AnalysisTable* table, DWORD first, DWORD end);
double SumTableDoubleSums(const AnalysisTable* table, int kind, DWORD first, DWORD end);
ULONGLONG SumTableIntervalHits(const AnalysisTable* table, DWORD first, DWORD k);
ULONGLONG SumTableIntervalUsers(const AnalysisTable* table, DWORD first, DWORD k);
ULONGLONG SumTableValueColumn(const AnalysisTable* table, int kind, DWORD k);
ULONGLONG SumTableAllValues(const AnalysisTable* table, int kind);

// Hits (users) of the first item named name (case ignored); 0 when none.
DWORD FindItemHitsByName(const AnalysisTable* table, const char* name);
DWORD FindItemUsersByName(const AnalysisTable* table, const char* name);
// For items first..end of names, the sum of the hits (users) of the items of
// the same names in counts.
ULONGLONG SumHitsOfNamesInTable(const AnalysisTable* names, DWORD first, DWORD end,
                                const AnalysisTable* counts);
ULONGLONG SumUsersOfNamesInTable(const AnalysisTable* names, DWORD first, DWORD end,
                                 const AnalysisTable* counts);
