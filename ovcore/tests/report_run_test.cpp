// Report runs driven as the plug-in drives them: progress and record
// counts, the hit listings' view buffers, the run's error codes and texts,
// a client's stop and a failed opening.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dns/dns_ring.h"
#include "logread/engine_link.h"
#include "logread_fixtures.h"
#include "run/report_handle.h"
#include "run/option_pairs.h"
#include "run/run_setup.h"
#include "run_driver.h"

namespace {

using runtest::LogLine;
using runtest::RunEngine;
using runtest::RunOptions;
using runtest::RunOutcome;
using runtest::RunReport;

std::string Lines(int count, int clients = 1) {
    std::string log;
    for (int i = 0; i < count; i++)
        log += LogLine(1 + i % clients, 60 + i, "/page" + std::to_string(i % 7) + ".html");
    return log;
}

TEST(ReportRun, TablesRunCountsRecordsAndRefreshesEvery500) {
    RunEngine engine;
    AnalysisProfile* p = engine.WriteProfile("big", {engine.WriteData("big.log", Lines(1200))});
    RunOutcome run = RunReport(p, "big.wlp");
    ASSERT_NE(run.report, nullptr);
    EXPECT_EQ(run.error, 0);
    EXPECT_EQ(run.peeks, 1201u);
    EXPECT_EQ(run.recordsRead, 1200u);
    EXPECT_EQ(ADT_GetReportRecCount(run.report), 1200u);
    EXPECT_EQ(ADT_GetReportDonePercent(run.report), 100u);
    ASSERT_EQ(run.refreshes.size(), 4u);
    EXPECT_EQ(run.refreshes[0], std::make_pair(DWORD(0), DWORD(0)));
    EXPECT_EQ(run.refreshes[1].first, 499u);
    EXPECT_EQ(run.refreshes[2].first, 999u);
    EXPECT_GT(run.refreshes[2].second, run.refreshes[1].second);
    EXPECT_EQ(run.refreshes[3], std::make_pair(DWORD(1200), DWORD(100)));
    EXPECT_NE(run.report->Run, nullptr);
    EXPECT_EQ(ORB_PeekReport(run.report, nullptr, nullptr), -1); // stays finished
    EXPECT_EQ(ORB_CloseReport(run.report, nullptr), 0);
    EXPECT_TRUE(DnsRing_IsEmpty());
}

// A hit the tables cannot take ends the run inside the peek, and the close
// that follows finds the tables already finished.
TEST(ReportRun, FailedHitStopsTheRunAndCloseFinishesOnce) {
    RunEngine engine;
    AnalysisProfile* p = engine.WriteProfile("x", {engine.WriteData("x.log", Lines(20))});
    RunOptions o;
    o.stopAfter = 3;
    RunOutcome run = RunReport(p, "x.wlp", o);
    ASSERT_NE(run.report, nullptr);
    ASSERT_EQ(FinishReport(run.report), 1); // no run context: the next hit fails
    DWORD changed = 0;
    EXPECT_EQ(ORB_PeekReport(run.report, &changed, nullptr), -1);
    EXPECT_EQ(changed, 1u);
    EXPECT_EQ(ADT_GetReportDonePercent(run.report), 100u);
    EXPECT_EQ(ADT_GetReportRecCount(run.report), 3u);
    EXPECT_EQ(ORB_PeekReport(run.report, nullptr, nullptr), -1);
    EXPECT_EQ(ORB_CloseReport(run.report, nullptr), 0);
}

TEST(ReportRun, CancelFlagReachesTheLogReading) {
    BOOL cancel = FALSE;
    ORB_SetCancelBOOL(&cancel);
    EXPECT_FALSE(LogRead_IsCancelled());
    cancel = TRUE;
    EXPECT_TRUE(LogRead_IsCancelled());
    ORB_SetCancelBOOL(nullptr);
    EXPECT_FALSE(LogRead_IsCancelled());
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    ORB_SetProgressHWND(window);
    EXPECT_EQ(LogRead_GetProgressWindow(), window);
    ORB_SetProgressHWND(NULL);
    DestroyWindow(window);
}

// Look-ups on: the loopback client is resolved in both modes, and every hit
// still in the ring at the logs' end is handed on before the run ends.
TEST(ReportRun, LoopbackRunWithLookUpsDrainsTheRing) {
    for (const char* mode : {"", "ForceSlowDNS=1\r\n"}) {
        SCOPED_TRACE(mode[0] ? "window-driven" : "threaded");
        RunEngine engine(mode);
        std::string log;
        for (int i = 0; i < 6; i++)
            log += "127.0.0.1 - - [10/Oct/1999:00:0" + std::to_string(i) +
                   ":00 +0000] \"GET /a.html HTTP/1.0\" 200 10\n";
        AnalysisProfile* p = engine.WriteProfile("d", {engine.WriteData("d.log", log)});
        p->DNSLookup = 1;
        RunOptions o;
        o.kind = REPORT_KIND_HITS;
        RunOutcome run = RunReport(p, "d.wlp", o);
        ASSERT_NE(run.report, nullptr);
        EXPECT_EQ(run.report->Dns.dnsMode, DNS_MODE_ON);
        EXPECT_EQ(ADT_GetReportRecCount(run.report), 6u);
        EXPECT_TRUE(DnsRing_IsEmpty());
        ASSERT_EQ(ADT_ViewReportCount(run.report), 1u);
        char name[MAX_PATH];
        std::string listing = ovtest::ReadFileBytes(ADT_GetReportASCII_Filename(run.report, name));
        size_t hits = 0;
        for (size_t at = listing.find("a.html"); at != std::string::npos;
             at = listing.find("a.html", at + 1))
            hits++;
        EXPECT_EQ(hits, 6u) << listing;
        ORB_CloseReport(run.report, nullptr);
        DeleteFileA(name);
    }
}

TEST(ReportRun, LogsThatOpenNothingGiveNoRun) {
    struct Case {
        const char* name;
        std::string log;
        ORB_TIME start;
    } cases[] = {
        {"empty", "", 0},
        {"before range", Lines(3), logtest::kDay + 86400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunEngine engine;
        AnalysisProfile* p = engine.WriteProfile("p", {engine.WriteData("a.log", c.log)});
        RunOptions o;
        o.start = c.start;
        RunOutcome run = RunReport(p, "p.wlp", o);
        EXPECT_EQ(run.report, nullptr);
        EXPECT_EQ(run.error, REPORT_ERROR_NO_LOGS);
        EXPECT_TRUE(FileInfo_GetFileCount(&p->LogFiles) == 0 || p->LogFiles.wcNumOpen == 0);
    }
}

TEST(ReportRun, ClientStopThenANewRunOfTheSameProfile) {
    RunEngine engine;
    AnalysisProfile* p = engine.WriteProfile("s", {engine.WriteData("s.log", Lines(40))});
    RunOptions stop;
    stop.stopAfter = 10;
    RunOutcome first = RunReport(p, "s.wlp", stop);
    ASSERT_NE(first.report, nullptr);
    EXPECT_EQ(ADT_GetReportRecCount(first.report), 10u);
    EXPECT_EQ(ORB_CloseReport(first.report, nullptr), 0);

    RunOutcome second = RunReport(p, "s.wlp");
    ASSERT_NE(second.report, nullptr);
    EXPECT_EQ(ADT_GetReportRecCount(second.report), 40u);
    EXPECT_EQ(ORB_CloseReport(second.report, nullptr), 0);
}

// One buffer per client: the listing runs of kinds 2, 3 and 4.
struct ListingRun {
    RunEngine engine;
    RunOutcome run;
    std::vector<std::string> files;
    ListingRun(int kind, int clients) {
        AnalysisProfile* p =
            engine.WriteProfile("l", {engine.WriteData("l.log", Lines(3 * clients, clients))});
        RunOptions o;
        o.kind = kind;
        o.listingOption = LISTING_GROUP_CLIENT;
        run = RunReport(p, "l.wlp", o);
        for (DWORD i = 0; run.report && i < ADT_ViewReportCount(run.report); i++)
            files.push_back(run.report->Listing.buffers.table[i]->fileName);
    }
    ~ListingRun() {
        for (const std::string& f : files)
            DeleteFileA(f.c_str());
    }
};

TEST(ReportRun, ListingBuffersStepWithWrapAroundAndCheckTheirRange) {
    ListingRun l(REPORT_KIND_HITS, 3);
    ReportHandle* r = l.run.report;
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(ADT_ViewReportCount(r), 3u);
    EXPECT_EQ(ADT_GetReportRecCount(r), 9u);
    EXPECT_EQ(r->Run, nullptr);

    EXPECT_EQ(ADT_SetViewReportBuffer(r, 0), 0);
    ASSERT_NE(ADT_AttachLongToReport(r, 70), nullptr);
    EXPECT_EQ(ADT_PreviousViewReportBuffer(r), 0);
    EXPECT_EQ(ADT_GetViewReportBufferNum(r), 2u);
    ADT_AttachLongToReport(r, 72);
    EXPECT_EQ(ADT_NextViewReportBuffer(r), 70);
    EXPECT_EQ(ADT_GetViewReportBufferNum(r), 0u);
    EXPECT_EQ(ADT_SetViewReportBuffer(r, 2), 72);
    EXPECT_STREQ(ADT_GetViewReportDescPtr(r, 2), "10.0.0.3");

    // Past the count nothing changes.
    EXPECT_EQ(ADT_SetViewReportBuffer(r, 3), 0);
    EXPECT_EQ(ADT_GetViewReportBufferNum(r), 2u);
    EXPECT_EQ(ADT_GetViewReportDescPtr(r, 3), nullptr);

    char name[MAX_PATH] = "x";
    EXPECT_EQ(std::string(ADT_GetReportASCII_Filename(r, name)), l.files[2]);
    EXPECT_NE(ADT_GetReportASCII_fh(r), INVALID_HANDLE_VALUE);

    // A run without buffers answers every step with nothing.
    EXPECT_EQ(ADT_ViewReportCount(nullptr), 0u);
    EXPECT_EQ(ADT_NextViewReportBuffer(nullptr), 0);
    EXPECT_EQ(ADT_AttachLongToReport(nullptr, 1), nullptr);
    EXPECT_STREQ(ADT_GetReportASCII_Filename(nullptr, name), "");
    EXPECT_EQ(ORB_CloseReport(r, nullptr), 0);
}

TEST(ReportRun, SevenBuffersViewedInTurnKeepAtMostFiveFilesOpen) {
    ListingRun l(REPORT_KIND_VISITORS, 7);
    ASSERT_NE(l.run.report, nullptr);
    ASSERT_EQ(ADT_ViewReportCount(l.run.report), 7u);
    for (DWORD i = 0; i < 7; i++) {
        ADT_SetViewReportBuffer(l.run.report, i);
        EXPECT_LE(l.run.report->Listing.buffers.openCount, VIEW_BUFFER_MAX_OPEN);
    }
    ORB_CloseReport(l.run.report, nullptr);
}

TEST(ReportRun, OnlyKindFourKeepsItsBufferFiles) {
    for (int kind : {REPORT_KIND_HITS, REPORT_KIND_VISITORS, REPORT_KIND_BUFFERS}) {
        SCOPED_TRACE(kind);
        ListingRun l(kind, 2);
        ASSERT_NE(l.run.report, nullptr);
        ASSERT_EQ(l.files.size(), 2u);
        ORB_CloseReport(l.run.report, nullptr);
        for (const std::string& f : l.files)
            EXPECT_EQ(ovtest::FileExistsAt(f), kind == REPORT_KIND_BUFFERS) << f;
    }
}

// Guards the log files (and the charting) left open when the first view
// buffer cannot be made.
TEST(ReportRun, FailedFirstBufferClosesTheLogs) {
    RunEngine engine;
    AnalysisProfile* p = engine.WriteProfile("b", {engine.WriteData("b.log", Lines(3))});
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA("Z:\\proc")); // buffer files go here and cannot be made
    RunOptions o;
    o.kind = REPORT_KIND_HITS;
    RunOutcome run = RunReport(p, "b.wlp", o);
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(run.report, nullptr);
    EXPECT_EQ(run.error, 0);
    EXPECT_EQ(p->LogFiles.wcNumOpen, 0);
    for (WORD i = 0; i < FileInfo_GetFileCount(&p->LogFiles); i++)
        EXPECT_FALSE(FileInfo_IsFileOpen(&p->LogFiles, i));
    EXPECT_FALSE(ORB_IsGraphingAvailable());
}

TEST(ReportRun, FilterOnlyRunHandsHitsNowhere) {
    RunEngine engine;
    AnalysisProfile* p = engine.WriteProfile("f", {engine.WriteData("f.log", Lines(5))});
    RunOptions o;
    o.kind = REPORT_KIND_FILTER_ONLY;
    RunOutcome run = RunReport(p, "f.wlp", o);
    ASSERT_NE(run.report, nullptr);
    EXPECT_EQ(ADT_GetReportRecCount(run.report), 5u);
    EXPECT_EQ(run.report->Run, nullptr);
    EXPECT_EQ(ADT_ViewReportCount(run.report), 0u);
    ORB_CloseReport(run.report, nullptr);
}

// Guards the overruns of the handle's texts by long arguments.
TEST(ReportRun, ArgumentsAreKeptBoundedAndTheFolderIsNormalised) {
    RunEngine engine;
    AnalysisProfile* p = engine.WriteProfile("k", {engine.WriteData("k.log", Lines(2))});
    RunOptions o;
    o.kind = REPORT_KIND_FILTER_ONLY;
    o.outputFolder = ".\\reports\\";
    o.callerText = std::string(200, 'c');
    o.secondText = std::string(400, 's');
    o.language = std::string(150, 'L');
    RunOutcome run = RunReport(p, "k.wlp", o);
    ASSERT_NE(run.report, nullptr);
    EXPECT_EQ(std::string(run.report->CallerText), std::string(REPORT_CALLER_TEXT - 1, 'c'));
    EXPECT_EQ(std::string(run.report->StyleName), std::string(MAX_PATH - 1, 's'));
    EXPECT_EQ(std::string(run.report->Language), std::string(REPORT_LANGUAGE_TEXT - 1, 'L'));
    std::string folder = engine.Install().Data() + "reports\\";
    EXPECT_EQ(std::string(run.report->OutputFolder), folder);
    EXPECT_EQ(run.outputFolder, folder);
    EXPECT_EQ(std::string(run.report->DataParent), engine.Install().Module());
    EXPECT_EQ(std::string(run.report->DataGrandParent), engine.Install().Root());
    ORB_CloseReport(run.report, nullptr);
}

TEST(ReportRun, OverlappingFilesOpenTheRunWithTheirCode) {
    RunEngine engine;
    std::string a = engine.WriteData("a.log", LogLine(1, 0, "/a") + LogLine(1, 20000, "/b"));
    std::string b = engine.WriteData("b.log", LogLine(1, 100, "/c") + LogLine(1, 30000, "/d"));
    AnalysisProfile* p = engine.WriteProfile("o", {a, b});
    RunOutcome run = RunReport(p, "o.wlp");
    ASSERT_NE(run.report, nullptr);
    EXPECT_EQ(run.error, REPORT_ERROR_OVERLAP);
    EXPECT_EQ(ADT_GetReportRecCount(run.report), 4u);
    ORB_CloseReport(run.report, nullptr);

    WORD code = 0;
    EXPECT_EQ(ORB_CheckFileOverLap(p, 0, 0xFFFFFFFF, &code), 0);
    EXPECT_EQ(code, REPORT_ERROR_OVERLAP);
    p->SwiftmereFlag = SWIFTMERE_FILES;
    EXPECT_EQ(ORB_CheckFileOverLap(p, 0, 0xFFFFFFFF, &code), 0);
    EXPECT_EQ(code, REPORT_ERROR_OVERLAP_HISTORY);
    EXPECT_EQ(ORB_CheckFileOverLap(p, logtest::kDay + 86400, 0xFFFFFFFF, &code), 0);
    EXPECT_EQ(code, REPORT_ERROR_NO_LOGS);
}

TEST(ReportRun, ErrorTextsAreBoundedAndUndefinedCodesSaySo) {
    struct Case {
        WORD code;
        bool known;
    } cases[] = {{0x8002, true}, {0x8003, true}, {0x8005, true}, {0x8004, false}, {0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        char text[256];
        int n = ADT_GetErrorTxtMsg(c.code, text, sizeof(text));
        EXPECT_EQ(n > 0, c.known);
        if (!c.known) {
            EXPECT_STREQ(text, "Undefined Error");
        }
    }
    char small[6] = "";
    EXPECT_EQ(ADT_GetErrorTxtMsg(0x8004, small, sizeof(small)), 0);
    EXPECT_STREQ(small, "Undef");
    EXPECT_EQ(ADT_GetErrorTxtMsg(0x8002, small, sizeof(small)), 5);
}

TEST(ReportRun, FilterOptionListOfAFieldOutsideTheBlockIsItsCaptionAlone) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 2449 * 2 + 2);
    HGLOBAL list = nullptr;
    WORD count = 9, error = 9;
    for (int i : {0, 5, -1}) {
        SCOPED_TRACE(i);
        ASSERT_EQ(ADT_GetFilterOptionList(block, i, 0, &list, &count, &error), 0);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(error, 0);
        ASSERT_NE(list, nullptr);
        const char* text = static_cast<const char*>(GlobalLock(list));
        EXPECT_STREQ(text, ORB_STRING_NOT_FOUND); // the test program carries no caption 5503
        GlobalUnlock(list);
    }
    GlobalFree(list);
    GlobalFree(block);
}

