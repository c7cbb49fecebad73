// The stored form of a table item: the 348-byte record of a period file, the
// ODBC rows' source and the figure items x 348. Made only where an item is
// stored, read back or shown; in memory an item is an AnalysisItem.
// Pointers are stored as 32-bit offsets set by the writer (0 for none).
#pragma once
#include <stddef.h>

#include "ovcore/analysis_table.h"

#pragma pack(push, 1)
struct ItemRecord {
    DWORD dwSize;    // 348
    DWORD dwVersion; // 0x301
    DWORD ovOverflow;
    DWORD ovTopFlag;
    DWORD ovDeleted;
    LONG ovPrevLink;
    LONG ovNextLink;
    DWORD ovLastDateTime;
    DWORD ovOriginalIndex;
    DWORD ovTotalByHits;
    DWORD ovHitIntervals[ANALYSIS_INTERVALS];
    DWORD ovTotalByUsers;
    DWORD ovUserIntervals[ANALYSIS_INTERVALS];
    DWORD ovNonCachedTotalByHits;
    double ovTotalBytes;
    DWORD ovLastPageWasForm;
    DWORD ovLastPageTime;
    DWORD ovLastPageEntryItem;
    DWORD ovTimeOnPages;
    DWORD ovTimeOnPagesCount;
    DWORD Name;       // offset of the name
    DWORD ExtraCount; // entries of the extra data
    DWORD Extra;      // offset of the extra data
    DWORD Banned;
};
#pragma pack(pop)
static_assert(sizeof(ItemRecord) == ANALYSIS_ITEM_SIZE, "stored item is 348 bytes");
static_assert(offsetof(ItemRecord, ovHitIntervals) == 40, "stored item layout");
static_assert(offsetof(ItemRecord, ovTotalBytes) == 304, "stored item layout");
static_assert(offsetof(ItemRecord, Name) == 332, "stored item layout");

// The bytes of a record before its name offset: the counters and links.
#define ITEM_RECORD_COUNTERS offsetof(ItemRecord, Name)

// The record of an item's counters and links; the offsets and ExtraCount are
// 0 and Banned is the item's.
void ItemRecord_FromItem(const AnalysisItem* item, ItemRecord* record);
// Sets an item's counters and links from a record (its name, extra data and
// their offsets are not touched). 1, or 0 when memory is short.
int ItemRecord_ToItem(const ItemRecord* record, AnalysisItem* item);
