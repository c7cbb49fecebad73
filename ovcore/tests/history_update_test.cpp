// Durability of the history database: an update that fails at any disk
// write leaves every stored day readable and as it was (or wholly updated),
// and a second update then completes; a second program is refused an
// update while one updates the database, and readers share it.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tables/analysis_tables.h"
#include "core/message_sink.h"
#include "history/durable_file.h"
#include "history/history_db.h"
#include "temp_install.h"
#include "wait_until.h"

namespace {

ORB_TIME At(int day, int hour, int minute = 0) {
    return Y2K_mktimeEx((WORD)hour, (WORD)minute, 0, 2, (WORD)day, 99, nullptr);
}

struct Hit {
    ORB_TIME time;
    const char* page;
};

ReportHandle* NewReport() {
    return (ReportHandle*)calloc(1, sizeof(ReportHandle));
}

// One update over a log: every open day the log reaches gets the hits after
// its stored time and is committed. False when the database cannot be
// opened or a commit fails (the update stops there).
bool RunUpdate(AnalysisProfile* profile, const std::vector<Hit>& log) {
    HistoryDatabase* db =
        OpenHistoryDatabase(profile, nullptr, log.front().time, log.back().time, 1);
    if (!db)
        return false;
    bool ok = true;
    for (DWORD n = 0; ok && n < db->EntryCount; ++n) {
        MasterEntry e = db->Entries[n];
        if (e.Current > e.End)
            continue;
        ReportHandle* report = NewReport();
        ok = LoadPeriodForUpdate(&e, db, report, "C:\\x\\shop.wlp") != 0;
        ORB_TIME reached = 0;
        PeriodBlock& block = report->Run->Period;
        for (const Hit& h : log) {
            bool fresh = e.Current ? h.time > e.Current : h.time >= e.Start;
            if (!ok || !fresh || h.time > e.End)
                continue;
            DWORD item = AddTableItem(&block.TopTablesPtr[TopDocuments], h.page);
            ok = item != 0;
            if (ok)
                block.TopTablesPtr[TopDocuments].lpItems[item - 1]->ovTotalByHits++;
            block.Hits[(h.time - e.Start) / 3600]++;
            reached = h.time;
        }
        int detail;
        if (ok && reached)
            ok = CommitPeriod(db, n, report->Run, reached == e.End ? e.End + 1 : reached,
                              &detail) != 0;
        FreePeriodReport(report);
    }
    CloseHistoryDatabase(db);
    return ok;
}

// Each stored day as text: its time, its pages' hits and its hour counts.
std::map<std::string, std::string> StoredDays(AnalysisProfile* profile) {
    std::map<std::string, std::string> days;
    HistoryDatabase* db = OpenHistoryDatabaseToRead(profile, nullptr);
    EXPECT_NE(nullptr, db);
    if (!db)
        return days;
    MasterEntry e;
    while (ReadNextMasterEntry(db, &e)) {
        ReportHandle* report = NewReport();
        int result = ReadPeriod(&e, db, report, nullptr);
        std::string text = std::to_string(e.Current) + ":";
        if (result == PERIOD_LOADED) {
            const AnalysisTable& docs = report->Run->Period.TopTablesPtr[TopDocuments];
            std::vector<std::string> pages;
            for (DWORD i = 0; i < docs.ovCount; ++i)
                pages.push_back(std::string(docs.lpItems[i]->ovString) + "=" +
                                std::to_string(docs.lpItems[i]->ovTotalByHits));
            std::sort(pages.begin(), pages.end());
            for (const auto& p : pages)
                text += p + ",";
            for (DWORD h : report->Run->Period.Hits)
                text += std::to_string(h) + " ";
        } else {
            text += "result " + std::to_string(result);
        }
        days[e.Name] = text;
        FreePeriodReport(report);
    }
    CloseHistoryDatabase(db);
    return days;
}

class HistoryUpdateTest : public ::testing::Test {
  protected:
    ovtest::TempInstall install_;
    AnalysisProfile profile_ = {};
    const std::vector<Hit> before_ = {
        {At(5, 0, 0), "/a"}, {At(5, 9), "/a"}, {At(5, 23), "/b"}, {At(6, 1), "/a"}};
    const std::vector<Hit> after_ = {{At(5, 0, 0), "/a"}, {At(5, 9), "/a"},  {At(5, 23), "/b"},
                                     {At(6, 1), "/a"},    {At(6, 14), "/c"}, {At(7, 2), "/a"}};
    // A failed write is reported; unattended, the report is a log line.
    void SetUp() override { Engine_SetUnattended(TRUE); }
    void TearDown() override {
        DurableFile_FailWrite(0);
        Engine_SetUnattended(FALSE);
    }
    void UseFolder(const std::string& name) {
        profile_.SwiftmereFlag = SWIFTMERE_FILES;
        strcpy(profile_.SwiftmereRepository, (install_.Root() + name).c_str());
    }
};

TEST_F(HistoryUpdateTest, AFailureAtAnyWriteLeavesEveryStoredDayWhole) {
    UseFolder("clean");
    ASSERT_TRUE(RunUpdate(&profile_, before_));
    const auto held = StoredDays(&profile_);
    ASSERT_EQ(2u, held.size());
    ASSERT_TRUE(RunUpdate(&profile_, after_));
    const auto updated = StoredDays(&profile_);
    ASSERT_EQ(3u, updated.size());

    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        UseFolder("db" + std::to_string(n));
        ASSERT_TRUE(RunUpdate(&profile_, before_));
        DurableFile_FailWrite(n);
        bool done = RunUpdate(&profile_, after_);
        int writes = DurableFile_WriteCount();
        DurableFile_FailWrite(0);
        if (done) {
            EXPECT_LT(writes, n);
            EXPECT_GT(n, 6); // the update made several writes
            break;
        }
        // Every day held before is as it was, or wholly updated.
        auto now = StoredDays(&profile_);
        for (const auto& day : held)
            EXPECT_TRUE(now[day.first] == day.second || now[day.first] == updated.at(day.first))
                << day.first << " " << now[day.first];
        ASSERT_TRUE(RunUpdate(&profile_, after_));
        EXPECT_EQ(updated, StoredDays(&profile_));
    }
    std::string leftovers = install_.Root() + "clean\\daily\\~*";
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA(leftovers.c_str(), &found));
}

