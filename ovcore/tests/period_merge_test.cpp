// Stored days merged into a report: each hour lands in its own slot, live
// items behind deleted slots count, sub-data merge, and stored paths take
// the report's page numbers.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "tables/analysis_tables.h"
#include "tables/table_slots.h"
#include "history/history_db.h"
#include "history/period_merge.h"
#include "history/report_grid.h"
#include "tables/item_intervals.h"

namespace {

ORB_TIME At(int day, int hour, int minute = 0, int second = 0) {
    return Y2K_mktimeEx((WORD)hour, (WORD)minute, (WORD)second, 2, (WORD)day, 99, nullptr);
}

struct Context {
    RunContext* c = AllocRunContext();
    Context() { MakeEmptyPeriodTables(c); }
    ~Context() {
        FreePeriodTables(c);
        free(c);
    }
    AnalysisTable* Table(int n) { return &c->Period.TopTablesPtr[n]; }
    AnalysisItem* Item(int table, const char* name) {
        DWORD n = AddTableItem(Table(table), name);
        return Table(table)->lpItems[n - 1];
    }
    const AnalysisItem* Find(int table, const char* name) {
        LONG n;
        return FindTableItem(name, Table(table), 0, &n) ? Table(table)->lpItems[n] : nullptr;
    }
};

TEST(PeriodMergeTest, DaysMergeHourByHourIntoTheReport) {
    Context report, day5, day6;
    // Twenty hourly slots from 06:30 on the 5th.
    SetReportIntervalsForRange(report.c, At(5, 6, 30), At(6, 1, 59, 59));
    PeriodPlace first = {0, At(5, 0), FirstHourOffset(At(5, 6, 30), At(5, 0))};
    PeriodPlace second = {1, At(6, 0), 0};

    day5.Item(TopDocuments, "/gone");
    AnalysisItem* a5 = day5.Item(TopDocuments, "/a");
    *ItemHitSlot(a5, 5) = 4; // before the range
    *ItemHitSlot(a5, 7) = 2;
    a5->ovTotalByHits = 6;
    LONG goneAt;
    FindTableItem("/gone", day5.Table(TopDocuments), 0, &goneAt);
    ReleaseItemSlot(day5.Table(TopDocuments), goneAt, TABLE_KIND_PLAIN); // "/a" stands behind it
    day5.c->Period.Hits[7] = 2;
    AnalysisItem* a6 = day6.Item(TopDocuments, "/A");
    *ItemHitSlot(a6, 1) = 3;
    a6->ovTotalByHits = 3;
    day6.c->Period.Hits[1] = 3;
    day6.c->Period.Hits[3] = 9; // past the range

    AnalysisItem* engine = day5.Item(TopSearchEngines, "cheese");
    SearchDetail d = {20, ANALYSIS_VERSION, 2, 1, (char*)"Lycos"};
    SearchDetail* details[] = {&d};
    engine->lpExtra = details;
    engine->ovTopNamesCount = 1;

    for (auto* day : {&day5, &day6}) {
        const PeriodPlace* place = day == &day5 ? &first : &second;
        MergeHourArrays(report.c, day->c, place);
        for (int t = 0; t < RUN_TABLE_COUNT; ++t) {
            if (t != TopPaths) {
                ASSERT_TRUE(MergeTableItems(report.c, t, report.Table(t), day->Table(t), place));
            }
        }
    }
    engine->lpExtra = nullptr;
    engine->ovTopNamesCount = 0;

    const AnalysisItem* a = report.Find(TopDocuments, "/a");
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(2u, ItemHitsAt(a, 1));  // 07:00 on the 5th
    EXPECT_EQ(3u, ItemHitsAt(a, 19)); // 01:00 on the 6th
    EXPECT_EQ(0u, ItemHitsAt(a, 0));
    EXPECT_EQ(9u, a->ovTotalByHits); // totals are merged whole
    EXPECT_EQ(nullptr, report.Find(TopDocuments, "/gone"));
    EXPECT_EQ(2u, report.c->Period.Hits[1]);
    EXPECT_EQ(3u, report.c->Period.Hits[19]);
    const AnalysisItem* cheese = report.Find(TopSearchEngines, "cheese");
    ASSERT_NE(nullptr, cheese);
    ASSERT_EQ(1u, cheese->ovTopNamesCount);
    EXPECT_STREQ("Lycos", ((SearchDetail**)cheese->lpExtra)[0]->lpName);
    EXPECT_EQ(2u, ((SearchDetail**)cheese->lpExtra)[0]->dwHits);
}

TEST(PeriodMergeTest, StoredPathsMergeUnderTheReportsPageNumbers) {
    Context report, day;
    SetReportIntervalsForRange(report.c, At(5, 0), At(5, 23, 59, 59));
    PeriodPlace place = {0, At(5, 0), 0};
    report.Item(TopDocuments, "/x");
    report.Item(TopDocuments, "/b");
    report.Item(TopDocuments, "/a");
    day.Item(TopDocuments, "/a");
    day.Item(TopDocuments, "/b");
    day.Item(TopPaths, "0000000100000000")->ovTotalByHits = 5; // /b then /a
    ASSERT_TRUE(MergeTopPaths(report.c, day.c, &place));
    const AnalysisItem* path = report.Find(TopPaths, "0000000100000002");
    ASSERT_NE(nullptr, path);
    EXPECT_EQ(5u, path->ovTotalByHits);
    EXPECT_NE(nullptr, day.Find(TopPaths, "0000000100000000")); // the day keeps its names
}

TEST(PeriodMergeTest, BusiestQuietestAndWeekdays) {
    PeriodBlock report = {};
    report.QuietestDayHits = report.QuietestDayUsers = 0xFFFFFFFF;
    const struct {
        ORB_TIME day;
        DWORD hits, users;
        const char* label;
    } days[] = {{At(5, 0), 10, 2, "Fri"}, {At(6, 0), 30, 1, "Sat"}, {At(8, 0), 20, 5, "Mon"}};
    for (const auto& d : days) {
        PeriodBlock p = {};
        p.TodayDateTime = d.day;
        p.TodaysHits = d.hits;
        p.TodaysUsers = d.users;
        strcpy(p.Today, d.label);
        MergeTemplateCounters(&report, &p);
    }
    EXPECT_STREQ("Sat", report.BusiestDayByHits);
    EXPECT_STREQ("Fri", report.QuietestDayByHits);
    EXPECT_STREQ("Mon", report.BusiestDayByUsers);
    EXPECT_STREQ("Sat", report.QuietestDayByUsers);
    EXPECT_EQ(3u, report.DaysCounted);
    EXPECT_EQ(2u, report.WeekdaysCounted);
    EXPECT_EQ(30u, report.WeekdayHits);
    EXPECT_EQ(1u, report.WeekendDaysCounted);
}

} // namespace

