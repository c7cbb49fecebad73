// Database maintenance over a history database written by the test: the
// days it lists and the days each button purges, in a zone east of UTC.
#include <gtest/gtest.h>
#include "desk_fixture.h"
#include "dialog_driver.h"
#include "desk_services.h"
#include "host/profile_list.h"
#include "profile_sheet/database_maintenance.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace ovtest;

namespace {
const DWORD kDays[] = {1577836800, 1577923200, 1578009600}; // 2020-01-01 .. 03 UTC

class DatabaseMaintenanceTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        SetDeskUnattended(FALSE);
        // The engine's data folder is the install's, whatever a test before set.
        settings_ = PointEngineSettingsAt(install_);
        ASSERT_NE(settings_, nullptr);
        // East of UTC: a local conversion of a date would land a day early.
        _putenv("TZ=JST-9");
        _tzset();
        profile_ = AddProfile("Shop", SWIFTMERE_FILES);
        MakeDatabase(profile_, kDays, 3, daily_);
    }
    // A loaded profile with its file.
    AnalysisProfile* AddProfile(const char* description, WORD swiftmere) {
        AnalysisProfile* profile = AnalysisProfile_New();
        strcpy(profile->Description, description);
        profile->SwiftmereFlag = swiftmere;
        EXPECT_EQ(ORB_CreateOrbisEntry(profile), 0);
        EXPECT_TRUE(AppendLoadedProfile(profile));
        added_.push_back(profile);
        return profile;
    }
    // The profile's history database: master.dat with these days, and one
    // period file a day, in daily (its folder, filled in).
    void MakeDatabase(AnalysisProfile* profile, const DWORD* days, int count, char* daily) {
        char datfiles[MAX_PATH], path[MAX_PATH], folder[MAX_PATH];
        ORB_GetDatfilesPath(datfiles);
        snprintf(path, sizeof path, "%s%s.%s", datfiles, profile->BaseName, profile->Extension);
        ASSERT_TRUE(ConvertOrbisFileToRealTimeDir(profile, path, folder, daily, 0));
        CreateDirectoryA(folder, nullptr);
        CreateDirectoryA(daily, nullptr);
        std::vector<unsigned char> master(448, 0);
        for (int i = 0; i < count; ++i) {
            DWORD day = days[i];
            unsigned char entry[64] = {};
            snprintf((char*)entry, 20, "%08lx.dat", (unsigned long)day);
            memcpy(entry + 20, &day, 4);
            DWORD end = day + 86399, current = day + 86400;
            memcpy(entry + 24, &end, 4);
            memcpy(entry + 28, &current, 4);
            master.insert(master.end(), entry, entry + 64);
            WriteFile(DayFile(daily, day), "x");
        }
        WriteFile(std::string(daily) + "\\master.dat", std::string(master.begin(), master.end()));
    }
    void TearDown() override {
        _putenv("TZ=UTC");
        _tzset();
        SetDeskUnattended(TRUE);
        boxes_.Clear();
        for (AnalysisProfile* profile : added_)
            if (RemoveLoadedProfile(profile))
                AnalysisProfile_Free(profile);
        if (settings_)
            FreeLibrary(settings_);
        DeskFixture::TearDown();
    }
    static void WriteFile(const std::string& path, const std::string& text) {
        FILE* file = fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);
    }
    static std::string DayFile(const char* daily, DWORD day) {
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\%08lx.dat", daily, (unsigned long)day);
        return path;
    }
    bool DayKept(DWORD day, const char* daily = nullptr) {
        return GetFileAttributesA(DayFile(daily ? daily : daily_, day).c_str()) !=
               INVALID_FILE_ATTRIBUTES;
    }
    AnalysisProfile* profile_ = nullptr;
    std::vector<AnalysisProfile*> added_;
    HMODULE settings_ = nullptr;
    char daily_[MAX_PATH] = "";
};

std::string DateText(DWORD day) {
    char time[DATE_TEXT_SIZE], date[DATE_TEXT_SIZE];
    desk::FormatUtcTimeTexts(time, date, (time_t)day);
    return date;
}
} // namespace

