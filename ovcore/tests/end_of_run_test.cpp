// The end of counting: the order of the tables for the writers, and a stop
// that still counts the hits waiting in the DNS ring.
#include "accumulate_fixture.h"
#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "core/engine_state.h"
#include "tables/item_tail.h"

#include <string>

namespace acctest {
namespace {

using EndOfRunTest = RunFixture;
using Names = std::vector<std::string>;

struct Counts {
    const char* name;
    DWORD hits, users;
};

// Items made by hand, in this order.
void Fill(AnalysisTable* table, std::initializer_list<Counts> items) {
    for (const Counts& c : items) {
        DWORD r = AddTableItem(table, c.name);
        ASSERT_NE(r, 0u);
        table->lpItems[r - 1]->ovTotalByHits = c.hits;
        table->lpItems[r - 1]->ovTotalByUsers = c.users;
    }
}

Names NamesOf(const std::vector<std::pair<std::string, DWORD>>& rows) {
    Names names;
    for (const auto& r : rows)
        names.push_back(r.first);
    return names;
}

TEST_F(EndOfRunTest, OrderByHitsOrUsersAndByName) {
    const struct {
        int sortSetting;
        Names browsers, sites;
    } cases[] = {
        {0, {"X", "Y", "Z"}, {"Y", "X", "Z"}}, // sites go by users under every setting
        {2, {"Y", "X", "Z"}, {"Y", "X", "Z"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sortSetting);
        FreeRunTables(run);
        ASSERT_EQ(MakeRunTables(run), 1);
        run->SortSetting = c.sortSetting;
        Fill(Table(TopBrowsers), {{"X", 3, 1}, {"Y", 2, 2}, {"Z", 1, 1}});
        Fill(Table(TopReferingSites), {{"X", 3, 1}, {"Y", 2, 2}, {"Z", 1, 1}});
        Fill(Table(TopHours),
             {{"23:00-23:59", 5, 0}, {"05:00-05:59", 1, 0}, {"00:00-00:59", 9, 0}});
        Fill(Table(TopWeekdays), {{"Sun", 1, 0}, {"Mon", 7, 0}, {"Tue", 3, 0}});
        SortAndTrimReportTables(run, 1);
        EXPECT_EQ(NamesOf(Rows(TopBrowsers)), c.browsers);
        EXPECT_EQ(NamesOf(Rows(TopReferingSites)), c.sites);
        EXPECT_EQ(NamesOf(Rows(TopHours)), (Names{"00:00-00:59", "05:00-05:59", "23:00-23:59"}));
        EXPECT_EQ(NamesOf(Rows(TopWeekdays)), (Names{"Sun", "Mon", "Tue"}));
    }
}

TEST_F(EndOfRunTest, TopAndBottomDocuments) {
    Fill(Table(TopDocuments),
         {{"/a", 5, 1}, {"/b", 1, 1}, {"/c", 3, 1}, {"/d", 2, 1}, {"/e", 4, 1}});
    g_ReportTableKeywords[TopDocuments].TopCount = 2;
    g_ReportTableKeywords[TopBottom].TopCount = 2;
    SortAndTrimReportTables(run, 1);
    // The two largest in front; the bottom rows come from behind them.
    EXPECT_EQ(NamesOf(Rows(TopDocuments)), (Names{"/a", "/e", "/c", "/d", "/b"}));
    AnalysisItem** items = Table(TopDocuments)->lpItems;
    EXPECT_EQ(items[1]->ovOriginalIndex, 4u); // the position before the sort
    EXPECT_EQ(items[4]->ovOriginalIndex, 1u);
}

// Guards the longest-visits rows: a closed visit once folded into the
// aggregate row, so that only the visits still open at the end were listed.
TEST_F(EndOfRunTest, ClosedVisitsStayAndEndLongestFirst) {
    const struct {
        DWORD time;
        const char* host;
    } pages[] = {
        {0, "short"},    {10, "long"},    {60, "short"}, // short: 60 s, closed later
        {200, "long"},   {400, "long"},                  // long: 390 s, closed later
        {5000, "open"},  {5100, "open"},                 // 100 s, open at the end
        {5200, "short"}, {5240, "short"},                // the same host again: 40 s
    };
    for (const auto& p : pages)
        ASSERT_EQ(Count(At(kMonday + p.time, p.host, "/a.html")), 1);
    EndRunTables(run);
    const AnalysisTable* visits = run->Period.TopUsersPtr;
    std::vector<std::pair<std::string, DWORD>> rows;
    for (DWORD i = 1; i < visits->ovCount + visits->DeleteCount; ++i)
        if (visits->lpItems[i] && !visits->lpItems[i]->ovDeleted)
            rows.push_back({visits->lpItems[i]->ovString, ItemTimeOnPages(visits->lpItems[i])});
    EXPECT_EQ(rows, (std::vector<std::pair<std::string, DWORD>>{
                        {"long", 390}, {"open", 100}, {"short", 60}, {"short", 40}}));
    EXPECT_EQ(visits->lpItems[0]->ovTotalByHits, 0u); // nothing folded away
    EXPECT_EQ(run->Period.UserSessionsTimeCount, 4u);
}

// Guards the company selection over the slots behind a freed one.
TEST_F(EndOfRunTest, CompaniesAfterFreedSlots) {
    AnalysisTable* companies = Table(TopCompanies);
    auto insert = [&](const char* name, DWORD time) {
        DWORD r = InsertTableItem(TABLE_KIND_PLAIN, nullptr, &run->Accum.Tables, companies, name,
                                  nullptr, time, 10, 0, 0, 0);
        ASSERT_NE(r, 0u);
        TableItem_CountHit(companies->lpItems[r - 1], 0, 1);
    };
    insert("p.com", 1);  // slot 1
    insert("q.com", 2);  // slot 2
    insert("r.com", 50); // p and q expire into item 0; r takes slot 2, slot 1 stays free
    ASSERT_EQ(companies->ovCount, 2u);
    ASSERT_EQ(companies->DeleteCount, 1u);
    g_ReportTableKeywords[TopCompanies].TopCount = 1;
    SortAndTrimReportTables(run, 1);
    AnalysisItem** items = companies->lpItems;
    EXPECT_STREQ(items[0]->ovString, "Others"); // item 0 never moves
    EXPECT_EQ(items[0]->ovTotalByHits, 2u);
    ASSERT_NE(items[1]->ovString, nullptr);
    EXPECT_STREQ(items[1]->ovString, "r.com");
}

int HandOn(DnsRun* dns, HitRecord* hit) {
    return AccumulateGuard((ReportHandle*)dns->owner, hit);
}

// Guards the hits of a stopped run: those still in the DNS ring are counted.
TEST_F(EndOfRunTest, StopDrainsTheDnsRing) {
    Engine_ResetLibraryState();
    ASSERT_TRUE(DnsRing_Allocate(16));
    report.Dns = {DNS_MODE_OFF, REPORT_KIND_TABLES, 1000, nullptr, HandOn, &report};
    for (DWORD i = 0; i < 3; ++i)
        ASSERT_EQ(QueueHitForDNS(&report.Dns, Record(At(kMonday + i, "h1", "/a.html"))), 1);
    EXPECT_EQ(EndSummaryContext(&report), run);
    EXPECT_TRUE(DnsRing_IsEmpty());
    EXPECT_EQ(run->Period.Hits[0], 3u);
    EXPECT_EQ(Hits(TopDocuments, "/a.html"), 3u);
    EXPECT_EQ(Hits(TopExit, "/a.html"), 1u); // the visit was closed after the drain
    Engine_ResetLibraryState();
}

TEST_F(EndOfRunTest, NoRunContext) {
    ReportHandle none = {};
    EXPECT_EQ(EndSummaryContext(&none), nullptr);
    EXPECT_EQ(EndSummaryContext(nullptr), nullptr);
    HitRecord* hit = Record(Hit());
    EXPECT_EQ(AccumulateGuard(&none, hit), 0);
}

} // namespace
} // namespace acctest
