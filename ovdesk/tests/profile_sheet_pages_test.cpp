// The profile sheet's Remote Reports and Advanced Swiftmere pages: when they
// are shown, what they list, what they refuse and what they store.
#include <gtest/gtest.h>
#include "profile_sheet_fixture.h"
#include "dialog_driver.h"
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
// The account this test runs as, as the Remote Reports page lists it.
std::string CurrentUser() {
    char name[256] = "";
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}
} // namespace

TEST_F(ProfileSheetTest, RemoteReportsTabFollowsTheWebSetting) {
    for (const char* setting : {"", "false", "FALSE", "TRUE", "yes"}) {
        SCOPED_TRACE(setting);
        if (setting[0])
            SetBaseSwitch("WebEnable", setting);
        AnalysisProfile* profile = StoredProfile("Shop", false);
        std::vector<std::string> tabs;
        Run(profile, 0, [&](HWND sheet) { tabs = SheetTabs(sheet); });
        bool on = setting[0] && setting[0] != 'f' && setting[0] != 'F';
        EXPECT_EQ(Has(tabs, "Remote Reports"), on);
    }
}

// "Anyone" first, then the machine's groups in brackets and its accounts;
// the owner stored is the user's choice, with its kind letter.
TEST_F(ProfileSheetTest, RemoteReportsListsTheAccountsAndStoresTheOwner) {
    SetBaseSwitch("WebEnable", "TRUE");
    const std::string user = CurrentUser();
    ASSERT_FALSE(user.empty());
    struct Case {
        std::string Stored;   // LogOwner on entry
        std::string Selected; // the entry shown at start
        std::string Choose;   // the entry the user picks ("" keeps it)
        std::string Written;  // LogOwner after OK
    };
    const Case cases[] = {
        {"", "Anyone", user, "u" + user},  {"u" + user, user, "", "u" + user},
        {"u" + user, user, "Anyone", ""},  {"gNoSuchGroup", "Anyone", "", ""},
        {"uNoSuchUser", "Anyone", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Stored + " -> " + c.Choose);
        AnalysisProfile* profile = StoredProfile("Shop", false);
        strcpy(profile->LogOwner, c.Stored.c_str());
        std::vector<std::string> entries;
        std::string selected;
        int result = Run(profile, 0, [&](HWND sheet) {
            ASSERT_TRUE(SelectTab(sheet, "Remote Reports"));
            HWND page = CurrentPage(sheet);
            entries = ComboEntries(page, IDC_RR_OWNER);
            selected = ComboSelection(page, IDC_RR_OWNER);
            if (!c.Choose.empty()) {
                EXPECT_TRUE(SelectCombo(page, IDC_RR_OWNER, c.Choose));
            }
            PressSheetButton(sheet, PSBTN_OK);
        });
        EXPECT_EQ(result, 1);
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries[0], "Anyone");
        EXPECT_TRUE(Has(entries, user));
        // Groups come before users, each in brackets.
        auto firstUser = std::find(entries.begin(), entries.end(), user);
        for (auto entry = entries.begin() + 1; entry != firstUser; ++entry)
            EXPECT_EQ((*entry)[0], '[') << *entry;
        EXPECT_EQ(selected, c.Selected);
        EXPECT_EQ(profile->LogOwner, c.Written);
        ORB_UpdateOrbisEntry(profile);
        AnalysisProfile* read = ReadBack(profile);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->LogOwner, c.Written);
    }
}

TEST_F(ProfileSheetTest, AdvancedSwiftmereTabOnlyForALocalDatabase) {
    for (WORD flag : {SWIFTMERE_NONE, SWIFTMERE_FILES, SWIFTMERE_ODBC}) {
        SCOPED_TRACE(flag);
        AnalysisProfile* profile = StoredProfile("Shop", false);
        profile->SwiftmereFlag = flag;
        std::vector<std::string> tabs;
        Run(profile, 0, [&](HWND sheet) { tabs = SheetTabs(sheet); });
        EXPECT_EQ(Has(tabs, "Advanced Swiftmere"), flag == SWIFTMERE_FILES);
    }
}

