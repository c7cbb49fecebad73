// The ODBC history database against SQLite and PostgreSQL: tables made in
// the driver's own type names, a period written and read back equal, a
// rewrite replacing the period, and a failed write leaving it as it was.
#include <stdio.h>
#include <string.h>

#include <gtest/gtest.h>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "tables/table_slots.h"
#include "core/engine_state.h"
#include "msgbox_watcher.h"
#include "odbc/odbc_history.h"
#include "odbc/odbc_period_tables.h"
#include "odbc/odbc_schema.h"
#include "odbc_fixture.h"
#include "period_compare.h"
#include "tables/item_intervals.h"

using namespace odbctest;

namespace {

const DWORD kDay = 1700006400; // 2023-11-15 00:00 UTC

AnalysisItem* Add(AnalysisTable* t, const char* name) {
    DWORD n = AddTableItem(t, name);
    EXPECT_NE(n, 0u) << name;
    return t->lpItems[n - 1];
}

// A period with every kind of stored data: plain, server, bandwidth and
// search items, a freed slot, a cut name, -1 links, sub-lists and a path.
void MakePeriod(PeriodBlock* p, DWORD hits) {
    memset(p, 0, sizeof(*p));
    p->dwSize = PERIOD_BLOCK_SIZE;
    p->dwVersion = RUN_CONTEXT_VERSION;
    p->TodayDateTime = kDay;
    strcpy(p->Today, "11/15/23");
    p->TodaysHits = hits;
    p->Failed404 = 3;
    p->TopTablesCount = RUN_TABLE_COUNT;
    p->Hits[5] = hits;
    p->NewVisits[0] = 2;
    p->OtherMethodHits[31] = 1;
    p->Bytes[5] = 123456789.0;
    ASSERT_TRUE(MakePeriodTables(p));
    AnalysisTable* t = p->TopTablesPtr;

    AnalysisItem* page = Add(&t[TopDocuments], "/index.html");
    page->ovTotalByHits = hits;
    *ItemHitSlot(page, 5) = hits;
    *ItemUserSlot(page, 6) = 1;
    page->ovTotalBytes = 4096;
    page->ovLastDateTime = (DWORD)-1;
    Add(&t[TopDocuments], std::string(300, 'x').c_str())->ovTotalByHits = 1;
    Add(&t[TopDocuments], "/gone.html");
    ReleaseItemSlot(&t[TopDocuments], 2, TABLE_KIND_PLAIN);
    Add(&t[TopDocuments], "/about.html")->ovTopFlag = 1;

    AnalysisItem* country = Add(&t[TopCountries], "Germany");
    country->lpExtra = calloc(3, sizeof(DWORD));
    country->ovTopNamesCount = 3;
    ((DWORD*)country->lpExtra)[1] = 7;

    AnalysisItem* band = Add(&t[TopBandwidth], "00:00");
    band->lpExtra = calloc(ANALYSIS_INTERVALS, sizeof(double));
    band->ovTopNamesCount = ANALYSIS_INTERVALS;
    ((double*)band->lpExtra)[4] = 5000;

    // The same text in the word table and the phrase table: the detail rows
    // go to the phrase table's item.
    const struct {
        int table;
        const char* item;
        const char* detail;
    } search[] = {{TopSearchEngines, "weather", "Seeker"},
                  {TopSearchKeyPhrases, "weather today", "Seeker"},
                  {TopSearchKeywords, "Seeker", "weather"}};
    for (const auto& s : search) {
        AnalysisItem* item = Add(&t[s.table], s.item);
        SearchDetail* d = (SearchDetail*)calloc(1, sizeof(SearchDetail));
        d->lpName = _strdup(s.detail);
        d->dwHits = 4;
        d->dwSessions = 2;
        item->lpExtra = calloc(1, sizeof(SearchDetail*));
        ((SearchDetail**)item->lpExtra)[0] = d;
        item->ovTopNamesCount = 1;
    }

    AnalysisItem* visitor = Add(p->TopUsersPtr, "10.0.0.1");
    visitor->ovPrevLink = -1;
    AddSubItemId(visitor, 0, 9);
    AddSubItemId(visitor, 0, 2);
    TopNameList* slots = TableItem_SubLists(visitor);
    AddLinkPair(&slots[SUBLIST_PATH_SLOT], 3, 0);
    AddLinkPair(&slots[SUBLIST_PATH_SLOT], 1, 0);

    for (int n = 0; n < RUN_TABLE_COUNT; ++n)
        MaterialiseSortIndex(&t[n]);
    MaterialiseSortIndex(p->TopUsersPtr);
}

class OdbcHistoryTest : public testing::TestWithParam<Driver> {
  protected:
    void SetUp() override {
        connection_ = ConnectionText(GetParam(), CurrentTestName());
        ASSERT_FALSE(connection_.empty());
        for (int t = 0; t < ODBC_TABLE_COUNT; ++t)
            RunSql(connection_, std::string("DROP TABLE ") + OdbcTable(t).name);
        db_ = ConnectToODBCDatabase(connection_.c_str());
        ASSERT_NE(db_, nullptr) << connection_;
    }
    void TearDown() override {
        DisconnectFromODBCDatabase(db_);
        Engine_State().progressSlot2 = nullptr;
    }
    long Rows(const char* table) {
        return QueryNumber(connection_, std::string("SELECT COUNT(*) FROM ") + table);
    }
    std::string connection_;
    OdbcHistory* db_ = nullptr;
    ovtest::MsgBoxWatcher boxes_;
};

TEST_P(OdbcHistoryTest, TablesAreMadeOnceAndMissingOnesCompleted) {
    EXPECT_EQ(CreateODBCTables(db_), ODBC_TABLES_CREATED);
    EXPECT_EQ(CreateODBCTables(db_), ODBC_TABLES_EXISTED);
    // A half-made schema is completed, not taken as whole.
    ASSERT_TRUE(RunSql(connection_, "DROP TABLE OVLogSortIndexTable"));
    EXPECT_EQ(CreateODBCTables(db_), ODBC_TABLES_EXISTED);
    EXPECT_EQ(Rows("OVLogSortIndexTable"), 0);
    EXPECT_EQ(boxes_.Count(), 0u) << "no table check shows an error";
}

TEST_P(OdbcHistoryTest, ProfileExportsMakeTestAndDropTheTables) {
    AnalysisProfile* profile = AnalysisProfile_New();
    ASSERT_NE(profile, nullptr);
    snprintf(profile->ODBCSwiftmere, sizeof(profile->ODBCSwiftmere), "%s", connection_.c_str());
    profile->SwiftmereFlag = SWIFTMERE_ODBC;
    EXPECT_EQ(ORB_DoODBCTablesExist(profile), 0) << "the test makes the missing tables";
    EXPECT_EQ(ORB_DoODBCTablesExist(profile), 1);
    EXPECT_EQ(ORB_CreateODBCTables(profile), 0);
    EXPECT_EQ(Rows("OVServerCounts"), 0);
    ORB_DeleteODBCDatabase(profile);
    EXPECT_EQ(Rows("OVServerCounts"), -1);
    EXPECT_EQ(ORB_CreateODBCTables(profile), 1);
    AnalysisProfile_Free(profile);
}

TEST_P(OdbcHistoryTest, PeriodReadsBackEqualAndRewriteReplacesIt) {
    ASSERT_EQ(CreateODBCTables(db_), ODBC_TABLES_CREATED);
    PeriodBlock written, read = {};
    MakePeriod(&written, 40);
    OdbcMasterEntry entry = {kDay, kDay + 86399, kDay + 86400, "11/15/23"};
    ASSERT_EQ(WritePeriodODBC(db_, &written, &entry), 1);
    long nameRows = Rows("OVLogNameTable");
    ASSERT_EQ(WritePeriodODBC(db_, &written, &entry), 1);
    EXPECT_EQ(Rows("OVLogNameTable"), nameRows) << "a period written twice holds one set";
    EXPECT_EQ(QueryNumber(connection_, "SELECT ovPrevLink FROM OVLogNameTable WHERE "
                                       "SummaryTableType = 268435455"),
              268435453);

    ASSERT_EQ(ReadPeriodODBC(db_, &read, kDay), ODBC_READ_LOADED);
    ExpectSamePeriod(&written, &read);
    EXPECT_EQ(ReadPeriodODBC(db_, &read, kDay + 86400), ODBC_READ_NO_TEMPLATE);

    OdbcMasterEntry stored = {};
    SetODBCEntryPointer(db_, 0);
    ASSERT_EQ(ReadNextMasterRow(db_, &stored), 1);
    EXPECT_EQ(stored.currentTime, entry.currentTime);
    EXPECT_EQ(stored.endTime, entry.endTime);
    EXPECT_EQ(ReadNextMasterRow(db_, &stored), 0);
    FreeODBCPeriodTables(&written);
    FreeODBCPeriodTables(&read);
    EXPECT_EQ(boxes_.Count(), 0u);
}

// Two long names that the name rows keep alike come back as one item with
// both counts (else each update meeting a long name again adds one more).
TEST_P(OdbcHistoryTest, NamesCutAlikeAreFoldedOnRead) {
    ASSERT_EQ(CreateODBCTables(db_), ODBC_TABLES_CREATED);
    PeriodBlock written = {}, read = {};
    written.TopTablesCount = RUN_TABLE_COUNT;
    ASSERT_TRUE(MakePeriodTables(&written));
    AnalysisTable* pages = &written.TopTablesPtr[TopDocuments];
    const std::string longName(260, 'x');
    const struct {
        std::string name;
        DWORD hits;
    } items[] = {{"/a.html", 1}, {longName + "1", 2}, {"/b.html", 4}, {longName + "2", 8}};
    for (const auto& item : items) {
        AnalysisItem* added = Add(pages, item.name.c_str());
        added->ovTotalByHits = item.hits;
        *ItemHitSlot(added, 3) = item.hits;
        added->ovLastDateTime = kDay + item.hits;
        InsertLinkListItem(pages, (LONG)pages->ovCount - 1);
    }
    MaterialiseSortIndex(pages);
    OdbcMasterEntry entry = {kDay, kDay + 86399, kDay + 60, "11/15/23"};
    ASSERT_EQ(WritePeriodODBC(db_, &written, &entry), 1);
    ASSERT_EQ(ReadPeriodODBC(db_, &read, kDay), ODBC_READ_LOADED);

    AnalysisTable* back = &read.TopTablesPtr[TopDocuments];
    EXPECT_EQ(back->ovCount, 3u);
    EXPECT_EQ(back->SortIndexCount, 3u);
    LONG found = -1;
    ASSERT_TRUE(FindTableItem(longName.substr(0, 249).c_str(), back, 0, &found));
    EXPECT_EQ(back->lpItems[found]->ovTotalByHits, 10u);
    EXPECT_EQ(ItemHitsAt(back->lpItems[found], 3), 10u);
    DWORD linked = 0;
    for (LONG i = back->DateListHead; i >= 0 && linked < 10; i = back->lpItems[i]->ovNextLink)
        ++linked;
    EXPECT_EQ(linked, 3u) << "the folded item left the date list";
    FreeODBCPeriodTables(&written);
    FreeODBCPeriodTables(&read);
}

// A master row that cannot be written anew keeps the old one.
TEST_P(OdbcHistoryTest, FailedMasterRewriteKeepsTheRow) {
    ASSERT_EQ(CreateODBCTables(db_), ODBC_TABLES_CREATED);
    ASSERT_EQ(EnsureMasterRows(db_, kDay + 10, kDay + 20, 1), 1);
    bool sqlite = std::string(GetParam().name) == "sqlite";
    ASSERT_TRUE(
        RunSql(connection_, sqlite ? "CREATE TRIGGER refuse BEFORE INSERT ON OVLogMasterTable WHEN "
                                     "NEW.CurrentTime = 7 BEGIN SELECT RAISE(ABORT, 'refused'); END"
                                   : "ALTER TABLE OVLogMasterTable ADD CONSTRAINT refuse CHECK "
                                     "(CurrentTime <> 7)"));
    OdbcMasterEntry refused = {kDay, kDay + 86399, 7, "11/15/23"};
    EXPECT_EQ(RewriteLastODBCEntry(db_, &refused), 0);
    EXPECT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(Rows("OVLogMasterTable"), 1);
    OdbcMasterEntry taken = {kDay, kDay + 86399, 8, "11/15/23"};
    EXPECT_EQ(RewriteLastODBCEntry(db_, &taken), 1);
    EXPECT_EQ(QueryNumber(connection_, "SELECT CurrentTime FROM OVLogMasterTable"), 8);
}

int g_ticksLeft;
int CALLBACK StopAfterTicks(int) {
    return --g_ticksLeft > 0;
}

TEST_P(OdbcHistoryTest, StoppedRewriteLeavesThePeriodAsItWas) {
    ASSERT_EQ(CreateODBCTables(db_), ODBC_TABLES_CREATED);
    PeriodBlock first, second, read = {};
    MakePeriod(&first, 40);
    MakePeriod(&second, 99);
    OdbcMasterEntry entry = {kDay, kDay + 86399, kDay + 3600, "11/15/23"};
    ASSERT_EQ(WritePeriodODBC(db_, &first, &entry), 1);
    long nameRows = Rows("OVLogNameTable");
    // Stopped part-way: the old rows were already deleted inside the write.
    g_ticksLeft = 4;
    Engine_State().progressSlot2 = StopAfterTicks;
    OdbcMasterEntry later = {kDay, kDay + 86399, kDay + 86400, "11/15/23"};
    EXPECT_EQ(WritePeriodODBC(db_, &second, &later), 0);
    Engine_State().progressSlot2 = nullptr;

    EXPECT_EQ(Rows("OVLogNameTable"), nameRows);
    ASSERT_EQ(ReadPeriodODBC(db_, &read, kDay), ODBC_READ_LOADED);
    ExpectSamePeriod(&first, &read);
    EXPECT_EQ(QueryNumber(connection_, "SELECT CurrentTime FROM OVLogMasterTable"),
              (long)(kDay + 3600));
    FreeODBCPeriodTables(&first);
    FreeODBCPeriodTables(&second);
    FreeODBCPeriodTables(&read);
}

INSTANTIATE_TEST_SUITE_P(Drivers, OdbcHistoryTest, testing::ValuesIn(kDrivers), PrintDriver);

// Start times past 2038 are written unsigned, so a rewrite still finds and
// replaces the period's rows (SQLite keeps 64-bit integers).
TEST(OdbcHistorySqlite, StartTimesPast2038AreReplacedOnRewrite) {
    std::string connection = ConnectionText(kDrivers[0], "Past2038");
    OdbcHistory* db = ConnectToODBCDatabase(connection.c_str());
    ASSERT_NE(db, nullptr);
    ASSERT_EQ(CreateODBCTables(db), ODBC_TABLES_CREATED);
    PeriodBlock p = {};
    p.TopTablesCount = RUN_TABLE_COUNT;
    OdbcMasterEntry entry = {2200000000u, 2200086399u, 0, ""};
    ASSERT_EQ(WritePeriodODBC(db, &p, &entry), 1);
    ASSERT_EQ(WritePeriodODBC(db, &p, &entry), 1);
    EXPECT_EQ(QueryNumber(connection, "SELECT COUNT(*) FROM OVLogTemplateTable"), 1);
    EXPECT_EQ(ReadPeriodODBC(db, &p, 2200000000u), ODBC_READ_LOADED);
    FreeODBCPeriodTables(&p);
    DisconnectFromODBCDatabase(db);
}

TEST(OdbcSchemaText, CreateTableUsesTheDriversTypeNames) {
    char sql[1024];
    ASSERT_TRUE(
        OdbcCreateTableSql(OdbcTable(ODBC_MASTER), "VARCHAR2", "NUMBER(10,0)", sql, sizeof(sql)));
    EXPECT_STREQ(sql, "CREATE TABLE OVLogMasterTable (StartTime NUMBER(10,0), CurrentTime "
                      "NUMBER(10,0), EndTime NUMBER(10,0), Today VARCHAR2(60))");
    ASSERT_TRUE(OdbcCreateIndexSql(OdbcTable(ODBC_TOPNAME), sql, sizeof(sql)));
    EXPECT_STREQ(sql, "CREATE INDEX IDXOVLogTopNameTable ON OVLogTopNameTable (StartTime ASC, "
                      "NameTableIndex ASC, NameTableType ASC)");
    ASSERT_TRUE(OdbcInsertSql(OdbcTable(ODBC_MASTER), sql, sizeof(sql)));
    EXPECT_STREQ(sql, "INSERT INTO OVLogMasterTable (StartTime, CurrentTime, EndTime, Today) "
                      "VALUES (?, ?, ?, ?)");
}

} // namespace
