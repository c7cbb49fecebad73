// Counting hits into one item: interval counters, per-server counters,
// visitor sub-lists and path steps, and freeing extra data by table kind.
#include <gtest/gtest.h>

#include <string.h>

#include "tables/item_counters.h"
#include "tables/item_intervals.h"

namespace {

struct Item {
    AnalysisItem it{};
    int kind;
    explicit Item(int k = TABLE_KIND_PLAIN) : kind(k) {}
    ~Item() {
        TableItem_FreeDetails(&it, kind);
        ItemIntervals_Free(&it.ovIntervals);
    }
};

TEST(ItemCounters, HitsAndUsersCountPerInterval) {
    struct Case {
        DWORD n;
        int flag;
        int times;
        DWORD hits, users, hitsAtN, usersAtN;
    } cases[] = {
        {5, 1, 2, 2, 2, 2, 2},   {5, 0, 3, 3, 0, 3, 0}, {31, 1, 1, 1, 1, 1, 1},
        {32, 1, 4, 0, 0, 0, 0},  // guards: an interval past the 32 counters wrote past them
        {500, 1, 1, 0, 0, 0, 0}, // likewise
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        Item item;
        for (int i = 0; i < c.times; ++i)
            TableItem_CountHit(&item.it, c.n, c.flag);
        EXPECT_EQ(c.hits, item.it.ovTotalByHits);
        EXPECT_EQ(c.users, item.it.ovTotalByUsers);
        if (c.n < ANALYSIS_INTERVALS) {
            EXPECT_EQ(c.hitsAtN, ItemHitsAt(&item.it, c.n));
            EXPECT_EQ(c.usersAtN, ItemUsersAt(&item.it, c.n));
        }
    }
}

TEST(ItemCounters, ServerCountersAreMadeOnceForTheFirstList) {
    ServerList three{0, 0, 3, nullptr};
    ServerList five{0, 0, 5, nullptr};
    Item item(TABLE_KIND_SERVERS);
    EXPECT_EQ(1, TableItem_CountServer(&item.it, 2, &three));
    EXPECT_EQ(1, TableItem_CountServer(&item.it, 2, &five));
    EXPECT_EQ(1, TableItem_CountServer(&item.it, 0, &five));
    EXPECT_EQ(3u, item.it.ovTopNamesCount);
    // Guards: a server number past the array was counted outside it.
    EXPECT_EQ(0, TableItem_CountServer(&item.it, 3, &five));
    const DWORD* counters = (const DWORD*)item.it.lpExtra;
    EXPECT_EQ(1u, counters[0]);
    EXPECT_EQ(0u, counters[1]);
    EXPECT_EQ(2u, counters[2]);

    ServerList none{0, 0, 0, nullptr};
    Item empty(TABLE_KIND_SERVERS);
    EXPECT_EQ(0, TableItem_CountServer(&empty.it, 0, &none));
    EXPECT_EQ(nullptr, empty.it.lpExtra);
}

// Guards: server counters were freed as sub-lists, freeing their counts as
// pointers.
TEST(ItemCounters, ExtraDataIsFreedByTheTableKind) {
    ServerList many{0, 0, 40, nullptr};
    Item servers(TABLE_KIND_SERVERS);
    for (DWORD n = 0; n < 40; ++n)
        TableItem_CountServer(&servers.it, n, &many);
    TableItem_FreeDetails(&servers.it, TABLE_KIND_SERVERS);
    EXPECT_EQ(nullptr, servers.it.lpExtra);
    EXPECT_EQ(0u, servers.it.ovTopNamesCount);

    Item search(TABLE_KIND_SEARCH);
    SearchDetail** details = (SearchDetail**)calloc(2, sizeof(SearchDetail*));
    details[0] = (SearchDetail*)calloc(1, sizeof(SearchDetail));
    details[0]->lpName = _strdup("engine");
    search.it.lpExtra = details;
    search.it.ovTopNamesCount = 2; // second entry left null
    TableItem_FreeDetails(&search.it, TABLE_KIND_SEARCH);
    EXPECT_EQ(nullptr, search.it.lpExtra);

    Item visitor(TABLE_KIND_VISITOR);
    AddSubItemId(&visitor.it, 0, 7);
    TableItem_FreeDetails(&visitor.it, TABLE_KIND_VISITOR);
    EXPECT_EQ(nullptr, visitor.it.lpExtra);
    TableItem_FreeDetails(nullptr, TABLE_KIND_PLAIN);
}

TEST(ItemCounters, SubListIdsAreAddedOnceWithAnExactCount) {
    Item visitor(TABLE_KIND_VISITOR);
    struct Step {
        int slot;
        DWORD id;
        int added;
    } steps[] = {
        {0, 7, 1}, {0, 7, 0},     {0, 3, 1},
        {1, 7, 1}, {0, 65535, 1}, {0, 65536, 0}, // past 16 bits: refused, not aliased to 0
        {0, 0, 1}, {11, 1, 0},    {12, 1, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.id);
        EXPECT_EQ(s.added, AddSubItemId(&visitor.it, s.slot, s.id));
    }
    const TopNameList* slots = (const TopNameList*)visitor.it.lpExtra;
    EXPECT_EQ(12u, visitor.it.ovTopNamesCount);
    EXPECT_EQ(14u, slots[0].dwSize);
    EXPECT_EQ(4, slots[0].wCount);
    EXPECT_EQ(1, slots[1].wCount);

    // A crawler's long list: every id once, the count exact at every size.
    Item crawler(TABLE_KIND_VISITOR);
    for (DWORD id = 3000; id > 0; --id)
        ASSERT_EQ(1, AddSubItemId(&crawler.it, 4, id * 7 % 3001));
    for (DWORD id = 1; id <= 3000; ++id)
        ASSERT_EQ(0, AddSubItemId(&crawler.it, 4, id));
    EXPECT_EQ(3000, ((const TopNameList*)crawler.it.lpExtra)[4].wCount);
    EXPECT_TRUE(SubItemIdFits(65535));
    EXPECT_FALSE(SubItemIdFits(65536));
}

TEST(ItemCounters, PathKeepsSixStepsWithoutRepeats) {
    Item visitor(TABLE_KIND_VISITOR);
    TopNameList* path = &TableItem_SubLists(&visitor.it)[SUBLIST_PATH_SLOT];
    struct Step {
        WORD low, high;
        int added;
    } steps[] = {{5, 0, 1}, {5, 0, 0}, {5, 1, 1}, {6, 0, 1},
                 {5, 0, 1}, {7, 0, 1}, {8, 0, 1}, {9, 0, 0}};
    for (const Step& s : steps)
        EXPECT_EQ(s.added, AddLinkPair(path, s.low, s.high));
    EXPECT_EQ(12, path->wCount); // six 32-bit steps stored as 16-bit halves
    const DWORD* values = (const DWORD*)path->lpValues;
    EXPECT_EQ(5u, values[0]);
    EXPECT_EQ(65536u + 5, values[1]);
    EXPECT_EQ(8u, values[5]);
}

} // namespace