// The default location empties the folder; an alternate one must be given,
// and no other profile's local database may lie there. The profile's own
// stored copy is no other profile.
TEST_F(ProfileSheetTest, AdvancedSwiftmereRefusesAMissingOrTakenFolder) {
    AnalysisProfile* other = StoredProfile("Other shop", false);
    other->SwiftmereFlag = SWIFTMERE_FILES;
    strcpy(other->SwiftmereRepository, "C:\\History\\Shared");
    AnalysisProfile* elsewhere = StoredProfile("Mirror", false);
    elsewhere->SwiftmereFlag = SWIFTMERE_ODBC;
    strcpy(elsewhere->SwiftmereRepository, "C:\\History\\Mirror");
    struct Case {
        const char* Name;
        bool Default;
        const char* Folder;
        const char* Refusal; // null when accepted
        const char* Stored;
    };
    const Case cases[] = {
        {"default location", true, "C:\\History\\Old", nullptr, ""},
        {"no folder", false, "",
         "No path was entered for the Swiftmere database location. Either choose to use the "
         "default location, or enter a valid path for the Swiftmere database location.",
         "C:\\History\\Own"},
        {"another profile's folder", false, "c:\\history\\SHARED",
         "The directory chosen is already being used as the Swiftmere database for \"\"Other "
         "shop\"\". Please choose a different directory for this Swiftmere database.",
         nullptr},
        {"an ODBC profile's folder is free", false, "C:\\History\\Mirror", nullptr,
         "C:\\History\\Mirror"},
        {"its own folder", false, "C:\\History\\Own", nullptr, "C:\\History\\Own"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        AnalysisProfile* stored = StoredProfile("Shop", false);
        stored->SwiftmereFlag = SWIFTMERE_FILES;
        strcpy(stored->SwiftmereRepository, "C:\\History\\Own");
        ORB_UpdateOrbisEntry(stored);
        AnalysisProfile* edited = ReadBack(stored);
        ASSERT_NE(edited, nullptr);
        made_.pop_back(); // the copy is not one of the loaded profiles
        boxes_.Clear();
        bool enabledAtStart = true, defaultAtStart = true;
        std::string stayed;
        int result = Run(
            edited, 0,
            [&](HWND sheet) {
                ASSERT_TRUE(SelectTab(sheet, "Advanced Swiftmere"));
                HWND page = CurrentPage(sheet);
                defaultAtStart = IsChecked(page, IDC_SW_DEFAULT);
                enabledAtStart = IsEnabled(page, IDC_SW_FOLDER) && IsEnabled(page, IDC_SW_BROWSE);
                if (c.Default) {
                    Click(page, IDC_SW_DEFAULT);
                    EXPECT_FALSE(IsEnabled(page, IDC_SW_FOLDER));
                }
                SetText(page, IDC_SW_FOLDER, c.Folder);
                PressSheetButton(sheet, PSBTN_OK);
                if (c.Refusal) {
                    stayed = CurrentPageCaption(sheet);
                    PressSheetButton(sheet, PSBTN_CANCEL);
                }
            },
            stored);
        EXPECT_FALSE(defaultAtStart);
        EXPECT_TRUE(enabledAtStart);
        if (c.Refusal) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(stayed, "Advanced Swiftmere");
            ASSERT_TRUE(boxes_.WaitFor(1));
            EXPECT_EQ(boxes_.Seen()[0].text, c.Refusal);
        } else {
            EXPECT_EQ(result, 1);
            EXPECT_EQ(boxes_.Count(), 0u) << boxes_.LastText();
        }
        if (c.Stored) {
            EXPECT_STREQ(edited->SwiftmereRepository, c.Stored);
        }
        AnalysisProfile_Free(edited);
        stored->SwiftmereFlag = SWIFTMERE_NONE; // out of the next case's way
    }
}

// A profile without a stored folder opens on the default location, its
// folder controls greyed.
TEST_F(ProfileSheetTest, AdvancedSwiftmereStartsOnTheDefaultLocation) {
    AnalysisProfile* profile = StoredProfile("Shop", false);
    profile->SwiftmereFlag = SWIFTMERE_FILES;
    bool checked = false, folder = true, browse = true;
    int result = Run(profile, 0, [&](HWND sheet) {
        ASSERT_TRUE(SelectTab(sheet, "Advanced Swiftmere"));
        HWND page = CurrentPage(sheet);
        checked = IsChecked(page, IDC_SW_DEFAULT);
        folder = IsEnabled(page, IDC_SW_FOLDER);
        browse = IsEnabled(page, IDC_SW_BROWSE);
        Click(page, IDC_SW_DEFAULT);
        SetText(page, IDC_SW_FOLDER, "D:\\Swiftmere\\shop");
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(folder);
    EXPECT_FALSE(browse);
    ORB_UpdateOrbisEntry(profile);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->SwiftmereRepository, "D:\\Swiftmere\\shop");
}
