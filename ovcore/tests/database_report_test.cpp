// Reports from the history database: the days of a range are brought up to
// date from the logs and merged, and the merged tables equal those of a log
// run over the same hits; ORB_DoRealtime writes them as the summary of a
// log run is written, and answers for update-only, empty and stopped runs.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "history/database_report.h"
#include "ovcore/ovcore.h"
#include "count/accumulate.h"
#include "count/hit_updaters.h"
#include "run/run_setup.h"
#include "database_report_fixture.h"
#include "run_driver.h"
#include "write/report_output.h"

namespace {

using runtest::RunEngine;
using runtest::RunOptions;
using runtest::RunOutcome;

using namespace dbtest;

class DatabaseReportTest : public ::testing::Test {
  protected:
    RunEngine engine_;
    AnalysisProfile* profile_ = nullptr;

    void SetUp() override {
        profile_ = engine_.WriteProfile("hist", {engine_.WriteData("hist.log", FixtureLog())});
        profile_->SwiftmereFlag = SWIFTMERE_FILES;
        profile_->RealtimeAnalysis = 1;
    }
    std::string ProfilePath() const { return engine_.Install().Data() + "hist.wlp"; }

    // A log run over [start, end], its visits closed as at the end of a run.
    RunOutcome LogRun(ORB_TIME start, ORB_TIME end, const TemplateSection* sections = nullptr,
                      WORD count = 0) {
        RunOptions o;
        o.start = start;
        o.end = end;
        o.sections = sections;
        o.sectionCount = count;
        RunOutcome run = runtest::RunReport(profile_, "hist.wlp", o);
        RunContext* c = run.report ? run.report->Run : nullptr;
        if (c) {
            CountDay(c, 0);
            AnalysisTable* v = c->Period.TopUsersPtr;
            for (DWORD i = 0; v->lpItems && i < v->ovCount + v->DeleteCount; ++i)
                CloseVisit(c, v->lpItems[i]);
        }
        return run;
    }
};

TEST_F(DatabaseReportTest, StoredDaysMergeIntoTheTablesOfALogRun) {
    for (const RangeCase& c : RangeCases()) {
        SCOPED_TRACE(c.name);
        ORB_TIME start, end;
        c.Bounds(&start, &end);
        ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
        report->Profile = profile_;
        EXPECT_EQ(DBREPORT_DONE,
                  RunDatabaseReport(profile_, ProfilePath().c_str(), start, end, "hist.log",
                                    "out.htm", report, &profile_->Servers, nullptr, 0));
        ASSERT_NE(nullptr, report->Run);
        EXPECT_STREQ("out.htm", report->Run->Output->OutputPath);
        EXPECT_STREQ("hist.log", report->LogPath);

        // The data ends with the newest second of the logs, which no update
        // takes yet.
        ORB_TIME dataStart = start < Oct(10) ? Oct(10, 2) : start;
        ORB_TIME dataEnd = end > Oct(25, 12) - 1 ? Oct(25, 12) - 1 : end;
        RunOutcome logs = LogRun(dataStart, dataEnd);
        ASSERT_NE(nullptr, logs.report);
        ASSERT_NE(nullptr, logs.report->Run);
        EXPECT_GT(report->Run->Period.TopTablesPtr[TopDocuments].ovCount, 1u);
        ExpectSameTables(report->Run, logs.report->Run);
        // The year's report counts by month: every stored hour in October's.
        const RunContext* db = report->Run;
        EXPECT_EQ(c.code == 48, db->CountByMonth != 0);
        if (db->CountByMonth) {
            DWORD hits = 0;
            for (int i = 0; i < ANALYSIS_INTERVALS; ++i)
                hits += logs.report->Run->Period.Hits[i];
            EXPECT_EQ(12, db->Intervals.Count);
            EXPECT_EQ(hits, db->Period.Hits[9]);
        }
        EXPECT_EQ(c.days, report->Run->Period.DaysCounted);
        ORB_CloseReport(logs.report, nullptr);
        FreeDatabaseReportContext(report, 1);
        free(report);
    }
}

// With the profile's range grid, a range inside two days gets a slot per
// hour of the range: the stored hours land by their time and those outside
// are left out, while the two days' tables are merged whole.
TEST_F(DatabaseReportTest, RangeGridCountsOnlyTheRangesHours) {
    ORB_TIME start = Oct(12, 6), end = Oct(13, 1, 59, 59);
    ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    report->Profile = profile_;
    report->CallerWord = 1;
    ASSERT_EQ(DBREPORT_DONE, RunDatabaseReport(profile_, ProfilePath().c_str(), start, end, "", "",
                                               report, &profile_->Servers, nullptr, 0));
    const RunContext* db = report->Run;
    EXPECT_EQ(20, db->Intervals.Count);
    EXPECT_EQ(3600u, db->Intervals.Length);
    EXPECT_EQ(start, db->Intervals.FirstStart);

    RunOutcome logs = LogRun(start, end);
    ASSERT_NE(nullptr, logs.report);
    const RunContext* run = logs.report->Run;
    DWORD inRange = 0, merged = 0;
    for (int i = 0; i < ANALYSIS_INTERVALS; ++i) {
        inRange += run->Period.Hits[i];
        merged += db->Period.Hits[i];
    }
    EXPECT_GT(inRange, 0u);
    EXPECT_EQ(inRange, merged);
    auto total = [](const RunContext* c) {
        double hits = 0;
        for (const auto& item : Items(c->Period.TopTablesPtr[TopHours]))
            hits += item.second.hits;
        return hits;
    };
    EXPECT_GT(total(db), total(run)); // the first and last days' tables whole
    ORB_CloseReport(logs.report, nullptr);
    FreeDatabaseReportContext(report, 1);
    free(report);
}

int g_afterRead;
void CALLBACK AfterRead() {
    ++g_afterRead;
}
int CALLBACK Stop(int) {
    return 0;
}

TEST_F(DatabaseReportTest, RealtimeReportIsWrittenAsTheLogRunsSummary) {
    engine_.Install().Write("ovdesk\\template\\cluster.var", kFigures);
    Sections sections(engine_.Install().Templates() + "cluster.var");
    ASSERT_EQ(1, sections.count);
    std::string fromDatabase = engine_.Install().Data() + "realtime.htm";
    std::string fromLogs = engine_.Install().Data() + "summary.htm";
    ORB_TIME start = Oct(13), end = Oct(13);
    ORB_CalculateRealtimeReportRange(43, &start, &end); // the week of the 13th
    g_afterRead = 0;
    EXPECT_EQ(0, ORB_DoRealtime(profile_, fromDatabase.c_str(), "(Default)", nullptr, nullptr, 0,
                                start, end, AfterRead, "", sections.block, sections.count, "Week",
                                0, 0));
    EXPECT_EQ(1, g_afterRead);

    RunOutcome logs = LogRun(start, end, sections.list, sections.count);
    ASSERT_NE(nullptr, logs.report);
    lstrcpynA(logs.report->Run->Output->OutputPath, fromLogs.c_str(), MAX_PATH);
    EXPECT_NE(nullptr, ORB_DoSummary(logs.report, nullptr, nullptr));
    ORB_CloseReport(logs.report, nullptr);

    std::string page = ovtest::ReadFileBytes(fromDatabase);
    // The home page "/" is one of the pages (it leads them on visits).
    EXPECT_NE(std::string::npos, page.find("hits 52 documents 10 sessions 10 ")) << page;
    EXPECT_EQ(ovtest::ReadFileBytes(fromLogs), page);
}

// While another program updates the database, a report reads the days
// stored so far. Guards a lock that refused every second program.
TEST_F(DatabaseReportTest, AReportReadsTheStoredDaysWhileAnotherProgramUpdates) {
    ReportHandle* update = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    update->Profile = profile_;
    ASSERT_EQ(DBREPORT_DONE,
              RunDatabaseReport(profile_, ProfilePath().c_str(), Oct(10), Oct(12, 23, 59, 59),
                                "hist.log", "out.htm", update, &profile_->Servers, nullptr, 1));
    FreeDatabaseReportContext(update, 1);
    free(update);
    std::string lock = engine_.Install().Data() + "hist.dat\\daily\\update.lck";
    HANDLE updater = CreateFileA(lock.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                 nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, updater);

    ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    report->Profile = profile_;
    EXPECT_EQ(DBREPORT_DONE,
              RunDatabaseReport(profile_, ProfilePath().c_str(), Oct(10), Oct(16, 23, 59, 59),
                                "hist.log", "out.htm", report, &profile_->Servers, nullptr, 0));
    CloseHandle(updater);
    ASSERT_NE(nullptr, report->Run);
    RunOutcome logs = LogRun(Oct(10, 2), Oct(12, 23, 59, 59));
    ASSERT_NE(nullptr, logs.report);
    ExpectSameTables(report->Run, logs.report->Run);
    EXPECT_EQ(3u, report->Run->Period.DaysCounted);
    ORB_CloseReport(logs.report, nullptr);
    FreeDatabaseReportContext(report, 1);
    free(report);
}

TEST_F(DatabaseReportTest, RealtimeAnswers) {
    engine_.Install().Write("ovdesk\\template\\cluster.var", kFigures);
    Sections sections(engine_.Install().Templates() + "cluster.var");
    std::string out = engine_.Install().Data() + "out.htm";
    struct Case {
        const char* name;
        ORB_TIME start, end;
        ORB_PEEKPROC peek;
        DWORD updateOnly;
        WORD swiftmere;
        WORD answer;
        DWORD storedDays; // days with data in the database afterwards
    } cases[] = {
        {"no database", Oct(10), Oct(16, 23, 59, 59), nullptr, 0, SWIFTMERE_NONE, 0, 0},
        {"stopped", Oct(10), Oct(16, 23, 59, 59), Stop, 0, SWIFTMERE_FILES, 7, 0},
        {"update only", Oct(10), Oct(12, 23, 59, 59), nullptr, 1, SWIFTMERE_FILES, 0, 3},
        {"no data", Oct(17), Oct(17, 23, 59, 59), nullptr, 0, SWIFTMERE_FILES, 1, 3},
        {"stopped after the update", Oct(11), Oct(12, 23, 59, 59), Stop, 0, SWIFTMERE_FILES, 7, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        profile_->SwiftmereFlag = c.swiftmere;
        EXPECT_EQ(c.answer, ORB_DoRealtime(profile_, out.c_str(), "(Default)", c.peek, nullptr, 0,
                                           c.start, c.end, nullptr, nullptr, sections.block,
                                           sections.count, "T", c.updateOnly, 0));
        EXPECT_FALSE(ovtest::FileExistsAt(out));
        profile_->SwiftmereFlag = SWIFTMERE_FILES;
        HistoryDatabase* db = OpenHistoryDatabase(profile_, ProfilePath().c_str(), 0, 0, 0);
        DWORD stored = 0;
        for (DWORD i = 0; db && i < db->EntryCount; ++i)
            stored += db->Entries[i].Current != 0 && db->Entries[i].Start < Oct(17);
        EXPECT_EQ(c.storedDays, stored);
        CloseHistoryDatabase(db);
    }
}

} // namespace
