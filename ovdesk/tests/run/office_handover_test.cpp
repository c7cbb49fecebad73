// The office hand-overs: the spreadsheet and text conversion of a marked
// HTML report, and the spreadsheet program and word processor started with
// their command lines (a stand-in program, registered where they are looked
// for, records what it was given).
#include <gtest/gtest.h>

#include "desk_run_fixture.h"
#include "desk_services.h"
#include "msgbox_watcher.h"
#include "office/office_handover.h"
#include "office/report_tables.h"
#include "report_run/progress_dialog.h"
#include "report_run/report_delivery.h"
#include "report_run/report_run.h"
#include "report_run/run_state.h"

using desktest::DeskInstall;

namespace {

const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EXCEL.EXE";
const char kExcelUser[] = "Software\\Microsoft\\Office\\8.0\\Excel\\Microsoft Excel";
const char kWordKey[] = "SOFTWARE\\Microsoft\\Office\\8.0";
const char kWordTemplates[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Common\\FileNew\\LocalTemplates";

std::string BinFolder() {
    char name[MAX_PATH];
    GetModuleFileNameA(nullptr, name, sizeof name);
    std::string path = name;
    return path.substr(0, path.rfind('\\') + 1);
}

void SetText(HKEY root, const char* key, const char* name, const std::string& value) {
    RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(), (DWORD)value.size() + 1);
}

void SetNumber(HKEY root, const char* key, const char* name, DWORD value) {
    RegSetKeyValueA(root, key, name, REG_DWORD, &value, sizeof value);
}

DWORD Number(HKEY root, const char* key, const char* name) {
    DWORD value = 0xFFFFFFFF, size = sizeof value;
    RegGetValueA(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::string Dashes() {
    return std::string(60, '-') + "\r\n";
}

// A report with one graph image, a GIF that is no element, a table with
// titles, a sheet name and a last row one cell short, a table without
// titles and one whose statistics start with 0.
const char kMarkedReport[] =
    "<HTML><BODY>\r\n"
    "<P><IMG SRC=\"graphs\\hits.WMF\" ALT=\"Hits\"></P>\r\n"
    "<P><IMG SRC=\"logo.gif\"></P>\r\n"
    "<!-- OV_TABLE_STATS>3,20,10</OV_TABLE_STATS -->"
    "<!-- OV_EXCEL_SHEET_NAME>Top <B>Pages</B></OV_EXCEL_SHEET_NAME -->\r\n"
    "<TABLE><TR><TH><B>#</B></TH><TH><B>Page</B></TH><TH><B>Hits</B></TH></TR>\r\n"
    "<TR><TD>1</TD><TD CLASS=\"n\">/index.html</TD><TD CLASS=\"n\">1,234</TD></TR>\r\n"
    "<TR><TD>2</TD><TD>/a&nbsp;b<br>c\tx</TD><TD>5</TD></TR>\r\n"
    "<TR><TD>3</TD><TD>/short</TD></TR></TABLE>\r\n"
    "<!-- OV_TABLE_STATS>2</OV_TABLE_STATS --><!-- OV_NO_COLUMN_TITLES -->\r\n"
    "<TABLE><TR><TD>Hits</TD><TD>9</TD></TR></TABLE>\r\n"
    "<!-- OV_TABLE_STATS>0</OV_TABLE_STATS -->\r\n"
    "<TABLE><TR><TD>x</TD></TR></TABLE>\r\n"
    "</BODY></HTML>\r\n";

TEST(ReportTables, CellTextsAreCleaned) {
    struct Case {
        const char* raw;
        const char* cleaned;
    } cases[] = {
        {"1,234", "1234"},
        {"a<BR>b", "a - b"},
        {"a<br>b<Br>c", "a - b - c"},
        {"x&nbsp;&nbsp;y", "x  y"},
        {"<A HREF=\"p\">page</A>\r\n\t", "page"},
        {"<B>bold", "bold"},
        {"cut <open", "cut "},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        char out[64];
        EXPECT_EQ(CleanCellText(c.raw, (DWORD)strlen(c.raw), out, sizeof out), strlen(c.cleaned));
        EXPECT_STREQ(out, c.cleaned);
    }
    char small[4];
    CleanCellText("abcdef", 6, small, sizeof small);
    EXPECT_STREQ(small, "abc");
}

TEST(ReportTables, ElementsAreMetafileImagesAndMarkedTablesInDocumentOrder) {
    ReportElement elements[MAX_REPORT_ELEMENTS];
    int count = FindReportElements(kMarkedReport, (DWORD)strlen(kMarkedReport), elements);
    ASSERT_EQ(count, 4);
    EXPECT_EQ(elements[0].Kind, ELEMENT_IMAGE);
    EXPECT_EQ(std::string(kMarkedReport + elements[0].MarkStart, elements[0].MarkLength),
              "graphs\\hits.WMF");
    for (int i = 1; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(elements[i].Kind, ELEMENT_TABLE);
        EXPECT_GT(elements[i].Start, elements[i - 1].End - 1);
        EXPECT_EQ(std::string(kMarkedReport + elements[i].End - 8, 8), "</TABLE>");
    }
    const char unfinished[] = "<!-- OV_TABLE_STATS>2</OV_TABLE_STATS --><TABLE><TR>";
    EXPECT_EQ(FindReportElements(unfinished, (DWORD)strlen(unfinished), elements), 0);
}

struct OfficeFixture : ::testing::Test {
    DeskInstall& desk = desktest::Desk();
    ovtest::MsgBoxWatcher boxes;
    volatile LONG cancel = 0;
    HWND dialog = nullptr;
    ScheduleEvent event = {};
    ReportRunRequest scheduled = {};
    std::string root = desk.Install().Root();

    void SetUp() override {
        DeskInstall::ClearSchedulerLog();
        CreateDirectoryA((root + "office").c_str(), nullptr);
        CreateDirectoryA((root + "out").c_str(), nullptr);
        scheduled.Event = &event;
        scheduled.RunMode = RUN_MODE_SCHEDULED;
        BeginRunState(&scheduled, nullptr); // nobody answers: messages go to the log
    }
    void TearDown() override {
        CloseProgressDialog();
        EndRunState();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kAppPaths);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kWordKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\8.0");
        ovtest::RemoveTree(root + "office\\");
    }
    void OpenProgress() {
        dialog = ShowProgressDialog(nullptr, &cancel, "Testing", SW_HIDE);
        ASSERT_NE(dialog, nullptr);
    }
    // The stand-in copied in as name (e.g. "office\\EXCEL.EXE"); its full path.
    std::string InstallProgram(const std::string& name) {
        std::string path = root + name;
        EXPECT_TRUE(CopyFileA((BinFolder() + "fake_office.exe").c_str(), path.c_str(), FALSE));
        return path;
    }
    std::string RegisterSpreadsheet() {
        std::string program = InstallProgram("office\\EXCEL.EXE");
        SetText(HKEY_LOCAL_MACHINE, kAppPaths, nullptr, program);
        return program;
    }
};

TEST_F(OfficeFixture, ConversionWritesOneCommaFilePerTableAndTheOverview) {
    std::string report = root + "out\\ACCESSLOG.XLS";
    ASSERT_TRUE(ovtest::WriteFileBytes(report, kMarkedReport));
    char handover[MAX_PATH] = "x";
    EXPECT_EQ(ConvertHtmlReport(nullptr, report.c_str(), FORMAT_XLS, 0, handover), FORMAT_XLS);
    EXPECT_STREQ(handover, ""); // no spreadsheet program: no hand-over file
    EXPECT_EQ(ovtest::ReadFileBytes(root + "out\\ACCESSLOG.HTM"), kMarkedReport);
    EXPECT_FALSE(ovtest::FileExistsAt(report));
    EXPECT_FALSE(ovtest::FileExistsAt(root + "out\\ACCESS01.CMA")); // the image's number
    // The short last row keeps its cells but is no row. Guards the cell
    // search that ran past the table's end into the next table's cells.
    std::string rows = "1, /index.html, 1234\r\n2, /a b - cx, 5\r\n3, /short\r\n";
    EXPECT_EQ(ovtest::ReadFileBytes(root + "out\\ACCESS02.CMA"), "#, Page, Hits\r\n" + rows);
    EXPECT_EQ(ovtest::ReadFileBytes(root + "out\\ACCESS03.CMA"), "Hits, 9\r\n");
    EXPECT_EQ(ovtest::ReadFileBytes(root + "out\\ACCESS04.CMA"), "");
    EXPECT_EQ(ovtest::ReadFileBytes(root + "out\\ACCESSLOG.TXT"),
              "\r\n\r\n"
              "-------->> Top Pages <<--------\r\n#, Page, Hits\r\n" +
                  Dashes() + rows + "\r\n\r\n" + Dashes() + "Hits, 9\r\n\r\n\r\n" + "\r\n\r\n");
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(OfficeFixture, ConversionWritesTheHandoverFileBesideTheSpreadsheetProgram) {
    OpenProgress();
    std::string program = RegisterSpreadsheet();
    std::string report = root + "out\\ACCESSLOG.XLS";
    ASSERT_TRUE(ovtest::WriteFileBytes(report, kMarkedReport));
    char handover[MAX_PATH] = "";
    EXPECT_EQ(ConvertHtmlReport(dialog, report.c_str(), FORMAT_XLS, 1, handover), FORMAT_XLS);
    std::string ini = root + "office\\OV_EXCEL.INI";
    EXPECT_EQ(std::string(handover), ini);
    char hwnd[16], status[16];
    snprintf(hwnd, sizeof hwnd, "%lu", (unsigned long)((ULONG_PTR)dialog & 0xFFFF));
    snprintf(status, sizeof status, "%lu",
             (unsigned long)((ULONG_PTR)GetDlgItem(dialog, 8253) & 0xFFFF));
    std::string expected = "[Ostrevane]\r\nOutput=" + report + "\r\nfViewIt=1\r\nHWND=" + hwnd +
                           "\r\nSTATIC=" + status +
                           "\r\nNumTables=4\r\nGraphs=1\r\nReportsDir=" + root + "out\\\r\n" +
                           "[1]\r\nImage=hits.WMF\r\n"
                           "[2]\r\nFile=ACCESS02.CMA\r\nColumnWidths=3,20,10\r\nNumColumns=3\r\n"
                           "BoldFaceHeader=1\r\nTable=2 - Top Pages\r\nNumRows=2\r\n"
                           "[3]\r\nFile=ACCESS03.CMA\r\nColumnWidths=2\r\nNumColumns=2\r\n"
                           "BoldFaceHeader=0\r\nNumRows=1\r\n"
                           "[4]\r\nFile=ACCESS04.CMA\r\nColumnWidths=0\r\n";
    EXPECT_EQ(ovtest::ReadFileBytes(ini), expected);
    char caption[128];
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "Comma-delimited Text Report");
    EXPECT_EQ(g_DocumentHandOverState, HANDOVER_IDLE);
}

TEST_F(OfficeFixture, ReportsWithoutElementsOrFilesDoNotConvert) {
    std::string plain = root + "out\\plain.cma";
    ovtest::WriteFileBytes(plain, "<HTML><TABLE><TR><TD>1</TD></TR></TABLE></HTML>");
    EXPECT_EQ(ConvertHtmlReport(nullptr, plain.c_str(), FORMAT_CMA, 0, nullptr), FORMAT_UNKNOWN);
    EXPECT_EQ(ConvertHtmlReport(nullptr, (root + "out\\none.txt").c_str(), FORMAT_TXT, 0, nullptr),
              FORMAT_UNKNOWN);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(OfficeFixture, SpreadsheetProgramStartsWithTheWorkbookAndItsSettingsComeBack) {
    OpenProgress();
    std::string program = RegisterSpreadsheet();
    SetNumber(HKEY_CURRENT_USER, kExcelUser, "Options6", 0x2F);
    SetNumber(HKEY_CURRENT_USER, kExcelUser, "NoXL5ModuleTabsAlert", 0);
    std::string report = root + "out\\sheet.xls";
    ASSERT_TRUE(ovtest::WriteFileBytes(report, kMarkedReport));
    char handover[MAX_PATH];
    ASSERT_EQ(ConvertHtmlReport(dialog, report.c_str(), FORMAT_XLS, 0, handover), FORMAT_XLS);
    EXPECT_EQ(StartSpreadsheetHandover(dialog), 1);
    EXPECT_EQ(ovtest::ReadFileBytes(program + ".calls"),
              program + " /r \"" + root + "Base\\Template\\OV_XL95.XLS\" /e\r\n" +
                  "Options6=39 NoXL5ModuleTabsAlert=1\r\n");
    EXPECT_EQ(ovtest::ReadFileBytes(program + ".ini"), ovtest::ReadFileBytes(handover));
    EXPECT_EQ(Number(HKEY_CURRENT_USER, kExcelUser, "Options6"), 0x2Fu);
    EXPECT_EQ(Number(HKEY_CURRENT_USER, kExcelUser, "NoXL5ModuleTabsAlert"), 0u);
    EXPECT_EQ(g_DocumentHandOverState, HANDOVER_IDLE);

    ovtest::WriteFileBytes(program + ".fail", "");
    EXPECT_EQ(StartSpreadsheetHandover(dialog), 0);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(OfficeFixture, DocumentReportGoesToTheWordProcessorWithItsCommandLine) {
    OpenProgress();
    CreateDirectoryA((root + "office\\word").c_str(), nullptr);
    CreateDirectoryA((root + "office\\templates").c_str(), nullptr);
    std::string program = InstallProgram("office\\word\\WINWORD.EXE");
    SetText(HKEY_LOCAL_MACHINE, kWordKey, "BinDirPath", root + "office\\word");
    SetText(HKEY_CURRENT_USER, kWordTemplates, nullptr, root + "office\\templates");
    std::string output = root + "out\\report.doc";
    ASSERT_TRUE(ovtest::WriteFileBytes(output, "the engine's text"));
    EXPECT_EQ(HandToWordProcessor(output.c_str(), dialog, 0), 1);
    std::string temp = root + "TEMP0000.TXT";
    EXPECT_EQ(ovtest::ReadFileBytes(program + ".calls"),
              "\"" + root + "office\\word\"\\WINWORD.EXE \"" + temp + "\"  \"" + output +
                  "\"  /mOVCreateOstrevaneReport /a\r\n");
    EXPECT_EQ(ovtest::ReadFileBytes(program + ".text"), "the engine's text");
    EXPECT_FALSE(ovtest::FileExistsAt(temp));
    EXPECT_EQ(ovtest::ReadFileBytes(output),
              ovtest::ReadFileBytes(root + "Base\\Template\\OSTREVAN.DOC"));
    EXPECT_EQ(ovtest::ReadFileBytes(root + "office\\templates\\OSTREVAN.DOT"),
              ovtest::ReadFileBytes(root + "Base\\Template\\OV80.DOT"));
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(OfficeFixture, MissingOfficeProgramsAreReportedWithoutABox) {
    OpenProgress();
    std::string output = root + "out\\alone.doc";
    ovtest::WriteFileBytes(output, "text");
    EXPECT_EQ(HandToWordProcessor(output.c_str(), dialog, 0), 0);
    EXPECT_EQ(ovtest::ReadFileBytes(output), "text"); // left as the engine wrote it
    EXPECT_EQ(StartSpreadsheetHandover(dialog), 0);
    std::string log = DeskInstall::SchedulerLog();
    EXPECT_NE(log.find("Couldn't locate Microsoft Word 7.0 or 8.0"), std::string::npos) << log;
    EXPECT_NE(log.find("Unable to locate Microsoft Excel '95 or '97"), std::string::npos) << log;
    EXPECT_EQ(boxes.Count(), 0u);
}

// Whole scheduled runs: each format is what it says, and a spreadsheet that
// could not be handed over is no delivered report.
TEST_F(OfficeFixture, ScheduledRunsDeliverEachFormat) {
    EndRunState();
    AnalysisProfile* profile =
        desk.WriteProfile("formats", desk.WriteLog("formats.log", desktest::SmallLog()));
    struct Case {
        const char* name;
        RunOutcome outcome;
    } cases[] = {
        {"weekly.cma", RUN_REPORT_DELIVERED},
        {"weekly.txt", RUN_REPORT_DELIVERED},
        {"sheet.xls", RUN_NOT_DELIVERED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string output = root + "out\\" + c.name;
        EXPECT_EQ(RunReport(nullptr, nullptr, profile, 0, 0, output.c_str(), "", "", "", "ENGLISH",
                            &scheduled),
                  1)
            << GetLastRunMessage();
        EXPECT_EQ(LastRunOutcome(), c.outcome);
        std::string stem = output.substr(0, output.size() - 4);
        EXPECT_NE(ovtest::ReadFileBytes(stem + ".HTM").find("<HTML"), std::string::npos);
        std::string overview = ovtest::ReadFileBytes(stem + ".TXT");
        EXPECT_EQ(overview.find("<TD"), std::string::npos);
        EXPECT_NE(overview.find("-------->> Most requested pages <<--------"), std::string::npos)
            << overview.substr(0, 600);
        EXPECT_NE(overview.find("#, Page, Hits, % of total, Visits\r\n" + Dashes() +
                                "1, /index.html , 10, 33.33%, 7\r\n"),
                  std::string::npos);
    }
    // With the spreadsheet program registered the hidden run's dialog hears it.
    std::string program = RegisterSpreadsheet();
    std::string output = root + "out\\handed.xls";
    EXPECT_EQ(RunReport(nullptr, nullptr, profile, 0, 0, output.c_str(), "", "", "", "ENGLISH",
                        &scheduled),
              1);
    EXPECT_EQ(LastRunOutcome(), RUN_REPORT_DELIVERED) << DeskInstall::SchedulerLog();
    EXPECT_NE(ovtest::ReadFileBytes(program + ".calls").find(" /e\r\n"), std::string::npos);
    EXPECT_NE(ovtest::ReadFileBytes(program + ".ini").find("Output=" + output), std::string::npos);
    EXPECT_EQ(boxes.Count(), 0u);
}

} // namespace
