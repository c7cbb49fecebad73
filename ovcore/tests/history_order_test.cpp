// The update pass over a log written out of order: every hit lands in the
// stored day it belongs to, whatever the order of the lines.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <map>
#include <string>
#include <vector>

#include "history/database_report.h"
#include "history/history_db.h"
#include "ovcore/ovcore.h"
#include "database_report_fixture.h"
#include "run_driver.h"

namespace {

using namespace dbtest;

const DWORD kDay = 86400, kHour = 3600;

struct OrderCase {
    const char* name;
    std::string log;
    std::map<int, std::string> pages; // the stored pages of each October day
};

// Days from 10 October 1999; the file order of the lines.
std::vector<OrderCase> Cases() {
    return {
        {"lines out of order around midnight and the limit",
         FixtureLine(1, 10 * kHour + 10, "/a.html") + // the first line
             FixtureLine(2, 10 * kHour, "/b.html") +  // ten seconds earlier
             FixtureLine(3, kDay - 2, "/c.html") +
             FixtureLine(4, kDay + 3, "/d.html") + // the next day...
             FixtureLine(5, kDay - 1, "/e.html") + // ...before the day's last second
             FixtureLine(1, kDay + 9 * kHour, "/f.html") +
             FixtureLine(2, kDay + 8 * kHour, "/g.html") +
             FixtureLine(3, 2 * kDay + 12 * kHour + 5, "/h.html") + // past the limit
             FixtureLine(4, 2 * kDay + 11 * kHour, "/i.html") +
             FixtureLine(5, 2 * kDay + 12 * kHour, "/j.html"), // the last line
         // The hits from the newest line's second on wait for a later update.
         {{10, "/a.html /b.html /c.html /e.html "},
          {11, "/d.html /f.html /g.html "},
          {12, "/i.html "}}},
        {"the last line is the earliest",
         FixtureLine(1, kDay + 10 * kHour, "/a.html") + FixtureLine(2, 12 * kHour, "/b.html") +
             FixtureLine(3, kDay + 9 * kHour, "/c.html") + FixtureLine(4, 8 * kHour, "/d.html"),
         {{10, "/b.html /d.html "}, {11, "/c.html "}, {12, ""}}},
    };
}

// The pages of each stored day, and their hits in its hour counters.
std::map<int, std::string> StoredPages(AnalysisProfile* profile, const std::string& path) {
    std::map<int, std::string> pages;
    HistoryDatabase* db = OpenHistoryDatabase(profile, path.c_str(), 0, 0, 0);
    EXPECT_NE(nullptr, db);
    for (DWORD i = 0; db && i < db->EntryCount; ++i) {
        ReportHandle* day = (ReportHandle*)calloc(1, sizeof(ReportHandle));
        int d = 10 + (int)((db->Entries[i].Start - Oct(10)) / kDay);
        if (ReadPeriod(&db->Entries[i], db, day, path.c_str()) == PERIOD_LOADED) {
            DWORD hits = 0, listed = 0;
            for (const auto& item : Items(day->Run->Period.TopTablesPtr[TopDocuments])) {
                pages[d] += item.first + " ";
                listed += (DWORD)item.second.hits;
            }
            for (int h = 0; h < ANALYSIS_INTERVALS; ++h)
                hits += day->Run->Period.Hits[h];
            EXPECT_EQ(listed, hits) << "day " << d;
        }
        FreePeriodReport(day);
    }
    CloseHistoryDatabase(db);
    return pages;
}

// Guards hits lost to the order of the lines: the pass stopped at the first
// hit past a day's end or the data's limit, the next day's pass started
// behind a line of the day before, and a log whose last line is its
// earliest ended before it began.
TEST(HistoryOrder, EveryHitIsStoredInItsOwnDay) {
    int n = 0;
    for (const OrderCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        runtest::RunEngine engine;
        std::string name = "order" + std::to_string(++n);
        AnalysisProfile* profile = engine.WriteProfile(
            name, {engine.WriteData(name + ".log", c.log)}, [](AnalysisProfile* p) {
                p->SwiftmereFlag = SWIFTMERE_FILES;
                p->RealtimeAnalysis = 1;
            });
        std::string path = engine.Install().Data() + name + ".wlp";
        ReportHandle* update = (ReportHandle*)calloc(1, sizeof(ReportHandle));
        update->Profile = profile;
        EXPECT_EQ(DBREPORT_DONE,
                  RunDatabaseReport(profile, path.c_str(), Oct(10), Oct(12, 23, 59, 59),
                                    "order.log", "out.htm", update, &profile->Servers, nullptr, 1));
        FreeDatabaseReportContext(update, 1);
        free(update);
        std::map<int, std::string> pages = StoredPages(profile, path);
        for (const auto& day : c.pages)
            EXPECT_EQ(day.second, pages[day.first]) << "day " << day.first;
    }
}

} // namespace
