// The plug-in in the stand-in host: ovhost.exe runs in an install folder of
// its own, loads ovdesk.dll from there, lists the profiles and runs reports
// unattended. Every run must end by itself.
#include <gtest/gtest.h>
#include "child_process.h"
#include "temp_install.h"
#include "definitions/report_definitions.h"
#include "ovcore/ovcore.h"
#include "test_server.h"
#include <winsock2.h>

namespace {
const char* const kProgramFiles[] = {"ovhost.exe",   "ovdesk.dll",   "ovkit.dll",   "ovcore.dll",
                                     "GSWDLL32.dll", "CSTCTLS4.dll", "FTP4W32.dll", "DUNZIP32.dll"};
const DWORD kRunLimitMs = 60000;

struct RunResult {
    DWORD exitCode;
    std::string output;
};

std::string TestProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

class HostProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string bin = TestProgramFolder();
        for (const char* file : kProgramFiles)
            ASSERT_TRUE(CopyFileA((bin + file).c_str(), install_.Path(file).c_str(), FALSE))
                << file;
    }

    // logs: one path, or several joined by "|".
    void WriteProfile(const char* baseName, const char* description, const std::string& logs) {
        AnalysisProfile* p = AnalysisProfile_New();
        strcpy(p->BaseName, baseName);
        strcpy(p->Extension, "wlp");
        strcpy(p->Description, description);
        ServerList_AddServer(&p->Servers, "LocalMachine", logs.c_str(), "", "");
        EXPECT_TRUE(WriteOrbisFile((install_.Data() + baseName + ".wlp").c_str(), p));
        AnalysisProfile_Free(p);
    }

    // The shipped report content (templates, styles, images) into the install.
    void CopyContent() {
        std::string from = ovtest::WineFolderFromEnv("OV_CONTENT_DIR");
        ASSERT_NE(from, "") << "OV_CONTENT_DIR names the shipped content";
        ASSERT_TRUE(ovtest::CopyTree(from, install_.Root()));
    }

    // The saved report 00000001.MSS ("Weekly"): where it goes, and its range
    // when start and stop dates are given.
    void WriteWeekly(const std::string& saveAs, const char* startDate = nullptr,
                     const char* stopDate = nullptr, void (*shape)(ReportDefinition*) = nullptr) {
        ReportDefinition* d = (ReportDefinition*)calloc(1, sizeof(ReportDefinition));
        strcpy(d->Description, "Weekly");
        strcpy(d->SaveReportAs, saveAs.c_str());
        if (startDate) {
            d->ReportRange = 1; // the dates given
            strcpy(d->StartTime, "00:00:00");
            strcpy(d->StopTime, "23:59:59");
            strcpy(d->StartDate, startDate);
            strcpy(d->StopDate, stopDate);
        }
        if (shape)
            shape(d);
        EXPECT_EQ(WriteReportDefinition((install_.Data() + "00000001.MSS").c_str(), d), 1);
        free(d);
    }

    // Writes the log, profile 00000001 ("Main site") over it and the saved
    // report 00000001.MSS ("Weekly") with default settings, or with those
    // shape gives it; then runs that report into week.htm of the install.
    RunResult RunWeekly(const std::string& logText, void (*shape)(ReportDefinition*) = nullptr) {
        std::string log = install_.Path("access.log");
        EXPECT_TRUE(ovtest::WriteFileBytes(log, logText));
        WriteProfile("00000001", "Main site", log);
        WriteWeekly("", nullptr, nullptr, shape);
        return Run("/rf \"00000001.wlp\" \"00000001.MSS\" \"" + install_.Path("week.htm") + "\"");
    }

    // Runs ovhost.exe with arguments; the exit code and everything it printed.
    RunResult Run(const std::string& arguments) {
        ovtest::ChildRun run =
            ovtest::RunChild("\"" + install_.Path("ovhost.exe") + "\" " + arguments,
                             install_.Root(), install_.Path("ovhost-output.txt"), kRunLimitMs);
        EXPECT_TRUE(run.started);
        EXPECT_FALSE(run.timedOut) << "ovhost.exe " << arguments << " did not end";
        return {run.exitCode, run.output};
    }

    ovtest::TempInstall install_;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
} // namespace

