// History database period files: a period's block and every table written
// and read back equal, the stored layout's fixed points, older files with
// fewer tables, and damaged files that must be refused, never followed.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/table_slots.h"
#include "core/message_sink.h"
#include "history/durable_file.h"
#include "history/history_db.h"
#include "history/period_layout.h"
#include "tables/item_record.h"
#include "temp_install.h"

namespace {

AnalysisItem* Item(AnalysisTable* table, const char* name, DWORD hits) {
    DWORD n = AddTableItem(table, name);
    EXPECT_NE(n, 0u) << name;
    AnalysisItem* item = table->lpItems[n - 1];
    for (DWORD i = 0; i < hits; ++i)
        TableItem_CountHit(item, i % 24, i % 2);
    item->ovTotalBytes = hits * 1000.5;
    item->ovLastDateTime = 946684800 + hits;
    return item;
}

void FillSubLists(AnalysisItem* item) {
    AddSubItemId(item, 0, 7);
    AddSubItemId(item, 0, 3);
    AddSubItemId(item, 4, 65535);
    TopNameList* path = &TableItem_SubLists(item)[SUBLIST_PATH_SLOT];
    AddLinkPair(path, 3, 0);
    AddLinkPair(path, 2, 1);
    AddLinkPair(path, 9, 0);
}

void AddSearchDetail(AnalysisItem* item, const char* name, DWORD hits) {
    SearchDetail** details =
        (SearchDetail**)realloc(item->lpExtra, (item->ovTopNamesCount + 1) * sizeof(void*));
    SearchDetail* d = (SearchDetail*)calloc(1, sizeof(SearchDetail));
    d->dwSize = 20;
    d->dwVersion = ANALYSIS_VERSION;
    d->dwHits = hits;
    d->dwSessions = hits / 2;
    d->lpName = _strdup(name);
    details[item->ovTopNamesCount++] = d;
    item->lpExtra = details;
}

// A context whose tables hold one of every kind of stored data.
RunContext* MakeFilledContext() {
    RunContext* c = AllocRunContext();
    EXPECT_TRUE(MakeEmptyPeriodTables(c));
    PeriodBlock& b = c->Period;
    b.TodayDateTime = 946684800;
    strcpy(b.Today, "Jan/1/2000");
    b.TodaysHits = 41;
    b.Hits[3] = 17;
    b.Bytes[5] = 12345.25;
    b.QuietestDayHits = 0xFFFFFFFF;
    b.Failed404 = 2;
    AnalysisTable* t = b.TopTablesPtr;
    TableContext aggregate{nullptr, nullptr, "(other)"};
    InitTable(&aggregate, &t[TopDocuments], 1800);
    FillSubLists(Item(&t[TopDocuments], "/index.html", 5));
    Item(&t[TopDocuments], "/b.html", 2);
    Item(&t[TopDocuments], "/gone.html", 1);
    LONG gone;
    FindTableItem("/gone.html", &t[TopDocuments], 0, &gone);
    ReleaseItemSlot(&t[TopDocuments], gone, TABLE_KIND_PLAIN); // a slot on the delete list
    AnalysisItem* country = Item(&t[TopCountries], "Norway", 4);
    country->lpExtra = calloc(3, sizeof(DWORD));
    country->ovTopNamesCount = 3;
    ((DWORD*)country->lpExtra)[2] = 4;
    AnalysisItem* bandwidth = Item(&t[TopBandwidth], "total", 1);
    bandwidth->lpExtra = calloc(ANALYSIS_INTERVALS, sizeof(double));
    bandwidth->ovTopNamesCount = ANALYSIS_INTERVALS;
    ((double*)bandwidth->lpExtra)[31] = 2.5;
    AnalysisItem* engine = Item(&t[TopSearchEngines], "cheese", 3);
    AddSearchDetail(engine, "Lycos", 2);
    AddSearchDetail(engine, "AltaVista", 1);
    Item(&t[TopSearchKeywords], "AltaVista", 1);
    FillSubLists(Item(b.TopUsersPtr, "10.0.0.1", 6));
    Item(b.TopUsersPtr, "10.0.0.2", 1);
    return c;
}

void FreeContext(RunContext* c) {
    FreePeriodTables(c);
    free(c);
}

void ExpectExtraEqual(const AnalysisItem* a, const AnalysisItem* b, int kind) {
    if (kind == TABLE_KIND_SEARCH) {
        ASSERT_EQ(a->ovTopNamesCount, b->ovTopNamesCount);
        for (DWORD i = 0; i < a->ovTopNamesCount; ++i) {
            const SearchDetail* x = ((SearchDetail**)a->lpExtra)[i];
            const SearchDetail* y = ((SearchDetail**)b->lpExtra)[i];
            EXPECT_EQ(0, memcmp(x, y, offsetof(SearchDetail, lpName)));
            EXPECT_STREQ(x->lpName, y->lpName);
        }
        return;
    }
    if (kind == TABLE_KIND_SERVERS || kind == TABLE_KIND_BANDWIDTH) {
        size_t width = kind == TABLE_KIND_SERVERS ? sizeof(DWORD) : sizeof(double);
        ASSERT_EQ(a->ovTopNamesCount, b->ovTopNamesCount);
        if (a->ovTopNamesCount) {
            EXPECT_EQ(0, memcmp(a->lpExtra, b->lpExtra, a->ovTopNamesCount * width));
        }
        return;
    }
    ASSERT_EQ(a->lpExtra == nullptr, b->lpExtra == nullptr);
    for (DWORD i = 0; a->lpExtra && i < SUBLIST_SLOTS; ++i) {
        const TopNameList& x = ((TopNameList*)a->lpExtra)[i];
        const TopNameList& y = ((TopNameList*)b->lpExtra)[i];
        EXPECT_EQ(0, memcmp(&x, &y, offsetof(TopNameList, lpValues))) << "slot " << i;
        if (x.wCount) {
            EXPECT_EQ(0, memcmp(x.lpValues, y.lpValues, x.wCount * 2u)) << "slot " << i;
        }
    }
}

void ExpectTableEqual(const AnalysisTable& a, const AnalysisTable& b, int kind) {
    // The header as stored; the array capacity may differ.
    EXPECT_EQ(0, memcmp(&a, &b, offsetof(AnalysisTable, ChunkSize)));
    EXPECT_EQ(a.SortIndexCount, b.SortIndexCount);
    DWORD slots = a.ovCount + a.DeleteCount;
    for (DWORD i = 0; i < slots; ++i) {
        SCOPED_TRACE(i);
        const AnalysisItem* x = a.lpItems[i];
        const AnalysisItem* y = b.lpItems[i];
        ItemRecord rx, ry;
        ItemRecord_FromItem(x, &rx);
        ItemRecord_FromItem(y, &ry);
        EXPECT_EQ(0, memcmp(&rx, &ry, ITEM_RECORD_COUNTERS));
        EXPECT_EQ(x->ovBanned, y->ovBanned);
        EXPECT_STREQ(x->ovString ? x->ovString : "", y->ovString ? y->ovString : "");
        ExpectExtraEqual(x, y, kind);
    }
    for (DWORD i = 0; i < a.SortIndexCount; ++i)
        EXPECT_EQ(a.lpSortIndex[i], b.lpSortIndex[i]);
}

class HistoryPeriodTest : public ::testing::Test {
  protected:
    ovtest::TempInstall install_;
    std::string path_ = install_.Path("period.dat");
};

TEST_F(HistoryPeriodTest, APeriodReadsBackEqualFieldByField) {
    RunContext* written = MakeFilledContext();
    ASSERT_EQ(PERIOD_WRITTEN, WritePeriodFileAs(path_.c_str(), written));
    RunContext* read = AllocRunContext();
    ASSERT_EQ(PERIOD_LOADED, ReadPeriodFile(path_.c_str(), read));

    EXPECT_EQ(0, memcmp(&written->Period, &read->Period, PERIOD_BLOCK_HEAD));
    ASSERT_EQ(read->Period.TopTablesCount, (DWORD)RUN_TABLE_COUNT);
    for (int i = 0; i < RUN_TABLE_COUNT; ++i) {
        SCOPED_TRACE(g_ReportTableKeywords[i].Keyword);
        ExpectTableEqual(written->Period.TopTablesPtr[i], read->Period.TopTablesPtr[i],
                         TableKindOfNumber(i));
    }
    ExpectTableEqual(*written->Period.TopUsersPtr, *read->Period.TopUsersPtr, TABLE_KIND_VISITOR);

    // A loaded table takes new items and finds its old ones.
    AnalysisTable* docs = &read->Period.TopTablesPtr[TopDocuments];
    LONG found;
    EXPECT_TRUE(FindTableItem("/B.HTML", docs, 0, &found));
    EXPECT_NE(0u, AddTableItem(docs, "/new.html"));
    EXPECT_NE(0u, AddTableItem(docs, "/newer.html"));
    FreeContext(written);
    FreeContext(read);
}

TEST_F(HistoryPeriodTest, TheStoredLayoutHasItsFixedPoints) {
    RunContext* c = MakeFilledContext();
    ASSERT_EQ(PERIOD_WRITTEN, WritePeriodFileAs(path_.c_str(), c));
    std::string bytes = ovtest::ReadFileBytes(path_);
    ASSERT_GT(bytes.size(), (size_t)PERIOD_HEADER_SIZE + PERIOD_BLOCK_SIZE);
    DWORD blockAt;
    memcpy(&blockAt, bytes.data(), 4);
    EXPECT_EQ(bytes.size() - PERIOD_BLOCK_SIZE, blockAt); // the block comes last
    EXPECT_EQ(std::string(508, '\0'), bytes.substr(4, 508));
    DWORD tablesAt, usersAt, count;
    memcpy(&count, bytes.data() + blockAt + PERIOD_BLOCK_HEAD - 4, 4);
    memcpy(&tablesAt, bytes.data() + blockAt + PERIOD_BLOCK_HEAD, 4);
    memcpy(&usersAt, bytes.data() + blockAt + PERIOD_BLOCK_HEAD + 4, 4);
    EXPECT_EQ(44u, count);
    EXPECT_EQ(blockAt - 60, usersAt); // the visitor header right before the block
    StoredTable docs;
    memcpy(&docs, bytes.data() + tablesAt + TopDocuments * 60, 60);
    EXPECT_EQ(0u, docs.Lookup);
    // The path slot of 3 steps is stored with count 6 and 12 bytes of values.
    StoredItem item;
    memcpy(&item, bytes.data() + docs.Items + ANALYSIS_ITEM_SIZE, ANALYSIS_ITEM_SIZE);
    EXPECT_STREQ("/index.html", bytes.data() + item.Name);
    StoredNameList path;
    memcpy(&path, bytes.data() + item.Extra + 11 * 14, 14);
    WORD pathCount;
    memcpy(&pathCount, path.Head + 8, 2);
    EXPECT_EQ(6, pathCount);
    EXPECT_EQ(item.Extra, path.Values + 12); // slot 11's values end where the slots begin
    FreeContext(c);
}

TEST_F(HistoryPeriodTest, AFileWithFewerTablesGetsEmptyOnes) {
    RunContext* c = MakeFilledContext();
    c->Period.TopTablesCount = 40;
    ASSERT_EQ(PERIOD_WRITTEN, WritePeriodFileAs(path_.c_str(), c));
    c->Period.TopTablesCount = 44;
    RunContext* read = AllocRunContext();
    ASSERT_EQ(PERIOD_LOADED, ReadPeriodFile(path_.c_str(), read));
    EXPECT_EQ(44u, read->Period.TopTablesCount);
    EXPECT_EQ(3u, read->Period.TopTablesPtr[TopDocuments].ovCount);
    for (int i = 40; i < 44; ++i) {
        EXPECT_EQ(0u, read->Period.TopTablesPtr[i].ovCount);
        EXPECT_EQ((DWORD)ANALYSIS_TABLE_SIZE, read->Period.TopTablesPtr[i].dwSize);
    }
    FreeContext(c);
    FreeContext(read);
}

TEST_F(HistoryPeriodTest, AShortWriteIsAnErrorAndKeepsTheOldFile) {
    RunContext* c = MakeFilledContext();
    ASSERT_EQ(PERIOD_WRITTEN, WritePeriodFileAs(path_.c_str(), c));
    const std::string good = ovtest::ReadFileBytes(path_);
    AddTableItem(&c->Period.TopTablesPtr[TopDocuments], "/later.html");
    Engine_SetUnattended(TRUE);    // the error is reported: as a log line here
    for (int n = 1; n <= 3; ++n) { // the data, the header offset, the rename
        DurableFile_FailWrite(n);
        EXPECT_EQ(PERIOD_WRITE_ERROR, WritePeriodFileAs(path_.c_str(), c)) << n;
        EXPECT_EQ(good, ovtest::ReadFileBytes(path_)) << n;
        EXPECT_FALSE(ovtest::FileExistsAt(install_.Path("~period.dat.tmp"))) << n;
    }
    DurableFile_FailWrite(0);
    Engine_SetUnattended(FALSE);
    FreeContext(c);
}

TEST_F(HistoryPeriodTest, AnOlderPeriodsByteIntervalsMoveIntoTheBandwidthTable) {
    RunContext* c = MakeFilledContext();
    c->Period.dwVersion = 0x300;
    ASSERT_EQ(PERIOD_WRITTEN, WritePeriodFileAs(path_.c_str(), c));
    RunContext* read = AllocRunContext();
    ASSERT_EQ(PERIOD_LOADED, ReadPeriodFile(path_.c_str(), read));
    const AnalysisItem* total = read->Period.TopTablesPtr[TopBandwidth].lpItems[0];
    ASSERT_EQ((DWORD)ANALYSIS_INTERVALS, total->ovTopNamesCount);
    EXPECT_EQ(12345.25, ((double*)total->lpExtra)[5]);
    EXPECT_EQ(0.0, ((double*)total->lpExtra)[31]);
    EXPECT_STREQ("", total->ovString);
    EXPECT_EQ((DWORD)RUN_CONTEXT_VERSION, read->Period.dwVersion);
    FreeContext(c);
    FreeContext(read);
}

// Reads path into a fresh context; the result code.
int ReadBack(const std::string& path) {
    RunContext* c = AllocRunContext();
    int result = ReadPeriodFile(path.c_str(), c);
    FreeContext(c);
    return result;
}

TEST_F(HistoryPeriodTest, DamagedFilesAreRefusedNotFollowed) {
    RunContext* c = MakeFilledContext();
    ASSERT_EQ(PERIOD_WRITTEN, WritePeriodFileAs(path_.c_str(), c));
    FreeContext(c);
    const std::string good = ovtest::ReadFileBytes(path_);
    DWORD blockAt;
    memcpy(&blockAt, good.data(), 4);

    EXPECT_EQ(PERIOD_NO_FILE, ReadBack(install_.Path("missing.dat")));
    ovtest::WriteFileBytes(path_, "");
    EXPECT_EQ(PERIOD_EMPTY, ReadBack(path_));
    const struct {
        const char* what;
        size_t cut;
    } cuts[] = {{"header only", 100}, {"block cut", good.size() - 1}, {"tables only", blockAt}};
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.what);
        ovtest::WriteFileBytes(path_, good.substr(0, cut.cut));
        EXPECT_EQ(PERIOD_BAD, ReadBack(path_));
    }
    // Any word that reads as an offset or a count set to all ones or to a
    // huge offset: the read either succeeds or says the file is bad.
    for (size_t at = PERIOD_HEADER_SIZE; at + 4 <= good.size(); at += 4) {
        DWORD word;
        memcpy(&word, &good[at], 4);
        if (word == 0 || word >= good.size())
            continue;
        for (DWORD value : {0xFFFFFFFFu, 0x7FFFFFF0u}) {
            std::string bad = good;
            memcpy(&bad[at], &value, 4);
            ovtest::WriteFileBytes(path_, bad);
            int result = ReadBack(path_);
            ASSERT_TRUE(result == PERIOD_LOADED || result == PERIOD_BAD) << at;
        }
    }
    std::string outside = good;
    DWORD beyond = (DWORD)good.size();
    memcpy(&outside[0], &beyond, 4);
    ovtest::WriteFileBytes(path_, outside);
    EXPECT_EQ(PERIOD_BAD, ReadBack(path_));
}

} // namespace
