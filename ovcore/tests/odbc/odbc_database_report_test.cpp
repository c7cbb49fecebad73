// Reports from a history database kept in a data source, on SQLite and
// PostgreSQL: the same log updated into a folder database and into an ODBC
// one (names with quotes and bytes beyond ASCII among them) gives the same
// merged tables, counters and grid for every kind of range, the same
// written page and the same answers.
#include <stdlib.h>

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "database_report_fixture.h"
#include "history/database_report.h"
#include "msgbox_watcher.h"
#include "odbc/odbc_schema.h"
#include "odbc_fixture.h"
#include "ovcore/report_writer.h"
#include "period_compare.h"
#include "run_driver.h"

using namespace odbctest;
using dbtest::Oct;

namespace {

// Figures and tables of ten rows under the generation time line (the one
// line two writings may differ in).
std::string PageTemplate() {
    std::string page = "%%GeneralStatsBeginSection[TEXT,{<GeneralStatsTC>}]%%\r\n"
                       "generated %%HeaderGeneratedOn%%\r\n"
                       "range %%HeaderReportRange%%\r\n"
                       "hits %%HeaderTotalHits%% documents %%TopDocumentsTotalHits%% sessions "
                       "%%TopDocumentsTotalUsers%% busiest %%MostActiveDayEverHits%%\r\n"
                       "%%GeneralStatsEndSection%%\r\n";
    for (std::string t :
         {"TopDocuments", "TopReferingSites", "TopUsers", "TopBrowsers", "TopSearchEngines",
          "TopSearchKeywords", "TopSearchKeyPhrases", "TopHours"}) {
        page += "%%" + t + "BeginSection[TABLE,{<" + t + "TC>}]%%\r\n%%%BeginRepeat%%%\r\n" +
                "%%BeginLine_" + t + "[~]%%^ %%" + t + "Desc[~]%% %%" + t + "Hits[~]%% %%" + t +
                "Users[~]%%%%EndLine_" + t + "[~]%%\r\n%%%EndRepeat%%%\r\ntotal %%" + t +
                "TotalHits[0,10]%%\r\n%%" + t + "EndSection%%\r\n";
    }
    return page;
}

// The page without its generation time line.
std::string WithoutGenerationLine(const std::string& page) {
    std::istringstream in(page);
    std::string line, out;
    while (std::getline(in, line))
        if (line.rfind("generated ", 0) != 0)
            out += line + "\n";
    return out;
}

// Names a data source may take apart from a file: quotes, bytes beyond
// ASCII, a search phrase, and a one-word phrase that is also a word (the
// engine then holds it as a word and as a phrase). On the 18th, outside the
// page's week.
std::string AwkwardHits() {
    const DWORD at = 8 * 86400 + 3600 * 21;
    return dbtest::FixtureLine(1, at, "/it's.html",
                               "http://www.google.com/search?q=o%27brien+caf%E9") +
           dbtest::FixtureLine(2, at + 60, "/caf\xE9/men\xFC.html", "http://x.example.com/a'b",
                               "Agent 'q' \xE9t\xE9") +
           dbtest::FixtureLine(3, at + 120, "/a%20b.html?x='1'&y=\xE9",
                               "http://www.google.com/search?q=widgets");
}

// The fixture log with the awkward hits before its last line (the 25th's).
std::string Log() {
    std::string log = dbtest::FixtureLog();
    size_t last = log.rfind('\n', log.size() - 2) + 1;
    return log.substr(0, last) + AwkwardHits() + log.substr(last);
}

// One profile over the fixture log (its Google referrers found as searches); its history database
// is kept in a folder or in the test's data source as the test switches its form.
class OdbcDatabaseReportTest : public testing::TestWithParam<Driver> {
  protected:
    void SetUp() override {
        history_ = ConnectionText(GetParam(), CurrentTestName() + "-history");
        ASSERT_FALSE(history_.empty());
        for (int t = 0; t < ODBC_TABLE_COUNT; ++t)
            RunSql(history_, std::string("DROP TABLE ") + OdbcTable(t).name);
        engine_.WriteData("keywords.ini", "[SearchEngines]\r\nEngine1=Google\r\n[Google]\r\n"
                                          "ID1=google.\r\nKeywordIndicator1=q=\r\n");
        profile_ = engine_.WriteProfile("hist", {engine_.WriteData("hist.log", Log())});
        profile_->RealtimeAnalysis = 1;
        snprintf(profile_->ODBCSwiftmere, sizeof(profile_->ODBCSwiftmere), "%s", history_.c_str());
    }
    void TearDown() override {
        if (profile_) {
            profile_->SwiftmereFlag = SWIFTMERE_ODBC;
            ORB_DeleteRealtimeDatabase(profile_);
        }
        EXPECT_EQ(boxes_.Count(), 0u);
    }
    std::string ProfilePath() const { return engine_.Install().Data() + "hist.wlp"; }

