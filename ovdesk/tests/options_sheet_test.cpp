// The options sheet (host codes 22 and 23) driven as a user drives it: its
// pages in the host's window, the General settings and their refusals, the
// file-type and word-list editors, and what reaches the settings files.
#include <gtest/gtest.h>
#include "desk_fixture.h"
#include "dialog_driver.h"
#include "wait_until.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include "ovkit/settings_file.h"
#include "ovkit/slider.h"
#include <commctrl.h>
#include <prsht.h>
#include <functional>
#include <string>
#include <vector>

using namespace ovtest;

namespace {
std::vector<WPARAM> g_hostCommands;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND && l == 0)
        g_hostCommands.push_back(w);
    return DefWindowProcA(window, message, w, l);
}

HWND MakeHostWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OptionsTestHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "OptionsTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 700, 560,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::string ModuleValue(const char* section, const char* key, const char* def = "<unset>") {
    char value[2048] = "";
    GetModuleProfileString(section, key, def, value, sizeof value);
    return value;
}

std::string BaseValue(const char* section, const char* key) {
    char value[256] = "";
    GetBaseProfileString(section, key, "<unset>", value, sizeof value);
    return value;
}

// The keys these tests write, cleared before each.
const char* const kDefaultsKeys[] = {
    "DownloadTypes",      "DocumentTypes", "USDomains",    "gov_OrgType",
    "DNSCacheEntries",    "CachedTime",    "NoHTMLTitles", "TitleCacheSize",
    "TitleCacheLifespan", "Glossary",      "Descriptions", "ExcelGraphs",
    "FTPDownload",        "CPUUsage",      "RTRange",      "RTTemplate",
    "AllowSwiftmereODBC", "AllowRowmere",
};

class OptionsSheetTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        SetDeskUnattended(FALSE); // the sheet's boxes are the user's
        // The settings files are the install's, whatever a test before set.
        settings_ = PointEngineSettingsAt(install_);
        ASSERT_NE(settings_, nullptr);
        for (const char* key : kDefaultsKeys)
            WriteModuleProfileString("Defaults", key, nullptr);
        WriteModuleProfileString("Cookie", nullptr, nullptr);
        WriteModuleProfileString("Report", "Graph Type", nullptr);
        WriteModuleProfileString("Main", nullptr, nullptr);
        WriteBaseProfileString("Defaults", "ListRefreshRate", nullptr);
        g_hostCommands.clear();
        host_ = MakeHostWindow();
    }
    void TearDown() override {
        Close(0);
        DestroyWindow(host_);
        SetDeskUnattended(TRUE);
        boxes_.Clear();
        if (settings_)
            FreeLibrary(settings_);
        DeskFixture::TearDown();
    }
    HWND Open() {
        sheet_ = ShowOptionsSheet(host_, &header_, &headerRect_, &title_, &subtitle_);
        ovtest::PumpMessages();
        return sheet_;
    }
    void Close(int reload) {
        if (!sheet_)
            return;
        DestroyWindow(sheet_);
        sheet_ = nullptr;
        EXPECT_EQ(OptionsSheetClosed(reload), HOST_DONE);
    }
    // The page whose caption (its tab's text) is caption.
    HWND Page(const char* caption) {
        HWND page = FindWindowExA(sheet_, nullptr, "#32770", caption);
        EXPECT_NE(page, nullptr) << "no page " << caption;
        return page;
    }
    // OK as the user presses it; true when the sheet reported OK to the host.
    bool PressOk() {
        g_hostCommands.clear();
        SendMessageA(sheet_, WM_COMMAND, IDOK, 0);
        ovtest::PumpMessages();
        return g_hostCommands.size() == 1 && g_hostCommands[0] == IDOK;
    }
    std::string ShownCaption() {
        HWND tabs = FindWindowExA(sheet_, nullptr, WC_TABCONTROLA, nullptr);
        int index = (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
        char text[100] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, index, (LPARAM)&item);
        return text;
    }
    // Opens the list editor of entry index on page and runs steps in it.
    void InEditor(const char* pageCaption, int index, const std::function<void(HWND)>& steps) {
        HWND page = Page(pageCaption);
        ASSERT_TRUE(SelectListIndex(page, IDC_OPT_KEYS, index));
        RunModal(
            [&] {
                Click(page, IDC_OPT_KEYS_EDIT);
                return (INT_PTR)0;
            },
            steps);
    }
    static std::vector<std::string> Rows(HWND editor) {
        std::vector<std::string> rows;
        HWND list = GetDlgItem(editor, IDC_FTE_LIST);
        for (int i = 0; i < ListViewCount(list); ++i)
            rows.push_back(ListViewText(list, i, 0) + "|" + ListViewText(list, i, 1));
        return rows;
    }
    // Adds a type through the type dialog: the texts typed in turn (each
    // refusal's box answered), the radio, then OK.
    static void AddType(HWND editor, const std::vector<std::string>& typed, int radio) {
        RunModal(
            [&] {
                Click(editor, IDC_FTE_ADD);
                return (INT_PTR)0;
            },
            [&](HWND dialog) {
                EXPECT_EQ(ItemText(dialog, IDOK), "&Add");
                if (radio)
                    Click(dialog, radio);
                for (const std::string& text : typed) {
                    SetText(dialog, IDC_FT_EXTENSION, text);
                    Click(dialog, IDOK);
                }
            },
            10000, "Add File Type");
    }

    HMODULE settings_ = nullptr;
    HWND host_ = nullptr;
    HWND sheet_ = nullptr;
    HBITMAP header_ = nullptr;
    RECT headerRect_ = {};
    const char* title_ = nullptr;
    const char* subtitle_ = nullptr;
};

