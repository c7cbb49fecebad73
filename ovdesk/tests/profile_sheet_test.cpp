// The profile sheet driven as a user drives it: the wizard of a new profile,
// the tabs of an existing one, their refusals, and what reaches the file.
#include <gtest/gtest.h>
#include "profile_sheet_fixture.h"
#include "dialog_driver.h"
#include "desk_services.h"
#include "profile_sheet/profile_sheet.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <commctrl.h>
#include <prsht.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace ovtest;

namespace {
const char kWizard[] = "Add Web Log Profile -- ";
} // namespace

TEST_F(ProfileSheetTest, WizardMakesASingleServerProfileThatReadsBack) {
    AnalysisProfile* profile = NewProfile();
    std::vector<std::string> titles;
    int result = Run(profile, 1, [&](HWND sheet) {
        titles.push_back(Title(sheet));
        titles.push_back(Next(sheet)); // one server, the preset
        HWND page = CurrentPage(sheet);
        SetText(page, IDC_TU_DESCRIPTION, "Shop logs");
        EXPECT_TRUE(SelectCombo(page, IDC_TU_PROTOCOL, "file:///"));
        SetText(page, IDC_TU_PATH, "C:\\logs\\shop.log");
        EXPECT_TRUE(SelectCombo(page, IDC_TU_FORMAT, "NCSA Combined/Extended"));
        titles.push_back(Next(sheet));
        EXPECT_TRUE(
            SelectCombo(CurrentPage(sheet), IDC_DNS_MODE, "Resolve mode, lookup all numeric IPs"));
        titles.push_back(Next(sheet));
        page = CurrentPage(sheet);
        EXPECT_EQ(ComboSelection(page, IDC_HP_PROTOCOL), "http://");
        SetText(page, IDC_HP_ADDRESS, "www.example.com");
        titles.push_back(Next(sheet));
        EXPECT_EQ(ListEntries(CurrentPage(sheet), IDC_FL_LIST),
                  std::vector<std::string>{"Include Everything"});
        titles.push_back(Next(sheet));
        page = CurrentPage(sheet);
        EXPECT_FALSE(IsChecked(page, IDC_DB_COLLECT));
        PressSheetButton(sheet, PSBTN_FINISH);
    });
    EXPECT_EQ(result, PROFILE_SHEET_OK);
    EXPECT_EQ(titles, (std::vector<std::string>{
                          std::string(kWizard) + "Site Configuration",
                          std::string(kWizard) + "Title, URL", std::string(kWizard) + "DNS Lookup",
                          std::string(kWizard) + "Home Page", std::string(kWizard) + "Filters",
                          std::string(kWizard) + "Database and Real-Time"}));
    EXPECT_EQ(boxes_.Count(), 0u);
    ORB_UpdateOrbisEntry(profile);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->Description, "Shop logs");
    EXPECT_EQ(ServerList_GetIsCluster(&read->Servers), 0u);
    EXPECT_EQ(ServerList_GetProtocol(&read->Servers), (DWORD)SERVER_PROTOCOL_FILE);
    ASSERT_EQ(ServerList_Count(&read->Servers), 1u);
    EXPECT_STREQ(ServerList_Get(&read->Servers, 0)->szPath, "C:\\logs\\shop.log");
    EXPECT_EQ(read->LogFileFormat, 14u);
    EXPECT_EQ(read->DNSLookup, 1);
    EXPECT_STREQ(read->HomePageBaseDir, "http://www.example.com/");
    EXPECT_STREQ(read->HomePageDefaults,
                 "default.htm default.html index.htm index.html default.asp");
    EXPECT_EQ(read->SwiftmereFlag, SWIFTMERE_NONE);
    EXPECT_EQ(read->RealtimeAnalysis, 0u);
}

