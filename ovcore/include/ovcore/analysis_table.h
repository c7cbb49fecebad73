// Statistics tables of a report run: one AnalysisTable per statistic, an
// array of AnalysisItem pointers (one per distinct name) and a sort index.
// The header layout is what the history database stores; an item is kept
// compact in memory and made into its stored 348-byte record
// (tables/item_record.h) only where it is stored or read back.
//
// Look-up during a run goes through a name hash kept beside the table (the
// reserved header word, never stored), which also owns the items' storage;
// the sort index is put in name order only when the tables are sorted or
// stored (MaterialiseSortIndex).
#pragma once
#include "ovcore/ovcore_base.h"

#define ANALYSIS_VERSION 0x301
#define ANALYSIS_TABLE_SIZE 60
#define ANALYSIS_ITEM_SIZE 348
#define ANALYSIS_INTERVALS 32
#define ANALYSIS_NO_ITEM (-1)

// Sub-lists of a visitor item: 12 slots; ids are 16-bit in slots 0-10, the
// path (slot 11) holds 32-bit values.
#define SUBLIST_SLOTS 12
#define SUBLIST_PATH_SLOT 11
#define SUBLIST_ID_MAX 0xFFFF
#define SUBLIST_PATH_MAX 6

struct TableLookup; // the name hash of a table; private to the engine

#pragma pack(push, 1)
typedef struct AnalysisTable {
    DWORD dwSize;    // 60
    DWORD dwVersion; // 0x301
    DWORD TopCount;
    DWORD ovCount; // live slots, item 0 included; also the sort-index length
    DWORD DeleteCount;
    LONG DeleteListHead;
    LONG DateListHead; // most recently seen
    LONG DateListTail; // least recently seen
    LONG TopTableListHead;
    LONG TopTableListTail;
    DWORD ChunkSize; // capacity of the item array and the sort index
    DWORD SortIndexCount;
    struct TableLookup* lpLookup; // name hash; 0 in stored tables
    struct AnalysisItem** lpItems;
    DWORD* lpSortIndex; // item numbers in name order once materialised
} AnalysisTable;

// The per-interval counters of an item; see tables/item_intervals.h, the
// only code that reads or writes them. Zero-filled: no counts. While
// BlockSize is 0 the counters of interval InlineAt are kept in place of the
// block pointer.
typedef struct ItemIntervals {
    union {
        DWORD* Block; // hits then users of intervals 0 to BlockSize - 1
        struct {
            DWORD InlineHits;
            DWORD InlineUsers;
        };
    };
    BYTE InlineAt;
    BYTE BlockSize; // 0: no block
} ItemIntervals;

// An item in memory, ordered so that every field is at its natural
// alignment in an array of items; the stored record's DWORD flags are BYTEs
// here (0 or 1; ovBanned holds the VISITOR_ bits).
typedef struct AnalysisItem {
    char* ovString;
    void* lpExtra; // kind set by the table (TableExtraKind)
    ItemIntervals ovIntervals;
    BYTE ovOverflow; // 1 only for item 0, the aggregate row
    BYTE ovTopFlag;
    BYTE ovDeleted;
    BYTE ovBanned;
    BYTE ovRecordHeader; // 1: the stored record's size and version words are set, 0: zero
    BYTE ovTail;         // what follows the item (ItemTail), set by its table
    double ovTotalBytes;
    LONG ovPrevLink;
    LONG ovNextLink;
    DWORD ovLastDateTime;
    DWORD ovOriginalIndex;
    DWORD ovTotalByHits;
    DWORD ovTotalByUsers;
    DWORD ovNonCachedTotalByHits;
    DWORD ovTopNamesCount; // entries of the extra data
} AnalysisItem;

// The page times only some tables' items carry, right behind the item (see
// tables/item_tail.h): the time spent on a page (documents and forms) or in
// a visit (the visitor table), whose items also keep the visit's last page.
enum ItemTail {
    ITEM_TAIL_NONE = 0,
    ITEM_TAIL_PAGES = 1, // ItemPageTimes
    ITEM_TAIL_VISIT = 2, // ItemVisitTimes
};
typedef struct ItemPageTimes {
    DWORD ovTimeOnPages;
    DWORD ovTimeOnPagesCount;
} ItemPageTimes;
typedef struct ItemVisitTimes {
    ItemPageTimes Pages;
    DWORD ovLastPageTime; // 0: no page yet, or the visit is closed
    DWORD ovLastPageEntryItem;
    BYTE ovLastPageWasForm;
} ItemVisitTimes;

// One sub-list of a visitor item (14 bytes stored).
typedef struct TopNameList {
    DWORD dwSize;    // 14
    DWORD dwVersion; // 0x301
    WORD wCount;
    void* lpValues; // WORD ids, or DWORD path steps in slot 11
} TopNameList;
#pragma pack(pop)

static_assert(sizeof(AnalysisItem) % 8 == 0, "items in an array stay aligned");
#ifndef _WIN64
static_assert(sizeof(AnalysisTable) == ANALYSIS_TABLE_SIZE, "AnalysisTable layout");
static_assert(sizeof(TopNameList) == 14, "TopNameList layout");
#endif

// One link entry of a search table item (20 bytes stored).
#pragma pack(push, 1)
typedef struct SearchDetail {
    DWORD dwSize; // 0 when the counters make it
    DWORD dwVersion;
    DWORD dwHits;
    DWORD dwSessions;
    char* lpName; // heap copy
} SearchDetail;
#pragma pack(pop)
#ifndef _WIN64
static_assert(sizeof(SearchDetail) == 20, "SearchDetail layout");
#endif

// Table kinds: what an item's extra data (lpExtra, ovTopNamesCount entries)
// holds. Plain and visitor items may carry the 12 sub-lists; expiry of a
// visitor item closes its visit first.
enum TableKind {
    TABLE_KIND_PLAIN = 0,
    TABLE_KIND_VISITOR = 1,
    TABLE_KIND_SERVERS = 2,   // one DWORD hit counter per server
    TABLE_KIND_BANDWIDTH = 3, // 32 per-interval byte totals (double)
    TABLE_KIND_SEARCH = 4,    // array of SearchDetail pointers
};

// Read side for the writers. Null table or out-of-range n: null / empty.
// The item array when n < ovCount, else null.
AnalysisItem** GetTableItems(const AnalysisTable* table, DWORD n);
// Copies the name of item n (of ovCount - n - 1 when reverse is 1) into
// buffer (size bytes, always terminated); empty when out of range.
void GetTableItemNameByOrder(const AnalysisTable* table, int reverse, DWORD n, char* buffer,
                             DWORD size);