TEST_F(OptionsSheetTest, HostCodesOpenTheSheetInTheHostsWindowWithItsHeader) {
    EXPECT_EQ((void*)IsFunctionSupported(22), (void*)&ShowOptionsSheet);
    EXPECT_EQ((void*)IsFunctionSupported(23), (void*)&OptionsSheetClosed);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(GetParent(sheet_), host_);
    ASSERT_NE(header_, nullptr);
    BITMAP picture = {};
    GetObjectA(header_, sizeof picture, &picture);
    EXPECT_EQ(headerRect_.right, picture.bmWidth);
    EXPECT_EQ(headerRect_.bottom, picture.bmHeight);
    EXPECT_STREQ(title_, "Web Log\nAnalysis");
    EXPECT_STREQ(subtitle_, "Web Log Analysis Options");
    std::vector<std::string> tabs;
    HWND tabControl = FindWindowExA(sheet_, nullptr, WC_TABCONTROLA, nullptr);
    for (int i = 0; i < (int)SendMessageA(tabControl, TCM_GETITEMCOUNT, 0, 0); ++i) {
        char text[100] = "";
        TCITEMA item = {TCIF_TEXT};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabControl, TCM_GETITEMA, i, (LPARAM)&item);
        tabs.push_back(text);
    }
    std::vector<std::string> expected = {"File Types",        "Domains", "General",
                                         "MS-Word and Excel", "Cookies", "Log File Cache",
                                         "Real-Time"};
    // The ODBC page comes with the ODBC library, which Wine has.
    expected.push_back("ODBC");
    expected.push_back("Language");
    EXPECT_EQ(tabs, expected);
    // OK, Cancel and Help: no Apply button.
    EXPECT_NE(FindWindowExA(sheet_, nullptr, "BUTTON", "OK"), nullptr);
    EXPECT_EQ(FindWindowExA(sheet_, nullptr, "BUTTON", "Apply"), nullptr);
    // A second code 22 while it is open shows the same sheet.
    EXPECT_EQ(ShowOptionsSheet(host_, nullptr, nullptr, nullptr, nullptr), sheet_);
}

TEST_F(OptionsSheetTest, TheNextSheetOpensOnThePageLastShown) {
    Open();
    SendMessageA(sheet_, PSM_SETCURSEL, 4, 0);
    EXPECT_EQ(ShownCaption(), "Cookies");
    Close(0);
    Open();
    EXPECT_EQ(ShownCaption(), "Cookies");
    SendMessageA(sheet_, PSM_SETCURSEL, 0, 0);
}