// The other program of the lock tests: holds the database, to update it or
// (OV_HISTORY_LOCK_MODE "read") to read it, until told to let go. Disabled:
// only the lock tests run it, in a child copy of this program.
TEST(HistoryLockChild, DISABLED_HoldsTheDatabase) {
    const char* folder = getenv("OV_HISTORY_LOCK_CHILD");
    ASSERT_NE(nullptr, folder) << "run by the lock tests of HistoryUpdateTest";
    const char* mode = getenv("OV_HISTORY_LOCK_MODE");
    AnalysisProfile profile = {};
    profile.SwiftmereFlag = SWIFTMERE_FILES;
    strcpy(profile.SwiftmereRepository, folder);
    HistoryDatabase* db = mode && strcmp(mode, "read") == 0
                              ? OpenHistoryDatabaseToRead(&profile, nullptr)
                              : OpenHistoryDatabase(&profile, nullptr, At(5, 0), At(5, 1), 1);
    ASSERT_NE(nullptr, db);
    std::string base = folder;
    ovtest::WriteFileBytes(base + "\\ready", "1");
    EXPECT_TRUE(ovtest::WaitUntil([&] { return ovtest::FileExistsAt(base + "\\release"); }, 60000));
    CloseHistoryDatabase(db);
}

// A second copy of this program holding the database in folder; what it
// prints goes to a file beside the folder.
class OtherProgram {
  public:
    OtherProgram(const std::string& folder, const char* mode) : folder_(folder) {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string command = std::string("\"") + exe +
                              "\" --gtest_filter=HistoryLockChild.*"
                              " --gtest_also_run_disabled_tests";
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE output = CreateFileA((folder + "-child.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA startup = {sizeof(startup)};
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output;
        SetEnvironmentVariableA("OV_HISTORY_LOCK_CHILD", folder.c_str());
        SetEnvironmentVariableA("OV_HISTORY_LOCK_MODE", mode);
        started_ = output != INVALID_HANDLE_VALUE &&
                   CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &startup, &child_);
        SetEnvironmentVariableA("OV_HISTORY_LOCK_CHILD", nullptr);
        SetEnvironmentVariableA("OV_HISTORY_LOCK_MODE", nullptr);
        if (output != INVALID_HANDLE_VALUE)
            CloseHandle(output);
    }
    ~OtherProgram() {
        if (started_)
            Release();
    }
    // True once the other program holds the database.
    bool Holds() {
        return started_ &&
               ovtest::WaitUntil([&] { return ovtest::FileExistsAt(folder_ + "\\ready"); }, 60000);
    }
    // Lets it go; its exit code (1 when it did not end in time).
    DWORD Release() {
        ovtest::WriteFileBytes(folder_ + "\\release", "1");
        DWORD code = 1;
        if (ovtest::WaitUntil(
                [&] { return WaitForSingleObject(child_.hProcess, 0) == WAIT_OBJECT_0; }, 60000))
            GetExitCodeProcess(child_.hProcess, &code);
        CloseHandle(child_.hProcess);
        CloseHandle(child_.hThread);
        started_ = false;
        return code;
    }

  private:
    std::string folder_;
    PROCESS_INFORMATION child_ = {};
    bool started_ = false;
};

TEST_F(HistoryUpdateTest, ASecondProgramIsRefusedAndNothingIsLost) {
    UseFolder("locked");
    ASSERT_TRUE(RunUpdate(&profile_, before_));
    const auto held = StoredDays(&profile_);
    OtherProgram other(profile_.SwiftmereRepository, "update");
    ASSERT_TRUE(other.Holds());

    EXPECT_EQ(nullptr, OpenHistoryDatabase(&profile_, nullptr, At(5, 0), At(7, 1), 1));
    EXPECT_EQ(HISTORY_OPEN_LOCKED, HistoryOpenFailure());
    EXPECT_FALSE(RunUpdate(&profile_, after_));

    EXPECT_EQ(0u, other.Release());
    EXPECT_EQ(held, StoredDays(&profile_));
    EXPECT_TRUE(RunUpdate(&profile_, after_));
}

// Readers share the database with each other and with one updater. Guards a
// lock that refused every second program, readers too.
TEST_F(HistoryUpdateTest, ReadersShareTheDatabaseWithReadersAndAnUpdater) {
    UseFolder("clean");
    ASSERT_TRUE(RunUpdate(&profile_, before_));
    const auto held = StoredDays(&profile_);
    ASSERT_TRUE(RunUpdate(&profile_, after_));
    const auto updated = StoredDays(&profile_);
    for (const char* mode : {"update", "read"}) {
        SCOPED_TRACE(mode);
        const bool otherUpdates = strcmp(mode, "update") == 0;
        UseFolder(std::string("held-") + mode);
        ASSERT_TRUE(RunUpdate(&profile_, before_));
        OtherProgram other(profile_.SwiftmereRepository, mode);
        ASSERT_TRUE(other.Holds());
        EXPECT_EQ(held, StoredDays(&profile_)); // read while the other holds it
        HistoryDatabase* reader = OpenHistoryDatabaseToRead(&profile_, nullptr);
        ASSERT_NE(nullptr, reader);
        MasterEntry entry;
        ASSERT_TRUE(ReadNextMasterEntry(reader, &entry));
        EXPECT_FALSE(RewriteLastMasterEntry(reader, &entry)); // a reader writes nothing
        CloseHistoryDatabase(reader);
        // An update goes on beside a reader, never beside another update.
        EXPECT_EQ(!otherUpdates, RunUpdate(&profile_, after_));
        EXPECT_EQ(otherUpdates ? held : updated, StoredDays(&profile_));
        EXPECT_EQ(0u, other.Release());
        EXPECT_FALSE(ovtest::FileExistsAt(std::string(profile_.SwiftmereRepository) +
                                          "\\daily\\update.lck"));
    }
}

} // namespace