TEST_F(DatabaseMaintenanceTest, ListsTheDaysAndPurgesTheChosenOnes) {
    std::vector<std::string> listed, afterDay, afterBetween, afterBefore;
    RunModal([] { return (INT_PTR)HostDatabaseMaintenance(nullptr); },
             [&](HWND dialog) {
                 EXPECT_EQ(ListEntries(dialog, IDC_DM_PROFILES), std::vector<std::string>{"Shop"});
                 listed = ListEntries(dialog, IDC_DM_DAYS);
                 SelectListIndex(dialog, IDC_DM_DAYS, 1);
                 Click(dialog, IDC_DM_DELETE_DAY);
                 afterDay = ListEntries(dialog, IDC_DM_DAYS);
                 // Both ends are left out: the same date twice deletes nothing.
                 SetText(dialog, IDC_DM_BETWEEN_FIRST, DateText(kDays[0]));
                 SetText(dialog, IDC_DM_BETWEEN_LAST, DateText(kDays[0]));
                 Click(dialog, IDC_DM_BETWEEN);
                 afterBetween = ListEntries(dialog, IDC_DM_DAYS);
                 SetText(dialog, IDC_DM_BEFORE_DATE, DateText(kDays[2]));
                 Click(dialog, IDC_DM_BEFORE);
                 afterBefore = ListEntries(dialog, IDC_DM_DAYS);
                 SetText(dialog, IDC_DM_AFTER_DATE, "13/45/2020");
                 Click(dialog, IDC_DM_AFTER);
                 Click(dialog, IDCANCEL);
             });
    const std::vector<std::string> all = {DateText(kDays[0]), DateText(kDays[1]),
                                          DateText(kDays[2])};
    EXPECT_EQ(listed, all);
    EXPECT_EQ(afterDay, (std::vector<std::string>{all[0], all[2]}));
    EXPECT_EQ(afterBetween, afterDay);
    EXPECT_EQ(afterBefore, (std::vector<std::string>{all[2]}));
    EXPECT_FALSE(DayKept(kDays[0]));
    EXPECT_FALSE(DayKept(kDays[1]));
    EXPECT_TRUE(DayKept(kDays[2]));
    ASSERT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(boxes_.Seen()[0].caption, "Invalid Date");
    EXPECT_EQ(boxes_.Seen()[0].text, "The date field does not contain a valid date.");
}

// Profiles are told apart by the entry, not by their description: two
// "Shop" profiles each show and lose their own days. A profile without a
// history database is not offered; an ODBC one is, with no days. Deleting
// everything asks first, and No keeps the days.
TEST_F(DatabaseMaintenanceTest, EachListedProfileKeepsItsOwnDatabase) {
    AddProfile("No history", SWIFTMERE_NONE);
    AddProfile("Warehouse", SWIFTMERE_ODBC);
    AnalysisProfile* twin = AddProfile("Shop", SWIFTMERE_FILES);
    const DWORD twinDays[] = {kDays[1] + 86400 * 30};
    char twinDaily[MAX_PATH] = "";
    MakeDatabase(twin, twinDays, 1, twinDaily);
    std::vector<std::string> profiles, warehouse, twinListed, afterNo, first;
    boxes_.AnswerNext({IDNO});
    RunModal([] { return (INT_PTR)HostDatabaseMaintenance(nullptr); },
             [&](HWND dialog) {
                 profiles = ListEntries(dialog, IDC_DM_PROFILES);
                 SelectListIndex(dialog, IDC_DM_PROFILES, 1);
                 warehouse = ListEntries(dialog, IDC_DM_DAYS);
                 SelectListIndex(dialog, IDC_DM_PROFILES, 2);
                 twinListed = ListEntries(dialog, IDC_DM_DAYS);
                 Click(dialog, IDC_DM_DELETE_ALL);
                 afterNo = ListEntries(dialog, IDC_DM_DAYS);
                 SelectListIndex(dialog, IDC_DM_PROFILES, 0);
                 first = ListEntries(dialog, IDC_DM_DAYS);
                 Click(dialog, IDCANCEL);
             });
    EXPECT_EQ(profiles, (std::vector<std::string>{"Shop", "Warehouse", "Shop"}));
    EXPECT_TRUE(warehouse.empty());
    EXPECT_EQ(twinListed, std::vector<std::string>{DateText(twinDays[0])});
    EXPECT_EQ(afterNo, twinListed);
    EXPECT_TRUE(DayKept(twinDays[0], twinDaily));
    EXPECT_EQ(first.size(), 3u);
    for (DWORD day : kDays)
        EXPECT_TRUE(DayKept(day));
    ASSERT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(boxes_.Seen()[0].caption, "Delete everything");
}
