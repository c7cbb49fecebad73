#include "table_values.h"

#include <string.h>

#include "tables/analysis_tables.h"
#include "tables/item_intervals.h"
#include "tables/item_tail.h"

static const AnalysisItem* ItemAt(const AnalysisTable* table, DWORD index) {
    if (!table || !table->lpItems || index >= table->ovCount)
        return nullptr;
    return table->lpItems[index];
}

static bool IsAggregate(const AnalysisItem* item) {
    return item && item->ovOverflow;
}

const AnalysisItem* GetTableRowItem(const AnalysisTable* table, int order, DWORD n) {
    if (!table || n >= table->ovCount)
        return nullptr;
    DWORD index = n;
    if (order == TABLE_ROWS_FROM_END)
        index = table->ovCount - n - 1;
    else if (order == TABLE_ROWS_AFTER_AGGREGATE && IsAggregate(ItemAt(table, 0)))
        index = n + 1;
    const AnalysisItem* item = ItemAt(table, index);
    if (order != TABLE_ROWS_FROM_START && IsAggregate(item))
        return nullptr;
    return item && item->ovString && item->ovString[0] ? item : nullptr;
}

// One figure of the item in row n; 0 when there is none.
template <typename Figure>
static auto RowFigure(const AnalysisTable* table, int order, DWORD n, Figure figure)
    -> decltype(figure(nullptr)) {
    const AnalysisItem* item = GetTableRowItem(table, order, n);
    return item ? figure(item) : 0;
}

DWORD GetTableItemHits(const AnalysisTable* table, int order, DWORD n) {
    return RowFigure(table, order, n, [](const AnalysisItem* i) { return i->ovTotalByHits; });
}

DWORD GetTableItemUsers(const AnalysisTable* table, int order, DWORD n) {
    return RowFigure(table, order, n, [](const AnalysisItem* i) { return i->ovTotalByUsers; });
}

DWORD GetTableItemNonCached(const AnalysisTable* table, int order, DWORD n) {
    return RowFigure(table, order, n,
                     [](const AnalysisItem* i) { return i->ovNonCachedTotalByHits; });
}

double GetTableItemBytes(const AnalysisTable* table, int order, DWORD n) {
    return RowFigure(table, order, n, [](const AnalysisItem* i) { return i->ovTotalBytes; });
}

DWORD GetTableItemSubCount(const AnalysisTable* table, int order, DWORD n) {
    return RowFigure(table, order, n,
                     [](const AnalysisItem* i) { return i->lpExtra ? i->ovTopNamesCount : 0; });
}

DWORD GetTableItemIntervalHits(const AnalysisTable* table, int order, DWORD n, DWORD k) {
    return RowFigure(table, order, n, [k](const AnalysisItem* i) { return ItemHitsAt(i, k); });
}

DWORD GetTableItemIntervalUsers(const AnalysisTable* table, int order, DWORD n, DWORD k) {
    return RowFigure(table, order, n, [k](const AnalysisItem* i) { return ItemUsersAt(i, k); });
}

DWORD GetTableItemAverage(const AnalysisTable* table, int order, DWORD n) {
    const AnalysisItem* item = GetTableRowItem(table, order, n);
    if (!item || ItemTimeOnPages(item) == 0 || ItemTimeOnPagesCount(item) == 0)
        return 0;
    return ItemTimeOnPages(item) / ItemTimeOnPagesCount(item);
}

static DWORD ValueOf(const AnalysisItem* item, int kind, DWORD m) {
    if (!item || kind != TABLE_KIND_SERVERS || !item->lpExtra || m >= item->ovTopNamesCount)
        return 0;
    return ((const DWORD*)item->lpExtra)[m];
}

static double DoubleOf(const AnalysisItem* item, int kind, DWORD m) {
    if (!item || kind != TABLE_KIND_BANDWIDTH || !item->lpExtra || m >= item->ovTopNamesCount)
        return 0;
    return ((const double*)item->lpExtra)[m];
}

static double DoubleSumOf(const AnalysisItem* item, int kind) {
    double sum = 0;
    for (DWORD m = 0; m < ANALYSIS_INTERVALS; ++m)
        sum += DoubleOf(item, kind, m);
    return sum;
}

DWORD GetTableItemValue(const AnalysisTable* table, int kind, int order, DWORD n, DWORD m) {
    return ValueOf(GetTableRowItem(table, order, n), kind, m);
}

double GetTableItemDouble(const AnalysisTable* table, int kind, int order, DWORD n, DWORD m) {
    return DoubleOf(GetTableRowItem(table, order, n), kind, m);
}