TEST_F(OptionsSheetTest, GeneralPageShowsStoredValuesInItsUnitsAndRanges) {
    struct Case {
        const char* DnsEntries;
        const char* DnsShown;
        const char* Lifespan;
        const char* LifespanShown;
        const char* GraphType;
        int GraphItem;
    };
    const Case cases[] = {
        {"50000", "50", "172800", "2", "1", IDC_OPT_GRAPH_JPEG},
        {"1999", "1", "86399", "0", "2", IDC_OPT_GRAPH_GIF},
        {"999", "50", "0", "0", "0", IDC_OPT_GRAPH_GIF},
        {"251000", "50", "0", "0", "0", IDC_OPT_GRAPH_GIF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.DnsEntries);
        WriteModuleProfileString("Defaults", "DNSCacheEntries", c.DnsEntries);
        WriteModuleProfileString("Defaults", "TitleCacheLifespan", c.Lifespan);
        WriteModuleProfileString("Report", "Graph Type", c.GraphType);
        Open();
        HWND page = Page("General");
        EXPECT_EQ(ItemText(page, IDC_OPT_DNS_CACHE), c.DnsShown);
        EXPECT_EQ(ItemText(page, IDC_OPT_TITLE_LIFESPAN), c.LifespanShown);
        EXPECT_TRUE(IsChecked(page, c.GraphItem));
        Close(0);
    }
}

