// The links between the items of the search tables: each engine item keeps
// the words searched on it, each word item the engines it was searched on,
// as SearchDetail pointers in case-blind name order.
#include "tables/analysis_tables.h"
#include "search_engines.h"

#include <stdlib.h>
#include <string.h>

namespace {

// Capacity of a link array holding count entries: powers of two from 4, so
// that an engine with many words does not reallocate for every new one.
DWORD LinkCapacity(DWORD count) {
    DWORD capacity = 4;
    while (capacity < count)
        capacity *= 2;
    return capacity;
}

// Position of the first entry not ordered before name.
DWORD LowerBound(SearchDetail* const* links, DWORD count, const char* name) {
    DWORD low = 0, high = count;
    while (low < high) {
        DWORD middle = low + (high - low) / 2;
        if (CompareItemNames(links[middle]->lpName, name) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

SearchDetail* NewLink(const char* name) {
    SearchDetail* link = (SearchDetail*)calloc(1, sizeof(SearchDetail));
    if (!link)
        return nullptr;
    link->lpName = _strdup(name);
    if (!link->lpName) {
        free(link);
        return nullptr;
    }
    return link;
}

// Room for one more entry. The size asked only changes at powers of two,
// and asking for the same size again leaves the block where it is, whoever
// made the array.
bool GrowLinks(AnalysisItem* item) {
    DWORD capacity = LinkCapacity(item->ovTopNamesCount + 1);
    void* grown = realloc(item->lpExtra, capacity * sizeof(SearchDetail*));
    if (!grown)
        return false;
    item->lpExtra = grown;
    return true;
}

} // namespace

SearchDetail* ItemLinks_FindOrAdd(AnalysisItem* item, const char* name) {
    if (!item || !name)
        return nullptr;
    SearchDetail** links = (SearchDetail**)item->lpExtra;
    DWORD count = links ? item->ovTopNamesCount : 0;
    DWORD at = LowerBound(links, count, name);
    if (at < count && CompareItemNames(links[at]->lpName, name) == 0)
        return links[at];
    SearchDetail* link = NewLink(name);
    if (!link || !GrowLinks(item)) {
        if (link)
            free(link->lpName);
        free(link);
        return nullptr;
    }
    links = (SearchDetail**)item->lpExtra;
    memmove(links + at + 1, links + at, (count - at) * sizeof(SearchDetail*));
    links[at] = link;
    item->ovTopNamesCount = count + 1;
    return link;
}

SearchDetail* ItemLinks_FindOrAddBack(AnalysisItem* item, const char* name) {
    return ItemLinks_FindOrAdd(item, name);
}

int LinkItems(AnalysisItem* wordItem, AnalysisItem* engineItem, int newVisit) {
    SearchDetail* word = ItemLinks_FindOrAdd(engineItem, wordItem->ovString);
    SearchDetail* engine = word ? ItemLinks_FindOrAddBack(wordItem, engineItem->ovString) : nullptr;
    if (!engine)
        return 0;
    word->dwHits++;
    engine->dwHits++;
    if (newVisit) {
        word->dwSessions++;
        engine->dwSessions++;
    }
    return 1;
}
