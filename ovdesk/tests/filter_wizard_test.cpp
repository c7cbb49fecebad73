// The filter wizard driven as a user drives it: New, Edit and Copy from the
// profile sheet's Filters page, each page's refusals, the pages that follow
// the ticked elements, the summary texts, and long lists that must survive.
#include <gtest/gtest.h>
#include "desk_fixture.h"
#include "dialog_driver.h"
#include "desk_services.h"
#include "filter_wizard/filter_checks.h"
#include "profile_sheet/filter_wizard.h"
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
class FilterWizardTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        SetDeskUnattended(FALSE);
        char root[MAX_PATH] = "";
        ORB_GetExePath(root);
        adViews_ = std::string(root) + "ADVIEWS.TXT";
        DeleteFileA(adViews_.c_str());
    }
    void TearDown() override {
        SetDeskUnattended(TRUE);
        boxes_.Clear();
        DeleteFileA(adViews_.c_str());
        for (AnalysisProfile* profile : made_)
            AnalysisProfile_Free(profile);
        DeskFixture::TearDown();
    }
    // A stored profile whose chain is the one filter "Include Everything".
    AnalysisProfile* StoredProfile() {
        AnalysisProfile* profile = AnalysisProfile_New();
        profile->SwiftmereFlag = SWIFTMERE_NONE;
        EXPECT_EQ(ORB_CreateOrbisEntry(profile), 0);
        strcpy(profile->Description, "Shop");
        strcpy(profile->HomePageDefaults, "index.htm");
        ServerList_AddServer(&profile->Servers, "", "C:\\logs\\a.log", "", "");
        ORB_UpdateOrbisEntry(profile);
        made_.push_back(profile);
        return profile;
    }
    AnalysisProfile* ReadBack(const AnalysisProfile* profile) {
        std::string name = std::string(profile->BaseName) + "." + profile->Extension;
        AnalysisProfile* read = ORB_GetSet(name.c_str());
        if (read)
            made_.push_back(read);
        return read;
    }
    // The profile sheet on a stored profile, at its Filters tab.
    void RunFiltersTab(AnalysisProfile* profile, const std::function<void(HWND, HWND)>& steps) {
        RunModal(
            [&] { return (INT_PTR)ShowProfileSheet(nullptr, 0, profile, 0, nullptr, 0, nullptr); },
            [&](HWND sheet) {
                std::vector<std::string> tabs = SheetTabs(sheet);
                int index = (int)(std::find(tabs.begin(), tabs.end(), "Filters") - tabs.begin());
                ASSERT_TRUE(SelectSheetPage(sheet, index));
                steps(sheet, CurrentPage(sheet));
                PressSheetButton(sheet, PSBTN_OK);
            });
    }
    // Clicks a button of the Filters page that opens a filter sheet, and
    // runs steps in that sheet.
    void InFilterSheet(HWND page, int button, const char* captionPrefix,
                       const std::function<void(HWND)>& steps) {
        RunModal(
            [&] {
                Click(page, button);
                return (INT_PTR)0;
            },
            steps, 10000, captionPrefix);
    }
    int RunNewFilter(AnalysisProfile* profile, const std::function<void(HWND)>& steps) {
        return (int)RunModal([&] { return (INT_PTR)NewProfileFilter(nullptr, profile, -1); }, steps,
                             10000, "Add Filter");
    }
    void WriteAdViews() {
        WriteFileBytes(adViews_, "\"banner.gif\",\"spring-sale\",\"Spring sale banner\"\r\n"
                                 "\"tower.gif\",\"partner-click\",\"Partner tower\"\r\n");
    }

    std::vector<AnalysisProfile*> made_;
    std::string adViews_;
};

