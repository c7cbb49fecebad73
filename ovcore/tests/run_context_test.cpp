// The run context of a kind-6 run: the template scan that picks the tables,
// the settings and files the set-up reads, and the copy of a context.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "ovcore/intranet.h"
#include "run/run_context_parts.h"
#include "run/run_setup.h"
#include "run_driver.h"
#include "write/report_output.h"

namespace {

using runtest::LogLine;
using runtest::RunEngine;
using runtest::RunOptions;
using runtest::RunOutcome;
using runtest::RunReport;

const ReportTableKeyword& Row(RunTable t) {
    return g_ReportTableKeywords[t];
}

void Scan(const std::string& text) {
    ScanTemplateTextForTables(text.data(), text.size());
}

TEST(TemplateScan, MarksTheTablesItsMarkersName) {
    Scan("<html>no markers % here %</html>");
    for (const ReportTableKeyword& row : g_ReportTableKeywords) {
        EXPECT_EQ(row.Used, 0u) << row.Keyword;
        EXPECT_EQ(row.Empty, 1u) << row.Keyword;
    }
    Scan("%%TopDocuments_Name[25]%% %%TopDocuments_Hits[3]%% %%GeneralStats%% "
         "%%ObsoleteTopPaths[4]%% %%%BeginRepeat%%% %%topHours%%");
    EXPECT_EQ(Row(TopDocuments).Used, 1u);
    EXPECT_EQ(Row(TopDocuments).BracketCount, 25); // the smaller later count does not lower it
    EXPECT_EQ(Row(GeneralStats).Used, 1u);
    EXPECT_EQ(Row(TopHours).Used, 0u); // keywords compare with case
    EXPECT_EQ(Row(ObsoleteTopPaths).Used, 0u);
    EXPECT_EQ(Row(ObsoleteTopPaths).BracketCount, 0);
    // The visits table has no row of its own; its totals need its rows too.
    EXPECT_EQ(g_UserSessionsKeyword.BracketCount, 0);
    Scan("%%TopUserSessionsHits[9]%% %%TopUserSessionsTotalHits[0,10]%% %%TopUsersHits[4]%%");
    EXPECT_EQ(g_UserSessionsKeyword.BracketCount, 9);
    EXPECT_EQ(Row(TopUsers).BracketCount, 4);
}

// Guards the loss of a marker cut by the end of a 10,240-byte read.
TEST(TemplateScan, MarkerAcrossTheFirstTenKilobytesIsFound) {
    RunEngine engine;
    for (size_t cut : {10235u, 10239u, 10240u}) {
        SCOPED_TRACE(cut);
        std::string text(cut, ' ');
        text += "%%TopBrowsers[12]%%\r\n";
        std::string path = engine.WriteData("t.htm", text);
        ScanTemplateForTables(path.c_str());
        EXPECT_EQ(Row(TopBrowsers).Used, 1u);
        EXPECT_EQ(Row(TopBrowsers).BracketCount, 12);
    }
    ScanTemplateForTables((engine.Install().Data() + "missing.htm").c_str());
    EXPECT_EQ(Row(TopBrowsers).Used, 0u);
}

TEST(TemplateScan, BracketNumbers) {
    struct Case {
        const char* keyword;
        WORD first, second;
    } cases[] = {{"TopUsers[4,7]", 4, 7},
                 {"TopUsers[2][9]", 9, 0},
                 {"TopUsers", 0, 0},
                 {"TopUsers[", 0, 0},
                 {nullptr, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword ? c.keyword : "null");
        EXPECT_EQ(GetBracketNumber(c.keyword), c.first);
        EXPECT_EQ(GetBracketSecondNumber(c.keyword), c.second);
    }
}

TEST(TemplateScan, TopCountsComeFromIncludedSectionsWithoutCase) {
    TemplateSection sections[3] = {};
    const char* names[] = {"TopDocumentsBeginSection", "topdocumentsbeginsection",
                           "TOPHOURSBEGINSECTION"};
    DWORD include[] = {1, 0, 1};
    WORD rows[] = {25, 30, 7};
    for (int i = 0; i < 3; i++) {
        lstrcpyA(sections[i].Name, names[i]);
        sections[i].Include = include[i];
        sections[i].Rows = rows[i];
    }
    SetReportTopCounts(sections, 3);
    EXPECT_EQ(Row(TopDocuments).TopCount, 25u);
    EXPECT_EQ(Row(TopHours).TopCount, 7u);
    EXPECT_EQ(Row(TopUsers).TopCount, 0u);
    SetReportTopCounts(nullptr, 0);
    EXPECT_EQ(Row(TopDocuments).TopCount, 0u);
}

// A kind-6 run over a one-line log with the given settings and files.
struct ContextRun {
    RunEngine engine;
    RunOutcome run;
    explicit ContextRun(const std::string& defaults,
                        const std::vector<std::pair<std::string, std::string>>& files = {})
        : engine(defaults) {
        for (const auto& f : files)
            engine.Install().Write(f.first, f.second);
        AnalysisProfile* p =
            engine.WriteProfile("c", {engine.WriteData("c.log", LogLine(1, 60, "/"))});
        run = RunReport(p, "c.wlp");
    }
    ~ContextRun() { ORB_CloseReport(run.report, nullptr); }
    RunContext* Context() { return run.report ? run.report->Run : nullptr; }
};

TEST(RunContextSetup, LimitsTakeTheirDefaultsWhenEmpty) {
    struct Case {
        const char* defaults;
        DWORD top, cached, time;
    } cases[] = {
        {"", 500, 4000, 1800},
        {"MaxTopCount=\r\nMaxCachedCount=\r\n", 500, 4000, 1800},
        {"MaxTopCount=20\r\nMaxCachedCount=7\r\nCachedTime=60\r\n", 20, 7, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaults);
        ContextRun r(c.defaults);
        RunContext* context = r.Context();
        ASSERT_NE(context, nullptr);
        EXPECT_EQ(context->MaxTopCount, c.top);
        EXPECT_EQ(context->MaxCachedCount, c.cached);
        EXPECT_EQ(context->CachedTime, c.time);
    }
}

TEST(RunContextSetup, ListsAndHomePageFromSettingsAndProfile) {
    ContextRun r("gov_OrgType=gov govt;state\r\nDocumentTypes=htm asp\r\n");
    RunContext* context = r.Context();
    ASSERT_NE(context, nullptr);
    ASSERT_NE(context->Language, nullptr);
    EXPECT_STREQ(context->RunText, "Run text");
    EXPECT_EQ(context->DocumentTypeCount, 2);
    EXPECT_EQ(context->USDomains.Count, 8);
    EXPECT_EQ(context->FetchTitleTypeCount, 5);
    // gov's three words, then one word for each other type.
    ASSERT_EQ(context->OrgTypeWords.Count, 10);
    EXPECT_STREQ(context->OrgTypeWords.Words[2], "state");
    EXPECT_EQ(context->OrgTypeCodes[2], SUF_GOV);
    EXPECT_STREQ(context->OrgTypeWords.Words[9], "com");
    EXPECT_EQ(context->OrgTypeCodes[9], SUF_COM);
    EXPECT_STREQ(context->HomePage, "/");
    EXPECT_STREQ(context->Country, "US");
    EXPECT_EQ(context->Period.QuietestDayHits, 0xFFFFFFFFu);
    EXPECT_GT(context->Intervals.Count, 0);
    EXPECT_LE(context->Intervals.Count, REPORT_MAX_INTERVALS);
    EXPECT_NE(context->RangeText[0], 0);
}

void ShopOnAPort(AnalysisProfile* p) {
    lstrcpyA(p->HomePageBaseDir, "http://www.example.com:8080/shop/");
}

void LocalSite(AnalysisProfile* p) {
    lstrcpyA(p->HomePageBaseDir, "file:///C:/site/");
}

// The header keywords show the title the run was given (else the profile
// title), the home page's host (else the profile's description) and the
// profile title; the writer writes to the run's output file.
TEST(RunContextSetup, HeaderTextsFromTheRunsArgumentsAndProfile) {
    struct Case {
        void (*edit)(AnalysisProfile*);
        const char* runText;
        const char* title;
        const char* webDomain;
    } cases[] = {
        {ShopOnAPort, "Our report", "Our report", "www.example.com"},
        {LocalSite, "", "Shop logs", "Run test"},
        {nullptr, "Our report", "Our report", "Run test"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.runText);
        RunEngine engine;
        AnalysisProfile* p =
            engine.WriteProfile("h", {engine.WriteData("h.log", LogLine(1, 60, "/"))}, c.edit);
        RunOptions o;
        o.callerText = "Shop logs";
        o.runText = c.runText;
        o.outputFolder = "C:\\out\\rep.htm";
        RunOutcome run = RunReport(p, "h.wlp", o);
        ASSERT_NE(run.report, nullptr);
        const RunContext* context = run.report->Run;
        ASSERT_NE(context, nullptr);
        EXPECT_STREQ(context->Output->ReportTitle, c.title);
        EXPECT_STREQ(context->RunText, c.runText);
        EXPECT_STREQ(context->ProfileTexts[0], c.webDomain);
        EXPECT_STREQ(context->ProfileTexts[1], "Shop logs");
        EXPECT_STREQ(context->Output->OutputPath, "C:\\out\\rep.htm");
        ORB_CloseReport(run.report, nullptr);
    }
}

TEST(RunContextSetup, CompanyFileIsTheLargeOneWhenThereElseTheSmall) {
    struct Case {
        bool big, small;
        int large;
        LONGLONG size;
    } cases[] = {{true, true, 1, 3}, {false, true, 0, 5}, {false, false, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.big * 2 + c.small);
        std::vector<std::pair<std::string, std::string>> files;
        if (c.big)
            files.push_back({"ovdesk\\datfiles\\COMPANY.BIG", "big"});
        if (c.small)
            files.push_back({"ovdesk\\datfiles\\COMPANY.SML", "small"});
        ContextRun r("", files);
        ASSERT_NE(r.Context(), nullptr);
        EXPECT_EQ(r.Context()->CompanyIsLarge, c.large);
        EXPECT_EQ(r.Context()->CompanyFileSize, c.size);
        EXPECT_EQ(r.Context()->CompanyFile != INVALID_HANDLE_VALUE, c.big || c.small);
    }
}

TEST(RunContextSetup, IntranetLinesAndAdViewsAreRead) {
    // Six fields, the empty ones skipped; a line of one field has no pattern.
    ContextRun r("", {{"OVINTRA.TXT",
                       "lan,Our LAN,Boston,MA,US,10.1.0.0/16\r\nlab,Lab,x,y,,z,192.168.1.10-20\n"
                       "no comma\r\nshort,\r\nweb,Web, , ,US,*.example.com"},
                      {"ADVIEWS.TXT", "\"banner.gif\",\"go here\",\"First ad\"\r\n"}});
    RunContext* context = r.Context();
    ASSERT_NE(context, nullptr);
    ASSERT_EQ(context->IntranetCount, 3);
    EXPECT_STREQ(context->Intranet[0].Fields[1], "Our LAN");
    EXPECT_EQ(context->Intranet[0].Type, 2);
    EXPECT_EQ(context->Intranet[1].Type, 3);
    EXPECT_STREQ(context->Intranet[0].CityState, "Boston MA");
    EXPECT_STREQ(context->Intranet[1].Fields[4], "z");
    EXPECT_STREQ(context->Intranet[2].Fields[5], "*.example.com");
    EXPECT_STREQ(context->Intranet[2].Fields[2], ""); // a stored blank is empty
    EXPECT_STREQ(context->Intranet[2].CityState, "");
    EXPECT_EQ(context->Intranet[2].Type, 1);

    ASSERT_EQ(context->AdViewCount, 1);
    const AdViewRecord& ad = context->AdViews[0];
    EXPECT_STREQ(ad.Name, "First ad");
    EXPECT_EQ(ad.ViewWordCount, 1);
    EXPECT_EQ(ad.ClickWordCount, 2);
    EXPECT_STREQ(ad.Words, "BANNER.GIF");
    EXPECT_STREQ(ad.Words + 11, "GO");
    EXPECT_STREQ(ad.Words + 14, "HERE");
}

// Guards the overrun of an ad-view record by long word lists.
TEST(RunContextSetup, AdViewWordsStopWhenTheRecordIsFull) {
    std::string words;
    for (int i = 0; i < 200; i++)
        words += "w" + std::to_string(i) + " ";
    AdViewRecord record;
    memset(&record, 0x55, sizeof(record));
    size_t used = 0;
    WORD added = AdView_AddWords(&record, &used, words.c_str());
    EXPECT_GT(added, 100);
    EXPECT_LT(added, 200);
    EXPECT_LE(used, sizeof(record.Words));
    EXPECT_EQ(AdView_AddWords(&record, &used, "more"), 0);
}

TEST(RunContextSetup, CopyIsDeepAndOutlivesItsSource) {
    ContextRun r("", {{"OVINTRA.TXT", "lan,Our LAN,x,y,US,10.1.0.0/16\r\n"}});
    ASSERT_NE(r.Context(), nullptr);
    ReportHandle* target = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    lstrcpyA(target->DataPath, r.run.report->DataPath);
    lstrcpyA(target->DataParent, r.run.report->DataParent);
    ASSERT_EQ(CopyRunContext(target, r.run.report, 1), 1);
    RunContext* copy = target->Run;
    RunContext* source = r.Context();
    EXPECT_NE(copy->Language, source->Language);
    EXPECT_STREQ(copy->Language->ShortWeekdays[0], source->Language->ShortWeekdays[0]);
    EXPECT_NE(copy->Language->ShortWeekdays[0], source->Language->ShortWeekdays[0]);
    EXPECT_EQ(copy->OrgTypeWords.Count, source->OrgTypeWords.Count);
    ASSERT_EQ(copy->IntranetCount, 1);
    EXPECT_NE(copy->Intranet[0].Fields[1], source->Intranet[0].Fields[1]);
    EXPECT_EQ(copy->Intranet[0].Type, 2);
    EXPECT_EQ(copy->MaxTopCount, source->MaxTopCount);
    FinishReport(r.run.report);
    EXPECT_EQ(r.run.report->Run, nullptr);
    EXPECT_STREQ(copy->Language->LongMonths[0], "January");
    FinishReport(target);
    EXPECT_EQ(target->Run, nullptr);
    free(target);
}

// The run counts the tables its trimmed template copy names, and deletes
// the copy when it ends.
TEST(RunContextSetup, TemplateIsTrimmedToAFreeCopyAndScanned) {
    RunEngine engine;
    engine.Install().Write("ovdesk\\template\\cluster.var",
                           "<html>\r\n%%DocsBeginChapter%%\r\n"
                           "%%TopDocumentsBeginSection TABLE%%\r\n%%TopDocuments_Name[9]%%\r\n"
                           "%%TopDocumentsEndSection%%\r\n"
                           "%%TopHoursBeginSection TABLE%%\r\n%%TopHours[3]%%\r\n"
                           "%%TopHoursEndSection%%\r\n%%DocsEndChapter%%\r\n</html>\r\n");
    engine.Install().Write("ovdesk\\template\\TEMP0.HTM", "taken");
    TemplateSection kept = {};
    kept.Include = 1;
    lstrcpyA(kept.Name, "TopDocumentsBeginSection");
    kept.Kind = 2;
    kept.Rows = 9;
    AnalysisProfile* p = engine.WriteProfile("t", {engine.WriteData("t.log", LogLine(1, 60, "/"))});
    RunOptions o;
    o.useEveryTable = false;
    o.sections = &kept;
    o.sectionCount = 1;
    RunOutcome run = RunReport(p, "t.wlp", o);
    ASSERT_NE(run.report, nullptr);
    ASSERT_NE(run.report->Run, nullptr);
    std::string copy = run.report->Run->Output->PreparedTemplate;
    EXPECT_STRCASEEQ(copy.c_str(), (engine.Install().Module() + "Template\\TEMP1.HTM").c_str());
    EXPECT_TRUE(ovtest::FileExistsAt(copy));
    EXPECT_EQ(Row(TopDocuments).Used, 1u);
    EXPECT_EQ(Row(TopDocuments).BracketCount, 9);
    EXPECT_EQ(Row(TopDocuments).TopCount, 9u);
    EXPECT_EQ(Row(TopHours).Used, 0u); // its section was not chosen
    ORB_CloseReport(run.report, nullptr);
    EXPECT_FALSE(ovtest::FileExistsAt(copy));
    EXPECT_EQ(engine.Install().Read("ovdesk\\template\\TEMP0.HTM"), "taken");
}

TEST(RunFiles, WriteFileStringAndFileExists) {
    RunEngine engine;
    std::string path = engine.Install().Data() + "w.txt";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    EXPECT_EQ(WriteFileString(file, "hello"), 5u);
    EXPECT_EQ(WriteFileString(file, ""), 0u);
    CloseHandle(file);
    EXPECT_EQ(ovtest::ReadFileBytes(path), "hello");
    EXPECT_TRUE(FileExists(path.c_str()));
    EXPECT_FALSE(FileExists((path + "x").c_str()));
    HANDLE readOnly = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(WriteFileString(readOnly, "x"), 0xFFFFu);
    CloseHandle(readOnly);
}

} // namespace

