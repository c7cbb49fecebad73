// The Schedule Report dialog's memorized-report combo and its New, Browse
// and Login buttons, driven as a user would.
#include "desk_fixture.h"
#include "desk_services.h"
#include "dialog_driver.h"
#include "resource_ids.h"
#include "definitions/report_definitions.h"
#include "report_dialog/report_pages.h"
#include "report_run/output_names.h"
#include "schedule/schedule_events.h"
#include "schedule/schedule_files.h"
#include "schedule/schedule_summary_dialog.h"

namespace {
int Edit(ScheduleListEntry* entry, ScheduleListEntry** out,
         const std::function<void(HWND)>& steps) {
    return (int)ovtest::RunModal([&] { return (INT_PTR)EditScheduleEvent(nullptr, entry, out); },
                                 steps, 20000, "Schedule Report");
}

void SetFutureTime(HWND dialog) {
    char timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    desk::FormatLocalTimeTexts(timeText, dateText, 1900000000);
    ovtest::SetText(dialog, IDC_SCHED_TIME, timeText);
    ovtest::SetText(dialog, IDC_SCHED_DATE, dateText);
}

class ScheduleButtonsTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        SupplyRecordingCallbacks();
        WriteProfile("00000001", "Main site", install_.Path("a.log"));
        ASSERT_EQ(Enumerate().size(), 1u);
    }

    void WriteDefinition(const char* file, const char* description, const char* target) {
        ReportDefinition definition = {};
        strcpy(definition.Description, description);
        strcpy(definition.SaveReportAs, target);
        ASSERT_EQ(WriteReportDefinition((install_.Data() + file).c_str(), &definition), 1);
    }

    // Saves the dialog's event and reads its stored file back.
    ScheduleEvent SaveAndRead(ScheduleListEntry* entry) {
        ScheduleEvent stored = {};
        EXPECT_NE(entry, nullptr);
        if (entry) {
            EXPECT_EQ(ReadScheduleEventFile(entry->FilePath, &stored, "Main"), 1);
        }
        return stored;
    }
};
} // namespace