TEST_F(OptionsSheetTest, GeneralPageStoresItsValuesOnOk) {
    WriteBaseProfileString("Defaults", "ListRefreshRate", "7200");
    Open();
    HWND page = Page("General");
    EXPECT_EQ(ItemText(page, IDC_OPT_REFRESH), "30"); // 120 minutes is out of range
    EXPECT_EQ(ItemText(page, IDC_OPT_SESSION), "30");
    EXPECT_TRUE(IsChecked(page, IDC_OPT_TITLES));
    EXPECT_FALSE(IsEnabled(page, IDC_OPT_TITLE_CACHE_SIZE));
    SetText(page, IDC_OPT_DNS_CACHE, "120");
    SetText(page, IDC_OPT_SESSION, "45");
    Click(page, IDC_OPT_TITLES);
    Click(page, IDC_OPT_TITLE_CACHE);
    EXPECT_EQ(ItemText(page, IDC_OPT_TITLE_CACHE_SIZE), "500");
    EXPECT_TRUE(IsEnabled(page, IDC_OPT_TITLE_LIFESPAN));
    SetText(page, IDC_OPT_TITLE_LIFESPAN, "2");
    Click(page, IDC_OPT_GRAPH_JPEG);
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(ModuleValue("Defaults", "DNSCacheEntries"), "120000");
    EXPECT_EQ(BaseValue("Defaults", "ListRefreshRate"), "1800");
    EXPECT_EQ(ModuleValue("Defaults", "CachedTime"), "2700");
    EXPECT_EQ(ModuleValue("Defaults", "NoHTMLTitles"), "1");
    EXPECT_EQ(ModuleValue("Defaults", "TitleCacheSize"), "500");
    EXPECT_EQ(ModuleValue("Defaults", "TitleCacheLifespan"), "172800");
    EXPECT_EQ(ModuleValue("Report", "Graph Type"), "1");
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(OptionsSheetTest, RefreshRateIsWrittenOnlyWhenChangedAndZeroIsValid) {
    WriteBaseProfileString("Defaults", "ListRefreshRate", "1830"); // 30 minutes and a half
    Open();
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(BaseValue("Defaults", "ListRefreshRate"), "1830");
    Close(1);
    Open();
    SetText(Page("General"), IDC_OPT_REFRESH, "0");
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(BaseValue("Defaults", "ListRefreshRate"), "0");
}

TEST_F(OptionsSheetTest, InvalidGeneralValuesAreResetAndKeepTheSheetOpen) {
    struct Case {
        int Item;
        const char* Typed;
        const char* Reset;
        const char* Message;
    };
    const Case cases[] = {
        {IDC_OPT_DNS_CACHE, "251", "50",
         "Invalid DNS cache size entered.\r\nThe valid range is 1 to 250.\r\nAutomatically "
         "resetting to the default value (50)."},
        {IDC_OPT_DNS_CACHE, "", "50", nullptr},
        {IDC_OPT_REFRESH, "61", "30",
         "Invalid log file list refresh rate entered.\r\nThe valid range is 0 to "
         "60.\r\nAutomatically resetting to the default value (30)."},
        {IDC_OPT_SESSION, "0", "30",
         "Invalid user session length entered.\r\nThe valid range is 1 to 1440.\r\nAutomatically "
         "resetting to the default value (30)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        Open();
        SendMessageA(sheet_, PSM_SETCURSEL, 0, 0);
        HWND page = Page("General");
        SetText(page, c.Item, c.Typed);
        boxes_.Clear();
        EXPECT_FALSE(PressOk());
        ASSERT_TRUE(boxes_.WaitFor(1));
        EXPECT_EQ(boxes_.Seen()[0].caption, "Ostrevane");
        if (c.Message) {
            EXPECT_EQ(boxes_.LastText(), c.Message);
        }
        EXPECT_EQ(ItemText(page, c.Item), c.Reset);
        EXPECT_EQ(ShownCaption(), "General");
        EXPECT_TRUE(g_hostCommands.empty());
        Close(0);
    }
}

TEST_F(OptionsSheetTest, OtherPagesStoreTheirSettings) {
    WriteModuleProfileString("Defaults", "FTPDownload", "once");
    WriteModuleProfileString("Defaults", "CPUUsage", "250");
    Open();
    HWND office = Page("MS-Word and Excel");
    SetText(office, IDC_OPT_AUTHOR, "Ann Author");
    SetText(office, IDC_OPT_COMPANY, "Example Ltd");
    Click(office, IDC_OPT_GLOSSARY);
    HWND cookies = Page("Cookies");
    EXPECT_TRUE(IsChecked(cookies, IDC_OPT_COOKIE_VALIDATE));
    Click(cookies, IDC_OPT_COOKIE_ENABLE);
    EXPECT_FALSE(IsChecked(cookies, IDC_OPT_COOKIE_VALIDATE));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(cookies, IDC_OPT_COOKIE_VALIDATE)));
    HWND cache = Page("Log File Cache");
    EXPECT_TRUE(IsChecked(cache, IDC_OPT_FTP_ONCE));
    Click(cache, IDC_OPT_FTP_DETECT);
    HWND realtime = Page("Real-Time");
    HWND slider = GetDlgItem(realtime, IDC_OPT_RT_SLIDER);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(SendMessageA(slider, OVKIT_SLIDER_GETVALUE, 0, 0), 100);
    SendMessageA(slider, OVKIT_SLIDER_SETVALUE, 40, 0);
    SendDlgItemMessageA(realtime, 9956, CB_SETCURSEL, 2, 0);
    HWND odbc = Page("ODBC");
    Click(odbc, IDC_OPT_ALLOW_ROWMERE);
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(ModuleValue("Main", "Author"), "Ann Author");
    EXPECT_EQ(ModuleValue("Main", "Company"), "Example Ltd");
    EXPECT_EQ(ModuleValue("Defaults", "Glossary"), "0");
    EXPECT_EQ(ModuleValue("Defaults", "Descriptions"), "1");
    EXPECT_EQ(ModuleValue("Cookie", "Enable"), "0");
    EXPECT_EQ(ModuleValue("Cookie", "Validate"), "0");
    EXPECT_EQ(ModuleValue("Defaults", "FTPDownload"), "Detect");
    EXPECT_EQ(ModuleValue("Defaults", "CPUUsage"), "40");
    EXPECT_EQ(ModuleValue("Defaults", "RTRange"), "6");
    EXPECT_EQ(ModuleValue("Defaults", "AllowSwiftmereODBC"), "0");
    EXPECT_EQ(ModuleValue("Defaults", "AllowRowmere"), "1");
    // ovkit's own [Main] Author is another setting, in its own file.
    char own[64] = "";
    char config[MAX_PATH] = "";
    OVKIT_GetConfigFilePath(config);
    GetPrivateProfileStringA("Main", "Author", "<unset>", own, sizeof own, config);
    EXPECT_STRNE(own, "Ann Author");
}

