// Slots of a table: growth of the arrays, making, freeing and reusing items,
// the sort index in name order, and freeing a whole table.
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "analysis_tables.h"
#include "item_counters.h"
#include "item_tail.h"
#include "table_lookup.h"
#include "table_slots.h"
#include "tables/item_intervals.h"

static const DWORD kFirstChunk = 102;

static int GrowArrays(AnalysisTable* table, DWORD capacity) {
    AnalysisItem** items =
        (AnalysisItem**)realloc(table->lpItems, capacity * sizeof(AnalysisItem*));
    if (!items)
        return 0;
    table->lpItems = items;
    if (table->lpSortIndex) {
        DWORD* index = (DWORD*)realloc(table->lpSortIndex, capacity * sizeof(DWORD));
        if (!index)
            return 0;
        table->lpSortIndex = index;
    }
    table->ChunkSize = capacity;
    return 1;
}

// Room for a new slot at index ovCount, by the table's growth rule.
static int EnsureRoom(AnalysisTable* table) {
    DWORD next = table->ovCount + 1;
    if (!table->lpItems || table->ChunkSize == 0)
        return GrowArrays(table, kFirstChunk > next ? kFirstChunk : next * 2);
    // Tables loaded from the history database come with chunks of 100.
    if (table->ChunkSize == 100) {
        if (next % 100 == 1)
            return GrowArrays(table, table->ovCount * 2 + 4);
        return 1;
    }
    if (next > table->ChunkSize)
        return GrowArrays(table, table->ChunkSize * 2);
    return 1;
}

void ClearTableItem(AnalysisItem* item) {
    BYTE tail = item->ovTail;
    memset(item, 0, sizeof(*item) + ItemTailSize(tail));
    item->ovTail = tail;
}

static void ResetItem(AnalysisItem* item) {
    ClearTableItem(item);
    item->ovRecordHeader = 1;
    item->ovPrevLink = item->ovNextLink = ANALYSIS_NO_ITEM;
}

LONG TakeItemSlot(AnalysisTable* table) {
    LONG index = table->DeleteListHead;
    if (index >= 0 && table->DeleteCount > 0) {
        AnalysisItem* item = table->lpItems[index];
        table->DeleteListHead = item->ovNextLink;
        --table->DeleteCount;
        ResetItem(item);
    } else {
        if (!EnsureRoom(table))
            return ANALYSIS_NO_ITEM;
        AnalysisItem* item = TableLookup_NewItem(table);
        if (!item)
            return ANALYSIS_NO_ITEM;
        ResetItem(item);
        index = (LONG)table->ovCount;
        table->lpItems[index] = item;
    }
    ++table->ovCount;
    return index;
}

int NameItem(AnalysisTable* table, LONG index, const char* name, NameStore* store) {
    bool stored = store && TableLookup_KeepStore(table, store);
    char* copy = stored ? const_cast<char*>(name) : TableLookup_CopyName(table, name);
    if (!copy)
        return 0;
    AnalysisItem* item = table->lpItems[index];
    if (item->ovString) {
        TableLookup_Remove(table, index);
        TableLookup_DropName(table, item->ovString);
    }
    item->ovString = copy;
    return TableLookup_Add(table, index);
}

void ReleaseItemSlot(AnalysisTable* table, LONG index, int kind) {
    AnalysisItem* item = table->lpItems[index];
    if (item->ovString)
        TableLookup_Remove(table, index);
    TableItem_FreeDetailsIn(TableLookup_BlockPool(table, 0), item, kind);
    TableLookup_DropName(table, item->ovString);
    ItemIntervals_Free(&item->ovIntervals);
    ClearTableItem(item);
    item->ovDeleted = 1;
    item->ovPrevLink = ANALYSIS_NO_ITEM;
    item->ovNextLink = table->DeleteListHead;
    table->DeleteListHead = index;
    ++table->DeleteCount;
    --table->ovCount;
}

