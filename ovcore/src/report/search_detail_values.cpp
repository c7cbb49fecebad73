#include "report/search_detail_values.h"

#include "report/table_values.h"

// Details outranking the one at index: more hits, or as many and earlier.
static DWORD RankOf(SearchDetail* const* details, DWORD count, DWORD index) {
    DWORD rank = 0;
    DWORD hits = details[index]->dwHits;
    for (DWORD i = 0; i < count; ++i) {
        if (i == index || !details[i])
            continue;
        if (details[i]->dwHits > hits || (details[i]->dwHits == hits && i < index))
            ++rank;
    }
    return rank;
}

const SearchDetail* GetRankedSearchDetail(const AnalysisTable* table, DWORD n, DWORD m) {
    const AnalysisItem* item = GetTableRowItem(table, 0, n);
    if (!item || !item->lpExtra || m >= item->ovTopNamesCount)
        return nullptr;
    SearchDetail* const* details = (SearchDetail* const*)item->lpExtra;
    for (DWORD i = 0; i < item->ovTopNamesCount; ++i)
        if (details[i] && RankOf(details, item->ovTopNamesCount, i) == m)
            return details[i];
    return nullptr;
}