TEST_F(OptionsSheetTest, FileTypeEditorShowsTheEnginesDefaultsForAnUnsetKey) {
    Open();
    InEditor("File Types", 0, [&](HWND editor) {
        char caption[100] = "";
        GetWindowTextA(editor, caption, sizeof caption);
        EXPECT_STREQ(caption, "Download File Extensions and Types");
        std::vector<std::string> rows = Rows(editor);
        ASSERT_EQ(rows.size(), 11u);
        EXPECT_EQ(rows[0], "exe|Non-scripts");
        EXPECT_EQ(rows[10], "arj|Non-scripts");
        Click(editor, IDOK);
    });
    // OK kept the engine's list rather than an empty one.
    int count = 0;
    FileType** types = GetFileTypesFromIniFile(&count, "DownloadTypes", "");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(count, 11);
    EXPECT_STREQ(types[10]->Name, "arj");
    FreeFileTypesArray(types, FILETYPE_SLOTS);
    // A list editor that wrote turns the sheet's Cancel into Close.
    EXPECT_FALSE(IsWindowEnabled(FindWindowExA(sheet_, nullptr, "BUTTON", "Cancel")));
}

TEST_F(OptionsSheetTest, FileTypeEditorAddsEditsAndRemovesTypes) {
    WriteModuleProfileString("Defaults", "DocumentTypes", "{htm,2} {asp,1} txt");
    Open();
    InEditor("File Types", 1, [&](HWND editor) {
        EXPECT_EQ(Rows(editor),
                  (std::vector<std::string>{"htm|Always", "asp|Scripts only", "txt|Non-scripts"}));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDC_FTE_EDIT)));
        AddType(editor, {".log"}, 0); // a new type is "Always"
        HWND list = GetDlgItem(editor, IDC_FTE_LIST);
        ListViewSelect(list, 1);
        RunModal(
            [&] {
                Click(editor, IDC_FTE_EDIT);
                return (INT_PTR)0;
            },
            [&](HWND dialog) {
                EXPECT_EQ(ItemText(dialog, IDC_FT_EXTENSION), "asp");
                Click(dialog, IDC_FT_NOT_SCRIPT);
                EXPECT_EQ(ItemText(dialog, IDC_FT_EXPLAIN),
                          "This file type includes requests for files with the above extension "
                          "only if the URL does NOT contain a question mark (?).");
                Click(dialog, IDOK);
            },
            10000, "Edit File Type");
        ListViewSelect(list, 2);
        Click(editor, IDC_FTE_REMOVE);
        EXPECT_EQ(Rows(editor),
                  (std::vector<std::string>{"htm|Always", "asp|Non-scripts", "log|Always"}));
        Click(editor, IDOK);
    });
    EXPECT_EQ(ModuleValue("Defaults", "DocumentTypes"), "{htm,2} {asp,0} {log,2}");
}

TEST_F(OptionsSheetTest, FileTypeEditorRefusesNamesThatCannotBeStored) {
    WriteModuleProfileString("Defaults", "DocumentTypes", "htm");
    Open();
    InEditor("File Types", 1, [&](HWND editor) {
        AddType(editor, {"", ".", "a b", "a;b", "{a", "a}", "a,b", "shtml"}, IDC_FT_SCRIPT);
        Click(editor, IDOK);
    });
    std::vector<SeenBox> seen = boxes_.Seen();
    ASSERT_EQ(seen.size(), 7u);
    for (const SeenBox& box : seen) {
        EXPECT_EQ(box.caption, "Invalid file extension");
        EXPECT_EQ(box.text, "You must enter a valid extension for this file type.  Enter the "
                            "extension for the type of file you want to specify.\r\n\r\nExample: "
                            "enter an extension of .txt for text files.");
    }
    EXPECT_EQ(ModuleValue("Defaults", "DocumentTypes"), "{htm,0} {shtml,1}");
}

TEST_F(OptionsSheetTest, FileTypeEditorStopsAddingAtFiftyAndCancelWritesNothing) {
    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += (i ? " t" : "t") + std::to_string(i);
    WriteModuleProfileString("Defaults", "DocumentTypes", fifty.c_str());
    Open();
    InEditor("File Types", 1, [&](HWND editor) {
        Click(editor, IDC_FTE_ADD);
        ASSERT_TRUE(boxes_.WaitFor(1));
        EXPECT_EQ(boxes_.Seen()[0].caption, "Too many file types");
        EXPECT_EQ(boxes_.LastText(), "The maximum number of file types (50) has been reached. "
                                     "Try deleting some unused types. ");
        EXPECT_EQ(FindThreadDialog("Add File Type"), nullptr);
        ListViewSelect(GetDlgItem(editor, IDC_FTE_LIST), 0);
        Click(editor, IDC_FTE_REMOVE);
        Click(editor, IDCANCEL);
    });
    EXPECT_EQ(ModuleValue("Defaults", "DocumentTypes"), fifty);
    EXPECT_TRUE(IsWindowEnabled(FindWindowExA(sheet_, nullptr, "BUTTON", "Cancel")));
}

