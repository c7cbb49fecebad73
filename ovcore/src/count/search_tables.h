// Read side of the search tables and of the per-server counters for the
// report writers: an item's name with its links ranked by hits, each link's
// name and counts, and the rank order of an item's 32-bit counters.
//
// n is a slot of the table's item array (the order the end-of-run sort left
// it in). Out-of-range n or m, a null table or a null buffer give an empty
// text, 0 or -1; buffers are always terminated within size bytes.
#pragma once
#include "ovcore/analysis_table.h"

// Copies item n's name (m must be 0) and orders its link entries by hit
// count, largest first (equal counts keep their order). Search tables only.
void GetTableItemName(AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size);
void GetTableItemName2(AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size);
// Copies the name of link entry m of item n.
void GetTableSubItemName(const AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size);
void GetTableSubItemName2(const AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size);
// Hit and new-visit counts of link entry m of item n; 0 when out of range.
DWORD GetTableSubItemValue(const AnalysisTable* table, DWORD n, DWORD m);
DWORD GetTableSubItemValue2(const AnalysisTable* table, DWORD n, DWORD m);
DWORD GetTableSubItemSecondValue(const AnalysisTable* table, DWORD n, DWORD m);
DWORD GetTableSubItemSecondValue2(const AnalysisTable* table, DWORD n, DWORD m);
// The position, among item n's 32-bit counters (the first 256), of the m-th
// largest (m from 0; equal counters keep their order). With reverse 1, n
// counts from the end of the table. -1 on bad input.
int GetRankedSubItemIndex(const AnalysisTable* table, DWORD n, int reverse, DWORD m);
