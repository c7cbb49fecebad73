// The plug-in in the stand-in host: ovhost.exe runs in an install folder of
// its own, loads ovdesk.dll from there, lists the profiles and runs reports
// unattended. Every run must end by itself.
#include <gtest/gtest.h>
#include "child_process.h"
#include "temp_install.h"
#include "definitions/report_definitions.h"
#include "schedule/schedule_files.h"
#include "ovcore/ovcore.h"
#include "test_server.h"
#include <winsock2.h>

namespace {
const char* const kProgramFiles[] = {"ovhost.exe",   "ovdesk.dll",   "ovkit.dll",
                                     "ovcore.dll",   "GSWDLL32.dll", "VIC32.dll",
                                     "CSTCTLS4.dll", "FTP4W32.dll",  "DUNZIP32.dll"};
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

    // logs: one path, or several joined by "|"; history: the profile keeps
    // a history database; shape sets any other field.
    void WriteProfile(const char* baseName, const char* description, const std::string& logs,
                      bool history = false, void (*shape)(AnalysisProfile*) = nullptr) {
        AnalysisProfile* p = AnalysisProfile_New();
        strcpy(p->BaseName, baseName);
        strcpy(p->Extension, "wlp");
        strcpy(p->Description, description);
        if (history) {
            p->SwiftmereFlag = SWIFTMERE_FILES;
            p->RealtimeAnalysis = 1;
        }
        ServerList_AddServer(&p->Servers, "LocalMachine", logs.c_str(), "", "");
        if (shape)
            shape(p);
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
        if (c.noLogo) {
            ASSERT_TRUE(ovtest::WriteFileBytes(logo, logoBytes));
        }
        EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
        bool success = c.exitCode == 0;
        EXPECT_TRUE(Has(r.output, success ? "status: (Success)" : "status: (Failed)")) << r.output;
        EXPECT_TRUE(Has(r.output, std::string(c.logLine) + "\n")) << r.output;
        EXPECT_EQ(Has(r.output, "Success"), success) << r.output;
        EXPECT_TRUE(Has(r.output, c.reason)) << r.output;
        if (!c.report.empty()) {
            EXPECT_TRUE(Has(ovtest::ReadFileBytes(c.report), "/shop.html")) << c.report;
        }
    }
}

// The graph images of report name kept in the reports folder kept
// (name01.gif on) reached folder byte for byte; a report of the shipped
// template has several.
void ExpectGraphsDelivered(const std::string& kept, const std::string& name,
                           const std::string& folder) {
    int graphs = 0;
    for (int n = 1; n <= 9; ++n) {
        std::string image = name + "0" + std::to_string(n) + ".gif";
        std::string local = ovtest::ReadFileBytes(kept + image);
        if (local.empty())
            break;
        SCOPED_TRACE(image);
        ++graphs;
        EXPECT_EQ(local.substr(0, 6), "GIF89a");
        EXPECT_EQ(ovtest::ReadFileBytes(folder + image), local);
    }
    EXPECT_GE(graphs, 3);
}

