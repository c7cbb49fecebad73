#include "period_compare.h"

#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/item_record.h"

namespace odbctest {

namespace {

void ExpectSameExtra(const AnalysisItem* a, const AnalysisItem* b, int kind) {
    ASSERT_EQ(a->ovTopNamesCount, b->ovTopNamesCount);
    if (!a->lpExtra || kind == TABLE_KIND_BANDWIDTH || kind == TABLE_KIND_SERVERS) {
        size_t unit = kind == TABLE_KIND_BANDWIDTH ? sizeof(double) : sizeof(DWORD);
        if (a->lpExtra) {
            EXPECT_EQ(memcmp(a->lpExtra, b->lpExtra, unit * a->ovTopNamesCount), 0);
        }
        return;
    }
    for (DWORD j = 0; j < a->ovTopNamesCount; ++j) {
        if (kind == TABLE_KIND_SEARCH) {
            const SearchDetail* x = ((SearchDetail**)a->lpExtra)[j];
            const SearchDetail* y = ((SearchDetail**)b->lpExtra)[j];
            EXPECT_STREQ(x->lpName, y->lpName);
            EXPECT_EQ(x->dwHits, y->dwHits);
            EXPECT_EQ(x->dwSessions, y->dwSessions);
            continue;
        }
        const TopNameList& x = ((TopNameList*)a->lpExtra)[j];
        const TopNameList& y = ((TopNameList*)b->lpExtra)[j];
        ASSERT_EQ(x.wCount, y.wCount) << "slot " << j;
        size_t bytes = j == SUBLIST_PATH_SLOT ? x.wCount * 2u : x.wCount * sizeof(WORD);
        if (x.wCount) {
            EXPECT_EQ(memcmp(x.lpValues, y.lpValues, bytes), 0) << "slot " << j;
        }
    }
}

} // namespace

void ExpectSameTable(const AnalysisTable* a, const AnalysisTable* b, int kind) {
    EXPECT_EQ(a->TopCount, b->TopCount);
    ASSERT_EQ(a->ovCount, b->ovCount);
    ASSERT_EQ(a->DeleteCount, b->DeleteCount);
    EXPECT_EQ(a->DeleteListHead, b->DeleteListHead);
    EXPECT_EQ(a->DateListHead, b->DateListHead);
    EXPECT_EQ(a->DateListTail, b->DateListTail);
    EXPECT_EQ(a->TopTableListHead, b->TopTableListHead);
    ASSERT_EQ(a->SortIndexCount, b->SortIndexCount);
    for (DWORD j = 0; j < a->SortIndexCount; ++j) {
        EXPECT_EQ(a->lpSortIndex[j], b->lpSortIndex[j]);
    }
    for (DWORD i = 0; i < a->ovCount + a->DeleteCount; ++i) {
        SCOPED_TRACE(i);
        const AnalysisItem* x = a->lpItems[i];
        const AnalysisItem* y = b->lpItems[i];
        // Names are stored cut to 249 characters.
        EXPECT_EQ(std::string(x->ovString ? x->ovString : "").substr(0, 249),
                  std::string(y->ovString ? y->ovString : ""));
        ItemRecord rx, ry;
        ItemRecord_FromItem(x, &rx);
        ItemRecord_FromItem(y, &ry);
        EXPECT_EQ(memcmp(&rx, &ry, ITEM_RECORD_COUNTERS), 0);
        EXPECT_EQ(x->ovBanned, y->ovBanned);
        ExpectSameExtra(x, y, kind);
    }
}

void ExpectSamePeriod(const PeriodBlock* a, const PeriodBlock* b) {
    EXPECT_EQ(a->TodayDateTime, b->TodayDateTime);
    EXPECT_STREQ(a->Today, b->Today);
    EXPECT_EQ(a->TodaysHits, b->TodaysHits);
    EXPECT_EQ(a->Failed404, b->Failed404);
    EXPECT_EQ(a->TopTablesCount, b->TopTablesCount);
    EXPECT_EQ(memcmp(a->NewVisits, b->NewVisits,
                     offsetof(PeriodBlock, FormHits) - offsetof(PeriodBlock, NewVisits)),
              0);
    for (int n = 0; n < RUN_TABLE_COUNT; ++n) {
        SCOPED_TRACE(n);
        ExpectSameTable(&a->TopTablesPtr[n], &b->TopTablesPtr[n], TableKindOfNumber(n));
    }
    ExpectSameTable(a->TopUsersPtr, b->TopUsersPtr, TABLE_KIND_VISITOR);
}

} // namespace odbctest
