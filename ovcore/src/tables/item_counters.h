// Counting a hit into one item: hit and user totals with their interval
// counters, per-server counters, the visitor sub-lists and freeing an item's
// extra data by its table's kind.
//
// Interval numbers at or past ANALYSIS_INTERVALS and server numbers at or
// past the counter array are ignored (nothing is counted).
#pragma once
#include "ovcore/analysis_table.h"
#include "ovcore/serverlist.h"

struct BlockPool;

void TableItem_CountInterval(AnalysisItem* item, DWORD n);
void TableItem_CountSecondInterval(AnalysisItem* item, DWORD n);
// CountInterval, and CountSecondInterval too when flag is not 0.
void TableItem_CountHit(AnalysisItem* item, DWORD n, int flag);
// Adds 1 to server counter n; the array (one counter per server of the list)
// is made zero-filled on first use and then kept. 1, or 0 when nothing was
// counted (out of memory, n past the array).
int TableItem_CountServer(AnalysisItem* item, DWORD n, const ServerList* servers);
// Frees the item's extra data as its table kind (TableKind) holds it and
// sets the count and pointer to 0. Null items and items without extra data
// are left alone.
void TableItem_FreeDetails(AnalysisItem* item, int kind);

// The sub-list functions below come in two forms: without a pool their
// blocks are the heap's; the ...In forms take them from the item's table's
// pool (block_pool.h; null: the heap), and such an item's data is freed with
// TableItem_FreeDetailsIn and that pool.
void TableItem_FreeDetailsIn(BlockPool* pool, AnalysisItem* item, int kind);

// Sub-list ids are 16-bit: items past SUBLIST_ID_MAX have no sub-list
// entries and no path steps; an updater decides this once per item.
inline bool SubItemIdFits(LONG itemIndex) {
    return itemIndex >= 0 && itemIndex <= SUBLIST_ID_MAX;
}
// The item's 12 sub-list slots, made on first use; null when memory is short.
TopNameList* TableItem_SubLists(AnalysisItem* item);
TopNameList* TableItem_SubListsIn(BlockPool* pool, AnalysisItem* item);
// Adds id to sub-list slot (0-10) unless it is there already. 1 added; 0
// present, out of memory or a bad slot or id. The stored count stays the
// number of ids; the array grows geometrically.
int AddSubItemId(AnalysisItem* item, int slot, DWORD id);
int AddSubItemIdIn(BlockPool* pool, AnalysisItem* item, int slot, DWORD id);
// Appends high * 65536 + low to the path slot (at most SUBLIST_PATH_MAX
// steps) unless it equals the last step. The slot's count is the number of
// 16-bit halves. 1 added; 0 full, equal or out of memory.
int AddLinkPair(TopNameList* path, WORD low, WORD high);
int AddLinkPairIn(BlockPool* pool, TopNameList* path, WORD low, WORD high);
