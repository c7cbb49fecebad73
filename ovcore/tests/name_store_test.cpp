// The run's names kept once: interning, ownership, and tables given stored names keeping exactly
// the results they have with names of their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/name_store.h"
#include "tables/table_lookup.h"

namespace {

struct Store {
    NameStore* s = NameStore_Make();
    ~Store() { NameStore_Release(s); }
};

TEST(NameStore, KeepsEachNameOnceByteForByte) {
    Store store;
    ASSERT_NE(nullptr, store.s);
    char text[] = "/Index.html";
    const char* first = NameStore_Intern(store.s, text);
    ASSERT_NE(nullptr, first);
    EXPECT_NE(text, first);
    EXPECT_STREQ("/Index.html", first);
    text[1] = 'X'; // the caller's buffer changes: the kept copy does not
    EXPECT_STREQ("/Index.html", first);
    EXPECT_EQ(first, NameStore_Intern(store.s, "/Index.html"));
    EXPECT_EQ(first, NameStore_Intern(store.s, first)); // a kept name is itself
    const char* folded = NameStore_Intern(store.s, "/index.html");
    EXPECT_NE(first, folded); // letter case is kept apart: each item keeps its spelling
    EXPECT_EQ(HashItemName("/Index.html"), NameStore_HashOf(first));
    EXPECT_EQ(NameStore_HashOf(first), NameStore_HashOf(folded));
    EXPECT_STREQ("", NameStore_Intern(store.s, ""));
}

// The store compares lengths from the hash's pass before any bytes.
TEST(NameStore, TheHashPassGivesTheNameLength) {
    std::string name;
    for (size_t n = 0; n <= 24; ++n, name += char('A' + n % 26)) {
        size_t length = 999;
        EXPECT_EQ(HashItemName(name.c_str()), HashItemNameLength(name.c_str(), &length));
        EXPECT_EQ(n, length);
    }
    Store store;
    const char* shorter = NameStore_Intern(store.s, "/a/b");
    EXPECT_NE(shorter, NameStore_Intern(store.s, "/a/b/"));
    EXPECT_NE(NameStore_Intern(store.s, "/a/bcdefgh1"), NameStore_Intern(store.s, "/a/bcdefgh2"));
    EXPECT_EQ(shorter, NameStore_Intern(store.s, std::string("/a/b").c_str()));
}

TEST(NameStore, OwnsOnlyItsOwnCopies) {
    Store store;
    const char* kept = NameStore_Intern(store.s, "host.example");
    std::string other = "host.example";
    EXPECT_EQ(1, NameStore_Owns(store.s, kept));
    EXPECT_EQ(0, NameStore_Owns(store.s, other.c_str()));
    EXPECT_EQ(0, NameStore_Owns(store.s, nullptr));
    EXPECT_EQ(0, NameStore_Owns(nullptr, kept));
    Store second;
    EXPECT_EQ(0, NameStore_Owns(second.s, kept));
}

// Many names: the set grows and new chunks come, and every kept name stays where it was.
TEST(NameStore, NamesStayPutWhileTheStoreGrows) {
    Store store;
    std::vector<const char*> kept;
    std::string longName(300 * 1024, 'x'); // larger than any chunk
    kept.push_back(NameStore_Intern(store.s, longName.c_str()));
    for (int i = 0; i < 50000; ++i)
        kept.push_back(NameStore_Intern(store.s, ("/page/" + std::to_string(i)).c_str()));
    ASSERT_EQ(longName, kept[0]);
    for (int i = 0; i < 50000; ++i) {
        std::string name = "/page/" + std::to_string(i);
        ASSERT_STREQ(name.c_str(), kept[i + 1]);
        ASSERT_EQ(kept[i + 1], NameStore_Intern(store.s, name.c_str()));
        ASSERT_EQ(1, NameStore_Owns(store.s, kept[i + 1]));
        ASSERT_EQ(HashItemName(name.c_str()), NameStore_HashOf(kept[i + 1]));
    }
    EXPECT_EQ(kept[0], NameStore_Intern(store.s, longName.c_str()));
}

// One table over a list of hits, with the run's store or without one.
struct TableRun {
    AnalysisTable t{};
    TableContext context{nullptr, nullptr, "(others)", nullptr};
    explicit TableRun(bool stored) {
        t.dwSize = ANALYSIS_TABLE_SIZE;
        t.dwVersion = ANALYSIS_VERSION;
        if (stored)
            context.Names = NameStore_Make();
    }
    ~TableRun() {
        FreeTableItems(&t, TABLE_KIND_PLAIN);
        NameStore_Release(context.Names);
    }
    LONG Hit(const char* text, DWORD time, DWORD cachedTime, DWORD topLimit) {
        DWORD r = context.Names ? InsertStoredTableItem(TABLE_KIND_PLAIN, nullptr, &context, &t,
                                                        NameStore_Intern(context.Names, text),
                                                        nullptr, time, cachedTime, topLimit)
                                : InsertTableItem(TABLE_KIND_PLAIN, nullptr, &context, &t, text,
                                                  nullptr, time, cachedTime, 0, topLimit, 0);
        if (r)
            TableItem_CountHit(t.lpItems[r - 1], 0, 0);
        return (LONG)r - 1;
    }
    // Every slot: name, hits, flags and links.
    std::string Slots() const {
        std::string out;
        for (DWORD i = 0; i < t.ovCount + t.DeleteCount; ++i) {
            const AnalysisItem* item = t.lpItems[i];
            out += std::to_string(i) + ":" + (item->ovString ? item->ovString : "-") + "/" +
                   std::to_string(item->ovTotalByHits) + "/" + std::to_string(item->ovTopFlag) +
                   std::to_string(item->ovDeleted) + "/" + std::to_string(item->ovNextLink) + " ";
        }
        return out + "top " + std::to_string(t.TopTableListHead) + " del " +
               std::to_string(t.DeleteListHead);
    }
};

TEST(NameStore, TablesGivenStoredNamesKeepTheirResults) {
    struct Hit {
        const char* name;
        DWORD time;
    } hits[] = {{"a", 1000}, {"B", 1005}, {"A", 1010}, {"c", 1020}, {"b", 1050},
                {"d", 1200}, {"a", 1210}, {"e", 1330}, {"C", 1335}, {"f", 1500},
                {"b", 1510}, {"g", 1700}, {"a", 1705}, {"h", 1900}};
    struct Shape {
        DWORD cachedTime, topLimit;
    } shapes[] = {{0, 0}, {100, 0}, {100, 3}, {100, 1}};
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.cachedTime * 10 + shape.topLimit);
        TableRun plain(false), stored(true);
        for (const Hit& h : hits) {
            LONG p = plain.Hit(h.name, h.time, shape.cachedTime, shape.topLimit);
            ASSERT_EQ(p, stored.Hit(h.name, h.time, shape.cachedTime, shape.topLimit)) << h.name;
        }
        EXPECT_EQ(plain.Slots(), stored.Slots());
        // A live item named by the store holds the stored pointer, not a copy.
        LONG h = ANALYSIS_NO_ITEM;
        ASSERT_TRUE(FindTableItem("H", &stored.t, 0, &h));
        EXPECT_EQ(NameStore_Intern(stored.context.Names, "h"), stored.t.lpItems[h]->ovString);
    }
}

