#include "table_select.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "analysis_tables.h"
#include "item_counters.h"
#include "item_tail.h"
#include "table_lookup.h"
#include "tables/item_intervals.h"

namespace {

DWORD KeyValue(const AnalysisItem* item, int key) {
    if (!item || item->ovDeleted)
        return 0;
    if (key == SORT_BY_USERS)
        return item->ovTotalByUsers;
    if (key == SORT_BY_PAGE_TIME)
        return ItemTimeOnPagesCount(item) ? ItemTimeOnPages(item) / ItemTimeOnPagesCount(item) : 0;
    if (key == SORT_BY_VISIT_LENGTH)
        return ItemTimeOnPages(item);
    return item->ovTotalByHits;
}

bool IsLive(const AnalysisItem* item) {
    return item && !item->ovDeleted && item->ovString;
}

void FullSort(AnalysisTable* table, int key, DWORD start, DWORD count) {
    if (start >= count)
        return;
    std::sort(table->lpItems + start, table->lpItems + count,
              [key](const AnalysisItem* a, const AnalysisItem* b) {
                  if (IsLive(a) != IsLive(b))
                      return IsLive(a); // deleted slots last
                  if (!IsLive(a))
                      return false;
                  if (key == SORT_BY_NAME)
                      return CompareItemNames(a->ovString, b->ovString) < 0;
                  return KeyValue(a, key) > KeyValue(b, key);
              });
}

void Swap(AnalysisTable* table, DWORD a, DWORD b) {
    std::swap(table->lpItems[a], table->lpItems[b]);
}

// False when there is nothing to select; else the slots are about to move,
// so the name hash goes (a later insertion rebuilds it).
bool BeginSelection(AnalysisTable* table, DWORD n) {
    if (!table->lpItems || n == 0)
        return false;
    TableLookup_DropHash(table);
    return true;
}

} // namespace

void SelectTopItems(AnalysisTable* table, int key, DWORD n, DWORD start, DWORD count) {
    n = std::min(n, count);
    if (!BeginSelection(table, n))
        return;
    if (key == SORT_BY_NAME || n > SELECT_MAX_PASSES) {
        FullSort(table, key, start, count);
        return;
    }
    for (DWORD p = start; p < start + n && p < count; ++p) {
        DWORD best = 0, bestAt = p;
        for (DWORD i = p; i < count; ++i) {
            DWORD value = KeyValue(table->lpItems[i], key);
            if (value > best) {
                best = value;
                bestAt = i;
            }
        }
        Swap(table, p, bestAt);
    }
}

void SelectBottomItems(AnalysisTable* table, int key, DWORD n, DWORD start, DWORD count) {
    n = std::min(n, count);
    if (!BeginSelection(table, n))
        return;
    if (n > SELECT_MAX_PASSES) {
        FullSort(table, key, std::max<DWORD>(start, 1), count);
        return;
    }
    DWORD low = std::max<DWORD>(start, 1);
    for (DWORD i = 0; i < n && low + i < count; ++i) {
        DWORD end = count - i - 1;
        unsigned long long best = 0x100000000ull; // larger than any count
        DWORD bestAt = end;
        for (DWORD p = end + 1; p-- > low;) {
            DWORD value = KeyValue(table->lpItems[p], key);
            if (value < best) {
                best = value;
                bestAt = p;
            }
        }
        Swap(table, end, bestAt);
    }
}

static int IsTopMember(const AnalysisItem* item, LONG, void*) {
    return item->ovTopFlag != 0;
}

int MergeTopNamesakes(AnalysisTable* table, int kind) {
    if (!table->lpItems || table->TopCount == 0)
        return 1;
    if (!TableLookup_HasHash(table) && !TableLookup_Build(table))
        return 0;
    DWORD slots = table->ovCount + table->DeleteCount;
    for (DWORD i = 1; i < slots; ++i) {
        AnalysisItem* item = table->lpItems[i];
        if (!IsLive(item) || item->ovTopFlag)
            continue;
        LONG member = TableLookup_Find(table, item->ovString, IsTopMember, nullptr);
        if (member < 0)
            continue;
        AnalysisItem* top = table->lpItems[member];
        top->ovLastDateTime = item->ovLastDateTime;
        AddItemCounts(top, item);
        if (table->DateListHead >= 0 || table->DateListTail >= 0)
            UnlinkItemFromList(table, (LONG)i);
        TableLookup_Remove(table, (LONG)i);
        TableItem_FreeDetailsIn(TableLookup_BlockPool(table, 0), item, kind);
        TableLookup_DropName(table, item->ovString);
        ItemIntervals_Free(&item->ovIntervals);
        ClearTableItem(item);
        item->ovDeleted = 1;
        item->ovPrevLink = item->ovNextLink = ANALYSIS_NO_ITEM;
    }
    return 1;
}
