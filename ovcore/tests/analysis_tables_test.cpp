// Statistics tables: insertion and look-up by name, growth, expiry into the
// top list or the aggregate item 0, and the sort index in name order.
#include <gtest/gtest.h>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/item_tail.h"
#include "tables/period_block.h"
#include "tables/table_lookup.h"
#include "tables/table_select.h"
#include "tables/table_slots.h"

namespace {

// A table freed at the end of the test.
struct Table {
    AnalysisTable t{};
    TableContext context{nullptr, nullptr, "(others)"};
    Table() {
        t.dwSize = ANALYSIS_TABLE_SIZE;
        t.dwVersion = ANALYSIS_VERSION;
    }
    ~Table() { FreeTableItems(&t, TABLE_KIND_PLAIN); }
    // Inserts name at time with `hits` hits counted; returns the item number.
    LONG Hit(const char* name, DWORD time, DWORD cachedTime, DWORD topLimit, DWORD hits = 1) {
        DWORD r = InsertTableItem(TABLE_KIND_PLAIN, nullptr, &context, &t, name, nullptr, time,
                                  cachedTime, 0, topLimit, 0);
        EXPECT_NE(0u, r) << name;
        for (DWORD i = 0; r && i < hits; ++i)
            TableItem_CountHit(t.lpItems[r - 1], 0, 0);
        return (LONG)r - 1;
    }
    const AnalysisItem* Item(LONG i) const { return t.lpItems[i]; }
    DWORD HitsOf(const char* name) {
        LONG i;
        return FindTableItem(name, &t, 0, &i) ? t.lpItems[i]->ovTotalByHits : 0;
    }
    // Names on the top list from its head.
    std::string TopList() const {
        std::string names;
        for (LONG i = t.TopTableListHead; i >= 0; i = t.lpItems[i]->ovNextLink)
            names += std::string(names.empty() ? "" : ",") + t.lpItems[i]->ovString;
        return names;
    }
};

TEST(AnalysisTables, NamesAreFoundWithoutRegardToLetterCase) {
    struct Case {
        const char* names[5];
        DWORD items;
        const char* probe;
        DWORD probeHits;
    } cases[] = {
        {{"/a.htm", "/A.HTM", "/a.htm", nullptr}, 1, "/A.htm", 3},
        {{"x", "y", "X", "z", nullptr}, 3, "X", 2},
        {{"", "", nullptr}, 1, "", 2},
        {{"ab", "abc", "AB", "a", nullptr}, 3, "abc", 1},
        {{"caf\xe9", "CAF\xc9", nullptr}, 2, "caf\xe9", 1}, // only A-Z fold
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.probe);
        Table table;
        for (int i = 0; c.names[i]; ++i)
            table.Hit(c.names[i], 0, 0, 0);
        EXPECT_EQ(c.items, table.t.ovCount);
        EXPECT_EQ(c.probeHits, table.HitsOf(c.probe));
        EXPECT_EQ(0u, table.HitsOf("missing"));
    }
}

TEST(AnalysisTables, ArraysGrowByTheirRule) {
    Table table;
    for (int i = 0; i < 102; ++i)
        table.Hit(std::to_string(i).c_str(), 0, 0, 0);
    EXPECT_EQ(102u, table.t.ChunkSize);
    table.Hit("one more", 0, 0, 0);
    EXPECT_EQ(204u, table.t.ChunkSize);

    // A table loaded with chunks of 100 grows only past a multiple of 100.
    Table loaded;
    for (int i = 0; i < 99; ++i)
        loaded.Hit(std::to_string(i).c_str(), 0, 0, 0);
    loaded.t.ChunkSize = 100;
    loaded.Hit("100th", 0, 0, 0);
    EXPECT_EQ(100u, loaded.t.ChunkSize);
    loaded.Hit("101st", 0, 0, 0);
    EXPECT_EQ(204u, loaded.t.ChunkSize);
    EXPECT_EQ(1u, loaded.HitsOf("101st"));
}

