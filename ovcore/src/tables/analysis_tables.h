// Building the statistics tables during a run: insertion with expiry into a
// top list or the aggregate item 0, look-up by name, the three index-linked
// lists, growth and freeing. Item counters and sub-lists are in
// item_counters.h; the end-of-run ordering in table_select.h.
//
// Conventions: item indices are slots of the item array; functions returning
// an index plus one give 0 on failure; 1/0 functions return 0 on failure.
#pragma once
#include "ovcore/analysis_table.h"

// Table numbers whose items carry server counts, byte intervals or search
// links; every other table is plain.
int TableKindOfNumber(int tableNumber);

struct NameStore;

// What the tables need of the run. A null context: no visit closing and an
// empty name for item 0.
typedef struct TableContext {
    void* lpRun;
    // Closes the visit of a visitor item before it expires; may be null.
    void (*CloseVisit)(void* lpRun, AnalysisItem* visitor);
    const char* szAggregateName; // name of item 0, the remaining items
    // The run's names kept once (name_store.h), or null; see
    // InsertStoredTableItem.
    NameStore* Names;
} TableContext;

// Two names equal without regard to the case of A-Z; <0, 0, >0 in the
// table's name order (first characters folded up, then all folded down).
int CompareItemNames(const char* a, const char* b);

// Sets the list heads to -1; with cachedTime not 0 also makes the arrays
// (102 entries) and item 0, the aggregate row. 1, or 0 when memory is short.
int InitTable(const TableContext* context, AnalysisTable* table, DWORD cachedTime);

// Adds one hit's item; returns its index plus one, or 0 on failure (out of
// memory, no name). kind is a TableKind. created (may be null) gets 1 for a
// new item. preferredName may be null or empty. cachedTime 0 keeps every
// item; topLimit 0 folds expired items into item 0. maxCached has no effect.
DWORD InsertTableItem(int kind, int* created, const TableContext* context, AnalysisTable* table,
                      const char* name, const char* preferredName, DWORD time, DWORD cachedTime,
                      DWORD maxCached, DWORD topLimit, int skipAggregate);
// InsertTableItem for a name that context->Names keeps (the very pointer
// NameStore_Intern gave): it is looked up by its stored hash, compared by
// pointer first, and a new item takes it without a copy. preferredName is a
// text as above. 0 also when the context has no store.
DWORD InsertStoredTableItem(int kind, int* created, const TableContext* context,
                            AnalysisTable* table, const char* stored, const char* preferredName,
                            DWORD time, DWORD cachedTime, DWORD topLimit);
// InsertTableItem with no context, time, cache time or top limit.
DWORD AddTableItem(AnalysisTable* table, const char* name, int skipAggregate = 0);

// Looks the name up: 1 and the item number of a live item of that name that
// is not on the top list (else of the top-list member), or 0 and
// ANALYSIS_NO_ITEM. With skipAggregate, or when item 0 is the aggregate row,
// item 0 is never returned.
int FindTableItem(const char* name, AnalysisTable* table, int skipAggregate, LONG* item);

// Date list (most recent first; ties go behind) and top list (at the head).
void InsertLinkListItem(AnalysisTable* table, LONG item);
void UnlinkItemFromList(AnalysisTable* table, LONG item);
void InsertTopItemIntoList(AnalysisTable* table, LONG item);
void UnlinkItemFromTopTableList(AnalysisTable* table, LONG item);

// Adds the counters of src into dst: hits, users, non-cached hits, bytes and
// both interval sets.
void AddItemCounts(AnalysisItem* dst, const AnalysisItem* src);

// Puts the sort index in name order (item 0 first when it is the aggregate
// row) and sets SortIndexCount. 1, or 0 when memory is short.
int MaterialiseSortIndex(AnalysisTable* table);
// Drops the name hash (the item array is about to be reordered); a later
// insertion rebuilds it.
void DropTableLookup(AnalysisTable* table);

// Frees every slot's name and extra data (by kind), the items (which the
// table's side state owns: make items only through InsertTableItem), the
// arrays and the hash; the header keeps its size and version, the rest is 0.
void FreeTableItems(AnalysisTable* table, int kind);
