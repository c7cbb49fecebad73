#include "odbc/odbc_period_tables.h"

#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/table_slots.h"
#include "odbc/odbc_history.h"
#include "odbc/odbc_schema.h"
#include "count/accumulate.h"

int MakePeriodTables(PeriodBlock* period) {
    return MakePeriodTableSet(period);
}

void FreeODBCPeriodTables(PeriodBlock* period) {
    if (period->TopTablesPtr) {
        for (int n = 0; n < RUN_TABLE_COUNT; ++n)
            FreeTableItems(&period->TopTablesPtr[n], TableKindOfNumber(n));
        free(period->TopTablesPtr);
    }
    if (period->TopUsersPtr) {
        FreeTableItems(period->TopUsersPtr, TABLE_KIND_VISITOR);
        free(period->TopUsersPtr);
    }
    period->TopTablesPtr = period->TopUsersPtr = nullptr;
}

AnalysisTable* PeriodTableOfType(PeriodBlock* period, DWORD type, int* kind) {
    AnalysisTable* t = nullptr;
    int k = TABLE_KIND_PLAIN;
    if (type == ODBC_VISITOR_TABLE) {
        t = period->TopUsersPtr;
        k = TABLE_KIND_VISITOR;
    } else if (type < RUN_TABLE_COUNT && period->TopTablesPtr) {
        t = &period->TopTablesPtr[type];
        k = TableKindOfNumber((int)type);
    }
    if (kind)
        *kind = k;
    return t;
}

int MakeTableSlots(AnalysisTable* table, DWORD count) {
    for (DWORD i = 0; i < count; ++i)
        if (TakeItemSlot(table) < 0)
            return 0;
    return 1;
}

AnalysisItem* TableSlot(AnalysisTable* table, DWORD i) {
    if (!table || !table->lpItems || i >= table->ovCount + table->DeleteCount)
        return nullptr;
    return table->lpItems[i];
}

int PrepareItemExtra(AnalysisItem* item, int kind, DWORD storedCount) {
    if (item->ovDeleted) {
        // A freed slot keeps only its delete-list link.
        item->ovRecordHeader = 0;
        return 1;
    }
    if (storedCount == 0)
        return 1;
    switch (kind) {
    case TABLE_KIND_SERVERS:
        item->lpExtra = calloc(storedCount, sizeof(DWORD));
        item->ovTopNamesCount = item->lpExtra ? storedCount : 0;
        return item->lpExtra != nullptr;
    case TABLE_KIND_BANDWIDTH:
        return SetBandwidthSlot(item, 0, 0.0);
    case TABLE_KIND_SEARCH:
        return 1; // the details come with their rows
    default:
        return TableItem_SubLists(item) != nullptr;
    }
}

int SetBandwidthSlot(AnalysisItem* item, DWORD n, double value) {
    if (!item->lpExtra) {
        item->lpExtra = calloc(ANALYSIS_INTERVALS, sizeof(double));
        if (!item->lpExtra)
            return 0;
        item->ovTopNamesCount = ANALYSIS_INTERVALS;
    }
    if (n < ANALYSIS_INTERVALS)
        ((double*)item->lpExtra)[n] = value;
    return 1;
}

int AddStoredSubValue(AnalysisItem* item, DWORD slot, DWORD value) {
    if (slot >= SUBLIST_SLOTS || item->ovDeleted)
        return 1;
    TopNameList* slots = TableItem_SubLists(item);
    if (!slots)
        return 0;
    if (slot != SUBLIST_PATH_SLOT) {
        AddSubItemId(item, (int)slot, value);
        return 1;
    }
    TopNameList* path = &slots[SUBLIST_PATH_SLOT];
    DWORD steps = path->wCount / 2;
    if (steps >= SUBLIST_PATH_MAX)
        return 1;
    if (!path->lpValues) {
        path->lpValues = malloc(SUBLIST_PATH_MAX * sizeof(DWORD));
        if (!path->lpValues)
            return 0;
    }
    ((DWORD*)path->lpValues)[steps] = value;
    path->wCount = (WORD)((steps + 1) * 2);
    return 1;
}

int AddStoredSearchDetail(AnalysisItem* item, const char* name, DWORD hits, DWORD sessions) {
    SearchDetail* detail = (SearchDetail*)calloc(1, sizeof(SearchDetail));
    SearchDetail** grown =
        (SearchDetail**)realloc(item->lpExtra, (item->ovTopNamesCount + 1) * sizeof(SearchDetail*));
    if (grown)
        item->lpExtra = grown;
    if (!detail || !grown || !(detail->lpName = _strdup(name))) {
        free(detail);
        return 0;
    }
    // Header words stay 0, as for details the counters make.
    detail->dwHits = hits;
    detail->dwSessions = sessions;
    grown[item->ovTopNamesCount++] = detail;
    return 1;
}

int FinishPeriodTables(PeriodBlock* period) {
    for (int n = 0; n < RUN_TABLE_COUNT; ++n)
        if (!MaterialiseSortIndex(&period->TopTablesPtr[n]))
            return 0;
    return MaterialiseSortIndex(period->TopUsersPtr);
}