TEST_F(HostProcessTest, ListsTheProfilesAndShutsDownCleanly) {
    WriteProfile("00000001", "Main site", install_.Path("access.log"));
    WriteProfile("00000002", "Shop", install_.Path("shop.log"));
    RunResult r = Run("--list");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(Has(r.output, "Main site\t00000001.wlp\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "Shop\t00000002.wlp\n")) << r.output;
}

TEST_F(HostProcessTest, BadCommandLinesFailWithOneLine) {
    std::string log = install_.Path("access.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, "127.0.0.1 - - [01/Mar/2026:10:00:00 +0000] "
                                            "\"GET / HTTP/1.0\" 200 10\n"));
    WriteProfile("00000001", "Main site", log);
    WriteProfile("00000002", "No log", install_.Path("missing.log"));
    struct Case {
        const char* arguments;
        const char* says;
    } cases[] = {
        {"", "usage:"},
        {"/rf", "no profile named"},
        {"/rf \"00000001.wlp\"", "no saved report named"},
        {"/rf \"00000009.wlp\" \"Weekly\"", "profile not found: 00000009.wlp"},
        {"/r \"Nobody\" \"Weekly\"", "profile not found: Nobody"},
        {"/rf \"00000002.wlp\" \"Weekly\"", "log not found:"},
        {"/rf \"00000001.wlp\" \"Weekly\"", "the report request was refused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        RunResult r = Run(c.arguments);
        EXPECT_NE(r.exitCode, 0u);
        EXPECT_TRUE(Has(r.output, std::string("ovhost: ") + c.says)) << r.output;
    }
}

const char kTwoHits[] =
    "127.0.0.1 - - [01/Mar/2026:10:00:00 +0000] \"GET /index.html HTTP/1.0\" 200 10\n"
    "127.0.0.2 - - [01/Mar/2026:11:00:00 +0000] \"GET /shop.html HTTP/1.0\" 200 20\n";

struct OutcomeCase {
    const char* name;
    std::string saveAs; // the saved report's destination
    std::string output; // the command line's output path ("" none)
    bool outsideRange;  // the saved report's range holds no hit
    bool twoLogs;       // the profile reads two logs of the same hours
    bool noLogo;        // the style's logo picture is missing
    DWORD exitCode;
    const char* logLine; // the outcome line of the scheduler log
    const char* reason;  // a text the log must show ("" none)
    std::string report;  // the report file left behind ("" none)
};

// The scheduler log's outcome and the host's exit status come from the run
// itself: "Success" only when the report was written and delivered.
TEST_F(HostProcessTest, TheLogLineAndTheExitStatusFollowTheRunsOutcome) {
    CopyContent();
    WSADATA wsa;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &wsa), 0);
    std::string refused = "127.0.0.1:" + std::to_string(ftptest::ClosedPort());
    WSACleanup();
    // Mail goes by SMTP to a port where nothing listens.
    std::string ini = install_.Path("OSTREVAN.INI");
    WritePrivateProfileStringA("eMail", "eMailType", "SMTP", ini.c_str());
    WritePrivateProfileStringA("eMail", "SMTPServer", refused.c_str(), ini.c_str());
    WritePrivateProfileStringA("eMail", "From", "reports@example.org", ini.c_str());
    WritePrivateProfileStringA("eMail", "ReplyTo", "admin@example.org", ini.c_str());
    WritePrivateProfileStringA("eMail", "MailTimeout", "10", ini.c_str());
    std::string kept = install_.Path("Reports\\Web Analysis\\");
    std::string logo = install_.Path("Base\\Images\\ovlogoss.gif");
    std::string logoBytes = ovtest::ReadFileBytes(logo);
    ASSERT_FALSE(logoBytes.empty());

    const OutcomeCase cases[] = {
        {"written", "", install_.Path("week.htm"), false, false, false, 0, "Success", "",
         install_.Path("week.htm")},
        // A bare name goes to the reports folder; a name without extension takes the format's.
        {"relative name", "", "rel.htm", false, false, false, 0, "Success", "", kept + "rel.htm"},
        {"no extension", "", install_.Path("plain"), false, false, false, 0, "Success", "",
         install_.Path("plain.htm")},
        {"two logs", "", install_.Path("both.htm"), false, true, false, 0, "Success", "",
         install_.Path("both.htm")},
        {"missing logo", "", install_.Path("nologo.htm"), false, false, true, 0, "Success",
         "ovlogoss.gif", install_.Path("nologo.htm")},
        {"nothing in range", "", install_.Path("empty.htm"), true, false, false, 1, "\tFailed",
         "no data in the given date range", ""},
        {"upload refused", "ftp://" + refused + "/site/up.htm", "", false, false, false, 1,
         "\tFailed", "Unable to FTP upload the final report.", kept + "up.htm"},
        {"mail refused", "mailto:boss@example.org/mailed.htm", "", false, false, false, 1,
         "\tFailed", "Unable to e-Mail the final report.", kept + "mailed.htm"},
    };
    for (const OutcomeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string log = install_.Path("access.log");
        ASSERT_TRUE(ovtest::WriteFileBytes(log, kTwoHits));
        std::string logs = log;
        if (c.twoLogs) {
            ASSERT_TRUE(ovtest::WriteFileBytes(install_.Path("second.log"), kTwoHits));
            logs += "|" + install_.Path("second.log");
        }
        WriteProfile("00000001", "Main site", logs);
        WriteWeekly(c.saveAs, c.outsideRange ? "01/05/25" : nullptr,
                    c.outsideRange ? "01/06/25" : nullptr);
        if (c.noLogo)
            DeleteFileA(logo.c_str());
        std::string command = "/rf \"00000001.wlp\" \"00000001.MSS\"";
        if (!c.output.empty())
            command += " \"" + c.output + "\"";
        RunResult r = Run(command);
        if (c.noLogo)
            ASSERT_TRUE(ovtest::WriteFileBytes(logo, logoBytes));
        EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
        bool success = c.exitCode == 0;
        EXPECT_TRUE(Has(r.output, success ? "status: (Success)" : "status: (Failed)")) << r.output;
        EXPECT_TRUE(Has(r.output, std::string(c.logLine) + "\n")) << r.output;
        EXPECT_EQ(Has(r.output, "Success"), success) << r.output;
        EXPECT_TRUE(Has(r.output, c.reason)) << r.output;
        if (!c.report.empty())
            EXPECT_TRUE(Has(ovtest::ReadFileBytes(c.report), "/shop.html")) << c.report;
    }
}