// The run lets its store go before the tables are freed (a stored day's tables outlive the
// counting state): the tables hold it on and their names stay readable.
TEST(NameStore, TablesHoldTheStoreThatNamedTheirItems) {
    AnalysisTable t{};
    t.dwSize = ANALYSIS_TABLE_SIZE;
    t.dwVersion = ANALYSIS_VERSION;
    TableContext context{nullptr, nullptr, "", NameStore_Make()};
    for (const char* name : {"/one", "/two", "/one"})
        ASSERT_NE(0u,
                  InsertTableItem(TABLE_KIND_PLAIN, nullptr, &context, &t,
                                  NameStore_Intern(context.Names, name), nullptr, 0, 0, 0, 0, 0));
    ASSERT_NE(0u, AddTableItem(&t, "/three")); // a copy of its own beside the stored names
    NameStore_Release(context.Names);
    context.Names = nullptr;
    EXPECT_EQ(3u, t.ovCount);
    EXPECT_STREQ("/two", t.lpItems[1]->ovString);
    LONG found = ANALYSIS_NO_ITEM;
    EXPECT_TRUE(FindTableItem("/ONE", &t, 0, &found));
    EXPECT_EQ(0, found);
    FreeTableItems(&t, TABLE_KIND_PLAIN);
}

} // namespace
