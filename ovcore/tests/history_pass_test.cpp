// The update pass: each call brings the first open day up to date from the
// logs, through the DNS ring, and commits it; later calls add only what is
// new. Hits are counted here by a small counter of the test's own.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tables/analysis_tables.h"
#include "dns/dns_ring.h"
#include "core/engine_state.h"
#include "core/message_sink.h"
#include "history/database_update.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

ORB_TIME At(int day, int hour, int minute = 0, int second = 0) {
    return Y2K_mktimeEx((WORD)hour, (WORD)minute, (WORD)second, 2, (WORD)day, 99, nullptr);
}

// A log as a table of hits in time order.
struct TableSource {
    struct Line {
        ORB_TIME time;
        std::string url;
    };
    std::vector<Line> lines;
    size_t next = 0;
    ORB_TIME from = 0, end = 0;
    HitRecord hit = {};
    PeriodHitSource source{this, Position, TimeRange, Next, Done};

    static TableSource* Of(void* c) { return (TableSource*)c; }
    static int Position(void* c, ORB_TIME from, ORB_TIME end) {
        Of(c)->next = 0;
        Of(c)->from = from;
        Of(c)->end = end;
        return 1;
    }
    static int TimeRange(void* c, ORB_TIME* first, ORB_TIME* last) {
        if (Of(c)->lines.empty())
            return 0;
        *first = Of(c)->lines.front().time;
        *last = Of(c)->lines.back().time;
        return 1;
    }
    static int Next(void* c, HitRecord** out) {
        TableSource* s = Of(c);
        while (s->next < s->lines.size() && s->lines[s->next].time < s->from)
            ++s->next;
        if (s->next >= s->lines.size())
            return 0;
        const Line& line = s->lines[s->next++];
        HitRecord& h = s->hit;
        char** slots[] = {&h.lpszProtocol,  &h.lpszServerAddr, &h.lpszUserName,  &h.lpszReferrer,
                          &h.lpszUserAgent, &h.lpszCookie,     &h.lpszBytesIn,   &h.lpszBytesOut,
                          &h.lpszMethod,    &h.lpszDateTime,   &h.lpszServerName};
        for (char** slot : slots)
            *slot = HitRecord_EmptyText;
        h.lpszStatus = const_cast<char*>("200");
        strcpy(h.szClientAddr, "10.0.0.1");
        h.lpszClientAddr = h.szClientAddr;
        h.lpszUrl = const_cast<char*>(line.url.c_str());
        h.dwTime = line.time;
        h.dwValid = 1;
        *out = &h;
        return 1;
    }
    static DWORD Done(void*) { return 50; }
};

int CountHit(ReportHandle* report, HitRecord* hit) {
    PeriodBlock& block = report->Run->Period;
    AnalysisTable* docs = &block.TopTablesPtr[TopDocuments];
    DWORD n = AddTableItem(docs, hit->lpszUrl);
    if (!n)
        return 0;
    docs->lpItems[n - 1]->ovTotalByHits++;
    block.Hits[(hit->dwTime - report->Run->Intervals.FirstStart) / 3600 % 24]++;
    return 1;
}

int CALLBACK Pump() {
    return 1;
}

std::string g_shown; // what the error display was given
void CALLBACK ShowError(HWND, const char*, const char* text, UINT, UINT, int) {
    g_shown = text;
}

class HistoryPassTest : public ::testing::Test {
  protected:
    ovtest::TempInstall install_;
    AnalysisProfile profile_ = {};
    TableSource log_;
    int slot_ = -1;