TEST_F(HostProcessTest, AnUnattendedRunThatMakesNoReportFailsWithItsReason) {
    RunResult r =
        RunWeekly("127.0.0.1 - - [01/Mar/2026:10:00:00 +0000] \"GET / HTTP/1.0\" 200 10\n");
    EXPECT_EQ(r.exitCode, 1u) << r.output;
    EXPECT_TRUE(Has(r.output, "status: (Failed)")) << r.output;
    EXPECT_TRUE(Has(r.output, "\t\t\tMain site")) << r.output;
    EXPECT_TRUE(Has(r.output, "\tFailed\n\tCould NOT build the summary.\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "ovhost: the report run failed")) << r.output;
}

namespace {
void AddSection(ReportDefinition* d, const char* name, WORD kind, WORD rows) {
    TemplateSection& s = d->Sections[d->ContentCount++];
    s.Include = 1;
    strcpy(s.Name, name);
    s.Kind = kind;
    s.Rows = rows;
}

// A range of 20 days written with four-digit years, and two sections: the
// three most requested pages and the activity of every period.
void TwoSectionsOverTwentyDays(ReportDefinition* d) {
    d->ReportRange = 1; // "Specify Date/Time"
    strcpy(d->StartTime, "00:00:00");
    strcpy(d->StartDate, "03/01/2026");
    strcpy(d->StopTime, "23:59:59");
    strcpy(d->StopDate, "03/20/2026");
    AddSection(d, "TopDocumentsBeginSection", 2, 3);
    AddSection(d, "HeaderIntervalsBeginSection", 2, 32);
}

// The rows of the table behind the anchor name (its lines with a row colour).
int TableRows(const std::string& page, const std::string& name) {
    size_t at = page.find("<a name=\"" + name + "\">");
    size_t end = at == std::string::npos ? at : page.find("</TABLE>", at);
    int rows = 0;
    for (size_t p = at; p < end && (p = page.find("<TR BGCOLOR=", p + 1)) < end;)
        ++rows;
    return at == std::string::npos ? -1 : rows;
}
} // namespace

// Guards a saved report's contents and range: every template section was
// written with the template's rows whatever the definition named, a range
// with four-digit years found no data, the period table stopped at 12 rows
// and the home page "/" was no page.
TEST_F(HostProcessTest, ASavedReportWritesItsSectionsWithTheirRowsForEveryDayOfItsRange) {
    CopyContent();
    const char* pages[] = {"/", "/a.html", "/b.html", "/", "/c.html"};
    std::string log;
    for (int day = 1; day <= 20; ++day)
        for (int i = 0; i < 5; ++i) {
            char line[160];
            snprintf(line, sizeof line,
                     "10.0.%d.%d - - [%02d/Mar/2026:1%d:00:00 +0000] \"GET %s HTTP/1.0\" 200 100\n",
                     day, i, day, i, pages[(i + day) % 5]);
            log += line;
        }
    RunResult r = RunWeekly(log, TwoSectionsOverTwentyDays);
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    std::string page = ovtest::ReadFileBytes(install_.Path("week.htm"));
    EXPECT_EQ(TableRows(page, "TopDocuments"), 3) << page;
    EXPECT_TRUE(Has(page, "<TD>1</TD><TD>/ ")) << "the home page leads the pages";
    EXPECT_EQ(TableRows(page, "HeaderIntervals"), 20);
    for (const char* left : {"TopBandwidth", "TopHours", "GeneralStats", "TopBottom"})
        EXPECT_EQ(TableRows(page, left), -1) << left;
}