TEST(AnalysisTables, IdleItemsExpireAfterTheCacheTime) {
    struct Case {
        DWORD later; // time of the second name's hit
        DWORD liveItems;
        DWORD aggregateHits;
    } cases[] = {
        {1100, 3, 0}, // seen exactly cachedTime ago: kept
        {1101, 2, 4}, // one second more: folded into item 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.later);
        Table table;
        table.Hit("old", 1000, 100, 0, 4);
        table.Hit("new", c.later, 100, 0);
        EXPECT_EQ(c.liveItems, table.t.ovCount);
        EXPECT_EQ(c.aggregateHits, table.Item(0)->ovTotalByHits);
        EXPECT_EQ(1u, table.Item(0)->ovOverflow);
        EXPECT_STREQ("(others)", table.Item(0)->ovString);
        EXPECT_EQ(4u - c.aggregateHits, table.HitsOf("old"));
    }
}

TEST(AnalysisTables, ExpiredItemsFillTheTopListThenEvictTheWeakest) {
    Table table;
    table.Hit("a", 1000, 100, 3, 5);
    table.Hit("b", 1010, 100, 3, 2);
    table.Hit("c", 1020, 100, 3, 2);
    table.Hit("d", 1111, 100, 3); // a and b expire onto the top list
    EXPECT_EQ("b,a", table.TopList());
    EXPECT_EQ(2u, table.t.TopCount);
    table.Hit("e", 1200, 100, 3); // c expires and evicts b (2 hits) into item 0
    EXPECT_EQ("c,a", table.TopList());
    EXPECT_EQ(2u, table.t.TopCount);
    EXPECT_EQ(2u, table.Item(0)->ovTotalByHits);
    EXPECT_EQ(5u, table.t.ovCount); // item 0, a, c, d, e
    EXPECT_EQ(0u, table.HitsOf("b"));

    // Among equal counts the member nearest the head goes: c and a both at 2.
    Table ties;
    ties.Hit("a", 1000, 100, 3, 2);
    ties.Hit("c", 1020, 100, 3, 2);
    ties.Hit("x", 1030, 100, 3);
    ties.Hit("d", 1200, 100, 3); // a, c onto the list; x evicts c
    EXPECT_EQ("x,a", ties.TopList());
    EXPECT_EQ(2u, ties.Item(0)->ovTotalByHits);
}

// The name hash reads eight bytes a step: letters A-Z fold across word
// ends, nothing else folds, and a name that ends at the end of a page
// before an unreadable one hashes as anywhere else.
TEST(AnalysisTables, NameHashFoldsOnlyLettersAndStaysInsideItsPage) {
    const char* same[][2] = {
        {"", ""},
        {"A", "a"},
        {"/Index.HTML", "/index.html"},
        {"/Products/Category-12/ITEM-4711.html?Q=Z", "/products/category-12/item-4711.html?q=z"}};
    for (const auto& pair : same)
        EXPECT_EQ(HashItemName(pair[0]), HashItemName(pair[1])) << pair[0];
    const char* differ[][2] = {
        {"@", "`"}, {"[", "{"}, {"caf\xc9", "caf\xe9"}, {"abcdefgh", "abcdefghi"}};
    for (const auto& pair : differ)
        EXPECT_NE(HashItemName(pair[0]), HashItemName(pair[1])) << pair[0];

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    DWORD page = system.dwPageSize;
    char* pages = (char*)VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(nullptr, pages);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
    for (const char* name : {"x", "/Some/Page.HTML", "1234567", "12345678", "123456789"}) {
        size_t n = strlen(name) + 1;
        char* atEnd = pages + page - n;
        memcpy(atEnd, name, n);
        EXPECT_EQ(HashItemName(name), HashItemName(atEnd)) << name;
    }
    VirtualFree(pages, 0, MEM_RELEASE);
}

// A member that gained hits from an expired namesake is weighed with them.
TEST(AnalysisTables, EvictionWeighsHitsAMemberGainedFromANamesake) {
    Table table;
    table.Hit("a", 1000, 100, 3, 1);
    table.Hit("b", 1010, 100, 3, 2);
    table.Hit("c", 1020, 100, 3, 4);
    table.Hit("x", 1121, 100, 3); // a, b, c expire: c evicts a
    ASSERT_EQ("c,b", table.TopList());
    table.Hit("B", 1130, 100, 3, 4); // a namesake of member b
    table.Hit("x", 1200, 100, 3);
    table.Hit("y", 1235, 100, 3); // the namesake expires: b has 6
    table.Hit("z", 1305, 100, 3); // x expires and evicts c (4), not b
    EXPECT_EQ("x,b", table.TopList());
    EXPECT_EQ(5u, table.Item(0)->ovTotalByHits);
    EXPECT_EQ(6u, table.HitsOf("b"));
}