    void SetUp() override {
        DWORD status = 0;
        slot_ = ORB_Register(install_.Data().c_str(), 60, 1, Pump, &status, GetModuleHandleA(NULL),
                             0, NULL, ShowError);
        g_shown.clear();
        ASSERT_EQ(0, slot_);
        Engine_SetUnattended(TRUE);
        SetUpdateCounter(CountHit);
        profile_.SwiftmereFlag = SWIFTMERE_FILES;
        profile_.RealtimeAnalysis = 1;
        strcpy(profile_.SwiftmereRepository, (install_.Root() + "db").c_str());
    }
    void TearDown() override {
        SetUpdateCounter(nullptr);
        Engine_SetUnattended(FALSE);
        if (slot_ >= 0)
            ORB_DeRegister((short)slot_);
        // Registrations are counted per loaded library: start afresh.
        Engine_ResetLibraryState();
        InstallFolder_Reset();
    }
    int Update(int* upToDate) {
        return UpdateRealtimeDatabase(&log_.source, &profile_, nullptr, nullptr, upToDate);
    }
    // Day n's entry and the hits its period holds per page ("/a=2,/b=1,").
    std::pair<ORB_TIME, std::string> Day(int day) {
        HistoryDatabase* db = OpenHistoryDatabase(&profile_, nullptr, 0, 0, 0);
        EXPECT_NE(nullptr, db);
        std::pair<ORB_TIME, std::string> out;
        for (DWORD i = 0; db && i < db->EntryCount; ++i) {
            if (db->Entries[i].Start != At(day, 0))
                continue;
            out.first = db->Entries[i].Current;
            ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
            if (ReadPeriod(&db->Entries[i], db, report, nullptr) == PERIOD_LOADED) {
                const AnalysisTable& docs = report->Run->Period.TopTablesPtr[TopDocuments];
                for (DWORD k = 0; k < docs.SortIndexCount; ++k) {
                    const AnalysisItem* item = docs.lpItems[docs.lpSortIndex[k]];
                    out.second += std::string(item->ovString) + "=" +
                                  std::to_string(item->ovTotalByHits) + ",";
                }
            }
            FreePeriodReport(report);
        }
        CloseHistoryDatabase(db);
        return out;
    }
};

TEST_F(HistoryPassTest, EachCallCompletesOneDayAndTheNextTakesOnlyWhatIsNew) {
    log_.lines = {{At(5, 0, 0, 0), "/a"}, {At(5, 9), "/b"},  {At(6, 3), "/a"},
                  {At(7, 1), "/a"},       {At(7, 12), "/b"}, {At(7, 12, 0, 7), "/c"}};
    int upToDate = -1;
    ASSERT_EQ(1, Update(&upToDate));
    EXPECT_EQ(0, upToDate);
    // The hit at midnight of an empty day is counted.
    EXPECT_EQ(std::make_pair(At(5, 23, 59, 59) + 1, std::string("/a=1,/b=1,")), Day(5));
    ASSERT_EQ(1, Update(&upToDate));
    EXPECT_EQ(0, upToDate);
    EXPECT_EQ(std::make_pair(At(6, 23, 59, 59) + 1, std::string("/a=1,")), Day(6));
    ASSERT_EQ(1, Update(&upToDate));
    EXPECT_EQ(1, upToDate);
    // The newest second waits for a later update.
    EXPECT_EQ(std::make_pair(At(7, 12, 0, 6), std::string("/a=1,/b=1,")), Day(7));

    // Nothing new: the day and its file stay as they were.
    ASSERT_EQ(1, Update(&upToDate));
    EXPECT_EQ(std::make_pair(At(7, 12, 0, 6), std::string("/a=1,/b=1,")), Day(7));

    log_.lines.push_back({At(7, 13), "/a"});
    ASSERT_EQ(1, Update(&upToDate));
    EXPECT_EQ(std::make_pair(At(7, 13) - 1, std::string("/a=1,/b=1,/c=1,")), Day(7));
}

TEST_F(HistoryPassTest, ADayTheLogOnlyTouchesAtItsFirstSecondStaysEmpty) {
    // The newest hit waits for a later update, so day 6 gets nothing yet.
    log_.lines = {{At(5, 1), "/a"}, {At(6, 0), "/b"}};
    int upToDate = 0;
    ASSERT_EQ(1, Update(&upToDate));
    ASSERT_EQ(1, Update(&upToDate));
    EXPECT_EQ(0u, Day(6).first);
    log_.lines.push_back({At(6, 5), "/c"});
    ASSERT_EQ(1, Update(&upToDate));
    EXPECT_EQ(std::make_pair(At(6, 5) - 1, std::string("/b=1,")), Day(6));
}