// The report's graphs go to the server with its pages, as written.
TEST_F(HostProcessTest, AnUploadedReportCarriesItsGraphs) {
    ASSERT_TRUE(ftptest::Server().ok) << "no FTP test server: run through ctest";
    CopyContent();
    std::string log = install_.Path("access.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, kTwoHits));
    WriteProfile("00000001", "Main site", log);
    std::string site = "ftp://127.0.0.1:" + std::to_string(ftptest::Server().port) + "/";
    WriteWeekly(site + "graphs/up.htm", nullptr, nullptr, [](ReportDefinition* d) {
        strcpy(d->SaveToUserName, "weblogs");
        strcpy(d->SaveToPassword, "secret");
    });
    CreateDirectoryA(ftptest::ServedPath("graphs").c_str(), NULL);
    RunResult r = Run("/rf \"00000001.wlp\" \"00000001.MSS\"");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(Has(ftptest::ReadBytes(ftptest::ServedPath("graphs/up.htm")), "up01.gif"));
    ExpectGraphsDelivered(install_.Path("Reports\\Web Analysis\\"), "up",
                          ftptest::ServedPath("graphs") + "\\");
}

// A mailed report carries its graphs as attachments, as written.
TEST_F(HostProcessTest, AMailedReportCarriesItsGraphs) {
    std::string sink = ovtest::EnvironmentFolder("OV_SMTP_SINK");
    int port = atoi(ovtest::ReadFileBytes(sink + "port").c_str());
    ASSERT_NE(port, 0) << "no SMTP sink: run through ctest";
    CopyContent();
    std::string ini = install_.Path("OSTREVAN.INI");
    WritePrivateProfileStringA("eMail", "eMailType", "SMTP", ini.c_str());
    WritePrivateProfileStringA("eMail", "SMTPServer", ("127.0.0.1:" + std::to_string(port)).c_str(),
                               ini.c_str());
    WritePrivateProfileStringA("eMail", "From", "reports@example.org", ini.c_str());
    WritePrivateProfileStringA("eMail", "ReplyTo", "admin@example.org", ini.c_str());
    WritePrivateProfileStringA("eMail", "MailTimeout", "10", ini.c_str());
    std::string log = install_.Path("access.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, kTwoHits));
    WriteProfile("00000001", "Main site", log);
    WriteWeekly("mailto:boss@example.org/graphs.htm");
    RunResult r = Run("/rf \"00000001.wlp\" \"00000001.MSS\"");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    // The sink keeps each message's attachments in mail-N.parts.
    std::string parts;
    for (int n = 1; n <= 20 && parts.empty(); ++n) {
        std::string folder = sink + "mail-" + std::to_string(n) + ".parts\\";
        if (ovtest::FileExistsAt(folder + "graphs.htm"))
            parts = folder;
    }
    ASSERT_FALSE(parts.empty()) << "no mail of graphs.htm in " << sink;
    ExpectGraphsDelivered(install_.Path("Reports\\Web Analysis\\"), "graphs", parts);
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

// ---- Remote requests: "ovhost --remote KEYWORD ..." -------------------------

namespace {
const char kRemoteLog[] =
    "127.0.0.1 - - [01/Mar/2026:10:00:00 +0000] \"GET /index.html HTTP/1.0\" 200 10\n";

std::string ReadIni(const std::string& file, const char* section, const char* key) {
    char value[256] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}
} // namespace

TEST_F(HostProcessTest, RemoteProfileKeywordsLoadSaveAddAndDelete) {
    std::string log = install_.Path("access.log");
    WriteProfile("00000001", "Main site", log);
    // Any case, and a keyword text that goes on behind the keyword.
    RunResult r = Run("--remote %LOADLOGPROFILE%more --profile 00000001.WLP");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    for (const std::string& line : std::vector<std::string>{
             "result: 16\n", "page: LogDesc=Main site\n", "page: LogURLType=0\n",
             "page: ServerCount=1\n", "page: ServerName0=LocalMachine\n",
             "page: LogURL0=" + log + "\n", "page: LogDNS="})
        EXPECT_TRUE(Has(r.output, line)) << line << "\n" << r.output;

    // A server without a log path is skipped; the FTP type is the engine's FTP.
    r = Run("--remote %SaveLogProfile% --profile 00000001.wlp \"LogDesc=Renamed site\" "
            "LogURLType=2 ServerName0=one LogURL0=/logs/a.log ServerName1=nopath LogDB=on "
            "LogRT=on");
    EXPECT_TRUE(Has(r.output, "result: 16\nstatus: 0")) << r.output;
    AnalysisProfile* saved = AnalysisProfile_New();
    ASSERT_TRUE(ReadOrbisFile((install_.Data() + "00000001.wlp").c_str(), saved));
    EXPECT_STREQ(saved->Description, "Renamed site");
    EXPECT_EQ(ServerList_GetProtocol(&saved->Servers), (DWORD)SERVER_PROTOCOL_FTP);
    EXPECT_EQ(ServerList_Count(&saved->Servers), 1u);
    EXPECT_NE(saved->SwiftmereFlag, 0);
    EXPECT_EQ(saved->RealtimeAnalysis, 1u);
    AnalysisProfile_Free(saved);
    r = Run("--remote %LoadLogProfile% --profile 00000001.wlp");
    EXPECT_TRUE(Has(r.output, "page: LogURLType=2\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "page: LogDB=on\n")) << r.output;
    r = Run("--remote %logcheckclusterprofile% --profile 00000001.wlp");
    EXPECT_TRUE(Has(r.output, "result: 24\nstatus: 0 \npage: LogCluster=off\n")) << r.output;
    // A page text longer than every buffer on its way is cut, not overrun.
    Run("--remote %SaveLogProfile% --profile 00000001.wlp LogDesc=" + std::string(3000, 'd'));
    saved = AnalysisProfile_New();
    ASSERT_TRUE(ReadOrbisFile((install_.Data() + "00000001.wlp").c_str(), saved));
    size_t kept = strlen(saved->Description); // as long as the profile file keeps
    EXPECT_GT(kept, 0u);
    EXPECT_EQ(std::string(saved->Description), std::string(kept, 'd'));
    AnalysisProfile_Free(saved);

    r = Run("--remote %AddLogProfile% LogDesc=Fresh ServerName0=s LogURL0=c:\\x.log");
    EXPECT_TRUE(Has(r.output, "result: 15\nstatus: 0")) << r.output;
    r = Run("--list");
    EXPECT_TRUE(Has(r.output, "Fresh\t")) << r.output;

    r = Run("--remote %DeleteLogProfile% --profile 00000001.wlp");
    EXPECT_TRUE(Has(r.output, "result: 18\nstatus: 0")) << r.output;
    EXPECT_FALSE(ovtest::FileExistsAt(install_.Data() + "00000001.wlp"));
    r = Run("--remote %DeleteLogProfile% --profile 00000001.wlp");
    EXPECT_TRUE(Has(r.output, "status: 1")) << r.output;
    r = Run("--remote %NoSuchKeyword%");
    EXPECT_TRUE(Has(r.output, "result: 0\n")) << r.output;
    EXPECT_NE(r.exitCode, 0u);
}

TEST_F(HostProcessTest, RemoteOptionKeywordsStoreTheirSettings) {
    RunResult r = Run("--remote %SaveLogOptGeneral% DNSCacheSize=0 UserSessionTimeout=0 "
                      "LogRefreshRate=2 HTMLTitlePage=ON GifImage=1");
    EXPECT_TRUE(Has(r.output, "result: 19\n")) << r.output;
    std::string module = install_.ModuleIni();
    EXPECT_EQ(ReadIni(module, "Defaults", "DNSCacheEntries"), "50000");
    EXPECT_EQ(ReadIni(module, "Defaults", "CachedTime"), "1800");
    EXPECT_EQ(ReadIni(module, "Defaults", "NoHTMLTitles"), "0");
    EXPECT_EQ(ReadIni(module, "Report", "Graph Type"), "1");
    EXPECT_EQ(ReadIni(install_.BaseIni(), "Defaults", "ListRefreshRate"), "120");
    r = Run("--remote %SaveLogOptGeneral% DNSCacheSize=251");
    EXPECT_EQ(ReadIni(module, "Defaults", "DNSCacheEntries"), "50000");
    r = Run("--remote %SaveLogOptGeneral% DNSCacheSize=7 UserSessionTimeout=3");
    r = Run("--remote %LoadLogOptGeneral%");
    EXPECT_TRUE(Has(r.output, "page: DNSCacheSize=7\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "page: UserSessionTimeout=3\n")) << r.output;

    r = Run("--remote %SaveLogOptLogCache% LogCache=2");
    EXPECT_EQ(ReadIni(module, "Defaults", "FTPDownload"), "Detect");
    r = Run("--remote %LoadLogOptLogCache%");
    EXPECT_TRUE(Has(r.output, "page: LogCache=2\n")) << r.output;
    r = Run("--remote %SaveLogOptCookie% CookieEnable=off CookieValidate=on");
    EXPECT_EQ(ReadIni(module, "Cookie", "Enable"), "0");
    EXPECT_EQ(ReadIni(module, "Cookie", "Validate"), "1");
    r = Run("--remote %LoadLogOptMicrosoft%");
    EXPECT_TRUE(Has(r.output, "page: MSExcelGraph=1\n")) << r.output;
}

struct RemoteSubmitTest : HostProcessTest {
    void SetUp() override {
        HostProcessTest::SetUp();
        CopyContent();
        std::string log = install_.Path("access.log");
        ASSERT_TRUE(ovtest::WriteFileBytes(log, kRemoteLog));
        WriteProfile("00000001", "Main site", log);
        WriteProfile("00000002", "No log", install_.Path("missing.log"));
        ReportDefinition* d = (ReportDefinition*)calloc(1, sizeof(ReportDefinition));
        strcpy(d->Description, "Remote template");
        EXPECT_EQ(WriteReportDefinition((install_.Data() + "REMOTE.MSS").c_str(), d), 1);
        free(d);
    }
    std::string UserFolder(const std::string& user) {
        return install_.Path("remote reports\\" + user);
    }
};

TEST_F(RemoteSubmitTest, ASubmittedReportRunsThroughTheHostAndItsStatusEndsAt100) {
    RunResult r = Run("--remote %SubmitLogReport% --profile 00000001.wlp --user alice "
                      "Format=7 EMail= Username=alice Password=secret Range=0");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(Has(r.output, "result: 17\nstatus: 0")) << r.output;
    EXPECT_TRUE(Has(r.output, "status.rep: 100 ")) << r.output;
    size_t at = r.output.find("report folder: ");
    ASSERT_NE(at, std::string::npos) << r.output;
    std::string folder = r.output.substr(at + 15, r.output.find('\n', at) - at - 15);
    // Format 7 is no format: the HTML report.
    EXPECT_TRUE(Has(ovtest::ReadFileBytes(folder + "\\rep.htm"), "<HTML")) << folder;
    std::string record = ovtest::ReadFileBytes(folder + "\\status.rep");
    ASSERT_EQ(record.size(), 1971u);
    EXPECT_EQ(record.compare(0, 17, "Main site [alice "), 0) << record.substr(0, 100);
    EXPECT_EQ(record[100], 'R');
    EXPECT_EQ(record[101], 100);
    EXPECT_EQ(std::string(record.c_str() + 415), "7");
    EXPECT_EQ(std::string(record.c_str() + 615), folder + "\\rep.htm");
    EXPECT_EQ(std::string(record.c_str() + 875), "alice");
    EXPECT_EQ(std::string(record.c_str() + 911), "secret");
    // The run's saved definition and event are gone with it.
    EXPECT_FALSE(Has(Run("--remote %LoadLogProfile% --profile 00000001.wlp").output, "~alice"));

    r = Run("--remote %SubmitLogReport% --profile 00000002.wlp --user alice Format=0");
    EXPECT_NE(r.exitCode, 0u);
    EXPECT_TRUE(Has(r.output, "status.rep: 110 ")) << r.output;
}

TEST_F(RemoteSubmitTest, SubmissionsAreRefusedForUnsafeNamesLimitsAndMissingProfiles) {
    CreateDirectoryA(install_.Path("remote reports").c_str(), nullptr);
    CreateDirectoryA(UserFolder("bob").c_str(), nullptr);
    CreateDirectoryA((UserFolder("bob") + "\\1").c_str(), nullptr);
    struct Case {
        const char* options;
        const char* says;
    } cases[] = {
        // Guards the user name that made a report folder outside the reports root.
        {"--user ..\\evil", "status: 1 User Name Refused"},
        {"--user a/b", "status: 1 User Name Refused"},
        {"--user c:d", "status: 1 User Name Refused"},
        {"--user ..", "status: 1 User Name Refused"},
        {"--user alice --disabled", "status: 1 Report Disable"},
        {"--user bob --limit 1", "status: 1 Server Limit Exceeded"},
        {"--user alice --profile 00000001.WLP", "status: 1 Profile Not Found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        RunResult r = Run(std::string("--remote %SubmitLogReport% --profile 00000001.wlp ") +
                          c.options + " Format=0");
        EXPECT_TRUE(Has(r.output, c.says)) << r.output;
        EXPECT_NE(r.exitCode, 0u);
    }
    EXPECT_FALSE(ovtest::FileExistsAt(install_.Path("evil")));
    EXPECT_FALSE(ovtest::FileExistsAt(UserFolder("alice")));
    // The user's record lifts the limit.
    RunResult r = Run("--remote %SubmitLogReport% --profile 00000001.wlp --user bob --limit 1 "
                      "--unlimited Format=0");
    EXPECT_TRUE(Has(r.output, "result: 17\nstatus: 0")) << r.output;
    // The token keyword answers whether a request is that run.
    r = Run("--remote ~ALICE/5 --token ~alice/5");
    EXPECT_TRUE(Has(r.output, "result: 1\n")) << r.output;
    r = Run("--remote ~alice/6 --token ~alice/5");
    EXPECT_TRUE(Has(r.output, "result: 0\n")) << r.output;
}

TEST_F(HostProcessTest, TheViewLogFileDialogListsTheLogInTheViewerAndCloses) {
    std::string log = install_.Path("access.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(
        log, "10.0.0.1 - - [10/Oct/1999:13:55:36 +0000] \"GET /index.html HTTP/1.0\" 200 2326\n"
             "10.0.0.2 - - [10/Oct/1999:13:56:01 +0000] \"GET /a.gif HTTP/1.0\" 404 0\n"));
    WriteProfile("00000001", "Main site", log);
    // The host takes a picture of the dialog, presses Start, takes one of the
    // finished viewer and closes it: code 15 ends by itself.
    RunResult r = Run("--view 00000001.wlp \"" + install_.Path("dialog.bmp") + "\" \"" +
                      install_.Path("viewer.bmp") + "\"");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(ovtest::FileExistsAt(install_.Path("dialog.bmp")));
    EXPECT_TRUE(ovtest::FileExistsAt(install_.Path("viewer.bmp")));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(install_.Path("~*.TMP").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a view buffer file was left behind";
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// The number of pictures prefix + "1.bmp", "2.bmp", ... in a row.
int PictureCount(const std::string& prefix) {
    int n = 0;
    while (ovtest::FileExistsAt(prefix + std::to_string(n + 1) + ".bmp"))
        ++n;
    return n;
}

// The host opens the sheet through code 2, takes a picture of every tab and
// presses OK: the plug-in saves the profile, and the host ends by itself.
TEST_F(HostProcessTest, AnEditedProfileShowsEveryTabAndIsSaved) {
    WriteProfile("00000001", "Main site", install_.Path("access.log"), false,
                 [](AnalysisProfile* p) {
                     strcpy(p->HomePageDefaults, "index.html");
                     AddFilterToProfile(CreateNewIncludeFilter(), p, -1);
                 });
    // An old time on the file shows that the plug-in wrote it again.
    std::string file = install_.Data() + "00000001.wlp";
    HANDLE handle = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    FILETIME old = {0, 0x01B00000};
    ASSERT_TRUE(SetFileTime(handle, nullptr, nullptr, &old));
    CloseHandle(handle);
    RunResult r = Run("--edit 00000001.wlp \"" + install_.Path("tab") + "\"");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(Has(r.output, "result\t1\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "saved\tMain site\t00000001.wlp\n")) << r.output;
    EXPECT_GE(PictureCount(install_.Path("tab")), 5) << r.output;
    WIN32_FILE_ATTRIBUTE_DATA written;
    ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &written));
    EXPECT_GT(written.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
    AnalysisProfile* p = AnalysisProfile_New();
    ASSERT_EQ(ReadOrbisFile((install_.Data() + "00000001.wlp").c_str(), p), 4);
    EXPECT_STREQ(p->Description, "Main site");
    AnalysisProfile_Free(p);
}

// A new profile's wizard and a copy's sheet, cancelled after their
// pictures, leave no profile file behind; the maintenance dialog opens
// and closes.
TEST_F(HostProcessTest, CancelledNewAndCopiedProfilesLeaveNoFileAndMaintenanceCloses) {
    WriteProfile("00000001", "Main site", install_.Path("access.log"));
    const struct {
        const char* Command;
        const char* Result;
    } cases[] = {
        {"--new", "result\t2\n"},
        {"--copy 00000001.wlp", "result\t2\n"},
        {"--maintain", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        std::string prefix = install_.Path(std::string("pic") + c.Command[2]);
        RunResult r = Run(std::string(c.Command) + " \"" + prefix + "\"");
        EXPECT_EQ(r.exitCode, 0u) << r.output;
        EXPECT_TRUE(Has(r.output, c.Result)) << r.output;
        EXPECT_GE(PictureCount(prefix), 1) << r.output;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((install_.Data() + "*.wlp").c_str(), &found);
        int files = 0;
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            ++files;
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        EXPECT_EQ(files, 1);
    }
}

// A profile with a history database over logs that overlap: the plug-in
// refuses such logs and writes no report, so an unattended run says
// "Failed" and why; logs that overlap no more than a rotation leaves are
// reported, and the run says "Success". Guards runs that logged "Success"
// without a report.
TEST_F(HostProcessTest, AHistoryProfileOverOverlappingLogsFailsWithItsReason) {
    CopyContent();
    // Three hours each: more than the overlap a rotation may leave.
    const char threeHours[] =
        "127.0.0.1 - - [01/Mar/2026:10:00:00 +0000] \"GET /index.html HTTP/1.0\" 200 10\n"
        "127.0.0.2 - - [01/Mar/2026:13:00:00 +0000] \"GET /shop.html HTTP/1.0\" 200 20\n";
    const std::string first = install_.Path("access.log"), second = install_.Path("second.log");
    const struct {
        const char* name;
        const char* hits; // of both logs
        std::string logs;
        bool written;
    } cases[] = {
        {"two logs of the same three hours", threeHours, first + "|" + second, false},
        {"one log named twice, read once", threeHours, first + "|" + first, true},
        {"an overlap a rotation leaves", kTwoHits, first + "|" + second, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ovtest::WriteFileBytes(first, c.hits));
        ASSERT_TRUE(ovtest::WriteFileBytes(second, c.hits));
        WriteProfile("00000001", "Main site", c.logs, true);
        WriteWeekly("");
        std::string report = install_.Path("history" + std::to_string(++n) + ".htm");
        RunResult r = Run("/rf \"00000001.wlp\" \"00000001.MSS\" \"" + report + "\"");
        EXPECT_EQ(r.exitCode, c.written ? 0u : 1u) << r.output;
        EXPECT_TRUE(Has(r.output, c.written ? "status: (Success)" : "status: (Failed)"))
            << r.output;
        EXPECT_EQ(Has(r.output, "Success"), c.written) << r.output;
        EXPECT_EQ(Has(r.output, "\tFailed\n\tThe 'Main site' log profile specifies log files "
                                "that have starting and ending times that overlap."),
                  !c.written)
            << r.output;
        EXPECT_EQ(ovtest::FileExistsAt(report), c.written);
    }
}

namespace {
ScheduleEvent WeeklyEvent(DWORD time, WORD repeatDays, const std::string& saveAs) {
    ScheduleEvent e = {};
    e.Version = 256;
    e.Active = 1;
    e.Time = time;
    e.RepeatIncrement = repeatDays;
    e.RepeatType = 2;
    e.ActivityType = DEFINITION_SUMMARY;
    strcpy(e.Memorized, "Weekly");
    strcpy(e.SetName, "00000001");
    strcpy(e.SetExtension, "wlp");
    strcpy(e.SetDescription, "Main site");
    snprintf(e.SaveAsFilename, sizeof e.SaveAsFilename, "%s", saveAs.c_str());
    return e;
}
} // namespace

TEST_F(HostProcessTest, TheHostListsStoredEventsAndRunsThoseDueAtItsClock) {
    CopyContent();
    std::string log = install_.Path("access.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, kTwoHits));
    WriteProfile("00000001", "Main site", log);
    WriteWeekly("");
    std::string due = install_.Data() + "log0000.las", later = install_.Data() + "log0001.las";
    ScheduleEvent daily = WeeklyEvent(1000, 1, install_.Path("due.htm"));
    ScheduleEvent once = WeeklyEvent(2000000000, 0, install_.Path("later.htm"));
    ASSERT_EQ(WriteScheduleEventFile(due.c_str(), &daily, "Main"), 1);
    ASSERT_EQ(WriteScheduleEventFile(later.c_str(), &once, "Main"), 1);

    RunResult r = Run("--schedule 1500");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(Has(r.output, "event\t" + due + "\t1000\t1\t0\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "event\t" + later + "\t2000000000\t1\t0\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "status: (Success)")) << r.output;
    EXPECT_TRUE(Has(r.output, "Success\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "runs\t1\tfailed\t0\n")) << r.output;
    EXPECT_TRUE(Has(ovtest::ReadFileBytes(install_.Path("due.htm")), "/shop.html"));
    EXPECT_EQ(GetFileAttributesA(install_.Path("later.htm").c_str()), INVALID_FILE_ATTRIBUTES);

    // A new host process finds the same events; before their time none runs.
    r = Run("--schedule 900");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_TRUE(Has(r.output, "event\t" + due + "\t1000\t1\t0\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "runs\t0\tfailed\t0\n")) << r.output;
}
