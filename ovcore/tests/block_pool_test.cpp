// The pool of a table's sub-list blocks: size classes reused without the heap, blocks made
// elsewhere given back to the heap, and visitor sub-lists kept the same from the pool as from the
// heap.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include "tables/block_pool.h"
#include "tables/item_counters.h"

namespace {

struct Pool {
    BlockPool* p = BlockPool_Make();
    ~Pool() { BlockPool_Free(p); }
};

TEST(BlockPool, AGivenBlockIsTakenAgainByItsSizeClass) {
    struct Case {
        size_t given, taken;
        bool same;
    } cases[] = {
        {8, 8, true},       {5, 8, true},   {24, 32, true}, {216, 256, true},
        {4096, 4096, true}, {8, 16, false}, {32, 24, true}, {256, 512, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        Pool pool;
        void* block = BlockPool_Take(pool.p, c.given);
        ASSERT_NE(nullptr, block);
        memset(block, 0xAB, c.given);
        BlockPool_Give(pool.p, block, c.given);
        void* again = BlockPool_Take(pool.p, c.taken);
        EXPECT_EQ(c.same, again == block);
        BlockPool_Give(pool.p, again, c.taken);
    }
}

// Guards: a block from the heap (a period read back) filed in the pool would be handed out again
// and freed twice, once by the heap's owner and once with the pool.
TEST(BlockPool, ABlockFromTheHeapGoesBackToTheHeap) {
    Pool pool;
    void* heap = malloc(8);
    BlockPool_Give(pool.p, heap, 8);
    void* taken = BlockPool_Take(pool.p, 8);
    EXPECT_NE(heap, taken);
    BlockPool_Give(pool.p, taken, 8);
    void* big = BlockPool_Take(pool.p, 8192); // past the classes: the heap's
    ASSERT_NE(nullptr, big);
    BlockPool_Give(pool.p, big, 8192);
    BlockPool_Give(pool.p, nullptr, 8);
    BlockPool_Give(nullptr, malloc(16), 16);
}

TEST(BlockPool, ResizeKeepsTheBytesAcrossClassesAndIntoTheHeap) {
    for (BlockPool* p : {BlockPool_Make(), (BlockPool*)nullptr}) {
        WORD* ids = nullptr;
        size_t had = 0;
        for (DWORD n = 0; n < 6000; ++n) {
            if (n * sizeof(WORD) == had) {
                size_t room = had ? had * 2 : 8;
                ids = (WORD*)BlockPool_Resize(p, ids, had, room);
                ASSERT_NE(nullptr, ids);
                had = room;
            }
            ids[n] = WORD(n * 3);
        }
        for (DWORD n = 0; n < 6000; ++n)
            ASSERT_EQ(WORD(n * 3), ids[n]);
        BlockPool_Give(p, ids, had);
        BlockPool_Free(p);
    }
}

// The sub-lists of a visit closed are taken again by the next visit, with the same lists as the
// heap gives, and an item whose arrays the heap made (read back) is freed through the pool.
TEST(BlockPool, VisitorSubListsComeFromThePoolAndAreReused) {
    Pool pool;
    AnalysisItem pooled{}, heap{};
    for (DWORD id = 3000; id > 0; --id) {
        DWORD value = id * 7 % 3001;
        ASSERT_EQ(AddSubItemId(&heap, 4, value), AddSubItemIdIn(pool.p, &pooled, 4, value));
        ASSERT_EQ(AddSubItemId(&heap, 1, id % 5), AddSubItemIdIn(pool.p, &pooled, 1, id % 5));
    }
    for (WORD step = 0; step < 9; ++step)
        EXPECT_EQ(AddLinkPair(&TableItem_SubLists(&heap)[SUBLIST_PATH_SLOT], step % 4, 0),
                  AddLinkPairIn(pool.p, &TableItem_SubListsIn(pool.p, &pooled)[SUBLIST_PATH_SLOT],
                                step % 4, 0));
    const TopNameList* a = (const TopNameList*)heap.lpExtra;
    const TopNameList* b = (const TopNameList*)pooled.lpExtra;
    for (int slot = 0; slot < SUBLIST_SLOTS; ++slot) {
        SCOPED_TRACE(slot);
        ASSERT_EQ(a[slot].wCount, b[slot].wCount);
        size_t bytes = a[slot].wCount * sizeof(WORD); // the path counts 16-bit halves too
        if (bytes) {
            EXPECT_EQ(0, memcmp(a[slot].lpValues, b[slot].lpValues, bytes));
        }
    }
    void* slots = pooled.lpExtra;
    TableItem_FreeDetailsIn(pool.p, &pooled, TABLE_KIND_VISITOR);
    EXPECT_EQ(nullptr, pooled.lpExtra);
    AddSubItemIdIn(pool.p, &pooled, 0, 1);
    EXPECT_EQ(slots, pooled.lpExtra);
    TableItem_FreeDetailsIn(pool.p, &pooled, TABLE_KIND_VISITOR);

    TableItem_FreeDetailsIn(pool.p, &heap, TABLE_KIND_VISITOR);
    EXPECT_EQ(nullptr, heap.lpExtra);
}

} // namespace
