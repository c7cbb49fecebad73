// The stored forms of the tables in a period file: the in-memory records
// with each pointer replaced by a 32-bit offset from the start of the file
// (0 for none). The bytes before the first pointer of the table header, a
// sub-list and a search detail are the same in memory and on disk (the
// records are packed); an item is stored as its ItemRecord.
#pragma once
#include <stddef.h>

#include "run/run_context.h"
#include "tables/item_record.h"

#pragma pack(push, 1)
struct StoredTable {
    BYTE Head[offsetof(AnalysisTable, lpLookup)];
    DWORD Lookup; // always 0
    DWORD Items;
    DWORD SortIndex;
};
typedef ItemRecord StoredItem;
struct StoredNameList {
    BYTE Head[offsetof(TopNameList, lpValues)];
    DWORD Values;
};
struct StoredSearchDetail {
    BYTE Head[offsetof(SearchDetail, lpName)];
    DWORD Name;
};
#pragma pack(pop)
static_assert(sizeof(StoredTable) == ANALYSIS_TABLE_SIZE, "stored table");
static_assert(sizeof(StoredItem) == ANALYSIS_ITEM_SIZE, "stored item");
static_assert(sizeof(StoredNameList) == 14, "stored sub-list");
static_assert(sizeof(StoredSearchDetail) == 20, "stored search detail");

// The per-period block: its bytes up to the table pointers, then the two
// offsets.
#define PERIOD_BLOCK_HEAD offsetof(PeriodBlock, TopTablesPtr)
static_assert(PERIOD_BLOCK_HEAD + 8 == PERIOD_BLOCK_SIZE, "stored period block");

// The visitor table's kind; the 44 tables take TableKindOfNumber.
#define VISITOR_TABLE (-1)
int StoredTableKind(int tableNumber);
// An empty table: size, version and every list head -1.
void EmptyPeriodTable(AnalysisTable* table);
