// Code 7 through the Schedule Report dialog, driven as a user would.
#include "desk_fixture.h"
#include <algorithm>
#include "desk_services.h"
#include "dialog_driver.h"
#include "resource_ids.h"
#include "host/profile_list.h"
#include "schedule/schedule_events.h"
#include "schedule/schedule_files.h"
#include "schedule/schedule_summary_dialog.h"
#include "definitions/report_definitions.h"

namespace {
void TypeWhen(HWND dialog, time_t when) {
    char timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    desk::FormatLocalTimeTexts(timeText, dateText, when);
    ovtest::SetText(dialog, IDC_SCHED_TIME, timeText);
    ovtest::SetText(dialog, IDC_SCHED_DATE, dateText);
}

int Edit(ScheduleListEntry* entry, ScheduleListEntry** out,
         const std::function<void(HWND)>& steps) {
    return (int)ovtest::RunModal([&] { return (INT_PTR)EditScheduleEvent(nullptr, entry, out); },
                                 steps, 10000, "Schedule Report");
}

class ScheduleDialogTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        SupplyRecordingCallbacks();
        WriteProfile("00000001", "Main site", install_.Path("a.log"));
        WriteProfile("00000002", "Shop", install_.Path("b.log"));
        ASSERT_EQ(Enumerate().size(), 2u);
    }
};
} // namespace

TEST_F(ScheduleDialogTest, NewEventIsCheckedStoredAndListed) {
    const time_t future = 1900000000;
    ScheduleListEntry* entry = nullptr;
    int result = Edit(nullptr, &entry, [&](HWND dialog) {
        EXPECT_EQ(ovtest::ComboEntries(dialog, IDC_SCHED_UNIT).size(), 5u);
        EXPECT_EQ(ovtest::ComboEntries(dialog, IDC_SCHED_KIND),
                  (std::vector<std::string>{"file:///", "ftp://", "mailto:"}));
        EXPECT_EQ(ovtest::ItemText(dialog, IDC_SCHED_TARGET), ".\\REPORT.HTM");
        const struct {
            const char* time;
            bool blankDate;
            const char* caption;
        } refused[] = {{"25:00:00", false, "Invalid Time"},
                       {"10:00:00", true, "Time and/or Date Fields Blank"}};
        for (const auto& c : refused) {
            SCOPED_TRACE(c.caption);
            TypeWhen(dialog, future);
            ovtest::SetText(dialog, IDC_SCHED_TIME, c.time);
            if (c.blankDate)
                ovtest::SetText(dialog, IDC_SCHED_DATE, "");
            size_t before = SchedulerLogAdded().size();
            ovtest::Click(dialog, IDOK);
            EXPECT_NE(SchedulerLogAdded().substr(before).find(c.caption), std::string::npos);
            EXPECT_TRUE(IsWindow(dialog)) << "a refused entry keeps the dialog open";
        }
        ovtest::SetText(dialog, IDC_SCHED_DATE, "13/45/2030");
        size_t before = SchedulerLogAdded().size();
        ovtest::Click(dialog, IDOK);
        EXPECT_NE(SchedulerLogAdded().substr(before).find("Invalid Date"), std::string::npos);

        EXPECT_TRUE(ovtest::SelectCombo(dialog, IDC_SCHED_PROFILE, "Shop"));
        TypeWhen(dialog, future);
        ovtest::SetText(dialog, IDC_SCHED_REPEAT, "0");
        ovtest::Click(dialog, IDOK);
    });
    ASSERT_EQ(result, HOST_DONE);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::string(entry->FilePath), install_.Data() + "log0000.las");
    EXPECT_EQ(entry->Time, (DWORD)future);
    EXPECT_EQ(entry->Active, 1u) << "a one-off event still to come stays armed";
    EXPECT_EQ(entry->RepeatType, 5u);
    EXPECT_EQ(entry->Event, GetLastScheduleEvent());
    ScheduleEvent stored = {};
    ASSERT_EQ(ReadScheduleEventFile(entry->FilePath, &stored, "Main"), 1);
    EXPECT_STREQ(stored.SetName, "00000002");
    EXPECT_STREQ(stored.SetDescription, "Shop");
    EXPECT_EQ(stored.Version, 256u);
    EXPECT_EQ(stored.ActivityType, DEFINITION_SUMMARY);
    HeapFree(GetProcessHeap(), 0, entry);

    // A new host lists it from its file.
    FreeScheduleEvents();
    ScheduleListEntry* listed = nullptr;
    ASSERT_EQ(LogFindScheduleEvent(0, 0, &listed), HOST_DONE);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->Time, (DWORD)future);
    EXPECT_EQ(DeleteScheduleEvent(0, listed), HOST_DONE);
}