TEST_F(ScheduleButtonsTest, MemorizedComboIsOwnerDrawnWithEachDefinitionsFormatIcon) {
    WriteDefinition("00000001.MSS", "As page", ".\\week.htm");
    WriteDefinition("00000002.MSS", "As text", "c:\\out\\week.txt");
    ScheduleListEntry* entry = nullptr;
    Edit(nullptr, &entry, [&](HWND dialog) {
        HWND combo = ovtest::Control(dialog, IDC_SCHED_MEMORIZED);
        EXPECT_TRUE(GetWindowLongA(combo, GWL_STYLE) & CBS_OWNERDRAWFIXED);
        std::vector<std::string> items = ovtest::ComboEntries(dialog, IDC_SCHED_MEMORIZED);
        ASSERT_EQ(items.size(), 2u);
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(items[i]);
            int icon = -1;
            SendMessageA(dialog, WM_COMBO_ICON_INDEX, i, (LPARAM)&icon);
            EXPECT_EQ(icon, items[i] == "As text" ? 4 : 0) << "the output format's icon";
        }
        ovtest::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(entry, nullptr);
}

TEST_F(ScheduleButtonsTest, NewMemorizesAReportForTheChosenProfileAndSelectsIt) {
    WriteDefinition("00000001.MSS", "Weekly", ".\\week.htm");
    ScheduleListEntry* entry = nullptr;
    int result = Edit(nullptr, &entry, [&](HWND dialog) {
        EXPECT_EQ(ovtest::ComboSelection(dialog, IDC_SCHED_MEMORIZED), "Weekly");
        // The dialog names the profile it memorizes for.
        ovtest::WhenDialogShown("Create Memorized Report (Main site)", [](HWND create) {
            ovtest::SetText(create, IDC_CR_DESCRIPTION, "Nightly");
            ovtest::Click(create, IDC_CR_START);
        });
        ovtest::Click(dialog, IDC_SCHED_NEW);
        EXPECT_EQ(ovtest::ComboEntries(dialog, IDC_SCHED_MEMORIZED).size(), 2u);
        EXPECT_EQ(ovtest::ComboSelection(dialog, IDC_SCHED_MEMORIZED), "Nightly");
        SetFutureTime(dialog);
        ovtest::Click(dialog, IDOK);
    });
    ASSERT_EQ(result, HOST_DONE);
    ScheduleEvent stored = SaveAndRead(entry);
    EXPECT_STREQ(stored.Memorized, "Nightly");
    EXPECT_STREQ(stored.SaveAsFilename, "file:///.\\week.htm")
        << "the destination stays the event's";
    ReportDefinition made = {};
    EXPECT_EQ(FindReportDefinition(DEFINITION_SUMMARY, "", nullptr, nullptr, "Nightly", &made,
                                   nullptr, 0),
              1);
    HeapFree(GetProcessHeap(), 0, entry);
}

TEST_F(ScheduleButtonsTest, LoginGivesTheFtpPathAndAccountAndCancelKeepsThem) {
    ScheduleListEntry* entry = nullptr;
    int result = Edit(nullptr, &entry, [&](HWND dialog) {
        EXPECT_TRUE(ovtest::SelectCombo(dialog, IDC_SCHED_KIND, "ftp://"));
        EXPECT_EQ(ovtest::ItemText(dialog, IDC_SCHED_BROWSE), "Login...");
        ovtest::SetText(dialog, IDC_SCHED_TARGET, "127.0.0.1/reports/r.htm");
        // A cancelled login changes nothing.
        ovtest::WhenDialogShown("Log File Login", [](HWND login) {
            ovtest::SetText(login, IDC_LOGIN_USER, "nobody");
            ovtest::Click(login, IDC_LOGIN_CANCEL);
        });
        ovtest::Click(dialog, IDC_SCHED_BROWSE);
        ovtest::WhenDialogShown("Log File Login", [](HWND login) {
            EXPECT_EQ(ovtest::ItemText(login, IDC_LOGIN_USER), "");
            ovtest::SetText(login, IDC_LOGIN_USER, "anna");
            ovtest::SetText(login, IDC_LOGIN_PASSWORD, "secret");
            ovtest::Click(login, IDC_LOGIN_OK);
        });
        ovtest::Click(dialog, IDC_SCHED_BROWSE);
        SetFutureTime(dialog);
        ovtest::Click(dialog, IDOK);
    });
    ASSERT_EQ(result, HOST_DONE);
    ScheduleEvent stored = SaveAndRead(entry);
    EXPECT_STREQ(stored.SaveAsFilename, "ftp://127.0.0.1/reports/r.htm");
    EXPECT_STREQ(stored.SaveAsUsername, "anna");
    EXPECT_STREQ(stored.SaveAsPassword, "secret");

    // Editing again shows the account to the login dialog; Cancel in the
    // Schedule Report dialog keeps what was stored.
    std::string bytes = ovtest::ReadFileBytes(entry->FilePath);
    ScheduleListEntry* out = nullptr;
    EXPECT_EQ(Edit(entry, &out,
                   [&](HWND dialog) {
                       ovtest::WhenDialogShown("Log File Login", [](HWND login) {
                           EXPECT_EQ(ovtest::ItemText(login, IDC_LOGIN_USER), "anna");
                           ovtest::SetText(login, IDC_LOGIN_USER, "other");
                           ovtest::Click(login, IDC_LOGIN_OK);
                       });
                       ovtest::Click(dialog, IDC_SCHED_BROWSE);
                       ovtest::Click(dialog, IDCANCEL);
                   }),
              HOST_NO_MEMORY);
    EXPECT_EQ(ovtest::ReadFileBytes(entry->FilePath), bytes);
    EXPECT_STREQ(entry->Event->SaveAsUsername, "anna");
    HeapFree(GetProcessHeap(), 0, entry);
}

TEST_F(ScheduleButtonsTest, BrowseTakesAReportFileRelativeToTheReportsFolder) {
    char reports[MAX_PATH], folder[MAX_PATH];
    MakeDefaultReportsDir(reports);
    // The save dialog moves the current folder; later tests rely on it.
    GetCurrentDirectoryA(sizeof folder, folder);
    ScheduleListEntry* entry = nullptr;
    int result = Edit(nullptr, &entry, [&](HWND dialog) {
        EXPECT_EQ(ovtest::ItemText(dialog, IDC_SCHED_BROWSE), "Browse...");
        ovtest::WhenDialogShown("Summarize To...", [&](HWND picker) {
            // The file name field of the common save dialog (an edit, or a
            // combo in the newer layout).
            std::string chosen = std::string(reports) + "\\monday.htm";
            SetDlgItemTextA(picker, 1152, chosen.c_str());
            SetDlgItemTextA(picker, 1148, chosen.c_str());
            PostMessageA(picker, WM_COMMAND, IDOK, 0);
        });
        ovtest::Click(dialog, IDC_SCHED_BROWSE);
        EXPECT_EQ(ovtest::ItemText(dialog, IDC_SCHED_TARGET), ".\\monday.htm");
        SetFutureTime(dialog);
        ovtest::Click(dialog, IDOK);
    });
    SetCurrentDirectoryA(folder);
    ASSERT_EQ(result, HOST_DONE);
    EXPECT_STREQ(SaveAndRead(entry).SaveAsFilename, "file:///.\\monday.htm");
    HeapFree(GetProcessHeap(), 0, entry);
}
