// History database folder, master.dat and period arithmetic: where the
// database lies, how master.dat is made and grown (by replacing it whole),
// the day/week/month/quarter/year periods and their labels, and the lock
// that keeps a second program from updating the same database.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "dates/intl_names.h"
#include "history/durable_file.h"
#include "history/history_db.h"
#include "temp_install.h"

namespace {

ORB_TIME At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return Y2K_mktimeEx((WORD)hour, (WORD)minute, (WORD)second, (WORD)(month - 1), (WORD)day,
                        (WORD)(year - 1900), nullptr);
}

TEST(HistoryFolderTest, TheDatabaseFolderOfAProfile) {
    AnalysisProfile profile = {};
    char folder[MAX_PATH], daily[MAX_PATH];
    const struct {
        const char* repository;
        const char* profilePath;
        int kind;
        const char* folder;
        const char* sub;
    } cases[] = {
        {"", "C:\\data\\shop.wlp", 0, "C:\\data\\shop.dat", "C:\\data\\shop.dat\\daily"},
        {"", "C:\\data.v2\\shop", 3, "C:\\data.v2\\shop", "C:\\data.v2\\shop\\quartrly"},
        {"D:\\history\\", "C:\\data\\shop.wlp", 4, "D:\\history", "D:\\history\\yearly"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        strcpy(profile.SwiftmereRepository, c.repository);
        ASSERT_TRUE(ConvertOrbisFileToRealTimeDir(&profile, c.profilePath, folder, daily, c.kind));
        EXPECT_STREQ(c.folder, folder);
        EXPECT_STREQ(c.sub, daily);
    }
    EXPECT_FALSE(ConvertOrbisFileToRealTimeDir(&profile, "C:\\a.wlp", folder, daily, 5));
    EXPECT_STREQ("", daily);
}

TEST(HistoryPeriodTimeTest, PeriodsOfEachKind) {
    const struct {
        int kind;
        ORB_TIME time, start, end;
    } cases[] = {
        {PERIOD_DAY, At(2000, 2, 29, 13, 5), At(2000, 2, 29), At(2000, 2, 29, 23, 59, 59)},
        // Saturday 1 January 2000: its week began on Sunday 26 December 1999.
        {PERIOD_WEEK, At(2000, 1, 1, 12), At(1999, 12, 26), At(2000, 1, 1, 23, 59, 59)},
        {PERIOD_WEEK, At(2004, 2, 27), At(2004, 2, 22), At(2004, 2, 28, 23, 59, 59)},
        {PERIOD_MONTH, At(2004, 2, 10), At(2004, 2, 1), At(2004, 2, 29, 23, 59, 59)},
        {PERIOD_MONTH, At(1900 + 200, 2, 10), At(2100, 2, 1), At(2100, 2, 28, 23, 59, 59)},
        {PERIOD_QUARTER, At(1999, 9, 30, 23), At(1999, 7, 1), At(1999, 9, 30, 23, 59, 59)},
        {PERIOD_YEAR, At(2040, 6, 1), At(2040, 1, 1), At(2040, 12, 31, 23, 59, 59)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.time);
        EXPECT_EQ(c.start, PeriodStart(c.kind, c.time));
        EXPECT_EQ(c.end, PeriodEnd(c.kind, c.time));
        EXPECT_EQ(c.end + 1, NextPeriodStart(c.kind, c.time));
    }
}

TEST(HistoryPeriodTimeTest, LabelsOfEachKind) {
    IntlNames names;
    IntlNames_FromEngine(&names);
    char day[64];
    if (names.iDate == 1)
        sprintf(day, "5/%s/1999", names.shortMonth[2]);
    else if (names.iDate == 2)
        sprintf(day, "1999/%s/5", names.shortMonth[2]);
    else
        sprintf(day, "%s/5/1999", names.shortMonth[2]);
    char month[64];
    sprintf(month, "%s, 1999", names.longMonth[2]);
    const struct {
        int kind;
        ORB_TIME time;
        const char* label;
    } cases[] = {
        {PERIOD_DAY, At(1999, 3, 5, 18), day},
        {PERIOD_WEEK, At(2000, 1, 1), "Week of 12/26/1999"}, // the Sunday's year
        {PERIOD_MONTH, At(1999, 3, 31), month},
        {PERIOD_QUARTER, At(1999, 11, 2), "Q4, 1999"},
        {PERIOD_YEAR, At(2001, 7, 7), "2001"},
    };
    for (const auto& c : cases) {
        char text[64];
        EXPECT_STREQ(c.label, FormatDatabasePeriodLabel(c.kind, c.time, text));
    }
}

class HistoryMasterTest : public ::testing::Test {
  protected:
    ovtest::TempInstall install_;
    std::string folder_ = install_.Root() + "db";
    std::string master_ = folder_ + "\\master.dat";
    void SetUp() override { CreateDirectoryA(folder_.c_str(), nullptr); }
    void TearDown() override { DurableFile_FailWrite(0); }

    std::vector<MasterEntry> Entries() {
        MasterEntry* entries;
        DWORD count;
        std::vector<MasterEntry> out;
        if (LoadMasterFile(folder_.c_str(), &entries, &count)) {
            out.assign(entries, entries + count);
            free(entries);
        }
        return out;
    }
};

TEST_F(HistoryMasterTest, ANewMasterCoversTheLogDays) {
    ASSERT_TRUE(EnsureMasterFile(folder_.c_str(), At(1999, 3, 5, 10), At(1999, 3, 7, 2)));
    std::string bytes = ovtest::ReadFileBytes(master_);
    ASSERT_EQ(448u + 3 * 64, bytes.size());
    EXPECT_EQ(4, bytes[0]);
    EXPECT_EQ(std::string(444, '\0'), bytes.substr(4, 444));
    auto entries = Entries();
    for (int i = 0; i < 3; ++i) {
        char name[20];
        sprintf(name, "%08x.dat", (unsigned)At(1999, 3, 5 + i));
        EXPECT_STREQ(name, entries[i].Name);
        EXPECT_EQ(At(1999, 3, 5 + i), entries[i].Start);
        EXPECT_EQ(entries[i].Start + 86399, entries[i].End);
        EXPECT_EQ(0u, entries[i].Current);
    }
}

TEST_F(HistoryMasterTest, GrowingKeepsTheOldEntriesBehindTheNewOnes) {
    ASSERT_TRUE(EnsureMasterFile(folder_.c_str(), At(1999, 3, 5, 10), At(1999, 3, 6, 2)));
    auto old = Entries();
    old[1].Current = At(1999, 3, 6, 1);
    ASSERT_TRUE(SaveMasterFile(folder_.c_str(), old.data(), (DWORD)old.size()));
    // Three and a half days before the first entry: four new days in front;
    // two more days at the end.
    ASSERT_TRUE(EnsureMasterFile(folder_.c_str(), At(1999, 3, 1, 12), At(1999, 3, 8, 5)));
    auto grown = Entries();
    ASSERT_EQ(8u, grown.size());
    EXPECT_EQ(At(1999, 3, 1), grown[0].Start);
    EXPECT_EQ(0, memcmp(&old[0], &grown[4], 2 * sizeof(MasterEntry)));
    for (size_t i = 1; i < grown.size(); ++i)
        EXPECT_EQ(grown[i - 1].End + 1, grown[i].Start);
    EXPECT_FALSE(ovtest::FileExistsAt(folder_ + "\\~master.dat.tmp"));
}

TEST_F(HistoryMasterTest, AFailedGrowthLeavesTheOldMaster) {
    ASSERT_TRUE(EnsureMasterFile(folder_.c_str(), At(1999, 3, 5), At(1999, 3, 6)));
    std::string before = ovtest::ReadFileBytes(master_);
    for (int n = 1; n <= 2; ++n) { // the data write, then the replacing rename
        DurableFile_FailWrite(n);
        EXPECT_FALSE(EnsureMasterFile(folder_.c_str(), At(1999, 2, 1), At(1999, 3, 6)));
        EXPECT_EQ(before, ovtest::ReadFileBytes(master_));
    }
    DurableFile_FailWrite(0);
    // A damaged index is never rewritten over.
    ovtest::WriteFileBytes(master_, std::string(500, '\x7f'));
    EXPECT_FALSE(EnsureMasterFile(folder_.c_str(), At(1999, 3, 5), At(1999, 3, 6)));
    EXPECT_EQ(std::string(500, '\x7f'), ovtest::ReadFileBytes(master_));
}

} // namespace