// Guards: an eviction with an empty top list (top limit 1) stopped the run.
TEST(AnalysisTables, TopLimitOneFoldsExpiredItemsIntoItemZero) {
    Table table;
    table.Hit("x", 100, 10, 1, 3);
    EXPECT_NE(ANALYSIS_NO_ITEM, table.Hit("y", 200, 10, 1));
    EXPECT_EQ(3u, table.Item(0)->ovTotalByHits);
    EXPECT_EQ("", table.TopList());
}

TEST(AnalysisTables, ANamesakeOfATopMemberIsMadeBesideItAndMergedIntoIt) {
    Table table;
    LONG a = table.Hit("a", 1000, 100, 5, 5);
    table.Hit("z", 1200, 100, 5); // a goes onto the top list
    ASSERT_EQ(1u, table.Item(a)->ovTopFlag);
    LONG namesake = table.Hit("A", 1210, 100, 5, 2);
    EXPECT_NE(a, namesake);
    EXPECT_EQ(namesake, table.Hit("a", 1220, 100, 5)); // the namesake takes the hits
    table.Hit("q", 1400, 100, 5);                      // z and the namesake expire
    EXPECT_EQ(8u, table.Item(a)->ovTotalByHits);
    EXPECT_EQ("z,a", table.TopList());
    EXPECT_EQ(0u, table.Item(0)->ovTotalByHits);
}

TEST(AnalysisTables, NamesakesAreFoldedIntoTheirTopMemberAtTheEnd) {
    Table table;
    LONG a = table.Hit("a", 1000, 100, 5, 5);
    table.Hit("z", 1200, 100, 5); // a goes onto the top list
    LONG namesake = table.Hit("A", 1210, 100, 5, 2);
    ASSERT_EQ(1, MergeTopNamesakes(&table.t, TABLE_KIND_PLAIN));
    EXPECT_EQ(7u, table.Item(a)->ovTotalByHits);
    EXPECT_EQ(1210u, table.Item(a)->ovLastDateTime);
    EXPECT_EQ(1u, table.Item(namesake)->ovDeleted);
    EXPECT_EQ(nullptr, table.Item(namesake)->ovString);
    EXPECT_EQ(1u, table.Item(table.t.DateListHead)->ovTotalByHits); // z alone on the date list
    EXPECT_EQ(table.t.DateListHead, table.t.DateListTail);
    EXPECT_EQ(0u, table.Item(0)->ovTotalByHits);
}

// Guards: the name hash kept pointing at slots that the sort had moved.
TEST(AnalysisTables, NamesAreFoundAgainAfterTheSortMovedThem) {
    Table table;
    table.Hit("few", 0, 0, 0, 1);
    table.Hit("many", 0, 0, 0, 9);
    SelectTopItems(&table.t, SORT_BY_HITS, 2, 0, table.t.ovCount);
    ASSERT_STREQ("many", table.Item(0)->ovString);
    EXPECT_EQ(0, table.Hit("many", 0, 0, 0));
    EXPECT_EQ(10u, table.HitsOf("many"));
    EXPECT_EQ(2u, table.t.ovCount);
}

TEST(AnalysisTables, DateListKeepsTheLatestFirst) {
    Table table;
    table.Hit("a", 100, 1000, 0);
    table.Hit("b", 200, 1000, 0);
    table.Hit("c", 150, 1000, 0); // earlier than b: behind it
    table.Hit("a", 50, 1000, 0);  // an earlier hit does not move a
    std::string order;
    for (LONG i = table.t.DateListHead; i >= 0; i = table.Item(i)->ovNextLink)
        order += table.Item(i)->ovString;
    EXPECT_EQ("bca", order);
    table.Hit("a", 300, 1000, 0);
    EXPECT_STREQ("a", table.Item(table.t.DateListHead)->ovString);
    EXPECT_STREQ("c", table.Item(table.t.DateListTail)->ovString);
}

TEST(AnalysisTables, PreferredNameRenamesTheItemFoundByName) {
    Table table;
    auto insert = [&](const char* name, const char* preferred) {
        int created = -1;
        DWORD r = InsertTableItem(TABLE_KIND_PLAIN, &created, nullptr, &table.t, name, preferred, 0,
                                  0, 0, 0, 0);
        return std::make_pair((LONG)r - 1, created);
    };
    auto host = insert("10.0.0.1", nullptr);
    EXPECT_EQ(1, host.second);
    auto cookie = insert("10.0.0.1", "cookie-7");
    EXPECT_EQ(host.first, cookie.first);
    EXPECT_EQ(0, cookie.second);
    EXPECT_STREQ("cookie-7", table.Item(host.first)->ovString);
    EXPECT_EQ(host.first, insert("10.0.0.2", "cookie-7").first); // found by the cookie
    EXPECT_FALSE(FindTableItem("10.0.0.1", &table.t, 0, nullptr));
    EXPECT_EQ(1, insert("10.0.0.3", "").second);
}

