// End-of-run ordering: top-N selection, bottom rows and full sorts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/table_select.h"
#include "tables/item_tail.h"

namespace {

struct Row {
    const char* name;
    DWORD hits;
    DWORD users = 0;
    bool deleted = false;
};

// A table over items held by the fixture.
struct Rows {
    // Items of a page table: each with its page times behind it.
    struct PageItem {
        AnalysisItem it;
        ItemPageTimes times;
    };
    std::vector<PageItem> items;
    std::vector<AnalysisItem*> pointers;
    AnalysisTable t{};
    explicit Rows(std::initializer_list<Row> rows) : items(rows.size()) {
        size_t i = 0;
        for (const Row& r : rows) {
            AnalysisItem& it = items[i++].it;
            it.ovTail = ITEM_TAIL_PAGES;
            it.ovString = const_cast<char*>(r.deleted ? nullptr : r.name);
            it.ovTotalByHits = r.hits;
            it.ovTotalByUsers = r.users;
            it.ovDeleted = r.deleted;
            if (r.deleted)
                t.DeleteCount++;
            else
                t.ovCount++;
        }
        for (PageItem& item : items)
            pointers.push_back(&item.it);
        t.lpItems = pointers.data();
    }
    DWORD Slots() const { return (DWORD)pointers.size(); }
    std::string Order() const {
        std::string s;
        for (const AnalysisItem* it : pointers)
            s += it->ovString ? it->ovString : "-";
        return s;
    }
};

TEST(TableSelect, TopItemsComeToTheFront) {
    struct Case {
        std::initializer_list<Row> rows;
        int key;
        DWORD n;
        const char* order;
    } cases[] = {
        {{{"A", 1}, {"C", 1}, {"B", 5}}, SORT_BY_HITS, 3, "BCA"}, // swaps reorder equals
        {{{"A", 1}, {"C", 1}, {"B", 5}}, SORT_BY_HITS, 0, "ACB"}, // top 0: insertion order
        {{{"a", 0}, {"b", 0}, {"c", 0}}, SORT_BY_HITS, 2, "abc"}, // all zero: in place
        {{{"a", 9, 1}, {"b", 1, 4}, {"c", 5, 2}}, SORT_BY_USERS, 1, "bac"},
        {{{"a", 1}, {"b", 3}, {"c", 2}}, SORT_BY_HITS, 300, "bca"}, // full sort
        {{{"c", 9}, {"A", 1}, {"b", 5}}, SORT_BY_NAME, 1, "Abc"},   // name: always full
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        Rows rows(c.rows);
        SelectTopItems(&rows.t, c.key, c.n, 0, rows.t.ovCount);
        EXPECT_EQ(c.order, rows.Order());
    }
}

TEST(TableSelect, AveragePageTimeUsesWholeSeconds) {
    Rows rows({{"a", 0}, {"b", 0}, {"c", 0}});
    rows.items[0].times = {10, 4}; // 2
    rows.items[1].times = {9, 3};  // 3
    rows.items[2].times = {50, 0}; // no count: 0
    SelectTopItems(&rows.t, SORT_BY_PAGE_TIME, 3, 0, 3);
    EXPECT_EQ("bac", rows.Order());
}

// Guards: the companies' selection stopped at ovCount and missed live items
// behind deleted slots, and moved the aggregate item 0.
TEST(TableSelect, SelectionFromPositionOneCoversDeletedSlots) {
    Rows rows({{"0", 100}, {"x", 0, 0, true}, {"y", 3}, {"z", 7}});
    SelectTopItems(&rows.t, SORT_BY_HITS, 3, 1, rows.Slots());
    EXPECT_EQ("0zy-", rows.Order());
    Rows full({{"0", 1}, {"x", 0, 0, true}, {"y", 3}, {"z", 7}});
    SelectTopItems(&full.t, SORT_BY_HITS, 250, 1, full.Slots());
    EXPECT_EQ("0zy-", full.Order());
}

TEST(TableSelect, BottomRowsGoToTheEndAndNeverTakeItemZero) {
    Rows rows({{"0", 0}, {"a", 5}, {"b", 1}, {"c", 1}, {"d", 3}});
    SelectBottomItems(&rows.t, SORT_BY_HITS, 2, 0, rows.t.ovCount);
    EXPECT_EQ("0adbc", rows.Order());
}

// Guards: the bottom rows were taken from the top rows already chosen.
TEST(TableSelect, BottomRowsComeOnlyFromBehindTheTopRows) {
    Rows rows({{"0", 0}, {"x", 9}, {"y", 1}, {"z", 4}, {"w", 2}});
    SelectBottomItems(&rows.t, SORT_BY_HITS, 2, 3, rows.t.ovCount);
    EXPECT_EQ("0xyzw", rows.Order());
}

} // namespace