TEST_F(ProfileSheetTest, WizardMakesAClusterProfileWithItsServers) {
    AnalysisProfile* profile = NewProfile();
    std::string serversTitle;
    std::vector<SeenBox> seen;
    int result = Run(profile, 1, [&](HWND sheet) {
        Click(CurrentPage(sheet), IDC_SITE_CLUSTER);
        serversTitle = Next(sheet);
        HWND page = CurrentPage(sheet);
        SetText(page, IDC_TU_DESCRIPTION, "Farm");
        // Two servers; then one whose name is taken in another letter case:
        // its dialog opens again, and is cancelled.
        const char* const names[][2] = {
            {"web1", "C:\\logs\\1.log"}, {"web2", "C:\\logs\\2.log"}, {"WEB1", "C:\\logs\\3.log"}};
        for (const auto& server : names) {
            WhenDialogShown("Server's Log File(s) Location", [&](HWND dialog) {
                SetText(dialog, IDC_SV_NAME, server[0]);
                SetText(dialog, IDC_SV_PATH, server[1]);
                if (strcmp(server[0], "WEB1") == 0)
                    Later([] {
                        WhenDialogShown("Server's Log File(s) Location",
                                        [](HWND again) { Click(again, IDCANCEL); });
                    });
                Click(dialog, IDOK);
            });
            Click(page, IDC_SL_ADD);
        }
        HWND list = GetDlgItem(page, IDC_SL_LIST);
        EXPECT_EQ(ListViewCount(list), 2);
        EXPECT_EQ(ListViewText(list, 1, 0), "web2");
        EXPECT_EQ(ListViewText(list, 1, 1), "C:\\logs\\2.log");
        Next(sheet);
        Next(sheet);
        Next(sheet);
        Next(sheet);
        PressSheetButton(sheet, PSBTN_FINISH);
    });
    EXPECT_EQ(result, PROFILE_SHEET_OK);
    EXPECT_EQ(serversTitle, std::string(kWizard) + "List of Servers");
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Seen()[0].caption, "Duplicate Server Name");
    ORB_UpdateOrbisEntry(profile);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->Description, "Farm");
    EXPECT_EQ(ServerList_GetIsCluster(&read->Servers), 1u);
    ASSERT_EQ(ServerList_Count(&read->Servers), 2u);
    EXPECT_STREQ(ServerList_Get(&read->Servers, 0)->szName, "web1");
    EXPECT_STREQ(ServerList_Get(&read->Servers, 1)->szPath, "C:\\logs\\2.log");
}

TEST_F(ProfileSheetTest, EditShowsTheTabsOfItsKindOfProfile) {
    const std::vector<std::string> common = {"DNS Lookup", "Home Page", "Filters",
                                             "Database and Real-Time"};
    for (bool cluster : {false, true}) {
        SCOPED_TRACE(cluster ? "cluster" : "single server");
        AnalysisProfile* profile = StoredProfile("Shop", cluster);
        std::vector<std::string> tabs;
        std::string caption;
        Run(profile, 0, [&](HWND sheet) {
            tabs = SheetTabs(sheet);
            caption = Title(sheet);
        });
        std::vector<std::string> expected = {cluster ? "List of Servers" : "Title, URL"};
        expected.insert(expected.end(), common.begin(), common.end());
        EXPECT_EQ(tabs, expected);
        EXPECT_EQ(caption, "Edit Web Log Profile");
    }
}