int InitTable(const TableContext* context, AnalysisTable* table, DWORD cachedTime) {
    table->DeleteListHead = table->DateListHead = table->DateListTail = ANALYSIS_NO_ITEM;
    table->TopTableListHead = table->TopTableListTail = ANALYSIS_NO_ITEM;
    if (cachedTime == 0)
        return 1;
    LONG index = TakeItemSlot(table);
    if (index < 0)
        return 0;
    const char* name = context && context->szAggregateName ? context->szAggregateName : "";
    if (!NameItem(table, index, name))
        return 0;
    table->lpItems[index]->ovOverflow = 1;
    return 1;
}

void AddItemCounts(AnalysisItem* dst, const AnalysisItem* src) {
    dst->ovTotalByHits += src->ovTotalByHits;
    dst->ovTotalByUsers += src->ovTotalByUsers;
    dst->ovNonCachedTotalByHits += src->ovNonCachedTotalByHits;
    dst->ovTotalBytes += src->ovTotalBytes;
    ItemIntervals_Add(&dst->ovIntervals, &src->ovIntervals);
}

namespace {

struct IndexEntry {
    const AnalysisItem* item;
    DWORD index;
};

bool NameOrder(const IndexEntry& a, const IndexEntry& b) {
    int d = CompareItemNames(a.item->ovString, b.item->ovString);
    if (d != 0)
        return d < 0;
    // A top-list member stands before its namesake.
    if (a.item->ovTopFlag != b.item->ovTopFlag)
        return a.item->ovTopFlag != 0;
    return a.index < b.index;
}

} // namespace

int MaterialiseSortIndex(AnalysisTable* table) {
    if (!table->lpItems)
        return 1;
    if (!table->lpSortIndex) {
        table->lpSortIndex = (DWORD*)malloc(table->ChunkSize * sizeof(DWORD));
        if (!table->lpSortIndex)
            return 0;
    }
    std::vector<IndexEntry> entries;
    entries.reserve(table->ovCount);
    DWORD slots = table->ovCount + table->DeleteCount;
    for (DWORD i = 0; i < slots; ++i) {
        const AnalysisItem* item = table->lpItems[i];
        if (item && !item->ovDeleted && item->ovString)
            entries.push_back({item, i});
    }
    size_t first = !entries.empty() && entries[0].index == 0 && entries[0].item->ovOverflow;
    std::sort(entries.begin() + first, entries.end(), NameOrder);
    for (size_t i = 0; i < entries.size(); ++i)
        table->lpSortIndex[i] = entries[i].index;
    table->SortIndexCount = (DWORD)entries.size();
    return 1;
}

void DropTableLookup(AnalysisTable* table) {
    TableLookup_DropHash(table);
}

void FreeTableItems(AnalysisTable* table, int kind) {
    DWORD slots = table->ovCount + table->DeleteCount;
    BlockPool* blocks = TableLookup_BlockPool(table, 0);
    for (DWORD i = 0; table->lpItems && i < slots; ++i) {
        AnalysisItem* item = table->lpItems[i];
        if (!item)
            continue;
        TableItem_FreeDetailsIn(blocks, item, kind);
        TableLookup_DropName(table, item->ovString);
        ItemIntervals_Free(&item->ovIntervals);
    }
    TableLookup_Free(table);
    free(table->lpItems);
    free(table->lpSortIndex);
    memset(table, 0, sizeof(*table));
    table->dwSize = ANALYSIS_TABLE_SIZE;
    table->dwVersion = ANALYSIS_VERSION;
}

AnalysisItem** GetTableItems(const AnalysisTable* table, DWORD n) {
    return table && n < table->ovCount ? table->lpItems : nullptr;
}

void GetTableItemNameByOrder(const AnalysisTable* table, int reverse, DWORD n, char* buffer,
                             DWORD size) {
    if (!buffer || size == 0)
        return;
    buffer[0] = 0;
    if (!table || !table->lpItems || n >= table->ovCount)
        return;
    const AnalysisItem* item = table->lpItems[reverse == 1 ? table->ovCount - n - 1 : n];
    if (item && item->ovString)
        lstrcpynA(buffer, item->ovString, (int)size);
}