TEST_F(HistoryPassTest, TheUserLearnsWhyNothingWasUpdated) {
    log_.lines = {{At(5, 1), "/a"}, {At(5, 2), "/b"}};
    int upToDate = 0;
    ASSERT_EQ(1, Update(&upToDate));
    // Another program holds the database.
    std::string lock = std::string(profile_.SwiftmereRepository) + "\\daily\\update.lck";
    HANDLE held = CreateFileA(lock.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    log_.lines.push_back({At(5, 3), "/c"});
    upToDate = 0;
    EXPECT_EQ(0, Update(&upToDate));
    EXPECT_EQ(1, upToDate);
    EXPECT_NE(std::string::npos, g_shown.find("another program")) << g_shown;
    CloseHandle(held);
    EXPECT_EQ(std::make_pair(At(5, 2) - 1, std::string("/a=1,")), Day(5)); // nothing lost

    // Logs that cannot be read are said to be so, not passed over in silence.
    g_shown.clear();
    log_.lines.clear();
    EXPECT_EQ(1, Update(&upToDate));
    EXPECT_EQ(1, upToDate);
    EXPECT_NE(std::string::npos, g_shown.find("cannot be read")) << g_shown;
}

// A damaged or unreadable store: said so through the error display and
// left as it is; an index too short to hold an entry is built again. Guards
// updates that answered "done" over a damaged database and stored nothing.
TEST_F(HistoryPassTest, ADamagedDatabaseIsToldAndLeftAsItIsOrBuiltAgain) {
    enum Outcome { KEPT, REBUILT };
    const std::string daily = "\\daily\\";
    char dayName[20];
    sprintf(dayName, "%08x.dat", (unsigned)At(6, 0));
    // Each case damages the folder; a file it holds open is closed after.
    const struct {
        const char* name;
        std::function<HANDLE(const std::string& master, const std::string& day)> damage;
        Outcome outcome;
        const char* told;
    } cases[] = {
        {"wrong format word",
         [](const std::string& m, const std::string&) {
             std::string bytes = ovtest::ReadFileBytes(m);
             bytes[0] = 5;
             ovtest::WriteFileBytes(m, bytes);
             return INVALID_HANDLE_VALUE;
         },
         KEPT, "master.dat\" is damaged"},
        {"an entry that names another file",
         [](const std::string& m, const std::string&) {
             std::string bytes = ovtest::ReadFileBytes(m);
             bytes.replace(448, 12, "..\\..\\x.dat\0", 12);
             ovtest::WriteFileBytes(m, bytes);
             return INVALID_HANDLE_VALUE;
         },
         KEPT, "master.dat\" is damaged"},
        {"master.dat held by another program",
         [](const std::string& m, const std::string&) {
             return CreateFileA(m.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         KEPT, "master.dat\" cannot be read"},
        {"a stored day that is not one",
         [](const std::string&, const std::string& d) {
             ovtest::WriteFileBytes(d, std::string(600, '\x7f'));
             return INVALID_HANDLE_VALUE;
         },
         KEPT, "stored day"},
        {"a stored day held by another program",
         [](const std::string&, const std::string& d) {
             return CreateFileA(d.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         KEPT, "stored day"},
        {"empty master.dat",
         [](const std::string& m, const std::string&) {
             ovtest::WriteFileBytes(m, "");
             return INVALID_HANDLE_VALUE;
         },
         REBUILT, nullptr},
        {"master.dat cut inside its header",
         [](const std::string& m, const std::string&) {
             ovtest::WriteFileBytes(m, ovtest::ReadFileBytes(m).substr(0, 100));
             return INVALID_HANDLE_VALUE;
         },
         REBUILT, nullptr},
        {"master.dat cut inside its second entry",
         [](const std::string& m, const std::string&) {
             ovtest::WriteFileBytes(m, ovtest::ReadFileBytes(m).substr(0, 448 + 64 + 30));
             return INVALID_HANDLE_VALUE;
         },
         REBUILT, nullptr},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string folder = install_.Root() + "db" + std::to_string(++n);
        strcpy(profile_.SwiftmereRepository, folder.c_str());
        std::string master = folder + daily + "master.dat", day = folder + daily + dayName;
        log_.lines = {{At(5, 1), "/a"}, {At(5, 2), "/b"}, {At(6, 3), "/a"}, {At(6, 4), "/c"}};
        int upToDate = 0;
        ASSERT_EQ(1, Update(&upToDate));
        ASSERT_EQ(1, Update(&upToDate));
        ASSERT_EQ(std::make_pair(At(6, 4) - 1, std::string("/a=1,")), Day(6));
        const std::string masterBefore = ovtest::ReadFileBytes(master);
        const std::string dayBefore = ovtest::ReadFileBytes(day);
        HANDLE held = c.damage(master, day);
        // A file held by another program keeps what it had.
        const bool holds = held != INVALID_HANDLE_VALUE;
        const std::string masterDamaged = holds ? masterBefore : ovtest::ReadFileBytes(master);
        const std::string dayDamaged = holds ? dayBefore : ovtest::ReadFileBytes(day);
        log_.lines.push_back({At(6, 5), "/d"});
        g_shown.clear();
        if (c.outcome == KEPT) {
            EXPECT_EQ(0, Update(&upToDate));
            EXPECT_EQ(1, upToDate);
            EXPECT_NE(std::string::npos, g_shown.find(c.told)) << g_shown;
            if (holds)
                CloseHandle(held);
            EXPECT_TRUE(masterDamaged == ovtest::ReadFileBytes(master));
            EXPECT_TRUE(dayDamaged == ovtest::ReadFileBytes(day));
            continue;
        }
        for (int i = 0; i < 4 && Update(&upToDate) && !upToDate; ++i) {
        }
        EXPECT_EQ("", g_shown);
        EXPECT_EQ(masterBefore.size(), ovtest::ReadFileBytes(master).size());
        EXPECT_EQ(std::make_pair(At(5, 23, 59, 59) + 1, std::string("/a=1,/b=1,")), Day(5));
        EXPECT_EQ(std::make_pair(At(6, 5) - 1, std::string("/a=1,/c=1,")), Day(6));
    }
}

// A damaged index cannot be read either: a report from the database says so.
TEST_F(HistoryPassTest, ADamagedIndexIsNotOpenedToRead) {
    log_.lines = {{At(5, 1), "/a"}, {At(5, 2), "/b"}};
    int upToDate = 0;
    ASSERT_EQ(1, Update(&upToDate));
    std::string master = std::string(profile_.SwiftmereRepository) + "\\daily\\master.dat";
    ovtest::WriteFileBytes(master, std::string(600, '\x7f'));
    EXPECT_EQ(nullptr, OpenHistoryDatabaseToRead(&profile_, nullptr));
    EXPECT_EQ(HISTORY_OPEN_MASTER, HistoryOpenFailure());
    EXPECT_EQ(MASTER_DAMAGED, HistoryOpenMasterState());
    TellHistoryOpenFailure();
    EXPECT_NE(std::string::npos, g_shown.find("master.dat\" is damaged")) << g_shown;
}

TEST_F(HistoryPassTest, DeletingRemovesEveryFileAndBothFolders) {
    log_.lines = {{At(5, 1), "/a"}, {At(6, 2), "/b"}, {At(6, 3), "/b"}};
    int upToDate;
    ASSERT_EQ(1, Update(&upToDate));
    ASSERT_EQ(1, Update(&upToDate));
    std::string folder = profile_.SwiftmereRepository;
    ASSERT_TRUE(ovtest::FileExistsAt(folder + "\\daily\\master.dat"));
    EXPECT_TRUE(DeleteRealtimeDatabase(&profile_, nullptr));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
}

} // namespace
