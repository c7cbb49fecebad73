// A log kept in a database table in the plug-in's report run, and a history
// database kept in a data source in the update pass, on SQLite and
// PostgreSQL: each gives what the same log gives as a text file and a
// folder database.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "history/history_db.h"
#include "msgbox_watcher.h"
#include "logodbc/odbc_log_source.h"
#include "odbc/odbc_schema.h"
#include "odbc_fixture.h"
#include "period_compare.h"
#include "run_driver.h"

using namespace odbctest;
using runtest::RunEngine;
using runtest::RunOutcome;
using runtest::RunReport;

namespace {

// Two days of hits, stored out of time order; a client returning, a failure
// and the last second of a day.
const LogRow kRows[] = {
    {"10.0.0.3", "2023-11-15 12:30:05", "/c.html", 200},
    {"10.0.0.1", "2023-11-15 08:00:00", "/a.html", 200},
    {"10.0.0.2", "2023-11-15 09:15:00", "/b.html", 404},
    {"10.0.0.1", "2023-11-15 08:01:10", "/b.html", 200},
    {"10.0.0.4", "2023-11-16 23:59:59", "/d.html", 500},
    {"10.0.0.2", "2023-11-16 10:00:00", "/a.html", 200},
};

// The rows in time order as a text log (the times sort as texts).
std::string TextLog(const std::vector<LogRow>& rows) {
    std::vector<LogRow> sorted = rows;
    std::sort(sorted.begin(), sorted.end(),
              [](const LogRow& a, const LogRow& b) { return strcmp(a.time, b.time) < 0; });
    std::string log;
    for (const LogRow& row : sorted)
        log += LogRowLine(row);
    return log;
}

class OdbcReportRunTest : public testing::TestWithParam<Driver> {
  protected:
    void SetUp() override {
        connection_ = ConnectionText(GetParam(), CurrentTestName(), "ovlogs");
        ASSERT_FALSE(connection_.empty());
    }
    void TearDown() override { ORB_CloseODBC(nullptr); }
    void MakeLogTable(const std::vector<LogRow>& rows) {
        RunSql(connection_, "DROP TABLE weblog");
        ASSERT_TRUE(RunSql(connection_, kCreateLogTable));
        for (const LogRow& row : rows)
            ASSERT_TRUE(RunSql(connection_, LogRowSql(row)));
    }
    std::string connection_;
    ovtest::MsgBoxWatcher boxes_;
};

TEST_P(OdbcReportRunTest, LogTableGivesTheTablesOfTheSameTextLog) {
    std::vector<LogRow> rows(std::begin(kRows), std::end(kRows));
    MakeLogTable(rows);
    RunEngine engine;
    AnalysisProfile* text =
        engine.WriteProfile("text", {engine.WriteData("service.log", TextLog(rows))});
    AnalysisProfile* table =
        engine.WriteProfile("table", {"odbc:" + connection_}, SERVER_PROTOCOL_ODBC);

    RunOutcome fromText = RunReport(text, "text.wlp");
    RunOutcome fromTable = RunReport(table, "table.wlp");
    ORB_CloseODBC(nullptr); // as the plug-in does at the end of a run
    ASSERT_NE(fromText.report, nullptr);
    ASSERT_NE(fromTable.report, nullptr) << "run error " << fromTable.error;
    EXPECT_EQ(fromTable.closeUrl, 0);
    EXPECT_EQ(fromText.recordsRead, rows.size());
    EXPECT_EQ(fromTable.recordsRead, rows.size());
    EXPECT_EQ(ADT_GetReportDonePercent(fromTable.report), 100u);
    ExpectSamePeriod(&fromText.report->Run->Period, &fromTable.report->Run->Period);
    EXPECT_EQ(ORB_CloseReport(fromText.report, nullptr), 0);
    EXPECT_EQ(ORB_CloseReport(fromTable.report, nullptr), 0);
    EXPECT_EQ(boxes_.Count(), 0u);
}

// A range inside the table reads only its rows: the row positions are found
// by bisection like byte offsets in a file.
TEST_P(OdbcReportRunTest, RangeReadsOnlyItsRows) {
    std::vector<std::string> times;
    for (int i = 0; i < 40; ++i)
        times.push_back("2023-11-" + std::string(i % 20 < 9 ? "0" : "") +
                        std::to_string(1 + i % 20) + " 10:00:00");
    std::vector<LogRow> rows;
    for (const std::string& time : times)
        rows.push_back({"10.0.0.1", time.c_str(), "/a.html", 200});
    MakeLogTable(rows);
    RunEngine engine;
    AnalysisProfile* table =
        engine.WriteProfile("range", {"odbc:" + connection_}, SERVER_PROTOCOL_ODBC);
    runtest::RunOptions o;
    o.start = 1699012800; // 2023-11-03 12:00 UTC
    o.end = 1699272000;   // 2023-11-06 12:00 UTC
    RunOutcome run = RunReport(table, "range.wlp", o);
    ASSERT_NE(run.report, nullptr) << "run error " << run.error;
    EXPECT_EQ(run.recordsRead, 6u) << "days 4, 5 and 6, two rows each";
    EXPECT_EQ(ORB_CloseReport(run.report, nullptr), 0);
}

// A run stopped with the table still open, its source dropped before the
// run is closed (the plug-in's order): the open rows read no further and
// the shared connection closes once, with the last of them.
TEST_P(OdbcReportRunTest, SourceDroppedBeforeAStoppedRunIsClosed) {
    MakeLogTable(std::vector<LogRow>(std::begin(kRows), std::end(kRows)));
    RunEngine engine;
    AnalysisProfile* table =
        engine.WriteProfile("stop", {"odbc:" + connection_}, SERVER_PROTOCOL_ODBC);
    runtest::RunOptions o;
    o.stopAfter = 2;
    RunOutcome run = RunReport(table, "stop.wlp", o);
    ASSERT_NE(run.report, nullptr) << "run error " << run.error;
    ORB_CloseODBC(nullptr);
    int peeks = 0;
    while (peeks < 20 && ORB_PeekReport(run.report, nullptr, nullptr) != -1)
        ++peeks;
    EXPECT_LT(peeks, 20) << "the run ends with the records it had in hand";
    EXPECT_EQ(ORB_CloseReport(run.report, nullptr), 0);
    // A new run prepares the table afresh.
    RunOutcome again = RunReport(table, "stop.wlp");
    ASSERT_NE(again.report, nullptr);
    EXPECT_EQ(again.recordsRead, std::size(kRows));
    EXPECT_EQ(ORB_CloseReport(again.report, nullptr), 0);
}

// Every stored day of a history database, read back, with its entry.
struct StoredDay {
    MasterEntry entry;
    ReportHandle* report;
};

std::vector<StoredDay> ReadStoredDays(AnalysisProfile* profile, const std::string& path) {
    std::vector<StoredDay> days;
    HistoryDatabase* db = OpenHistoryDatabase(profile, path.c_str(), 0, 0, 0);
    EXPECT_NE(db, nullptr);
    MasterEntry e;
    while (db && ReadNextMasterEntry(db, &e)) {
        ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
        EXPECT_TRUE(LoadPeriodForUpdate(&e, db, report, path.c_str()));
        days.push_back({e, report});
    }
    CloseHistoryDatabase(db);
    return days;
}

void ExpectSameDays(const std::vector<StoredDay>& folder, const std::vector<StoredDay>& odbc) {
    ASSERT_EQ(folder.size(), odbc.size());
    for (size_t i = 0; i < folder.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(folder[i].entry.Start, odbc[i].entry.Start);
        EXPECT_EQ(folder[i].entry.End, odbc[i].entry.End);
        EXPECT_EQ(folder[i].entry.Current, odbc[i].entry.Current);
        ExpectSamePeriod(&folder[i].report->Run->Period, &odbc[i].report->Run->Period);
    }
}

void FreeDays(std::vector<StoredDay>& days) {
    for (StoredDay& d : days)
        FreePeriodReport(d.report);
    days.clear();
}

// Updates until the database holds all the log has; the number of calls.
int UpdateToTheEnd(AnalysisProfile* profile) {
    int calls = 0;
    while (calls < 10 && ORB_UpdateRealtime(0, profile, nullptr) == 1)
        ++calls;
    return calls + 1;
}

// The same log updated into a folder database from a text file and into an
// ODBC one from a log table, in two steps (the second adds to a day the
// first stored, and the table is read afresh for it): the stored days are
// the same, and the ODBC form holds one row per day in its master table.
TEST_P(OdbcReportRunTest, UpdatePassStoresTheDaysOfTheFolderForm) {
    // The history tables live apart from the log table, which must stay the
    // first table its data source lists.
    std::string history = ConnectionText(GetParam(), CurrentTestName() + "-history");
    for (int t = 0; t < ODBC_TABLE_COUNT; ++t)
        RunSql(history, std::string("DROP TABLE ") + OdbcTable(t).name);
    RunEngine engine;
    const size_t firstPart = 4;
    std::vector<LogRow> rows(std::begin(kRows), std::begin(kRows) + firstPart);
    MakeLogTable(rows);
    std::string log = engine.WriteData("service.log", TextLog(rows));
    AnalysisProfile* folder = engine.WriteProfile("folder", {log});
    AnalysisProfile* odbc =
        engine.WriteProfile("odbc", {"odbc:" + connection_}, SERVER_PROTOCOL_ODBC);
    for (AnalysisProfile* p : {folder, odbc})
        p->RealtimeAnalysis = 1;
    folder->SwiftmereFlag = SWIFTMERE_FILES;
    odbc->SwiftmereFlag = SWIFTMERE_ODBC;
    snprintf(odbc->ODBCSwiftmere, sizeof(odbc->ODBCSwiftmere), "%s", history.c_str());

    for (int step = 0; step < 2; ++step) {
        SCOPED_TRACE(step);
        if (step == 1) {
            for (size_t i = firstPart; i < std::size(kRows); ++i) {
                rows.push_back(kRows[i]);
                ASSERT_TRUE(RunSql(connection_, LogRowSql(kRows[i])));
            }
            engine.WriteData("service.log", TextLog(rows));
        }
        int folderCalls = UpdateToTheEnd(folder);
        EXPECT_EQ(UpdateToTheEnd(odbc), folderCalls);
        std::vector<StoredDay> a = ReadStoredDays(folder, engine.Install().Data() + "folder.wlp");
        std::vector<StoredDay> b = ReadStoredDays(odbc, engine.Install().Data() + "odbc.wlp");
        ASSERT_FALSE(a.empty());
        EXPECT_NE(a[0].entry.Current, 0u);
        ExpectSameDays(a, b);
        EXPECT_EQ(QueryNumber(history, "SELECT COUNT(*) FROM OVLogMasterTable"), (long)b.size());
        FreeDays(a);
        FreeDays(b);
    }
    EXPECT_EQ(boxes_.Count(), 0u);
    ORB_DeleteRealtimeDatabase(odbc);
    EXPECT_EQ(QueryNumber(history, "SELECT COUNT(*) FROM OVLogMasterTable"), -1)
        << "the tables are dropped";
}

INSTANTIATE_TEST_SUITE_P(Drivers, OdbcReportRunTest, testing::ValuesIn(kDrivers), PrintDriver);

} // namespace
