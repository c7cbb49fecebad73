#include "item_counters.h"

#include <stdlib.h>
#include <string.h>

#include "tables/block_pool.h"
#include "tables/item_intervals.h"

// A hit whose interval counter cannot be made (memory is short) is counted
// nowhere, so that an item's total stays the sum of its intervals.
void TableItem_CountInterval(AnalysisItem* item, DWORD n) {
    DWORD* counter = ItemHitSlot(item, n);
    if (!counter)
        return;
    ++item->ovTotalByHits;
    ++*counter;
}

void TableItem_CountSecondInterval(AnalysisItem* item, DWORD n) {
    DWORD* counter = ItemUserSlot(item, n);
    if (!counter)
        return;
    ++item->ovTotalByUsers;
    ++*counter;
}

void TableItem_CountHit(AnalysisItem* item, DWORD n, int flag) {
    TableItem_CountInterval(item, n);
    if (flag)
        TableItem_CountSecondInterval(item, n);
}

int TableItem_CountServer(AnalysisItem* item, DWORD n, const ServerList* servers) {
    if (!item->lpExtra) {
        DWORD count = ServerList_Count(servers);
        if (count == 0)
            return 0;
        item->lpExtra = calloc(count, sizeof(DWORD));
        if (!item->lpExtra)
            return 0;
        item->ovTopNamesCount = count;
    }
    if (n >= item->ovTopNamesCount)
        return 0;
    ++((DWORD*)item->lpExtra)[n];
    return 1;
}

static const size_t kSubListsBytes = SUBLIST_SLOTS * sizeof(TopNameList);
static const size_t kPathBytes = SUBLIST_PATH_MAX * sizeof(DWORD);

// Capacity of an id array holding count ids: powers of two from 4.
static DWORD IdCapacity(DWORD count) {
    DWORD capacity = 4;
    while (capacity < count)
        capacity *= 2;
    return capacity;
}

// The bytes of a sub-list's array as it was made (its size class in the pool).
static size_t ValuesBytes(int slot, DWORD count) {
    return slot == SUBLIST_PATH_SLOT ? kPathBytes : IdCapacity(count) * sizeof(WORD);
}

void TableItem_FreeDetailsIn(BlockPool* pool, AnalysisItem* item, int kind) {
    if (!item || !item->lpExtra)
        return;
    if (kind == TABLE_KIND_PLAIN || kind == TABLE_KIND_VISITOR) {
        TopNameList* slots = (TopNameList*)item->lpExtra;
        for (DWORD i = 0; i < item->ovTopNamesCount; ++i)
            BlockPool_Give(pool, slots[i].lpValues, ValuesBytes((int)i, slots[i].wCount));
        BlockPool_Give(pool, item->lpExtra, item->ovTopNamesCount * sizeof(TopNameList));
    } else {
        if (kind == TABLE_KIND_SEARCH) {
            SearchDetail** details = (SearchDetail**)item->lpExtra;
            for (DWORD i = 0; i < item->ovTopNamesCount; ++i) {
                if (!details[i])
                    continue;
                free(details[i]->lpName);
                free(details[i]);
            }
        }
        free(item->lpExtra);
    }
    item->lpExtra = nullptr;
    item->ovTopNamesCount = 0;
}

void TableItem_FreeDetails(AnalysisItem* item, int kind) {
    TableItem_FreeDetailsIn(nullptr, item, kind);
}

TopNameList* TableItem_SubListsIn(BlockPool* pool, AnalysisItem* item) {
    if (!item->lpExtra) {
        TopNameList* slots = (TopNameList*)BlockPool_Take(pool, kSubListsBytes);
        if (!slots)
            return nullptr;
        memset(slots, 0, kSubListsBytes);
        for (int i = 0; i < SUBLIST_SLOTS; ++i) {
            slots[i].dwSize = 14;
            slots[i].dwVersion = ANALYSIS_VERSION;
        }
        item->lpExtra = slots;
        item->ovTopNamesCount = SUBLIST_SLOTS;
    }
    return (TopNameList*)item->lpExtra;
}

TopNameList* TableItem_SubLists(AnalysisItem* item) {
    return TableItem_SubListsIn(nullptr, item);
}

int AddSubItemIdIn(BlockPool* pool, AnalysisItem* item, int slot, DWORD id) {
    if (slot < 0 || slot >= SUBLIST_PATH_SLOT || id > SUBLIST_ID_MAX)
        return 0;
    TopNameList* slots = TableItem_SubListsIn(pool, item);
    if (!slots)
        return 0;
    TopNameList* list = &slots[slot];
    WORD* ids = (WORD*)list->lpValues;
    DWORD count = list->wCount;
    // Ids are kept in ascending order, so that a crawler's long list is
    // searched by halving.
    DWORD lo = 0, hi = count;
    while (lo < hi) {
        DWORD mid = (lo + hi) / 2;
        if (ids[mid] < id)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < count && ids[lo] == id)
        return 0;
    if (count >= SUBLIST_ID_MAX)
        return 0;
    if (!ids || count == IdCapacity(count)) {
        size_t had = ids ? IdCapacity(count) * sizeof(WORD) : 0;
        WORD* grown = (WORD*)BlockPool_Resize(pool, ids, had, had ? had * 2 : 4 * sizeof(WORD));
        if (!grown)
            return 0;
        ids = grown;
        list->lpValues = ids;
    }
    memmove(ids + lo + 1, ids + lo, (count - lo) * sizeof(WORD));
    ids[lo] = (WORD)id;
    list->wCount = (WORD)(count + 1);
    return 1;
}

int AddSubItemId(AnalysisItem* item, int slot, DWORD id) {
    return AddSubItemIdIn(nullptr, item, slot, id);
}

int AddLinkPairIn(BlockPool* pool, TopNameList* path, WORD low, WORD high) {
    DWORD value = (DWORD)high * 65536 + low;
    DWORD steps = path->wCount / 2;
    DWORD* values = (DWORD*)path->lpValues;
    if (steps >= SUBLIST_PATH_MAX)
        return 0;
    if (steps > 0 && values[steps - 1] == value)
        return 0;
    if (!values) {
        values = (DWORD*)BlockPool_Take(pool, kPathBytes);
        if (!values)
            return 0;
        path->lpValues = values;
    }
    values[steps] = value;
    path->wCount = (WORD)((steps + 1) * 2);
    return 1;
}

int AddLinkPair(TopNameList* path, WORD low, WORD high) {
    return AddLinkPairIn(nullptr, path, low, high);
}
