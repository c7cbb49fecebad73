#include "tables/item_record.h"

#include <string.h>

#include "tables/item_intervals.h"

void ItemRecord_FromItem(const AnalysisItem* item, ItemRecord* r) {
    memset(r, 0, sizeof(*r));
    r->dwSize = item->dwSize;
    r->dwVersion = item->dwVersion;
    r->ovOverflow = item->ovOverflow;
    r->ovTopFlag = item->ovTopFlag;
    r->ovDeleted = item->ovDeleted;
    r->ovPrevLink = item->ovPrevLink;
    r->ovNextLink = item->ovNextLink;
    r->ovLastDateTime = item->ovLastDateTime;
    r->ovOriginalIndex = item->ovOriginalIndex;
    r->ovTotalByHits = item->ovTotalByHits;
    r->ovTotalByUsers = item->ovTotalByUsers;
    ItemIntervals_Load(&item->ovIntervals, r->ovHitIntervals, r->ovUserIntervals);
    r->ovNonCachedTotalByHits = item->ovNonCachedTotalByHits;
    r->ovTotalBytes = item->ovTotalBytes;
    r->ovLastPageWasForm = item->ovLastPageWasForm;
    r->ovLastPageTime = item->ovLastPageTime;
    r->ovLastPageEntryItem = item->ovLastPageEntryItem;
    r->ovTimeOnPages = item->ovTimeOnPages;
    r->ovTimeOnPagesCount = item->ovTimeOnPagesCount;
    r->Banned = item->ovBanned;
}

int ItemRecord_ToItem(const ItemRecord* r, AnalysisItem* item) {
    item->dwSize = r->dwSize;
    item->dwVersion = r->dwVersion;
    item->ovOverflow = r->ovOverflow;
    item->ovTopFlag = r->ovTopFlag;
    item->ovDeleted = r->ovDeleted;
    item->ovPrevLink = r->ovPrevLink;
    item->ovNextLink = r->ovNextLink;
    item->ovLastDateTime = r->ovLastDateTime;
    item->ovOriginalIndex = r->ovOriginalIndex;
    item->ovTotalByHits = r->ovTotalByHits;
    item->ovTotalByUsers = r->ovTotalByUsers;
    item->ovNonCachedTotalByHits = r->ovNonCachedTotalByHits;
    item->ovTotalBytes = r->ovTotalBytes;
    item->ovLastPageWasForm = r->ovLastPageWasForm;
    item->ovLastPageTime = r->ovLastPageTime;
    item->ovLastPageEntryItem = r->ovLastPageEntryItem;
    item->ovTimeOnPages = r->ovTimeOnPages;
    item->ovTimeOnPagesCount = r->ovTimeOnPagesCount;
    item->ovBanned = r->Banned;
    return ItemIntervals_Store(&item->ovIntervals, r->ovHitIntervals, r->ovUserIntervals);
}