// Guards Cancel rewriting the event file and changing the event.
TEST_F(ScheduleDialogTest, CancelChangesNothingAndAPastOneOffIsSavedInactive) {
    ScheduleListEntry* entry = nullptr;
    ASSERT_EQ(Edit(nullptr, &entry,
                   [&](HWND dialog) {
                       EXPECT_TRUE(ovtest::SelectCombo(dialog, IDC_SCHED_PROFILE, "Shop"));
                       TypeWhen(dialog, 1900000000);
                       ovtest::SetText(dialog, IDC_SCHED_REPEAT, "2");
                       ovtest::Click(dialog, IDOK);
                   }),
              HOST_DONE);
    std::string file = entry->FilePath;
    std::string bytes = ovtest::ReadFileBytes(file);
    ScheduleEvent before = *entry->Event;

    ScheduleListEntry* out = entry;
    EXPECT_EQ(Edit(entry, &out,
                   [&](HWND dialog) {
                       EXPECT_EQ(ovtest::ItemText(dialog, IDC_SCHED_REPEAT), "2");
                       EXPECT_TRUE(ovtest::SelectCombo(dialog, IDC_SCHED_PROFILE, "Main site"));
                       ovtest::SetText(dialog, IDC_SCHED_REPEAT, "9");
                       ovtest::Click(dialog, IDCANCEL);
                   }),
              HOST_NO_MEMORY);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(ovtest::ReadFileBytes(file), bytes);
    EXPECT_EQ(memcmp(&before, entry->Event, sizeof before), 0);

    EXPECT_EQ(Edit(entry, &out,
                   [&](HWND dialog) {
                       TypeWhen(dialog, 1000000000);
                       ovtest::SetText(dialog, IDC_SCHED_REPEAT, "0");
                       ovtest::Click(dialog, IDOK);
                   }),
              HOST_DONE);
    EXPECT_EQ(out, entry);
    EXPECT_EQ(entry->Active, 0u);
    EXPECT_EQ(entry->RepeatType, 5u);
    ScheduleEvent stored = {};
    ASSERT_EQ(ReadScheduleEventFile(file.c_str(), &stored, "Main"), 1);
    EXPECT_EQ(stored.Active, 0u);
    EXPECT_EQ(stored.Time, 1000000000u);
    EXPECT_EQ(DeleteScheduleEvent(0, entry), HOST_DONE);
}

TEST_F(ScheduleDialogTest, NoProfilesNoDialog) {
    FreeLoadedProfiles();
    ScheduleListEntry* entry = reinterpret_cast<ScheduleListEntry*>(1);
    EXPECT_EQ(EditScheduleEvent(nullptr, nullptr, &entry), HOST_NO_MEMORY);
    EXPECT_EQ(entry, nullptr);
}

TEST_F(ScheduleDialogTest, AddDialogFillsTheHostsEventFromTheChosenDefinitionAndProfile) {
    ReportDefinition definition = {};
    strcpy(definition.Description, "Weekly");
    ASSERT_EQ(WriteReportDefinition((install_.Data() + "00000001.MSS").c_str(), &definition), 1);
    strcpy(definition.Description, "Graphs");
    ASSERT_EQ(WriteReportDefinition((install_.Data() + "00000001.MG").c_str(), &definition), 1);
    ScheduleEvent event = {};
    INT_PTR result = ovtest::RunModal(
        [&] {
            return DialogBoxIndirectParamA(GetPluginInstance(),
                                           GetDialogTemplate(IDD_SCHEDULER_ADD), nullptr,
                                           SchedulerAddDlg, (LPARAM)&event);
        },
        [&](HWND dialog) {
            EXPECT_TRUE(ovtest::IsChecked(dialog, IDC_ADD_KIND_MSS));
            size_t before = SchedulerLogAdded().size();
            ovtest::Click(dialog, IDOK);
            EXPECT_NE(SchedulerLogAdded().substr(before).find("No Memorized Activity Selected."),
                      std::string::npos);
            // One line per definition of the ticked kind and profile.
            std::vector<std::string> lines = ovtest::ListEntries(dialog, IDC_SCHED_MEMORIZED);
            std::sort(lines.begin(), lines.end());
            EXPECT_EQ(lines,
                      (std::vector<std::string>{"Weekly\t00000001.wlp", "Weekly\t00000002.wlp"}));
            ovtest::Click(dialog, IDC_ADD_KIND_MG);
            EXPECT_EQ(ovtest::ListEntries(dialog, IDC_SCHED_MEMORIZED).size(), 2u);
            EXPECT_EQ(ovtest::ListEntries(dialog, IDC_SCHED_MEMORIZED)[0].substr(0, 7), "Graphs\t");
            ovtest::Click(dialog, IDC_ADD_KIND_MSS);
            std::vector<std::string> shown = ovtest::ListEntries(dialog, IDC_SCHED_MEMORIZED);
            int shop = shown[0] == "Weekly\t00000002.wlp" ? 0 : 1;
            ovtest::SelectListIndex(dialog, IDC_SCHED_MEMORIZED, shop);
            ovtest::Click(dialog, IDOK);
        });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(event.Memorized, "Weekly");
    EXPECT_EQ(event.ActivityType, DEFINITION_SUMMARY);
    EXPECT_EQ(event.Version, 256u);
    EXPECT_EQ(event.Active, 1u);
    EXPECT_STREQ(event.SetName, "00000002");
    EXPECT_STREQ(event.SetExtension, "wlp");
    EXPECT_STREQ(event.SetDescription, "Shop");
}

// Guards the profile chosen by description alone: a profile renamed since
// the event was made moved the event to the first profile on Save.
TEST_F(ScheduleDialogTest, EditShowsTheEventsOwnProfileAfterARename) {
    ScheduleListEntry* entry = nullptr;
    ASSERT_EQ(Edit(nullptr, &entry,
                   [&](HWND dialog) {
                       EXPECT_TRUE(ovtest::SelectCombo(dialog, IDC_SCHED_PROFILE, "Shop"));
                       TypeWhen(dialog, 1900000000);
                       ovtest::Click(dialog, IDOK);
                   }),
              HOST_DONE);
    strcpy(entry->Event->SetDescription, "Shop before its rename");
    ScheduleListEntry* out = nullptr;
    Edit(entry, &out, [&](HWND dialog) {
        EXPECT_EQ(ovtest::ComboSelection(dialog, IDC_SCHED_PROFILE), "Shop");
        ovtest::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(DeleteScheduleEvent(0, entry), HOST_DONE);
}