TEST(IntranetLine, SplitsSkipsEmptyFieldsAndCutsToWidth) {
    const struct {
        const char* line;
        int taken;
        const char* domain;
        const char* description;
        const char* pattern;
    } cases[] = {
        {"a,,b", 2, "a", "b", ""}, // the empty field between two commas is skipped
        {"d,Desc, , ,US,10.0.0.0/8\r\n", 6, "d", "Desc", "10.0.0.0/8"},
        {"d,e,f,g,h,i,j,k", 6, "d", "e", "i"},
        {"no comma at all", 0, "", "", ""},
        {"", 0, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        IntranetFields fields;
        EXPECT_EQ(ORB_SplitIntranetLine(c.line, &fields), c.taken);
        EXPECT_STREQ(fields.Domain, c.domain);
        EXPECT_STREQ(fields.Description, c.description);
        EXPECT_STREQ(fields.Pattern, c.pattern);
    }
    // Each field is cut to its width (terminator included).
    std::string line =
        std::string(80, 'd') + "," + std::string(150, 'e') + ",c,s,US," + std::string(60, 'p');
    IntranetFields fields;
    ASSERT_EQ(ORB_SplitIntranetLine(line.c_str(), &fields), 6);
    EXPECT_EQ(strlen(fields.Domain), size_t(INTRANET_DOMAIN_SIZE - 1));
    EXPECT_EQ(strlen(fields.Description), size_t(INTRANET_DESCRIPTION_SIZE - 1));
    EXPECT_STREQ(fields.Country, "US");
    EXPECT_EQ(strlen(fields.Pattern), size_t(INTRANET_PATTERN_SIZE - 1));
}
