#include "tables/item_record.h"

#include <string.h>

#include "tables/item_intervals.h"
#include "tables/item_tail.h"

void ItemRecord_FromItem(const AnalysisItem* item, ItemRecord* r) {
    memset(r, 0, sizeof(*r));
    r->dwSize = item->ovRecordHeader ? ANALYSIS_ITEM_SIZE : 0;
    r->dwVersion = item->ovRecordHeader ? ANALYSIS_VERSION : 0;
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
    if (const ItemVisitTimes* visit = ItemVisitTimesOf(item)) {
        r->ovLastPageWasForm = visit->ovLastPageWasForm;
        r->ovLastPageTime = visit->ovLastPageTime;
        r->ovLastPageEntryItem = visit->ovLastPageEntryItem;
    }
    r->ovTimeOnPages = ItemTimeOnPages(item);
    r->ovTimeOnPagesCount = ItemTimeOnPagesCount(item);
    r->Banned = item->ovBanned;
}

int ItemRecord_ToItem(const ItemRecord* r, AnalysisItem* item) {
    item->ovRecordHeader = r->dwSize != 0 || r->dwVersion != 0;
    item->ovOverflow = r->ovOverflow != 0;
    item->ovTopFlag = r->ovTopFlag != 0;
    item->ovDeleted = r->ovDeleted != 0;
    item->ovPrevLink = r->ovPrevLink;
    item->ovNextLink = r->ovNextLink;
    item->ovLastDateTime = r->ovLastDateTime;
    item->ovOriginalIndex = r->ovOriginalIndex;
    item->ovTotalByHits = r->ovTotalByHits;
    item->ovTotalByUsers = r->ovTotalByUsers;
    item->ovNonCachedTotalByHits = r->ovNonCachedTotalByHits;
    item->ovTotalBytes = r->ovTotalBytes;
    if (ItemVisitTimes* visit = ItemVisitTimesOf(item)) {
        visit->ovLastPageWasForm = r->ovLastPageWasForm != 0;
        visit->ovLastPageTime = r->ovLastPageTime;
        visit->ovLastPageEntryItem = r->ovLastPageEntryItem;
    }
    if (ItemPageTimes* times = ItemPageTimesOf(item)) {
        times->ovTimeOnPages = r->ovTimeOnPages;
        times->ovTimeOnPagesCount = r->ovTimeOnPagesCount;
    }
    item->ovBanned = (BYTE)r->Banned;
    return ItemIntervals_Store(&item->ovIntervals, r->ovHitIntervals, r->ovUserIntervals);
}