// Guards the read past the end of a pick-list text that has no closing
// carriage-return entry.
TEST(ReportRun, OptionPairsStopAtTheEndMarkOrTheTextEnd) {
    struct Case {
        const char* name;
        std::string text;
        WORD pairs;
        std::string copied;
    } cases[] = {
        {"end mark", std::string("A\0a\0\0B\0b\0\rX\0x\0", 14), 2, std::string("A\0a\0B\0b\0", 8)},
        {"text end", std::string("A\0a\0B\0b\0", 8), 2, std::string("A\0a\0B\0b\0", 8)},
        {"cut pair", std::string("A\0a\0B\0b", 7), 1, std::string("A\0a\0", 4)},
        {"label alone", std::string("A\0", 2), 0, ""},
        {"empty", "", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char out[64] = {};
        DWORD bytes = 99;
        EXPECT_EQ(CopyOptionPairs(c.text.data(), (DWORD)c.text.size(), out, &bytes), c.pairs);
        EXPECT_EQ(std::string(out, bytes), c.copied);
    }
    EXPECT_EQ(CopyOptionPairs(nullptr, 10, nullptr, nullptr), 0);
}

TEST(ReportRun, RemoteProfileWithoutFetchedLogsDoesNotOpen) {
    RunEngine engine;
    AnalysisProfile* p = engine.WriteProfile("r", {engine.WriteData("r.log", Lines(2))});
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_HTTP);
    WORD error = 9;
    int dnsMode = 9;
    char path[MAX_PATH] = "";
    EXPECT_EQ(
        RemoteADT_Cre8Report(p, "r.wlp", 0, 0xFFFFFFFF, 0, 0, path, NULL, &dnsMode, 0, &error), -1);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dnsMode, 0);
    EXPECT_STREQ(path, "");
}

} // namespace
