// The compact interval counters of a table item and its stored 348-byte
// record: the counts read back the same whichever form holds them.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/table_slots.h"
#include "tables/item_intervals.h"
#include "tables/item_record.h"
#include "tables/item_tail.h"

namespace {

struct Counts {
    DWORD hits[ANALYSIS_INTERVALS] = {};
    DWORD users[ANALYSIS_INTERVALS] = {};
};

Counts Read(const ItemIntervals& iv) {
    Counts c;
    for (DWORD k = 0; k < ANALYSIS_INTERVALS; ++k) {
        c.hits[k] = ItemIntervals_At(&iv, 0, k);
        c.users[k] = ItemIntervals_At(&iv, 1, k);
    }
    return c;
}

bool Same(const Counts& a, const Counts& b) {
    return memcmp(&a, &b, sizeof a) == 0;
}

// Each case counts (interval, users?) steps and checks every counter against
// a plain array counted alongside, and whether a block was made.
TEST(ItemIntervals, CountsReadBackAsPlainArraysDo) {
    struct Step {
        DWORD k;
        int users;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        bool block;
    } cases[] = {
        {"nothing counted", {}, false},
        {"one interval, hits and users", {{5, 0}, {5, 1}, {5, 0}}, false},
        {"the last interval", {{31, 0}, {31, 1}}, false},
        {"users only", {{3, 1}}, false},
        {"a second interval makes a block", {{2, 0}, {9, 0}}, true},
        {"users in another interval than hits", {{2, 0}, {4, 1}}, true},
        {"a lower interval after a higher", {{30, 0}, {1, 0}, {30, 1}}, true},
        {"the block grows to later intervals", {{0, 0}, {1, 0}, {17, 1}, {31, 0}}, true},
        {"out of range is not counted", {{32, 0}, {500, 1}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ItemIntervals iv = {};
        Counts expected;
        for (const Step& s : c.steps) {
            DWORD* counter = ItemIntervals_Slot(&iv, s.users, s.k);
            if (s.k >= ANALYSIS_INTERVALS) {
                EXPECT_EQ(nullptr, counter);
                continue;
            }
            ASSERT_NE(nullptr, counter);
            ++*counter;
            ++(s.users ? expected.users : expected.hits)[s.k];
        }
        EXPECT_TRUE(Same(expected, Read(iv)));
        EXPECT_EQ(c.block, iv.BlockSize != 0);
        EXPECT_EQ(0u, ItemIntervals_At(&iv, 0, 32));
        ItemIntervals_Free(&iv);
    }
}

// Adding, loading and storing keep every counter, in each pairing of the
// inline and block forms.
TEST(ItemIntervals, AddLoadAndStoreKeepEveryCounter) {
    auto make = [](std::initializer_list<DWORD> hitsAt) {
        ItemIntervals iv = {};
        for (DWORD k : hitsAt) {
            ++*ItemIntervals_Slot(&iv, 0, k);
            *ItemIntervals_Slot(&iv, 1, k) += 2;
        }
        return iv;
    };
    struct Case {
        std::initializer_list<DWORD> dst, src;
    } cases[] = {
        {{}, {}},      {{}, {4}},      {{4}, {4}},       {{4}, {6}},
        {{1, 2}, {6}}, {{6}, {1, 29}}, {{0, 3}, {3, 8}},
    };
    for (const Case& c : cases) {
        ItemIntervals dst = make(c.dst), src = make(c.src);
        Counts expected = Read(dst);
        Counts add = Read(src);
        for (DWORD k = 0; k < ANALYSIS_INTERVALS; ++k) {
            expected.hits[k] += add.hits[k];
            expected.users[k] += add.users[k];
        }
        ASSERT_EQ(1, ItemIntervals_Add(&dst, &src));
        EXPECT_TRUE(Same(expected, Read(dst)));
        Counts loaded;
        ItemIntervals_Load(&dst, loaded.hits, loaded.users);
        EXPECT_TRUE(Same(expected, loaded));
        ItemIntervals stored = {};
        ASSERT_EQ(1, ItemIntervals_Store(&stored, loaded.hits, loaded.users));
        EXPECT_TRUE(Same(expected, Read(stored)));
        ItemIntervals_Free(&dst);
        ItemIntervals_Free(&src);
        ItemIntervals_Free(&stored);
    }
}

// An item of a page table: its page times behind it.
struct ItemWithTimes {
    AnalysisItem item;
    ItemPageTimes times;
};

// The stored record holds every counter at its fixed place and gives the
// same item back.
TEST(ItemRecord, AnItemRoundTripsThroughItsRecord) {
    ItemWithTimes withTimes = {};
    AnalysisItem& item = withTimes.item;
    item.ovTail = ITEM_TAIL_PAGES;
    item.ovRecordHeader = 1;
    item.ovTopFlag = 1;
    item.ovPrevLink = -1;
    item.ovNextLink = 7;
    item.ovLastDateTime = 0x12345678;
    item.ovTotalBytes = 4096.5;
    withTimes.times.ovTimeOnPagesCount = 3;
    item.ovBanned = 1;
    TableItem_CountHit(&item, 0, 1);
    TableItem_CountHit(&item, 31, 0);
    TableItem_CountHit(&item, 31, 1);

    ItemRecord r;
    ItemRecord_FromItem(&item, &r);
    BYTE bytes[ANALYSIS_ITEM_SIZE];
    memcpy(bytes, &r, sizeof bytes);
    DWORD at;
    memcpy(&at, bytes + 40 + 31 * 4, 4); // hits of interval 31
    EXPECT_EQ(2u, at);
    memcpy(&at, bytes + 172 + 31 * 4, 4); // users of interval 31
    EXPECT_EQ(1u, at);
    EXPECT_EQ(0u, r.Name);
    EXPECT_EQ(1u, r.Banned);

    ItemWithTimes backWithTimes = {};
    AnalysisItem& back = backWithTimes.item;
    back.ovTail = ITEM_TAIL_PAGES;
    ASSERT_EQ(1, ItemRecord_ToItem(&r, &back));
    ItemRecord again;
    ItemRecord_FromItem(&back, &again);
    EXPECT_EQ(0, memcmp(&r, &again, sizeof r));
    EXPECT_EQ(3u, back.ovTotalByHits);
    ItemIntervals_Free(&item.ovIntervals);
    ItemIntervals_Free(&back.ovIntervals);
}

// A released item's slot is the next one taken (the delete list), and it
// comes back with no counts of the item that held it.
TEST(ItemIntervals, AReusedSlotStartsEmpty) {
    AnalysisTable t = {ANALYSIS_TABLE_SIZE, ANALYSIS_VERSION};
    DWORD a = AddTableItem(&t, "/a");
    DWORD b = AddTableItem(&t, "/b");
    ASSERT_TRUE(a && b);
    TableItem_CountHit(t.lpItems[b - 1], 1, 1);
    TableItem_CountHit(t.lpItems[b - 1], 6, 1);
    ReleaseItemSlot(&t, (LONG)b - 1, TABLE_KIND_PLAIN);
    DWORD c = AddTableItem(&t, "/c");
    EXPECT_EQ(b, c);
    const AnalysisItem* item = t.lpItems[c - 1];
    EXPECT_EQ(nullptr, item->ovIntervals.Block);
    EXPECT_EQ(0u, ItemHitsAt(item, 1) + ItemHitsAt(item, 6) + ItemUsersAt(item, 6));
    FreeTableItems(&t, TABLE_KIND_PLAIN);
}

} // namespace
