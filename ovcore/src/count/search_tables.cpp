// Read side of the search tables (items with SearchDetail links) and the
// rank order of an item's per-server counters, for the report writers.
#include "search_tables.h"

#include <algorithm>
#include <string.h>
#include "ovkit/text_copy.h"

namespace {

const DWORD kRankedMax = 256;

AnalysisItem* ItemAt(const AnalysisTable* table, DWORD n) {
    AnalysisItem** items = GetTableItems(table, n);
    return items ? items[n] : nullptr;
}

const SearchDetail* LinkAt(const AnalysisTable* table, DWORD n, DWORD m) {
    const AnalysisItem* item = ItemAt(table, n);
    if (!item || !item->lpExtra || m >= item->ovTopNamesCount)
        return nullptr;
    return ((SearchDetail* const*)item->lpExtra)[m];
}

void RankLinksByHits(AnalysisItem* item) {
    if (!item->lpExtra)
        return;
    SearchDetail** links = (SearchDetail**)item->lpExtra;
    std::stable_sort(
        links, links + item->ovTopNamesCount,
        [](const SearchDetail* a, const SearchDetail* b) { return a->dwHits > b->dwHits; });
}

} // namespace

void GetTableItemName(AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size) {
    OvkitCopyText(buffer, size, nullptr);
    AnalysisItem* item = m == 0 ? ItemAt(table, n) : nullptr;
    if (!item)
        return;
    OvkitCopyText(buffer, size, item->ovString);
    RankLinksByHits(item);
}

void GetTableItemName2(AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size) {
    GetTableItemName(table, n, m, buffer, size);
}

void GetTableSubItemName(const AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size) {
    const SearchDetail* link = LinkAt(table, n, m);
    OvkitCopyText(buffer, size, link ? link->lpName : nullptr);
}

void GetTableSubItemName2(const AnalysisTable* table, DWORD n, DWORD m, char* buffer, DWORD size) {
    GetTableSubItemName(table, n, m, buffer, size);
}

DWORD GetTableSubItemValue(const AnalysisTable* table, DWORD n, DWORD m) {
    const SearchDetail* link = LinkAt(table, n, m);
    return link ? link->dwHits : 0;
}

DWORD GetTableSubItemValue2(const AnalysisTable* table, DWORD n, DWORD m) {
    return GetTableSubItemValue(table, n, m);
}

DWORD GetTableSubItemSecondValue(const AnalysisTable* table, DWORD n, DWORD m) {
    const SearchDetail* link = LinkAt(table, n, m);
    return link ? link->dwSessions : 0;
}

DWORD GetTableSubItemSecondValue2(const AnalysisTable* table, DWORD n, DWORD m) {
    return GetTableSubItemSecondValue(table, n, m);
}

int GetRankedSubItemIndex(const AnalysisTable* table, DWORD n, int reverse, DWORD m) {
    if (!table || n >= table->ovCount)
        return -1;
    const AnalysisItem* item = ItemAt(table, reverse == 1 ? table->ovCount - n - 1 : n);
    if (!item || !item->lpExtra)
        return -1;
    DWORD count = std::min(item->ovTopNamesCount, kRankedMax);
    if (m >= count)
        return -1;
    const DWORD* counters = (const DWORD*)item->lpExtra;
    int order[kRankedMax];
    for (DWORD i = 0; i < count; ++i)
        order[i] = (int)i;
    std::stable_sort(order, order + count,
                     [counters](int a, int b) { return counters[a] > counters[b]; });
    return order[m];
}