    // The report of [start, end] from the database form; null on failure.
    ReportHandle* Report(WORD form, ORB_TIME start, ORB_TIME end) {
        profile_->SwiftmereFlag = form;
        ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
        report->Profile = profile_;
        WORD code = RunDatabaseReport(profile_, ProfilePath().c_str(), start, end, "hist.log",
                                      "out.htm", report, &profile_->Servers, nullptr, 0);
        EXPECT_EQ(DBREPORT_DONE, code) << "form " << form;
        if (code == DBREPORT_DONE && report->Run)
            return report;
        Free(report);
        return nullptr;
    }
    static void Free(ReportHandle* report) {
        FreeDatabaseReportContext(report, 1);
        free(report);
    }

    // Days the data source holds data of.
    long StoredOdbcDays() const {
        return QueryNumber(history_,
                           "SELECT COUNT(*) FROM OVLogMasterTable WHERE CurrentTime <> 0");
    }

    runtest::RunEngine engine_;
    AnalysisProfile* profile_ = nullptr;
    std::string history_;
    ovtest::MsgBoxWatcher boxes_;
};

TEST_P(OdbcDatabaseReportTest, RangesGiveTheFolderFormsTables) {
    std::vector<dbtest::RangeCase> cases = dbtest::RangeCases();
    // A range from inside a day, over the awkward names.
    cases.push_back({"custom from 06:00", 0, Oct(11, 6), Oct(18, 23, 59, 59), 7});
    for (const dbtest::RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ORB_TIME start, end;
        c.Bounds(&start, &end);
        ReportHandle* folder = Report(SWIFTMERE_FILES, start, end);
        ReportHandle* odbc = Report(SWIFTMERE_ODBC, start, end);
        ASSERT_NE(nullptr, folder);
        ASSERT_NE(nullptr, odbc);
        const RunContext *a = folder->Run, *b = odbc->Run;
        EXPECT_GT(a->Period.TopTablesPtr[TopDocuments].ovCount, 1u);
        EXPECT_EQ(c.days, a->Period.DaysCounted);
        EXPECT_EQ(a->Period.DaysCounted, b->Period.DaysCounted);
        EXPECT_EQ(a->Intervals.Count, b->Intervals.Count);
        EXPECT_EQ(a->Intervals.Length, b->Intervals.Length);
        EXPECT_EQ(a->Intervals.FirstStart, b->Intervals.FirstStart);
        EXPECT_EQ(a->CountByMonth, b->CountByMonth);
        EXPECT_EQ(folder->StartTime, odbc->StartTime);
        EXPECT_EQ(folder->EndTime, odbc->EndTime);
        dbtest::ExpectSameTables(a, b);
        ExpectSamePeriod(&a->Period, &b->Period);
        EXPECT_GE(StoredOdbcDays(), (long)c.days);
        Free(folder);
        Free(odbc);
    }
}

TEST_P(OdbcDatabaseReportTest, RealtimeWritesTheFolderFormsPage) {
    engine_.Install().Write("ovdesk\\template\\cluster.var", PageTemplate());
    dbtest::Sections sections(engine_.Install().Templates() + "cluster.var");
    ASSERT_GT(sections.count, 0);
    // The week of the 13th, and the month, which holds the awkward names.
    for (int code : {43, 45}) {
        SCOPED_TRACE(code);
        ORB_TIME start = Oct(13), end = Oct(13);
        ORB_CalculateRealtimeReportRange(code, &start, &end);
        std::string pages[2];
        const WORD forms[2] = {SWIFTMERE_FILES, SWIFTMERE_ODBC};
        for (int f = 0; f < 2; ++f) {
            profile_->SwiftmereFlag = forms[f];
            std::string out = engine_.Install().Data() + "realtime" + std::to_string(f) + ".htm";
            EXPECT_EQ(0, ORB_DoRealtime(profile_, out.c_str(), "(Default)", nullptr, nullptr, 0,
                                        start, end, nullptr, "", sections.block, sections.count,
                                        "Range", 0, 0))
                << "form " << forms[f];
            pages[f] = ovtest::ReadFileBytes(out);
        }
        if (code == 43)
            EXPECT_NE(std::string::npos, pages[0].find("hits 52 documents 11 ")) << pages[0];
        else
            EXPECT_NE(std::string::npos, pages[0].find("/it&#39;s.html")) << pages[0];
        EXPECT_NE(std::string::npos, pages[0].find("/a.html")) << pages[0];
        EXPECT_EQ(WithoutGenerationLine(pages[0]), WithoutGenerationLine(pages[1]));
    }
}

// ORB_DoRealtime's answers for a range without data and for an update only,
// then a report after the log has grown: the open last day takes the new
// hits in both forms alike.
TEST_P(OdbcDatabaseReportTest, AnswersAndAGrownLogMatchTheFolderForm) {
    struct Case {
        const char* name;
        ORB_TIME start, end;
        DWORD updateOnly;
        WORD answer;
    } cases[] = {
        {"update only", Oct(10), Oct(12, 23, 59, 59), 1, 0},
        {"no data", Oct(17), Oct(17, 23, 59, 59), 0, 1},
    };
    std::string out = engine_.Install().Data() + "out.htm";
    for (const Case& c : cases) {
        for (WORD form : {SWIFTMERE_FILES, SWIFTMERE_ODBC}) {
            SCOPED_TRACE(std::string(c.name) + (form == SWIFTMERE_ODBC ? " odbc" : " folder"));
            profile_->SwiftmereFlag = form;
            EXPECT_EQ(c.answer, ORB_DoRealtime(profile_, out.c_str(), "(Default)", nullptr, nullptr,
                                               0, c.start, c.end, nullptr, nullptr, nullptr, 0, "T",
                                               c.updateOnly, 0));
            EXPECT_FALSE(ovtest::FileExistsAt(out));
        }
    }
    // Every hour's hits of the report.
    auto hits = [](const RunContext* run) {
        DWORD n = 0;
        for (int i = 0; i < run->Intervals.Count && i < ANALYSIS_INTERVALS; ++i)
            n += run->Period.Hits[i];
        return n;
    };
    ORB_TIME start = Oct(18), end = Oct(25, 23, 59, 59);
    DWORD before = 0;
    for (int step = 0; step < 2; ++step) {
        SCOPED_TRACE(step);
        // Two more hits on the last day, the newest left for a later update:
        // the hit that was the newest and the first new one are taken.
        if (step == 1)
            engine_.WriteData("hist.log", Log() + dbtest::FixtureLine(2, 15 * 86400 + 3600 * 13) +
                                              dbtest::FixtureLine(3, 16 * 86400 - 1));
        ReportHandle* folder = Report(SWIFTMERE_FILES, start, end);
        ReportHandle* odbc = Report(SWIFTMERE_ODBC, start, end);
        ASSERT_NE(nullptr, folder);
        ASSERT_NE(nullptr, odbc);
        if (step == 0)
            before = hits(folder->Run);
        else
            EXPECT_EQ(before + 2, hits(folder->Run));
        EXPECT_EQ(hits(folder->Run), hits(odbc->Run));
        dbtest::ExpectSameTables(folder->Run, odbc->Run);
        ExpectSamePeriod(&folder->Run->Period, &odbc->Run->Period);
        Free(folder);
        Free(odbc);
    }
}

INSTANTIATE_TEST_SUITE_P(Drivers, OdbcDatabaseReportTest, testing::ValuesIn(kDrivers), PrintDriver);

} // namespace