TEST(AnalysisTables, SortIndexIsPutInNameOrderWithTheAggregateFirst) {
    Table table;
    for (const char* name : {"beta", "Alpha", "alpha2", "B"})
        table.Hit(name, 10, 100, 0);
    ASSERT_EQ(1, MaterialiseSortIndex(&table.t));
    ASSERT_EQ(5u, table.t.SortIndexCount);
    std::string order;
    for (DWORD i = 0; i < table.t.SortIndexCount; ++i)
        order += std::string(table.Item(table.t.lpSortIndex[i])->ovString) + ";";
    EXPECT_EQ("(others);Alpha;alpha2;B;beta;", order);
}

TEST(AnalysisTables, DeletedSlotsAreReusedBeforeTheArraysGrow) {
    Table table;
    table.Hit("a", 0, 10, 0);
    table.Hit("b", 0, 10, 0);
    LONG c = table.Hit("c", 100, 10, 0); // a and b folded away, b's slot reused
    EXPECT_EQ(1, c);                     // a went last, so its slot heads the delete list
    EXPECT_EQ(1u, table.t.DeleteCount);
    LONG d = table.Hit("d", 100, 10, 0);
    EXPECT_EQ(2, d);
    EXPECT_EQ(0u, table.t.DeleteCount);
    EXPECT_EQ(3u, table.t.ovCount);
    EXPECT_EQ(1u, table.HitsOf("d"));
}

// Only the documents, forms and visitor tables' items carry page times;
// every item stays aligned, and a reused slot keeps its tail with the times
// cleared.
TEST(AnalysisTables, PageTimesAreCarriedOnlyByThePageAndVisitorTables) {
    PeriodBlock period{};
    ASSERT_EQ(1, MakePeriodTableSet(&period));
    struct Case {
        AnalysisTable* table;
        bool pages, visit;
    } cases[] = {
        {&period.TopTablesPtr[TopDocuments], true, false},
        {&period.TopTablesPtr[TopForms], true, false},
        {&period.TopTablesPtr[TopHours], false, false},
        {&period.TopTablesPtr[TopEntry], false, false},
        {period.TopUsersPtr, true, true},
    };
    for (const Case& c : cases) {
        for (const char* name : {"/a", "/b", "/c"}) {
            DWORD r = AddTableItem(c.table, name);
            ASSERT_NE(0u, r);
            AnalysisItem* item = c.table->lpItems[r - 1];
            EXPECT_EQ(0u, (UINT_PTR)item % 8) << name;
            EXPECT_EQ(c.pages, ItemPageTimesOf(item) != nullptr) << name;
            EXPECT_EQ(c.visit, ItemVisitTimesOf(item) != nullptr) << name;
            if (ItemPageTimesOf(item))
                *ItemPageTimesOf(item) = {30, 2};
        }
        ReleaseItemSlot(c.table, 1, TABLE_KIND_PLAIN);
        EXPECT_EQ(2u, AddTableItem(c.table, "/d"));
        const AnalysisItem* reused = c.table->lpItems[1];
        EXPECT_EQ(c.pages, ItemPageTimesOf(reused) != nullptr);
        EXPECT_EQ(0u, ItemTimeOnPages(reused) + ItemTimeOnPagesCount(reused));
        EXPECT_EQ(c.pages ? 30u : 0u, ItemTimeOnPages(c.table->lpItems[2]));
        // The items are made: their tail can no longer change.
        EXPECT_EQ(0, TableLookup_SetItemTail(c.table, c.visit ? ITEM_TAIL_PAGES : ITEM_TAIL_VISIT));
    }
    for (int n = 0; n < RUN_TABLE_COUNT; ++n)
        FreeTableItems(&period.TopTablesPtr[n], TableKindOfNumber(n));
    FreeTableItems(period.TopUsersPtr, TABLE_KIND_PLAIN);
    free(period.TopTablesPtr);
    free(period.TopUsersPtr);
}

} // namespace
