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
        profile_ = AnalysisProfile_New();
        strcpy(profile_->Description, "Shop");
        profile_->SwiftmereFlag = SWIFTMERE_FILES;
        ASSERT_EQ(ORB_CreateOrbisEntry(profile_), 0);
        ASSERT_TRUE(AppendLoadedProfile(profile_));
        char datfiles[MAX_PATH], path[MAX_PATH], folder[MAX_PATH];
        ORB_GetDatfilesPath(datfiles);
        snprintf(path, sizeof path, "%s%s.%s", datfiles, profile_->BaseName, profile_->Extension);
        ASSERT_TRUE(ConvertOrbisFileToRealTimeDir(profile_, path, folder, daily_, 0));
        CreateDirectoryA(folder, nullptr);
        CreateDirectoryA(daily_, nullptr);
        std::vector<unsigned char> master(448, 0);
        for (DWORD day : kDays) {
            unsigned char entry[64] = {};
            snprintf((char*)entry, 20, "%08lx.dat", (unsigned long)day);
            memcpy(entry + 20, &day, 4);
            DWORD end = day + 86399, current = day + 86400;
            memcpy(entry + 24, &end, 4);
            memcpy(entry + 28, &current, 4);
            master.insert(master.end(), entry, entry + 64);
            WriteFile(DayFile(day), "x");
        }
        WriteFile(std::string(daily_) + "\\master.dat", std::string(master.begin(), master.end()));
    }
    void TearDown() override {
        _putenv("TZ=UTC");
        _tzset();
        SetDeskUnattended(TRUE);
        boxes_.Clear();
        if (RemoveLoadedProfile(profile_))
            AnalysisProfile_Free(profile_);
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
    std::string DayFile(DWORD day) {
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\%08lx.dat", daily_, (unsigned long)day);
        return path;
    }
    bool DayKept(DWORD day) {
        return GetFileAttributesA(DayFile(day).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    AnalysisProfile* profile_ = nullptr;
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
