// The page times behind an item (ItemTail in ovcore/analysis_table.h): only
// the documents, forms and visitor tables' items carry them, so that the
// items of every other table are that much smaller. Reading an item without
// them gives 0; the writers check for null.
#pragma once
#include "ovcore/analysis_table.h"

// The item's page times, or null when it carries none.
inline ItemPageTimes* ItemPageTimesOf(AnalysisItem* item) {
    return item->ovTail != ITEM_TAIL_NONE ? (ItemPageTimes*)(item + 1) : nullptr;
}
inline const ItemPageTimes* ItemPageTimesOf(const AnalysisItem* item) {
    return item->ovTail != ITEM_TAIL_NONE ? (const ItemPageTimes*)(item + 1) : nullptr;
}
// The visit's times of a visitor table's item, or null.
inline ItemVisitTimes* ItemVisitTimesOf(AnalysisItem* item) {
    return item->ovTail == ITEM_TAIL_VISIT ? (ItemVisitTimes*)(item + 1) : nullptr;
}
inline const ItemVisitTimes* ItemVisitTimesOf(const AnalysisItem* item) {
    return item->ovTail == ITEM_TAIL_VISIT ? (const ItemVisitTimes*)(item + 1) : nullptr;
}
inline DWORD ItemTimeOnPages(const AnalysisItem* item) {
    const ItemPageTimes* t = ItemPageTimesOf(item);
    return t ? t->ovTimeOnPages : 0;
}
inline DWORD ItemTimeOnPagesCount(const AnalysisItem* item) {
    const ItemPageTimes* t = ItemPageTimesOf(item);
    return t ? t->ovTimeOnPagesCount : 0;
}

// The bytes of the tail, and those an item with it takes in its table's
// storage (a multiple of 8, so that the items of a block stay aligned).
inline size_t ItemTailSize(int tail) {
    return tail == ITEM_TAIL_VISIT   ? sizeof(ItemVisitTimes)
           : tail == ITEM_TAIL_PAGES ? sizeof(ItemPageTimes)
                                     : 0;
}
inline size_t ItemStride(int tail) {
    return (sizeof(AnalysisItem) + ItemTailSize(tail) + 7) & ~(size_t)7;
}
// Zeroes the item and its tail; the tail's kind stays.
void ClearTableItem(AnalysisItem* item);
// The tail of the items of table number n (table_numbers.h), or of the
// visitor table when n is -1.
int TableItemTail(int n);