namespace {

TEST(PeriodMergeTest, AWholeDayAndTheTablesTheReportShows) {
    Context report, day;
    SetReportIntervalsForRange(report.c, At(5, 0), At(5, 23, 59, 59));
    PeriodPlace place = {0, At(5, 0), 0};
    TableContext rest{nullptr, nullptr, "(rest)"};
    InitTable(&rest, day.Table(TopUsers), 1);
    day.Item(TopUsers, "u1")->ovTotalByHits = 2;
    day.Item(TopUsers, "u2")->ovTotalByHits = 1;
    InitTable(&rest, day.Table(TopReferers), 1); // the aggregate row alone
    day.Item(TopDocuments, "/a")->ovTotalByHits = 3;
    std::vector<DWORD> seen;
    static std::vector<DWORD>* g_seen;
    g_seen = &seen;
    ASSERT_TRUE(MergePeriodIntoRunContext(report.c, day.c, &place, 10, 20, [](DWORD percent) {
        g_seen->push_back(percent);
        return 1;
    }));
    ASSERT_EQ((size_t)RUN_TABLE_COUNT, seen.size());
    EXPECT_EQ(10u, seen.front());
    EXPECT_LE(seen.back(), 20u);
    EXPECT_EQ(2u, report.Find(TopUsers, "u1")->ovTotalByHits);
    EXPECT_EQ(nullptr, report.Find(TopUsers, "(rest)"));

    MarkReportTables(report.c);
    EXPECT_EQ(1u, g_ReportTableKeywords[TopDocuments].Used);
    EXPECT_EQ(1u, g_ReportTableKeywords[TopUsers].Used);
    EXPECT_EQ(0u, g_ReportTableKeywords[TopReferers].Used);
    EXPECT_EQ(0u, g_ReportTableKeywords[TopCities].Used); // empty
    EXPECT_EQ(1u, g_ReportTableKeywords[TopCities].Empty);
}

} // namespace
