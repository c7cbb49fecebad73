// The side state of a table: the items' storage and the name hash: open addressing over item
// numbers, keyed by the name with A-Z folded, so that look-up and insertion cost the same at any
// table size. Several items may share a name (a top-list member and its namesake in the date list).
#pragma once
#include "ovcore/analysis_table.h"

struct BlockPool;
struct NameStore;
struct TopListHeap;

// Hash of a name with A-Z folded to lower case.
DWORD HashItemName(const char* name);
// The same, and the name's length (strlen) from the same pass.
DWORD HashItemNameLength(const char* name, size_t* length);

// Makes the hash of a table from its live items (replacing any old one).
// 1, or 0 when memory is short.
int TableLookup_Build(AnalysisTable* table);
int TableLookup_HasHash(const AnalysisTable* table);
// Drops the hash only; the items stay.
void TableLookup_DropHash(AnalysisTable* table);
// Frees the hash and every item of the table.
void TableLookup_Free(AnalysisTable* table);
// Storage for one more item, owned by the table: zero but for its tail's
// kind; null when memory is short.
AnalysisItem* TableLookup_NewItem(AnalysisTable* table);
// The tail (ItemTail, item_tail.h) of the table's items from now on; set it
// before the first item. 1, or 0 when memory is short or items of another
// tail were made.
int TableLookup_SetItemTail(AnalysisTable* table, int tail);
// Adds or removes one item under its current name. Add: 1, or 0 when memory
// is short.
int TableLookup_Add(AnalysisTable* table, LONG item);
void TableLookup_Remove(AnalysisTable* table, LONG item);

// The table keeps the names of store (name_store.h) from now on: 1 when it does (also when it
// already did), 0 when it keeps another store's or memory is short. An item named by a kept store's
// name holds that very pointer, never written in place and never freed by the table.
int TableLookup_KeepStore(AnalysisTable* table, NameStore* store);
// 1 when name is kept by the table's store.
int TableLookup_IsStoredName(const AnalysisTable* table, const char* name);
// HashItemName(name), read in front of a stored name instead of computed.
DWORD TableLookup_NameHash(const AnalysisTable* table, const char* name);

// Item names: a heap copy of name, made in the buffer of the last name the
// table dropped when it is long enough (items come and go at the pace of
// the hits where idle ones expire). Null when memory is short. A dropped
// name is kept for that, or freed; a stored name is left to its store.
char* TableLookup_CopyName(AnalysisTable* table, const char* name);
void TableLookup_DropName(AnalysisTable* table, char* name);

// The slot of the table's top-list heap (top_list_heap.h), freed with the
// table; null when the side state is missing (and create is 0) or memory is
// short.
TopListHeap** TableLookup_TopListHeap(AnalysisTable* table, int create);

// The pool of the items' sub-list blocks (block_pool.h), freed with the table after its items;
// null when there is none (and create is 0) or memory is short.
BlockPool* TableLookup_BlockPool(AnalysisTable* table, int create);

// Visits every live item named like name; stops when visit returns non-zero
// and gives that item, else ANALYSIS_NO_ITEM.
typedef int (*TableMatchFn)(const AnalysisItem* item, LONG index, void* data);
LONG TableLookup_Find(const AnalysisTable* table, const char* name, TableMatchFn visit, void* data);
// The same with the name's hash given (HashItemName(name)); an item holding the very pointer
// name matches without its text being compared.
LONG TableLookup_FindHashed(const AnalysisTable* table, const char* name, DWORD hash,
                            TableMatchFn visit, void* data);
