// The profile sheet's ODBC pages against real data sources (a SQLite file
// and the loopback PostgreSQL server): database-report sections configured
// from the tables and columns the source lists, and the history database
// page, whose refusals must never cost stored rows.
#include <gtest/gtest.h>
#include "profile_sheet_fixture.h"
#include "odbc_fixture.h"
#include "dialog_driver.h"
#include "wait_until.h"
#include "temp_install.h"
#include "profile_sheet/odbc_binding.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <commctrl.h>
#include <prsht.h>
#include <sql.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace ovtest;
using odbctest::Driver;

namespace {
// The driver manager's data-source prompt needs a person: the tests choose
// this connection text instead.
std::string g_chosen;

int ChooseSource(char* connection, size_t size) {
    if (g_chosen.empty() || g_chosen.size() >= size)
        return 0;
    strcpy(connection, g_chosen.c_str());
    return 1;
}

class ProfileOdbcPagesTest : public ProfileSheetTest, public testing::WithParamInterface<Driver> {
  protected:
    void SetUp() override {
        ProfileSheetTest::SetUp();
        connection_ = odbctest::ConnectionText(GetParam(), odbctest::CurrentTestName());
        ASSERT_FALSE(connection_.empty());
        odbctest::DropAllTables(connection_);
        g_chosen = connection_;
        SetOdbcPromptForTests(ChooseSource);
    }
    void TearDown() override {
        SetOdbcPromptForTests(nullptr);
        OdbcRelease();
        ProfileSheetTest::TearDown();
    }
    void MakeVisitorTables() {
        ASSERT_TRUE(odbctest::RunSql(
            connection_,
            "CREATE TABLE visitors (ip varchar(40), name varchar(80), visits smallint)"));
        ASSERT_TRUE(odbctest::RunSql(
            connection_, "CREATE TABLE accounts (login varchar(40), fullname varchar(80))"));
    }
    // A stored single-server profile that shows the Rowmere page.
    AnalysisProfile* RowmereProfile() {
        SetModuleSwitch("AllowRowmere", 1);
        return StoredProfile("Shop", false);
    }
    std::string connection_;
};

// Runs action with the Rowmere sheet once it shows above the profile sheet
// (its title is the page's own while it is a wizard).
void WhenRowmereSheetShown(HWND outer, const std::function<void(HWND)>& action,
                           DWORD start = GetTickCount()) {
    Later([=] {
        HWND top = FindThreadTopDialog();
        if (top && top != outer && SendMessageA(top, PSM_GETTABCONTROL, 0, 0)) {
            action(top);
        } else if (GetTickCount() - start > 5000) {
            ADD_FAILURE() << "the Rowmere sheet did not show";
        } else {
            WhenRowmereSheetShown(outer, action, start);
        }
    });
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Selects these entries of a multiple-selection list box.
void SelectMany(HWND page, int id, const std::vector<int>& indexes) {
    for (int index : indexes)
        SendDlgItemMessageA(page, id, LB_SETSEL, TRUE, index);
}

struct StoredColumn {
    std::string Name;
    DWORD Number, Type, Sequence;
    bool operator==(const StoredColumn& o) const {
        return Name == o.Name && Number == o.Number && Type == o.Type && Sequence == o.Sequence;
    }
};

std::vector<StoredColumn> ColumnsOf(const RowmereSettings* section) {
    std::vector<StoredColumn> columns;
    for (const RowmereColumn* column = section->lpColumns; column; column = column->Next)
        columns.push_back({column->RowmereDataColumn, column->RowmereColumnNumber,
                           column->RowmereDataType, column->RowmereReportSequence});
    return columns;
}
} // namespace

// A new IP section made with the configure wizard from what the data source
// lists; it reaches the profile file and reads back whole. The data-type
// column of the listing is a SMALLINT: read as one and widened, the SQL
// types come out exact.
TEST_P(ProfileOdbcPagesTest, RowmereWizardConfiguresASectionFromTheSource) {
    MakeVisitorTables();
    AnalysisProfile* profile = RowmereProfile();
    std::vector<std::string> tables, keys, available, shown;
    std::string kindText;
    int configured = 0;
    int result = Run(profile, 0, [&](HWND sheet) {
        ASSERT_TRUE(SelectTab(sheet, "Rowmere"));
        HWND page = CurrentPage(sheet);
        EXPECT_FALSE(IsEnabled(page, IDC_RW_IP_CONFIGURE));
        Click(page, IDC_RW_IP);
        WhenRowmereSheetShown(sheet, [&](HWND rm) {
            configured = 1;
            Click(CurrentPage(rm), IDC_RM_SOURCE_BROWSE);
            PressSheetButton(rm, PSBTN_NEXT);
            EXPECT_EQ(CurrentPageCaption(rm), "Table");
            tables = ComboEntries(CurrentPage(rm), IDC_RM_TABLE);
            EXPECT_TRUE(SelectCombo(CurrentPage(rm), IDC_RM_TABLE, "visitors"));
            PressSheetButton(rm, PSBTN_NEXT);
            keys = ComboEntries(CurrentPage(rm), IDC_RM_KEY);
            kindText = ItemText(CurrentPage(rm), IDC_RM_KEY_TEXT2);
            EXPECT_TRUE(SelectCombo(CurrentPage(rm), IDC_RM_KEY, "ip"));
            PressSheetButton(rm, PSBTN_NEXT);
            HWND fields = CurrentPage(rm);
            available = ListEntries(fields, IDC_RM_AVAILABLE);
            EXPECT_FALSE(IsEnabled(fields, IDC_RM_REMOVE));
            SelectMany(fields, IDC_RM_AVAILABLE, {1, 2});
            Click(fields, IDC_RM_ADD);
            shown = ListEntries(fields, IDC_RM_SHOWN);
            PressSheetButton(rm, PSBTN_NEXT);
            HWND options = CurrentPage(rm);
            EXPECT_EQ(ItemText(options, IDC_RM_TITLE), "Rowmere Data");
            SetText(options, IDC_RM_TITLE, "Visitor names");
            Click(options, IDC_RM_ONLY_FOUND);
            PressSheetButton(rm, PSBTN_FINISH);
        });
        Click(page, IDC_RW_IP_CONFIGURE);
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(configured, 1);
    EXPECT_EQ(boxes_.Count(), 0u) << boxes_.LastText();
    EXPECT_EQ(Sorted(tables), (std::vector<std::string>{"accounts", "visitors"}));
    EXPECT_EQ(keys, (std::vector<std::string>{"ip", "name", "visits"}));
    EXPECT_EQ(kindText, "Select the field in the table that contains the visitor's IP or Cookie.");
    EXPECT_EQ(available, (std::vector<std::string>{"ip", "name", "visits"}));
    EXPECT_EQ(shown, (std::vector<std::string>{"name", "visits"}));

    ORB_UpdateOrbisEntry(profile);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->RowmereIP, nullptr);
    EXPECT_EQ(read->RowmereAuthUser, nullptr);
    const RowmereSettings* section = read->RowmereIP;
    EXPECT_EQ(section->RowmereEnabled, 1u);
    EXPECT_STREQ(section->RowmereDSN, profile->RowmereIP->RowmereDSN);
    EXPECT_NE(section->RowmereDSN[0], '\0');
    EXPECT_STREQ(section->RowmereTable, "visitors");
    EXPECT_STREQ(section->RowmereKeyColumn, "ip");
    EXPECT_STREQ(section->RowmereReportTitle, "Visitor names");
    EXPECT_EQ(section->RowmereShowOnlyRowmere, 1u);
    EXPECT_EQ(ColumnsOf(section), (std::vector<StoredColumn>{{"name", 2, SQL_VARCHAR, 0},
                                                             {"visits", 3, SQL_SMALLINT, 1}}));
}

// The stored section opens on its source's own lists, and a changed column
// choice is written over the old one.
TEST_P(ProfileOdbcPagesTest, RowmereSheetEditsAStoredSection) {
    MakeVisitorTables();
    AnalysisProfile* profile = RowmereProfile();
    RowmereSettings* section = AllocRowmere();
    section->RowmereEnabled = 1;
    strcpy(section->RowmereDSN, connection_.c_str());
    strcpy(section->RowmereTable, "ACCOUNTS"); // letter case ignored
    strcpy(section->RowmereKeyColumn, "login");
    strcpy(section->RowmereReportTitle, "Members");
    RowmereColumn* column = AllocRowmereData();
    strcpy(column->RowmereDataColumn, "fullname");
    column->RowmereColumnNumber = 2;
    column->RowmereDataType = SQL_VARCHAR;
    section->lpColumns = column;
    profile->RowmereAuthUser = section;
    ORB_UpdateOrbisEntry(profile);
    std::string table, key;
    std::vector<std::string> shown;
    Run(profile, 0, [&](HWND sheet) {
        ASSERT_TRUE(SelectTab(sheet, "Rowmere"));
        HWND page = CurrentPage(sheet);
        EXPECT_TRUE(IsChecked(page, IDC_RW_USER));
        WhenRowmereSheetShown(sheet, [&](HWND rm) {
            ASSERT_TRUE(SelectSheetPage(rm, 1));
            table = ComboSelection(CurrentPage(rm), IDC_RM_TABLE);
            ASSERT_TRUE(SelectSheetPage(rm, 2));
            key = ComboSelection(CurrentPage(rm), IDC_RM_KEY);
            ASSERT_TRUE(SelectSheetPage(rm, 3));
            HWND fields = CurrentPage(rm);
            shown = ListEntries(fields, IDC_RM_SHOWN);
            SelectListIndex(fields, IDC_RM_SHOWN, 0);
            Click(fields, IDC_RM_REMOVE);
            EXPECT_FALSE(IsEnabled(fields, IDC_RM_REMOVE));
            SelectMany(fields, IDC_RM_AVAILABLE, {0});
            Click(fields, IDC_RM_ADD);
            PressSheetButton(rm, PSBTN_OK);
        });
        Click(page, IDC_RW_USER_CONFIGURE);
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(boxes_.Count(), 0u) << boxes_.LastText();
    EXPECT_EQ(table, "accounts");
    EXPECT_EQ(key, "login");
    EXPECT_EQ(shown, (std::vector<std::string>{"fullname"}));
    ORB_UpdateOrbisEntry(profile);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->RowmereAuthUser, nullptr);
    EXPECT_STREQ(read->RowmereAuthUser->RowmereTable, "accounts");
    EXPECT_STREQ(read->RowmereAuthUser->RowmereReportTitle, "Members");
    EXPECT_EQ(ColumnsOf(read->RowmereAuthUser),
              (std::vector<StoredColumn>{{"login", 1, SQL_VARCHAR, 0}}));
}

// A source without tables: neither Table nor Key can be left with nothing
// chosen, and the section the profile holds stays whole.
TEST_P(ProfileOdbcPagesTest, EmptyTableOrKeyChoiceIsRefusedAndTheSectionStays) {
    AnalysisProfile* profile = RowmereProfile();
    RowmereSettings* section = AllocRowmere();
    section->RowmereEnabled = 1;
    strcpy(section->RowmereDSN, connection_.c_str());
    strcpy(section->RowmereTable, "gone");
    strcpy(section->RowmereKeyColumn, "ip");
    strcpy(section->RowmereReportTitle, "Kept");
    RowmereColumn* column = AllocRowmereData();
    strcpy(column->RowmereDataColumn, "name");
    column->RowmereColumnNumber = 2;
    section->lpColumns = column;
    profile->RowmereIP = section;
    std::vector<std::string> stayed;
    int result = Run(profile, 0, [&](HWND sheet) {
        ASSERT_TRUE(SelectTab(sheet, "Rowmere"));
        HWND page = CurrentPage(sheet);
        // Table: another tab and OK are both refused.
        WhenRowmereSheetShown(sheet, [&](HWND rm) {
            ASSERT_TRUE(SelectSheetPage(rm, 1));
            EXPECT_TRUE(ComboEntries(CurrentPage(rm), IDC_RM_TABLE).empty());
            EXPECT_FALSE(SelectSheetPage(rm, 2));
            stayed.push_back(CurrentPageCaption(rm));
            PressSheetButton(rm, PSBTN_OK);
            stayed.push_back(CurrentPageCaption(rm));
            PressSheetButton(rm, PSBTN_CANCEL);
        });
        Click(page, IDC_RW_IP_CONFIGURE);
        // Key, reached straight from the data source.
        WhenRowmereSheetShown(sheet, [&](HWND rm) {
            ASSERT_TRUE(SelectSheetPage(rm, 2));
            EXPECT_TRUE(ComboEntries(CurrentPage(rm), IDC_RM_KEY).empty());
            PressSheetButton(rm, PSBTN_OK);
            stayed.push_back(CurrentPageCaption(rm));
            PressSheetButton(rm, PSBTN_CANCEL);
        });
        Click(page, IDC_RW_IP_CONFIGURE);
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(stayed, (std::vector<std::string>{"Table", "Table", "Key"}));
    std::vector<SeenBox> seen = boxes_.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, "Please choose a table before continuing.");
    EXPECT_EQ(seen[1].text, "Please choose a table before continuing.");
    EXPECT_EQ(seen[2].text, "Please choose a key field before continuing.");
    ASSERT_EQ(profile->RowmereIP, section);
    EXPECT_STREQ(section->RowmereTable, "gone");
    EXPECT_STREQ(section->RowmereKeyColumn, "ip");
    EXPECT_STREQ(section->RowmereReportTitle, "Kept");
    ASSERT_EQ(section->lpColumns, column);
    EXPECT_STREQ(column->RowmereDataColumn, "name");
}

// Refused on the history database page, then cancelled: the data source's
// tables keep their rows. Accepted, the tables are made afresh (after the
// user's OK), which shows that the refusals stopped before that step.
TEST_P(ProfileOdbcPagesTest, DatabasePageRefusalThenCancelKeepsTheRows) {
    SetModuleSwitch("AllowSwiftmereODBC", 1);
    struct Case {
        const char* Name;
        const char* Interval;
        const char* SaveAs;
        bool Accepted;
    };
    const Case cases[] = {
        {"interval out of range", "24", "C:\\reports\\live.htm", false},
        {"save as not a page", "2", "C:\\reports\\live.txt", false},
        {"accepted", "2", "C:\\reports\\live.htm", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        odbctest::DropAllTables(connection_);
        AnalysisProfile* profile = StoredProfile("Shop", false);
        profile->SwiftmereFlag = SWIFTMERE_ODBC;
        strcpy(profile->ODBCSwiftmere, connection_.c_str());
        ASSERT_EQ(ORB_CreateODBCTables(profile), 1);
        OdbcRelease();
        ASSERT_TRUE(odbctest::RunSql(connection_, "INSERT INTO OVLogMasterTable (StartTime, "
                                                  "CurrentTime, EndTime, Today) VALUES (1, 2, 3, "
                                                  "'kept')"));
        ORB_UpdateOrbisEntry(profile);
        boxes_.Clear();
        boxes_.SetButton(IDOK);
        int result = Run(profile, 0, [&](HWND sheet) {
            ASSERT_TRUE(SelectTab(sheet, "Database and Real-Time"));
            HWND page = CurrentPage(sheet);
            EXPECT_TRUE(IsChecked(page, IDC_DB_ODBC));
            Click(page, IDC_DB_ODBC_BROWSE); // the same source, chosen again
            Click(page, IDC_DB_ANALYZE);
            Click(page, IDC_DB_GENERATE);
            SelectCombo(page, IDC_DB_UNIT, "Hours");
            SetText(page, IDC_DB_INTERVAL, c.Interval);
            SetText(page, IDC_DB_SAVEAS, c.SaveAs);
            PressSheetButton(sheet, PSBTN_OK);
            if (!c.Accepted)
                PressSheetButton(sheet, PSBTN_CANCEL);
        });
        EXPECT_EQ(result, c.Accepted ? 1 : 0);
        std::vector<SeenBox> seen = boxes_.Seen();
        ASSERT_EQ(seen.size(), 1u);
        bool asked = seen[0].text.find("contains tables already") != std::string::npos;
        EXPECT_EQ(asked, c.Accepted) << seen[0].text;
        EXPECT_EQ(odbctest::QueryNumber(connection_, "SELECT COUNT(*) FROM OVLogMasterTable"),
                  c.Accepted ? 0 : 1);
        profile->SwiftmereFlag = SWIFTMERE_NONE; // its source is the next case's
        ORB_UpdateOrbisEntry(profile);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, ProfileOdbcPagesTest, testing::ValuesIn(odbctest::kDrivers),
                         odbctest::PrintDriver);

// Browse on a connected Data Source page lets the old connection go before
// the new one opens: the server keeps one session for the page, not two.
TEST_F(ProfileSheetTest, RowmereBrowseWhileConnectedReleasesTheOldConnection) {
    const Driver postgres = odbctest::kDrivers[1];
    std::string connection = odbctest::ConnectionText(postgres, odbctest::CurrentTestName());
    ASSERT_FALSE(connection.empty());
    g_chosen = connection;
    SetOdbcPromptForTests(ChooseSource);
    auto sessions = [&] {
        return odbctest::QueryNumber(connection,
                                     "SELECT COUNT(*) FROM pg_stat_activity WHERE datname = "
                                     "'ovtest' AND pid <> pg_backend_pid()");
    };
    SetModuleSwitch("AllowRowmere", 1);
    AnalysisProfile* profile = StoredProfile("Shop", false);
    RowmereSettings* section = AllocRowmere();
    section->RowmereEnabled = 1;
    strcpy(section->RowmereDSN, connection.c_str());
    profile->RowmereIP = section;
    long before = -1, after = -1;
    Run(profile, 0, [&](HWND sheet) {
        ASSERT_TRUE(SelectTab(sheet, "Rowmere"));
        HWND page = CurrentPage(sheet);
        WhenRowmereSheetShown(sheet, [&](HWND rm) {
            WaitUntil([&] { return (before = sessions()) == 1; });
            Click(CurrentPage(rm), IDC_RM_SOURCE_BROWSE);
            WaitUntil([&] { return (after = sessions()) == 1; });
            PressSheetButton(rm, PSBTN_CANCEL);
        });
        Click(page, IDC_RW_IP_CONFIGURE);
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    SetOdbcPromptForTests(nullptr);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(boxes_.Count(), 0u) << boxes_.LastText();
    // Closing the Rowmere page let the last one go.
    EXPECT_TRUE(WaitUntil([&] { return sessions() == 0; }));
}

// An ODBC log source chosen by its data-source name: the name alone becomes
// the log path, the whole connection text the profile's ODBC source. The
// name is one of unixODBC's (the test's own odbc.ini, named by ODBCINI).
TEST_F(ProfileSheetTest, TitleUrlTakesTheNameOfTheChosenDataSource) {
    const char* folder = getenv("OV_ODBC_FIXTURE");
    ASSERT_TRUE(folder && folder[0]);
    std::string unixFolder = folder;
    std::string ini = "[ovdesk_shop]\nDriver=SQLite3\nDatabase=" + unixFolder + "/dsn.db\n";
    std::string windowsIni = "Z:" + unixFolder + "/odbc.ini";
    std::replace(windowsIni.begin(), windowsIni.end(), '/', '\\');
    ASSERT_TRUE(WriteFileBytes(windowsIni, ini));
    g_chosen = "DSN=ovdesk_shop;";
    SetOdbcPromptForTests(ChooseSource);
    AnalysisProfile* profile = StoredProfile("Shop", false);
    std::string path;
    int result = Run(profile, 0, [&](HWND sheet) {
        HWND page = CurrentPage(sheet);
        ASSERT_TRUE(SelectCombo(page, IDC_TU_PROTOCOL, "odbc:"));
        EXPECT_EQ(ItemText(page, IDC_TU_BROWSE), "Browse...");
        Click(page, IDC_TU_BROWSE);
        path = ItemText(page, IDC_TU_PATH);
        PressSheetButton(sheet, PSBTN_OK);
    });
    SetOdbcPromptForTests(nullptr);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(boxes_.Count(), 0u) << boxes_.LastText();
    EXPECT_EQ(path, "ovdesk_shop");
    ASSERT_EQ(ServerList_Count(&profile->Servers), 1u);
    EXPECT_STREQ(ServerList_Get(&profile->Servers, 0)->szPath, "ovdesk_shop");
    ORB_UpdateOrbisEntry(profile);
    AnalysisProfile* read = ReadBack(profile);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(ServerList_GetProtocol(&read->Servers), (DWORD)SERVER_PROTOCOL_ODBC);
    ASSERT_EQ(ServerList_Count(&read->Servers), 1u);
    // The engine reads an ODBC path back with its prefix.
    EXPECT_STREQ(ServerList_Get(&read->Servers, 0)->szPath, "odbc:ovdesk_shop");
    EXPECT_EQ(std::string(read->ODBCDataSource).rfind("DSN=ovdesk_shop;", 0), 0u)
        << read->ODBCDataSource;
}