// Each refusal keeps the sheet on its page with the page's message.
TEST_F(ProfileSheetTest, EditRefusesWhatThePagesRefuse) {
    struct Case {
        const char* Tab;
        std::function<void(HWND)> Enter;
        const char* Caption;
        const char* Text;
    };
    const Case cases[] = {
        {"Title, URL", [](HWND page) { SetText(page, IDC_TU_DESCRIPTION, ""); },
         "Invalid Description...", "Please enter a description for your log file."},
        {"Title, URL",
         [](HWND page) {
             SelectCombo(page, IDC_TU_PROTOCOL, "ftp://");
             SetText(page, IDC_TU_PATH, "ftp.example.com\\logs\\a.log");
         },
         "Invalid URL Path", "The URL path you supplied is invalid."},
        {"Title, URL",
         [](HWND page) {
             SelectCombo(page, IDC_TU_PROTOCOL, "http://");
             SetText(page, IDC_TU_PATH, "FTP://host/logs/a.log");
         },
         "Invalid URL Path", "The URL path you supplied is invalid."},
        {"Home Page", [](HWND page) { SetText(page, IDC_HP_ADDRESS, std::string(255, 'a') + "/"); },
         "Invalid URL Path", "Invalid Home Page URL path."},
        {"Home Page", [](HWND page) { SetText(page, IDC_HP_FILES, ""); }, "Invalid File Names",
         "Please enter the Home Page File Names for your web site. "},
        {"Database and Real-Time",
         [](HWND page) {
             Click(page, IDC_DB_COLLECT);
             Click(page, IDC_DB_ANALYZE);
             Click(page, IDC_DB_GENERATE);
             SelectCombo(page, IDC_DB_UNIT, "Hours");
             SetText(page, IDC_DB_INTERVAL, "24");
         },
         "Ostrevane",
         "Invalid report frequency entered.\r\nThe valid range is 1 to 23.\r\nAutomatically "
         "resetting to the default value (1)."},
        {"Database and Real-Time",
         [](HWND page) {
             Click(page, IDC_DB_COLLECT);
             Click(page, IDC_DB_ANALYZE);
             Click(page, IDC_DB_GENERATE);
             SelectCombo(page, IDC_DB_UNIT, "Hours");
             SetText(page, IDC_DB_INTERVAL, "2");
             SetText(page, IDC_DB_SAVEAS, "C:\\reports\\live.txt");
         },
         "Ostrevane",
         "Please enter a valid 'Save As:' filename.  You must specify the full path to the file, "
         "and you must also use a '.HTM' extension."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        AnalysisProfile* profile = StoredProfile("Shop", false);
        boxes_.Clear();
        std::string stayed;
        Run(profile, 0, [&](HWND sheet) {
            std::vector<std::string> tabs = SheetTabs(sheet);
            int index = (int)(std::find(tabs.begin(), tabs.end(), c.Tab) - tabs.begin());
            ASSERT_TRUE(SelectSheetPage(sheet, index));
            c.Enter(CurrentPage(sheet));
            SelectSheetPage(sheet, index == 0 ? 1 : 0);
            stayed = CurrentPageCaption(sheet);
            PressSheetButton(sheet, PSBTN_CANCEL);
        });
        EXPECT_EQ(stayed, c.Tab);
        ASSERT_TRUE(boxes_.WaitFor(1));
        EXPECT_EQ(boxes_.Seen()[0].caption, c.Caption);
        EXPECT_EQ(boxes_.Seen()[0].text, c.Text);
    }
}

TEST_F(ProfileSheetTest, FiltersAreAddedCopiedPastedAndRemovedOnDisk) {
    AnalysisProfile* profile = StoredProfile("Shop", false);
    std::vector<std::string> afterAdd, afterPaste, afterDelete;
    Run(profile, 0, [&](HWND sheet) {
        SelectSheetPage(sheet, 3);
        HWND page = CurrentPage(sheet);
        EXPECT_FALSE(IsEnabled(page, IDC_FL_PASTE));
        // The wizard's defaults make an include filter.
        RunModal(
            [&] {
                Click(page, IDC_FL_ADD);
                return (INT_PTR)0;
            },
            [](HWND wizard) {
                for (int i = 0; i < 3; ++i)
                    PressSheetButton(wizard, PSBTN_NEXT);
                PressSheetButton(wizard, PSBTN_FINISH);
            },
            10000, "Add Filter");
        afterAdd = ListEntries(page, IDC_FL_LIST);
        SelectListIndex(page, IDC_FL_LIST, 0);
        Click(page, IDC_FL_COPY);
        EXPECT_TRUE(IsEnabled(page, IDC_FL_PASTE));
        Click(page, IDC_FL_PASTE);
        afterPaste = ListEntries(page, IDC_FL_LIST);
        boxes_.AnswerNext({IDYES});
        SelectListIndex(page, IDC_FL_LIST, 1);
        Click(page, IDC_FL_DELETE);
        afterDelete = ListEntries(page, IDC_FL_LIST);
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(afterAdd, (std::vector<std::string>{"Include Everything", "Include Filter 1"}));
    EXPECT_EQ(afterPaste,
              (std::vector<std::string>{"Include Everything", "Copy of Include Everything",
                                        "Include Filter 1"}));
    EXPECT_EQ(afterDelete, (std::vector<std::string>{"Include Everything", "Include Filter 1"}));
    // Each change reached the file at once.
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->Filters, nullptr);
    ASSERT_NE(read->Filters->Next, nullptr);
    EXPECT_STREQ(read->Filters->Next->Name, "Include Filter 1");
    EXPECT_EQ(read->Filters->Next->Next, nullptr);
}

TEST_F(ProfileSheetTest, FiltersWithoutAnIncludeFilterAddIncludeAllAndStay) {
    AnalysisProfile* profile = StoredProfile("Shop", false);
    profile->Filters->Type = FILTER_EXCLUDE;
    std::string stayed;
    std::vector<std::string> entries;
    boxes_.SetButton(IDYES);
    Run(profile, 0, [&](HWND sheet) {
        SelectSheetPage(sheet, 3);
        SelectSheetPage(sheet, 0);
        stayed = CurrentPageCaption(sheet);
        entries = ListEntries(CurrentPage(sheet), IDC_FL_LIST);
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(stayed, "Filters");
    ASSERT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(boxes_.Seen()[0].caption, "No include filters defined");
    EXPECT_EQ(entries, (std::vector<std::string>{"Include Everything", "Include All"}));
}

TEST_F(ProfileSheetTest, DatabasePageStoresTheRealtimeSettings) {
    AnalysisProfile* profile = StoredProfile("Shop", false);
    int result = Run(profile, 0, [&](HWND sheet) {
        SelectSheetPage(sheet, 4);
        HWND page = CurrentPage(sheet);
        EXPECT_FALSE(IsEnabled(page, IDC_DB_ANALYZE));
        Click(page, IDC_DB_COLLECT);
        Click(page, IDC_DB_ANALYZE);
        Click(page, IDC_DB_GENERATE);
        SelectCombo(page, IDC_DB_UNIT, "Minutes");
        SetText(page, IDC_DB_INTERVAL, "15");
        SetText(page, IDC_DB_SAVEAS, "C:\\reports\\live.html");
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(result, PROFILE_SHEET_OK);
    EXPECT_EQ(boxes_.Count(), 0u);
    EXPECT_EQ(profile->SwiftmereFlag, SWIFTMERE_FILES);
    EXPECT_EQ(profile->RealtimeAnalysis, 1u);
    EXPECT_EQ(profile->RealtimeReports, 1u);
    EXPECT_EQ(profile->RealtimeReportFrequency, 0);
    EXPECT_EQ(profile->RealtimeReportInterval, 15u);
    EXPECT_STREQ(profile->ReportSaveToPath, "C:\\reports\\live.html");
}

TEST_F(ProfileSheetTest, PagesWalkTheirControlsInTabOrder) {
    AnalysisProfile* profile = StoredProfile("Shop", false);
    std::vector<int> order;
    Run(profile, 0, [&](HWND sheet) { order = TabOrder(CurrentPage(sheet)); });
    EXPECT_EQ(order, (std::vector<int>{IDC_TU_DESCRIPTION, IDC_TU_PROTOCOL, IDC_TU_PATH,
                                       IDC_TU_BROWSE, IDC_TU_EXAMPLES, IDC_TU_FORMAT}));
}