TEST_F(OptionsSheetTest, WordListEditorKeepsTheEnginesDefaultsForAnUnsetKey) {
    Open();
    InEditor("Domains", 0, [&](HWND editor) {
        EXPECT_EQ(
            ListEntries(editor, IDC_WL_LIST),
            (std::vector<std::string>{"com", "edu", "net", "org", "gov", "mil", "int", "arpa"}));
        Click(editor, IDOK);
    });
    // (Reading a setting drops the blank that ends the written value.)
    EXPECT_EQ(ModuleValue("Defaults", "USDomains"), "com edu net org gov mil int arpa");
    InEditor("Domains", 1, [&](HWND editor) {
        EXPECT_EQ(ListEntries(editor, IDC_WL_LIST), std::vector<std::string>{"gov"});
        Click(editor, IDCANCEL);
    });
    EXPECT_EQ(ModuleValue("Defaults", "gov_OrgType"), "<unset>");
}

TEST_F(OptionsSheetTest, WordListEditorAddsOnceAndRemovesTheSelection) {
    WriteModuleProfileString("Defaults", "gov_OrgType", "gov\tgovt  state.us");
    Open();
    InEditor("Domains", 1, [&](HWND editor) {
        SetText(editor, IDC_WL_WORD, "GOV");
        Click(editor, IDC_WL_ADD); // already listed, letter case aside
        SetText(editor, IDC_WL_WORD, "fed");
        Click(editor, IDC_WL_ADD);
        EXPECT_EQ(ItemText(editor, IDC_WL_WORD), "");
        SendDlgItemMessageA(editor, IDC_WL_LIST, LB_SETSEL, FALSE, -1);
        SendDlgItemMessageA(editor, IDC_WL_LIST, LB_SETSEL, TRUE, 0);
        SendDlgItemMessageA(editor, IDC_WL_LIST, LB_SETSEL, TRUE, 2);
        Click(editor, IDC_WL_REMOVE);
        Click(editor, IDOK);
    });
    EXPECT_EQ(ModuleValue("Defaults", "gov_OrgType"), "govt fed");
}

TEST_F(OptionsSheetTest, WordListEditorTakesAThousandCharactersAndRefusesOverFifty) {
    // 49 words of 19 characters and one of 20, blanks between: 1,000
    // characters, the longest value the editor reads whole.
    std::string value;
    for (int i = 0; i < 49; ++i)
        value += std::string(17, 'a') + (char)('A' + i / 26) + (char)('a' + i % 26) + " ";
    value += std::string(20, 'z');
    ASSERT_EQ(value.size(), 1000u);
    WriteModuleProfileString("Defaults", "USDomains", value.c_str());
    Open();
    InEditor("Domains", 0, [&](HWND editor) {
        ASSERT_TRUE(boxes_.WaitFor(1));
        EXPECT_EQ(boxes_.LastText(), "Maximum number of items reached (50).");
        EXPECT_EQ(ListEntries(editor, IDC_WL_LIST).back(), std::string(20, 'z'));
        SetText(editor, IDC_WL_WORD, "one-too-many");
        Click(editor, IDC_WL_ADD);
        boxes_.Clear();
        Click(editor, IDOK); // 51 entries: refused, the dialog stays
        ASSERT_TRUE(boxes_.WaitFor(1));
        EXPECT_EQ(boxes_.LastText(), "Too many items in the list (maximum: 50).  Please remove a "
                                     "few and try again");
        int last = (int)SendDlgItemMessageA(editor, IDC_WL_LIST, LB_GETCOUNT, 0, 0) - 1;
        SendDlgItemMessageA(editor, IDC_WL_LIST, LB_SETSEL, FALSE, -1);
        SendDlgItemMessageA(editor, IDC_WL_LIST, LB_SETSEL, TRUE, last);
        Click(editor, IDC_WL_REMOVE);
        Click(editor, IDOK);
    });
    EXPECT_EQ(ModuleValue("Defaults", "USDomains"), value);
}
} // namespace