std::string WindowTitle(HWND window) {
    PumpMessages();
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The field's whole text (the driver reads up to 1,023 characters).
std::string FullText(HWND dialog, int item) {
    HWND field = GetDlgItem(dialog, item);
    std::string text(GetWindowTextLengthA(field) + 1, '\0');
    GetWindowTextA(field, &text[0], (int)text.size());
    text.resize(strlen(text.c_str()));
    return text;
}

HWND Next(HWND sheet) {
    PressSheetButton(sheet, PSBTN_NEXT);
    return CurrentPage(sheet);
}

// From the Type page (exclude or include) over the Title page to the
// Elements page, where the element boxes are ticked; then Next.
HWND ToElementPage(HWND sheet, bool exclude, std::initializer_list<int> boxes) {
    if (exclude)
        Click(CurrentPage(sheet), IDC_FW_EXCLUDE);
    Next(sheet);
    HWND elements = Next(sheet);
    Click(elements, IDC_FW_BASED_UPON);
    for (int box : boxes)
        Click(elements, box);
    return Next(sheet);
}

std::vector<std::string> Items(const FilterString* list) {
    std::vector<std::string> items;
    for (; list; list = list->Next)
        items.push_back(list->lpszText ? list->lpszText : "");
    return items;
}

ProfileFilter* FilterNamed(AnalysisProfile* profile, const char* name) {
    for (ProfileFilter* filter = profile->Filters; filter; filter = filter->Next)
        if (strcmp(filter->Name, name) == 0)
            return filter;
    return nullptr;
}

const char kIncludeHeading[] = "This filter will INCLUDE log activity that matches at least one "
                               "value from each of the following filter elements:\r\n\r\n";
const char kExcludeHeading[] = "This filter will EXCLUDE log activity that matches at least one "
                               "value from each of the following filter elements:\r\n\r\n";
} // namespace

TEST_F(FilterWizardTest, NewFilterFromTheFiltersPageIsBuiltPageByPage) {
    AnalysisProfile* profile = StoredProfile();
    std::vector<std::string> titles, afterAdd;
    std::string proposed, summary;
    RunFiltersTab(profile, [&](HWND, HWND page) {
        InFilterSheet(page, IDC_FL_ADD, "Add Filter", [&](HWND sheet) {
            titles.push_back(WindowTitle(sheet));
            Click(CurrentPage(sheet), IDC_FW_EXCLUDE);
            Next(sheet);
            titles.push_back(WindowTitle(sheet));
            proposed = ItemText(CurrentPage(sheet), IDC_FW_NAME);
            HWND elements = Next(sheet);
            titles.push_back(WindowTitle(sheet));
            Click(elements, IDC_FW_BASED_UPON);
            Click(elements, IDC_FW_EL_DIRECTORY);
            Click(elements, IDC_FW_EL_HOUR);
            HWND directory = Next(sheet);
            titles.push_back(WindowTitle(sheet));
            EXPECT_EQ(ItemText(directory, IDC_FW_SUBDIRS), "Also Exclude &Subdirectories");
            SetText(directory, IDC_FW_DIRECTORY, "/images /icons");
            Click(directory, IDC_FW_DIR_CASE);
            HWND hour = Next(sheet);
            titles.push_back(WindowTitle(sheet));
            EXPECT_EQ(ItemText(hour, IDC_FW_HOUR_ALL), "None");
            Click(hour, IDC_FW_HOUR_BETWEEN);
            SetText(hour, IDC_FW_HOUR_BEGIN, "22");
            SetText(hour, IDC_FW_HOUR_END, "6");
            summary = ItemText(Next(sheet), IDC_FW_SUMMARY);
            titles.push_back(WindowTitle(sheet));
            PressSheetButton(sheet, PSBTN_FINISH);
        });
        afterAdd = ListEntries(page, IDC_FL_LIST);
    });
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Add Filter -- Filter Type", "Add Filter -- Filter Title",
                                        "Add Filter -- Filter Elements", "Add Filter -- Directory",
                                        "Add Filter -- Hour", "Add Filter -- Summary"}));
    EXPECT_EQ(proposed, "Exclude Filter 1");
    EXPECT_EQ(summary, std::string(kExcludeHeading) +
                           "Directory = /images /icons\r\n(including subdirectories)\r\n"
                           "(case sensitive)\r\n\r\nHour = between 22:00 and 6:00\r\n\r\n");
    EXPECT_EQ(afterAdd, (std::vector<std::string>{"Include Everything", "Exclude Filter 1"}));
    EXPECT_EQ(boxes_.Count(), 0u);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    ProfileFilter* made = FilterNamed(read, "Exclude Filter 1");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Type, (DWORD)FILTER_EXCLUDE);
    EXPECT_EQ(made->dwFlags, (DWORD)(FILTER_DIRECTORY | FILTER_HOURS));
    EXPECT_EQ(Items(made->Directory), (std::vector<std::string>{"/images", "/icons"}));
    EXPECT_EQ(made->DirectoryCaseSensitive, 1u);
    EXPECT_EQ(made->HourAll, 0u);
    EXPECT_EQ(made->HourBegin, 22u);
    EXPECT_EQ(made->HourEnd, 6u);
}