double GetTableItemDoubleSum(const AnalysisTable* table, int kind, int order, DWORD n) {
    return DoubleSumOf(GetTableRowItem(table, order, n), kind);
}

static DWORD EndOf(const AnalysisTable* table, DWORD end) {
    if (!table || !table->lpItems)
        return 0;
    return end < table->ovCount ? end : table->ovCount;
}

// Adds up one figure of every item first..end.
template <typename Sum, typename Figure>
static Sum SumItems(const AnalysisTable* table, DWORD first, DWORD end, Figure figure) {
    Sum sum = 0;
    end = EndOf(table, end);
    for (DWORD i = first; i < end; ++i)
        if (const AnalysisItem* item = table->lpItems[i])
            sum += figure(item);
    return sum;
}

ULONGLONG SumTableHits(const AnalysisTable* table, DWORD first, DWORD end) {
    return SumItems<ULONGLONG>(table, first, end,
                               [](const AnalysisItem* item) { return item->ovTotalByHits; });
}

ULONGLONG SumTableUsers(const AnalysisTable* table, DWORD first, DWORD end) {
    return SumItems<ULONGLONG>(table, first, end,
                               [](const AnalysisItem* item) { return item->ovTotalByUsers; });
}

double SumTableBytes(const AnalysisTable* table, DWORD first, DWORD end) {
    return SumItems<double>(table, first, end,
                            [](const AnalysisItem* item) { return item->ovTotalBytes; });
}

double SumTableDoubleSums(const AnalysisTable* table, int kind, DWORD first, DWORD end) {
    return SumItems<double>(table, first, end,
                            [kind](const AnalysisItem* item) { return DoubleSumOf(item, kind); });
}

ULONGLONG SumTableIntervalHits(const AnalysisTable* table, DWORD first, DWORD k) {
    if (k >= ANALYSIS_INTERVALS)
        return 0;
    return SumItems<ULONGLONG>(table, first, TABLE_ALL_ITEMS,
                               [k](const AnalysisItem* item) { return ItemHitsAt(item, k); });
}

ULONGLONG SumTableIntervalUsers(const AnalysisTable* table, DWORD first, DWORD k) {
    if (k >= ANALYSIS_INTERVALS)
        return 0;
    return SumItems<ULONGLONG>(table, first, TABLE_ALL_ITEMS,
                               [k](const AnalysisItem* item) { return ItemUsersAt(item, k); });
}

ULONGLONG SumTableValueColumn(const AnalysisTable* table, int kind, DWORD k) {
    return SumItems<ULONGLONG>(table, 0, TABLE_ALL_ITEMS, [kind, k](const AnalysisItem* item) {
        return ValueOf(item, kind, k);
    });
}

ULONGLONG SumTableAllValues(const AnalysisTable* table, int kind) {
    return SumItems<ULONGLONG>(table, 0, TABLE_ALL_ITEMS, [kind](const AnalysisItem* item) {
        ULONGLONG sum = 0;
        for (DWORD m = 0; m < item->ovTopNamesCount; ++m)
            sum += ValueOf(item, kind, m);
        return sum;
    });
}

static const AnalysisItem* FindItemByName(const AnalysisTable* table, const char* name) {
    DWORD end = EndOf(table, TABLE_ALL_ITEMS);
    for (DWORD i = 0; name && i < end; ++i) {
        const AnalysisItem* item = table->lpItems[i];
        if (item && item->ovString && _stricmp(item->ovString, name) == 0)
            return item;
    }
    return nullptr;
}

DWORD FindItemHitsByName(const AnalysisTable* table, const char* name) {
    const AnalysisItem* item = FindItemByName(table, name);
    return item ? item->ovTotalByHits : 0;
}

DWORD FindItemUsersByName(const AnalysisTable* table, const char* name) {
    const AnalysisItem* item = FindItemByName(table, name);
    return item ? item->ovTotalByUsers : 0;
}

ULONGLONG SumHitsOfNamesInTable(const AnalysisTable* names, DWORD first, DWORD end,
                                const AnalysisTable* counts) {
    return SumItems<ULONGLONG>(names, first, end, [counts](const AnalysisItem* item) {
        return FindItemHitsByName(counts, item->ovString);
    });
}

ULONGLONG SumUsersOfNamesInTable(const AnalysisTable* names, DWORD first, DWORD end,
                                 const AnalysisTable* counts) {
    return SumItems<ULONGLONG>(names, first, end, [counts](const AnalysisItem* item) {
        return FindItemUsersByName(counts, item->ovString);
    });
}
