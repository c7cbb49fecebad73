// The per-interval hit and user counters of a table item (ItemIntervals in
// ovcore/analysis_table.h), kept compact: most items are counted in one
// interval only, so those counters live in the item, and a block is made
// only when a second interval gets a count. The block holds the intervals up
// to the highest counted one (hits, then as many users) and grows as later
// intervals are counted. A zero-filled ItemIntervals is empty.
//
// Interval numbers at or past ANALYSIS_INTERVALS read as 0 and are never
// stored.
#pragma once
#include "ovcore/analysis_table.h"

// The hits (users 0) or users (users 1) of interval k.
DWORD ItemIntervals_At(const ItemIntervals* iv, int users, DWORD k);
// The counter of interval k to write, made when missing; null when k is out
// of range or memory is short.
DWORD* ItemIntervals_Slot(ItemIntervals* iv, int users, DWORD k);
// Adds every counter of src into dst. 1, or 0 when memory is short (dst then
// keeps what it had).
int ItemIntervals_Add(ItemIntervals* dst, const ItemIntervals* src);
// Copies all counters out into ANALYSIS_INTERVALS-sized arrays.
void ItemIntervals_Load(const ItemIntervals* iv, DWORD* hits, DWORD* users);
// Replaces all counters by those of the arrays. 1, or 0 when memory is short
// (the counters are then left empty).
int ItemIntervals_Store(ItemIntervals* iv, const DWORD* hits, const DWORD* users);
// Frees the block and empties the counters.
void ItemIntervals_Free(ItemIntervals* iv);

// The item's hits and users of interval k, and the counters to write (null
// when k is out of range or memory is short).
inline DWORD ItemHitsAt(const AnalysisItem* item, DWORD k) {
    return ItemIntervals_At(&item->ovIntervals, 0, k);
}
inline DWORD ItemUsersAt(const AnalysisItem* item, DWORD k) {
    return ItemIntervals_At(&item->ovIntervals, 1, k);
}
inline DWORD* ItemHitSlot(AnalysisItem* item, DWORD k) {
    return ItemIntervals_Slot(&item->ovIntervals, 0, k);
}
inline DWORD* ItemUserSlot(AnalysisItem* item, DWORD k) {
    return ItemIntervals_Slot(&item->ovIntervals, 1, k);
}