TEST_F(FilterWizardTest, CancelledWizardAddsNothing) {
    AnalysisProfile* profile = StoredProfile();
    ProfileFilter* before = profile->Filters;
    int result = RunNewFilter(profile, [](HWND sheet) {
        Next(sheet);
        Next(sheet);
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(profile->Filters, before);
    EXPECT_EQ(profile->Filters->Next, nullptr);
}

TEST_F(FilterWizardTest, ProposedNameSkipsNamesTakenInAnyCase) {
    ProfileFilter* first = CreateNewIncludeFilter();
    ProfileFilter* third = CreateNewIncludeFilter();
    strcpy(first->Name, "Include Filter 1");
    strcpy(third->Name, "include filter 3");
    first->Next = third;
    EXPECT_EQ(DefaultFilterName(first, FILTER_INCLUDE), "Include Filter 2");
    EXPECT_EQ(DefaultFilterName(first, FILTER_EXCLUDE), "Exclude Filter 1");
    EXPECT_EQ(DefaultFilterName(nullptr, FILTER_INCLUDE), "Include Filter 1");
    FreeFilters(first);
}

TEST_F(FilterWizardTest, EditReplacesTheFilterInPlaceAndCancelKeepsIt) {
    AnalysisProfile* profile = StoredProfile();
    ProfileFilter* second = CreateNewExcludeFilter();
    strcpy(second->Name, "Robots");
    AddFilterToProfile(second, profile, -1);
    ORB_PutSet(profile);
    // Cancel: the very same records stay in the chain.
    ProfileFilter* head = profile->Filters;
    RunFiltersTab(profile, [&](HWND, HWND page) {
        SelectListIndex(page, IDC_FL_LIST, 0);
        InFilterSheet(page, IDC_FL_EDIT, "Include Filter",
                      [](HWND sheet) { PressSheetButton(sheet, PSBTN_CANCEL); });
    });
    EXPECT_EQ(profile->Filters, head);
    EXPECT_EQ(profile->Filters->Next, second);

    std::string caption;
    std::vector<std::string> tabs;
    RunFiltersTab(profile, [&](HWND, HWND page) {
        SelectListIndex(page, IDC_FL_LIST, 0);
        InFilterSheet(page, IDC_FL_EDIT, "Include Filter", [&](HWND sheet) {
            caption = WindowTitle(sheet);
            HWND general = CurrentPage(sheet);
            SetText(general, IDC_FW_NAME, "Explorer only");
            Click(general, IDC_FW_BASED_UPON);
            Click(general, IDC_FW_EL_BROWSER);
            tabs = SheetTabs(sheet);
            SelectSheetPage(sheet, 1);
            SetText(CurrentPage(sheet), IDC_FW_BROWSER, "MSIE");
            PressSheetButton(sheet, PSBTN_OK);
        });
    });
    EXPECT_EQ(caption, "Include Filter \"Include Everything\"");
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Browser", "Summary"}));
    ASSERT_NE(profile->Filters, nullptr);
    EXPECT_STREQ(profile->Filters->Name, "Explorer only");
    EXPECT_EQ(profile->Filters->Next, second);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->Filters->Name, "Explorer only");
    EXPECT_EQ(read->Filters->dwFlags, (DWORD)FILTER_BROWSER);
    EXPECT_EQ(Items(read->Filters->Browser), (std::vector<std::string>{"MSIE"}));
    ASSERT_NE(read->Filters->Next, nullptr);
    EXPECT_STREQ(read->Filters->Next->Name, "Robots");
}

TEST_F(FilterWizardTest, CopyAndPasteNamesTheCopyWhenTheNameFits) {
    AnalysisProfile* profile = StoredProfile();
    std::vector<std::string> entries;
    RunFiltersTab(profile, [&](HWND, HWND page) {
        SelectListIndex(page, IDC_FL_LIST, 0);
        Click(page, IDC_FL_COPY);
        Click(page, IDC_FL_PASTE);
        entries = ListEntries(page, IDC_FL_LIST);
    });
    EXPECT_EQ(entries,
              (std::vector<std::string>{"Include Everything", "Copy of Include Everything"}));
    // A name of 120 characters leaves no room for "Copy of ": the copy keeps it.
    ProfileFilter* longName = CreateNewIncludeFilter();
    std::string name(120, 'n');
    strcpy(longName->Name, name.c_str());
    ASSERT_EQ(CopyProfileFilter(longName, profile, 0), 1);
    EXPECT_EQ(std::string(profile->Filters->Name), name);
    ASSERT_EQ(CopyProfileFilter(profile->Filters->Next, profile, -1), 1);
    FreeOneFilter(longName);
    const ProfileFilter* last = profile->Filters;
    while (last->Next)
        last = last->Next;
    EXPECT_STREQ(last->Name, "Copy of Include Everything");
}

// Each check keeps the wizard on its page with its message; what passes
// moves on without a box.
TEST_F(FilterWizardTest, EveryPageRefusesWhatItCannotStore) {
    struct Case {
        bool Exclude;
        int Box;
        std::function<void(HWND)> Enter;
        const char* Caption; // null: accepted
        const char* Text;
        int Answer;
        bool Stays;
    };
    const char kMixed[] = "Mixing the wildcard character (*) with return values is not supported. "
                          "Try removing the wildcard character or selecting values from the "
                          "drop-down list. ";
    const char kDecimal[] = "Only decimal numbers or the default value (*) are allowed for this "
                            "field. Try editing your entry or selecting a value from the drop-down "
                            "list. ";
    const char kDirectory[] = "Be sure to put quotation marks around directory names which "
                              "contain spaces or commas. Click OK to continue, or Cancel to edit "
                              "your entry.";
    auto text = [](int item, const char* value) {
        return [item, value](HWND page) { SetText(page, item, value); };
    };
    const Case cases[] = {
        {false, IDC_FW_EL_RETURN_CODE, text(IDC_FW_RETURN_CODE, "200 *"), "Invalid Return Code",
         kMixed, IDOK, true},
        {false, IDC_FW_EL_RETURN_CODE, text(IDC_FW_RETURN_CODE, "20x"), "Invalid Return Code",
         kDecimal, IDOK, true},
        {false, IDC_FW_EL_RETURN_CODE, text(IDC_FW_RETURN_CODE, "*"), nullptr, nullptr, 0, false},
        {false, IDC_FW_EL_RETURN_CODE, text(IDC_FW_RETURN_CODE, "200, 404"), nullptr, nullptr, 0,
         false},
        {false, IDC_FW_EL_DIRECTORY, text(IDC_FW_DIRECTORY, "/my docs"), "Directory Filter",
         kDirectory, IDCANCEL, true},
        {false, IDC_FW_EL_DIRECTORY, text(IDC_FW_DIRECTORY, "/my docs"), "Directory Filter",
         kDirectory, IDOK, false},
        {false, IDC_FW_EL_DIRECTORY, text(IDC_FW_DIRECTORY, "/a /b,/c \"/my docs\""), nullptr,
         nullptr, 0, false},
        {false, IDC_FW_EL_FILE, [](HWND page) { Click(page, IDC_FW_NO_FILENAMES); },
         "Option has no effect",
         "The Also Include Requests Without Filenames option has no effect if your file filter "
         "entry is a default value. \r\n\r\nPress Ok to continue or Cancel to edit your entry.",
         IDCANCEL, true},
        {true, IDC_FW_EL_FILE, [](HWND page) { Click(page, IDC_FW_NO_FILENAMES); },
         "Option has no effect",
         "The Also Exclude Requests Without Filenames option has no effect if your file filter "
         "entry is a default value. \r\n\r\nPress Ok to continue or Cancel to edit your entry.",
         IDCANCEL, true},
        {false, IDC_FW_EL_FILE,
         [](HWND page) {
             SetText(page, IDC_FW_FILE, "*.htm");
             Click(page, IDC_FW_NO_FILENAMES);
         },
         nullptr, nullptr, 0, false},
        {false, IDC_FW_EL_REFERRER, text(IDC_FW_REFERRER, "http:* www.example.com"),
         "Referrer appears to be specified incorrectly", nullptr, IDCANCEL, true},
        {false, IDC_FW_EL_REFERRER,
         text(IDC_FW_REFERRER, "*example.com \"(No Referrer)\" FTP://files.example.com/"), nullptr,
         nullptr, 0, false},
        {false, IDC_FW_EL_BROWSER, text(IDC_FW_BROWSER, "*MSIE"), "Invalid Wildcard Character",
         "Wildcard characters(*) are not necessary for filtering Browsers. Try removing the "
         "wildcard characters. ",
         IDYES, true},
        {false, IDC_FW_EL_HOUR,
         [](HWND page) {
             Click(page, IDC_FW_HOUR_BETWEEN);
             SetText(page, IDC_FW_HOUR_END, "24");
         },
         "Invalid Time", "Please enter hours between 0 and 23.", IDOK, true},
    };
    AnalysisProfile* profile = StoredProfile();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Caption ? c.Caption : "accepted") + " on box " +
                     std::to_string(c.Box));
        boxes_.Clear();
        if (c.Answer)
            boxes_.AnswerNext({c.Answer});
        bool stayed = false;
        RunNewFilter(profile, [&](HWND sheet) {
            HWND page = ToElementPage(sheet, c.Exclude, {c.Box});
            c.Enter(page);
            stayed = Next(sheet) == page;
            PressSheetButton(sheet, PSBTN_CANCEL);
        });
        EXPECT_EQ(stayed, c.Stays);
        if (!c.Caption) {
            EXPECT_EQ(boxes_.Count(), 0u);
            continue;
        }
        ASSERT_TRUE(boxes_.WaitFor(1));
        EXPECT_EQ(boxes_.Seen()[0].caption, c.Caption);
        if (c.Text) {
            EXPECT_EQ(boxes_.Seen()[0].text, c.Text);
        }
    }
    // The Title page refuses an empty name.
    boxes_.Clear();
    bool stayed = false;
    RunNewFilter(profile, [&](HWND sheet) {
        HWND title = Next(sheet);
        SetText(title, IDC_FW_NAME, "  ");
        stayed = Next(sheet) == title;
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_TRUE(stayed);
    ASSERT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(boxes_.Seen()[0].caption, "No filter name");
    EXPECT_EQ(boxes_.Seen()[0].text, "Please enter a name for this filter.");
    EXPECT_EQ(profile->Filters->Next, nullptr);
}

// The element pages stand in the order their boxes were ticked, the Summary
// last; the default choice takes them all away but keeps their values.
TEST_F(FilterWizardTest, ElementPagesFollowTheTickedBoxes) {
    AnalysisProfile* profile = StoredProfile();
    std::vector<std::string> ticked, unticked, byDefault;
    DWORD flags = 0;
    RunFiltersTab(profile, [&](HWND, HWND page) {
        SelectListIndex(page, IDC_FL_LIST, 0);
        InFilterSheet(page, IDC_FL_EDIT, "Include Filter", [&](HWND sheet) {
            HWND general = CurrentPage(sheet);
            Click(general, IDC_FW_BASED_UPON);
            Click(general, IDC_FW_EL_HOUR);
            Click(general, IDC_FW_EL_BROWSER);
            ticked = SheetTabs(sheet);
            Click(general, IDC_FW_EL_HOUR);
            unticked = SheetTabs(sheet);
            Click(general, IDC_FW_EL_DAY);
            Click(general, IDC_FW_DEFAULT);
            byDefault = SheetTabs(sheet);
            EXPECT_FALSE(IsEnabled(general, IDC_FW_EL_DAY));
            PressSheetButton(sheet, PSBTN_OK);
        });
    });
    flags = profile->Filters->dwFlags;
    EXPECT_EQ(ticked, (std::vector<std::string>{"General", "Hour", "Browser", "Summary"}));
    EXPECT_EQ(unticked, (std::vector<std::string>{"General", "Browser", "Summary"}));
    EXPECT_EQ(byDefault, (std::vector<std::string>{"General", "Summary"}));
    EXPECT_EQ(flags, (DWORD)(ENABLE_DEFAULT | FILTER_BROWSER | FILTER_DAYS));
}

// The pick lists put the value of the chosen label into the field.
TEST_F(FilterWizardTest, PickListsPutTheirValuesIntoTheFields) {
    AnalysisProfile* profile = StoredProfile();
    std::string codes, addresses, countriesFirst, countriesLast;
    std::vector<std::string> addressLabels;
    RunNewFilter(profile, [&](HWND sheet) {
        HWND page = ToElementPage(sheet, false, {IDC_FW_EL_RETURN_CODE, IDC_FW_EL_USER_ADDRESS});
        EXPECT_TRUE(SelectCombo(page, IDC_FW_RETURN_CODE, "Failed Not Found (404)"));
        PumpMessages();
        codes = ItemText(page, IDC_FW_RETURN_CODE);
        page = Next(sheet);
        addressLabels = ComboEntries(page, IDC_FW_USER_ADDRESS);
        EXPECT_TRUE(SelectCombo(page, IDC_FW_USER_ADDRESS, "Education (.edu)"));
        PumpMessages();
        addresses = ItemText(page, IDC_FW_USER_ADDRESS);
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(codes, "404");
    EXPECT_EQ(addresses, "*.edu *.ac.jp *.ac.uk *.ac.il");
    ASSERT_GT(addressLabels.size(), 200u);
    EXPECT_EQ(addressLabels.front(), "(All Addresses)");
    EXPECT_NE(std::find(addressLabels.begin(), addressLabels.end(), "Andorra (AD)"),
              addressLabels.end());
    EXPECT_EQ(addressLabels.back(), "Zimbabwe (ZW)");
}

TEST_F(FilterWizardTest, AdvertisingPicksAnEntryOfTheAdViewsList) {
    WriteAdViews();
    AnalysisProfile* profile = StoredProfile();
    std::vector<std::string> choices;
    std::string summary;
    int result = RunNewFilter(profile, [&](HWND sheet) {
        HWND page = ToElementPage(sheet, false, {IDC_FW_EL_ADVERTISING});
        choices = ComboEntries(page, IDC_FW_ADVERTISING);
        EXPECT_EQ(ComboSelection(page, IDC_FW_ADVERTISING), "*");
        SelectCombo(page, IDC_FW_ADVERTISING, "Partner tower");
        summary = ItemText(Next(sheet), IDC_FW_SUMMARY);
        PressSheetButton(sheet, PSBTN_FINISH);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(choices, (std::vector<std::string>{"*", "Spring sale banner", "Partner tower"}));
    EXPECT_EQ(summary, std::string(kIncludeHeading) + "Ad = Partner tower\r\n\r\n");
    ProfileFilter* made = FilterNamed(profile, "Include Filter 1");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(Items(made->AdView), (std::vector<std::string>{"tower.gif"}));
    EXPECT_EQ(Items(made->AdClick), (std::vector<std::string>{"partner-click"}));
}

// Regression: each page showed its list through 400 characters and stored
// that text back, so a long list lost its tail on a mere visit.
TEST_F(FilterWizardTest, LongListsSurviveAVisitAndAnEdit) {
    AnalysisProfile* profile = StoredProfile();
    ProfileFilter* filter = profile->Filters;
    filter->dwFlags = FILTER_DIRECTORY | FILTER_USERS;
    std::string directories, users = "*.edu";
    for (int i = 0; i < 60; ++i)
        directories += "/section-" + std::to_string(i) + "/pages ";
    for (int i = 1; i <= 40; ++i)
        users += " 10." + std::to_string(i) + ".0.0/16";
    FreeFilterStrings(filter->Directory);
    filter->Directory = nullptr;
    FilterStringToStruct(directories.c_str(), &filter->Directory, FILTER_TEXT_LIST);
    FreeFilterStrings(filter->Users);
    filter->Users = nullptr;
    FilterStringToStruct(users.c_str(), &filter->Users, FILTER_TEXT_LIST);
    UpdateUserFilters(filter);
    ASSERT_EQ(Items(filter->Directory).size(), 60u);
    ORB_PutSet(profile);

    auto visit = [&](const std::string& appended) {
        RunFiltersTab(profile, [&](HWND, HWND page) {
            SelectListIndex(page, IDC_FL_LIST, 0);
            InFilterSheet(page, IDC_FL_EDIT, "Include Filter", [&](HWND sheet) {
                std::vector<std::string> tabs = SheetTabs(sheet);
                for (size_t i = 1; i + 1 < tabs.size(); ++i) {
                    SelectSheetPage(sheet, (int)i);
                    HWND shown = CurrentPage(sheet);
                    int field = tabs[i] == "Directory" ? IDC_FW_DIRECTORY : IDC_FW_USER_ADDRESS;
                    std::string text = FullText(shown, field);
                    EXPECT_GT(text.size(), 400u) << tabs[i];
                    if (!appended.empty() && field == IDC_FW_DIRECTORY)
                        SetText(shown, field, text + appended);
                }
                SelectSheetPage(sheet, 0);
                PressSheetButton(sheet, PSBTN_OK);
            });
        });
    };
    visit("");
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(Items(read->Filters->Directory).size(), 60u);
    int subnets = 0;
    for (const FilterSubnet* s = read->Filters->Subnet; s; s = s->Next)
        ++subnets;
    EXPECT_EQ(subnets, 40);
    EXPECT_EQ(Items(read->Filters->Users), (std::vector<std::string>{"*.edu"}));

    visit(" /added");
    read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    std::vector<std::string> items = Items(read->Filters->Directory);
    ASSERT_EQ(items.size(), 61u);
    EXPECT_EQ(items.back(), "/added");
}

// The summary text of a table of filters.
TEST_F(FilterWizardTest, SummaryTextsSayWhatTheFilterDoes) {
    struct Case {
        const char* Name;
        std::function<void(ProfileFilter*)> Set;
        bool Exclude;
        std::string Expected;
    };
    auto list = [](FilterString** target, const char* text) {
        FreeFilterStrings(*target);
        *target = nullptr;
        FilterStringToStruct(text, target, FILTER_TEXT_LIST);
    };
    const std::vector<AdEntry> ads = {{"banner.gif", "spring-sale", "Spring sale banner"}};
    const Case cases[] = {
        {"new include filter", [](ProfileFilter*) {}, false,
         std::string(kIncludeHeading) + "All activity included"},
        {"disabled exclude filter",
         [](ProfileFilter* f) { f->dwFlags = ENABLE_DEFAULT | FILTER_DAYS; }, true,
         std::string(kExcludeHeading) + "No activity excluded"},
        {"codes, directory and files",
         [&](ProfileFilter* f) {
             f->dwFlags = FILTER_RETURNCODES | FILTER_DIRECTORY | FILTER_FILES;
             ReturnCodeStringToStruct("200 404", f);
             list(&f->Directory, "/docs");
             f->IncludeSubDirs = 0;
             f->DirectoryCaseSensitive = 1;
             list(&f->Files, "*.htm 'my file.txt'");
             f->IncludeDefaultPages = 1;
         },
         false,
         std::string(kIncludeHeading) + "Return Code = 200 404\r\n\r\n"
                                        "Directory = /docs\r\n(NOT including subdirectories)\r\n"
                                        "(case sensitive)\r\n\r\n"
                                        "File = *.htm \"my file.txt\"\r\n"
                                        "(also include requests without filenames)\r\n\r\n"},
        {"exclude files without file names",
         [&](ProfileFilter* f) {
             f->dwFlags = FILTER_FILES;
             list(&f->Files, "*.gif");
             f->IncludeDefaultPages = 1;
             f->FilesCaseSensitive = 1;
         },
         true,
         std::string(kExcludeHeading) + "File = *.gif\r\n(also exclude requests without "
                                        "filenames)\r\n(case sensitive)\r\n\r\n"},
        {"days and hours",
         [](ProfileFilter* f) {
             f->dwFlags = FILTER_DAYS | FILTER_HOURS;
             f->Days = 0x02 | 0x40;
             f->HourAll = 0;
             f->HourBegin = 22;
             f->HourEnd = 6;
         },
         false,
         std::string(kIncludeHeading) +
             "Day = Sat Mon\r\n\r\nHour = between 22:00 and 6:00\r\n\r\n"},
        {"every day, every hour of an exclude filter",
         [](ProfileFilter* f) {
             f->dwFlags = FILTER_DAYS | FILTER_HOURS;
             f->Days = ALL_DAYS;
         },
         true, std::string(kExcludeHeading) + "Day = *\r\n\r\nHour = None\r\n\r\n"},
        {"authenticated users",
         [](ProfileFilter* f) {
             f->dwFlags = FILTER_USERNAME;
             f->UsernameAll = 1;
         },
         false, std::string(kIncludeHeading) + "Username = (authenticated users only)\r\n\r\n"},
        {"user names of an exclude filter",
         [&](ProfileFilter* f) {
             f->dwFlags = FILTER_USERNAME;
             list(&f->Username, "admin guest");
             f->UsernameCaseSensitive = 1;
         },
         true, std::string(kExcludeHeading) + "Username = admin guest\r\n(case sensitive)\r\n\r\n"},
        {"addresses, domains, referrers, entry pages, browsers",
         [&](ProfileFilter* f) {
             f->dwFlags = FILTER_USERS | FILTER_MULTIHOMEDOMAIN | FILTER_REFERRER |
                          FILTER_ENTRYPAGE | FILTER_BROWSER;
             list(&f->Users, "*.edu 10.1.0.0/16");
             UpdateUserFilters(f);
             list(&f->MultiHomeDomain, "shop.example.com");
             list(&f->Referrer, "http:*");
             f->EntryPage = EntryPageFilter_New("/index.html");
             list(&f->Browser, "MSIE");
         },
         false,
         std::string(kIncludeHeading) + "Referrer = http:*\r\n\r\nEntry Page = /index.html\r\n\r\n"
                                        "User Address = *.edu 10.1.0.0/16\r\n\r\n"
                                        "Domain = shop.example.com\r\n\r\nBrowser = MSIE\r\n\r\n"},
        {"every advertisement", [](ProfileFilter* f) { f->dwFlags = FILTER_ADS; }, false,
         std::string(kIncludeHeading) + "Ad = *\r\n\r\n"},
        {"one advertisement",
         [&](ProfileFilter* f) {
             f->dwFlags = FILTER_ADS;
             list(&f->AdView, "BANNER.GIF");
             list(&f->AdClick, "other");
         },
         false, std::string(kIncludeHeading) + "Ad = Spring sale banner\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ProfileFilter* filter = c.Exclude ? CreateNewExcludeFilter() : CreateNewIncludeFilter();
        c.Set(filter);
        EXPECT_EQ(BuildFilterSummary(filter, ads), c.Expected);
        FreeOneFilter(filter);
    }
}
