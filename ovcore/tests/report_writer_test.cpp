#include <gtest/gtest.h>

#include <string>

#include "core/engine_state.h"
#include "msgbox_watcher.h"
#include "ovcore/report_run.h"
#include "ovcore/report_writer.h"
#include "write/report_files.h"
#include "write/summary_error.h"
#include "report_writer_fixture.h"
#include "write/report_output.h"

using ovtest::kPageHead;
using ovtest::kPageTail;
using ovtest::WriterRun;

namespace {

std::string Page(const std::string& body) {
    return kPageHead + body + kPageTail;
}

TEST(ReportWriter, WritesOnePageWithValuesAndLineEnds) {
    WriterRun r;
    r.Template("<P>%%T:value%% and %%unknown%%.\\nnext</P>\r\nlast\n");
    ASSERT_EQ(r.Write(), 1);
    EXPECT_EQ(r.Out("rep.htm"), Page("<P>value and .\r\nnext</P>\r\nlast\n"));
    std::vector<std::string> expected = {"1:ovlogoss.gif",
                                         "1:" + r.install.Path("out\\loganlz.gif"),
                                         "0:" + r.install.Path("out\\rep.htm")};
    EXPECT_EQ(WriterRun::statusCalls, expected);
    EXPECT_EQ(r.Out("ovlogoss.gif"), "GIF89a logo");
    EXPECT_FALSE(r.Exists("tocarw.gif")); // no frames
    EXPECT_STREQ(SummaryErrorText(), "");
}

// Each layout marker's edit of the page (M<n> is action n of the writer).
TEST(ReportWriter, CarriesOutEveryLayoutAction) {
    const struct {
        const char* name;
        const char* text;
        const char* page;
    } cases[] = {
        {"keep drops its line", "a\r\n  x%%M0%%y\r\nb\r\n", "a\r\nb\r\n"},
        {"a marker matching no text drops its line", "a\r\ntext %%E%% more\r\nb\r\n", "a\r\nb\r\n"},
        {"bookmark and remove", "a\r\n%%M1%%\r\nin %%T:v%%\r\n%%M2%%\r\nb\r\n", "a\r\nb\r\n"},
        {"bookmark without remove keeps", "%%M1%%\r\nin\r\n%%M0%%\r\nb\r\n", "in\r\nb\r\n"},
        {"line bookmark and removal", "row %%M3%%cell %%T:v%%%%M4%% end\r\n", "row  end\r\n"},
        {"line removal then drop", "a\r\nrow %%M3%%cell%%M4%% x %%M0%%\r\nb\r\n", "a\r\nrow b\r\n"},
        // the count of the line's bytes stays at 0 instead of wrapping
        {"a line removal reaching back over earlier lines",
         "a\r\n%%M3%%x\r\ny %%M4%% z %%M0%%\r\nb\r\n", "a\r\nb\r\n"},
        {"column bookmark and removal", "<tr>%%M5%%<td>1</td>%%M6%%<td>2</td></tr>\r\n",
         "<tr><td>2</td></tr>\r\n"},
        {"chapter bookmark and removal", "a\r\n%%M7%%\r\nx\r\n%%M1%%\r\ny\r\n%%M8%%\r\nb\r\n",
         "a\r\nb\r\n"},
        {"chapter kept", "%%M7%%\r\nx\r\n%%M0%%\r\n", "x\r\n"},
        {"a dropped long line is cut at the end",
         "%%M1%%\r\nshort\r\nvery long line of text %%M0%%\r\n", "short\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriterRun r;
        r.Template(c.text);
        ASSERT_EQ(r.Write(), 1);
        EXPECT_EQ(r.Out("rep.htm"), Page(c.page));
    }
}

// Guards the chunked read: a marker or a "\n" pair cut by the 10,240-byte
// chunk end is still found whole, wherever the cut falls.
TEST(ReportWriter, FindsMarkersAcrossTheChunkBoundary) {
    for (int offset = TEMPLATE_CHUNK_SIZE - 12; offset <= TEMPLATE_CHUNK_SIZE + 1; ++offset) {
        SCOPED_TRACE(offset);
        WriterRun r;
        std::string pad(offset, 'x');
        r.Template(pad + "%%T:value%%\\n%%M3%%gone%%M4%%end\r\n");
        ASSERT_EQ(r.Write(), 1);
        EXPECT_EQ(r.Out("rep.htm"), Page(pad + "value\r\nend\r\n"));
    }
}

// Guards against the endless loop of an unclosed or oversized marker: the
// text is written as it stands and the report ends with an error.
TEST(ReportWriter, UnclosedMarkerEndsWithAnErrorText) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"unclosed at the end", "a %%T:x\r\nb\r\n"},
        {"longer than a chunk", "a %%" + std::string(TEMPLATE_CHUNK_SIZE + 100, 'k') + "%%\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriterRun r;
        r.Template(c.text);
        EXPECT_EQ(r.Write(), 0);
        EXPECT_EQ(r.Out("rep.htm"), Page(c.text));
        EXPECT_STREQ(SummaryErrorText(), "Failed to read");
    }
}

TEST(ReportWriter, IgnoresKeywordsLongerThanTheLimit) {
    WriterRun r;
    r.Template("a%%T:" + std::string(TEMPLATE_KEYWORD_MAX, 'v') + "%%b\r\n");
    ASSERT_EQ(r.Write(), 1);
    EXPECT_EQ(r.Out("rep.htm"), Page("ab\r\n"));
}

const char* const kTwoChapters = "top\r\n"
                                 "%%P:GeneralStats%%\r\n"
                                 "<a name=\"g\"><!--General::Summary-->\r\n"
                                 "%%P:TopPages%%\r\n"
                                 "pages\r\n"
                                 "%%P:TopPages%%\r\n"
                                 "more pages\r\n"
                                 "%%P:TableOfContents%%\r\n"
                                 "contents\r\n";
// kTwoChapters on one page: everything before the contents.
const char* const kAllChapters =
    "top\r\n<a name=\"g\"><!--General::Summary-->\r\npages\r\nmore pages\r\n";

TEST(ReportWriter, FrameModeWritesTheFilesOfEachSplit) {
    const struct {
        const char* split;
        std::vector<std::pair<std::string, std::string>> pages;
        const char* firstPage;
    } cases[] = {
        {"PER_CHAPTER",
         {{"rep_00_b.htm", Page("top\r\n<a name=\"g\"><!--General::Summary-->\r\n")},
          {"rep_01_b.htm", Page("pages\r\n")},
          {"rep_02_b.htm", Page("more pages\r\n")}},
         "rep_00_b.htm"},
        {"PER_SECTION",
         {{"rep_00_b.htm", Page("top\r\n<a name=\"g\"><!--General::Summary-->\r\n")},
          {"rep_01_b.htm", Page("pages\r\nmore pages\r\n")}},
         "rep_00_b.htm"},
        {"PER_REPORT", {{"rep_b.htm", Page(kAllChapters)}}, "rep_b.htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.split);
        WriterRun r;
        r.Style(std::string("Frame Page=1\r\nTOC Width=25\r\nSeparate Files=") + c.split + "\r\n");
        r.Template(kTwoChapters);
        ASSERT_EQ(r.Write(), 1);
        for (const auto& page : c.pages)
            EXPECT_EQ(r.Out(page.first), page.second) << page.first;
        EXPECT_FALSE(r.Exists("rep_" + std::to_string(c.pages.size()) + "_b.htm"));
        EXPECT_EQ(r.Out("rep_t.htm"), std::string("contents\r\n") + kPageTail);
        EXPECT_EQ(r.Out("rep.htm"),
                  std::string("<HTML>\r\n<HEAD>\r\n<TITLE>Test Report</TITLE>\r\n") +
                      REPORT_CHARSET_META +
                      "\r\n</HEAD>\r\n"
                      "<FRAMESET COLS=\"25%,*\" BORDER=2>\r\n"
                      "<FRAME SRC=\"rep_t.htm\" NAME=TOC SCROLLING=AUTO>\r\n"
                      "<FRAME SRC=\"" +
                      c.firstPage +
                      "\" NAME=CONTENT SCROLLING=AUTO>\r\n</FRAMESET>\r\n<BODY>\r\n</BODY>\r\n"
                      "</HTML>");
        EXPECT_EQ(r.Out("tocarw.gif"), "GIF89a");
        EXPECT_EQ(WriterRun::statusCalls.back(), "0:" + r.install.Path("out\\rep.htm"));
        // The contents page knows the pages written before it.
        size_t listed = 0;
        for (const char* p = r.run->Output->PageList; *p; p += strlen(p) + 1)
            ++listed;
        EXPECT_EQ(listed, c.pages.size());
    }
}

// A chapter page after the first starts with the first page's style and
// <BODY> tag; a page whose chapters were all removed is not left behind.
TEST(ReportWriter, ChapterPagesKeepTheStyleAndRemovedChaptersLeaveNoPage) {
    WriterRun r;
    r.Style("Frame Page=1\r\nSeparate Files=PER_CHAPTER\r\n");
    // M7 and M8 mark and remove a chapter, M0 keeps it.
    r.Template("<STYLE>s</STYLE>\r\n<BODY BGCOLOR=\"red\">\r\ntop\r\n"
               "%%M7%%\r\n%%P:General%%\r\ngeneral\r\n%%M0%%\r\n"
               "%%M7%%\r\n%%P:Pages%%\r\npages\r\n%%M8%%\r\n"
               "%%M7%%\r\n%%P:Errors%%\r\nerrors\r\n%%M8%%\r\n"
               "%%M7%%\r\n%%P:Hosts%%\r\nhosts\r\n%%M0%%\r\n"
               "%%M7%%\r\n%%P:Footer%%\r\nfooter\r\n%%M8%%\r\n");
    ASSERT_EQ(r.Write(), 1);
    const std::string head = "<STYLE>s</STYLE>\r\n<BODY BGCOLOR=\"red\">\r\n";
    EXPECT_EQ(r.Out("rep_00_b.htm"), Page(head + "top\r\ngeneral\r\n"));
    EXPECT_EQ(r.Out("rep_01_b.htm"), Page(head + "hosts\r\n"));
    EXPECT_FALSE(r.Exists("rep_02_b.htm"));
    size_t listed = 0;
    for (const char* p = r.run->Output->PageList; *p; p += strlen(p) + 1)
        ++listed;
    EXPECT_EQ(listed, 2u);
}

// A page that fails part-way is deleted; the pages finished before stay.
TEST(ReportWriter, FailedWriteDeletesThePageBeingWritten) {
    WriterRun r;
    r.Style("Frame Page=1\r\nSeparate Files=PER_CHAPTER\r\n");
    r.Template("%%P:GeneralStats%%\r\none\r\n%%P:TopPages%%\r\ntwo %%W%%\r\n");
    EXPECT_EQ(r.Write(), 0);
    EXPECT_STREQ(SummaryErrorText(), "Failed to write");
    EXPECT_EQ(r.Out("rep_00_b.htm"), Page("one\r\n"));
    EXPECT_FALSE(r.Exists("rep_01_b.htm"));
    EXPECT_FALSE(r.Exists("rep.htm"));
}

TEST(ReportWriter, WithoutFramesTheContentsAndWhatFollowsAreLeftOut) {
    WriterRun r;
    r.Template(kTwoChapters);
    ASSERT_EQ(r.Write(), 1);
    EXPECT_EQ(r.Out("rep.htm"), Page(kAllChapters));
    EXPECT_FALSE(r.Exists("rep_t.htm"));
}

TEST(ReportWriter, FramesetWithoutAContentsSectionGetsABlankContentsPage) {
    WriterRun r;
    r.Style("Frame Page=1\r\n");
    r.Template("only\r\n");
    ASSERT_EQ(r.Write(), 1);
    EXPECT_EQ(r.Out("rep_b.htm"), Page("only\r\n"));
    EXPECT_EQ(r.Out("rep_t.htm"), Page(""));
    EXPECT_NE(r.Out("rep.htm").find("<FRAME SRC=\"rep_t.htm\""), std::string::npos);
}

// Guards the frameset failure: the report stands, but the failure is told.
TEST(ReportWriter, FramesetThatCannotBeCreatedIsReported) {
    WriterRun r;
    r.Style("Frame Page=1\r\n");
    r.Template("only\r\n");
    ASSERT_TRUE(CreateDirectoryA(r.run->Output->OutputPath, NULL));
    EXPECT_EQ(r.Write(), 1);
    EXPECT_EQ(r.Out("rep_b.htm"), Page("only\r\n"));
    EXPECT_EQ(std::string(SummaryErrorText()),
              "Failed to open " + std::string(r.run->Output->OutputPath));
    RemoveDirectoryA(r.run->Output->OutputPath);
}

TEST(ReportWriter, DocumentOutputIsOneFileWithoutImagesOrFrames) {
    for (const char* name : {"rep.doc", "REP.XLS"}) {
        SCOPED_TRACE(name);
        WriterRun r;
        r.Style("Frame Page=1\r\nSeparate Files=PER_CHAPTER\r\n");
        r.Output(name);
        r.Template(kTwoChapters);
        ASSERT_EQ(r.Write(), 1);
        EXPECT_EQ(r.Out(name), Page(kAllChapters));
        EXPECT_TRUE(r.run->Output->DocumentOutput);
        EXPECT_EQ(r.run->Output->Style.GraphType, 2);
        EXPECT_FALSE(r.Exists("ovlogoss.gif"));
        EXPECT_FALSE(r.Exists("loganlz.gif"));
        EXPECT_EQ(WriterRun::statusCalls.size(), 1u);
    }
}

TEST(ReportWriter, LogKindsWithoutVisitorsUseTheirOwnTemplate) {
    const struct {
        WORD kind;
        const char* file;
        RunTable empty;
    } cases[] = {
        {7, "referlog.var", TopHours},
        {8, "agentlog.var", TopReferers},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriterRun r;
        TemplateSection section = {};
        section.Include = 1;
        r.report->Sections = &section;
        r.report->SectionCount = 1;
        r.run->Hits.LogKind = c.kind;
        g_ReportTableKeywords[c.empty].Empty = 0;
        r.install.Write(std::string("ovdesk\\template\\") + c.file, c.file);
        r.Template("the main template\r\n");
        ASSERT_EQ(r.Write(), 1);
        EXPECT_EQ(r.Out("rep.htm"), Page(std::string(c.file) + "\r\n"));
        EXPECT_EQ(g_ReportTableKeywords[c.empty].Empty, 1u);
        DeleteFileA(r.run->Output->PreparedTemplate);
    }
}

TEST(ReportWriter, MissingTemplateFailsWithItsPath) {
    WriterRun r;
    ASSERT_EQ(r.Write(), 0);
    EXPECT_EQ(std::string(SummaryErrorText()),
              "Failed to open " + std::string(r.run->Output->PreparedTemplate));
    EXPECT_FALSE(r.Exists("rep.htm"));
}

TEST(ReportWriter, ReadsStyleSettingsWithTheirDefaults) {
    WriterRun r;
    r.Style("Page Background Color=123456\r\nLogo Filename=\r\nTable Columns=02\r\n");
    r.Template("x");
    ASSERT_EQ(r.Write(), 1);
    const ReportStyle& s = r.run->Output->Style;
    EXPECT_STREQ(s.Colors[STYLE_PAGE_BACKGROUND], "#123456");
    EXPECT_STREQ(s.Colors[STYLE_TITLE_TEXT], "#00FF00");
    EXPECT_STREQ(s.LogoFilename, "ovlogoss.gif");
    EXPECT_STREQ(s.Fonts[STYLE_FONT_TABLE_DATA], "Arial");
    EXPECT_STREQ(s.SeparateFiles, "PER_REPORT");
    EXPECT_EQ(s.TocWidth, 20);
    EXPECT_TRUE(r.run->Output->Writer.ShowHits);
    EXPECT_FALSE(r.run->Output->Writer.ShowPercent);
    EXPECT_TRUE(r.run->Output->Writer.ShowSessions);
}

TEST(ReportSupportFile, MissingSourceLeavesNoDestination) {
    WriterRun r;
    std::string from = r.install.Path("Base\\Images\\x");
    std::string to = r.install.Path("out\\rep.htm");
    EXPECT_EQ(WriteReportSupportFile(from.c_str(), "ovlogoss.gif", to.c_str()), 1);
    EXPECT_EQ(r.Out("ovlogoss.gif"), "GIF89a logo");
    EXPECT_EQ(WriteReportSupportFile(from.c_str(), "none.gif", to.c_str()), 0);
    EXPECT_EQ(std::string(SummaryErrorText()),
              "Failed to open " + r.install.Path("Base\\Images\\none.gif"));
    EXPECT_FALSE(r.Exists("none.gif"));
}

TEST(DoSummary, EmptiesTheErrorTextAndReportsFailures) {
    SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL); // a stale text of an earlier report
    char text[SUMMARY_TEXT_SIZE];
    EXPECT_EQ(ORB_DoSummary(NULL, NULL, NULL), nullptr);
    EXPECT_EQ(ORB_GetSummaryErrMsg(text), (int)strlen("Out of Memory") + 1);
    EXPECT_STREQ(text, "Out of Memory");

    WriterRun r;
    EXPECT_EQ(ORB_DoSummary(r.report, NULL, NULL), nullptr); // no run context yet

    r.report->Run = r.run;
    r.Style("Sort By=2\r\n");
    r.Template("%%T:done%%\r\n");
    EXPECT_EQ(ORB_DoSummary(r.report, NULL, NULL), r.run);
    EXPECT_EQ(ORB_GetSummaryErrMsg(text), 1);
    EXPECT_EQ(r.Out("rep.htm"), Page("done\r\n"));
    EXPECT_EQ(r.run->SortSetting, 2);

    DeleteFileA(r.run->Output->PreparedTemplate);
    EXPECT_EQ(ORB_DoSummary(r.report, NULL, NULL), r.run); // the run, though writing failed
    ORB_GetSummaryErrMsg(text);
    EXPECT_EQ(std::string(text), "Failed to open " + std::string(r.run->Output->PreparedTemplate));
}

int g_peeks = 0;
int CALLBACK GoOn(int) {
    ++g_peeks;
    return 1;
}
int CALLBACK Stop(int) {
    ++g_peeks;
    return 0;
}

// A stop asked for by the peek callback's answer or by the client's cancel
// flag does not end the writing: the report is finished without the slow
// parts (page titles). The callback is the only one while the report is
// written; the registered pump is back afterwards.
TEST(DoSummary, StopSkipsPageTitlesAndTheCallbacksAreRestored) {
    struct Case {
        ORB_PEEKPROC peek;
        BOOL cancelFlag;
        BOOL cancelled;
    } cases[] = {{GoOn, FALSE, FALSE}, {Stop, FALSE, TRUE}, {GoOn, TRUE, TRUE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cancelled ? (c.cancelFlag ? "cancel flag" : "callback stops") : "goes on");
        WriterRun r;
        r.report->Run = r.run;
        r.Template("%%T:a%%\r\n%%T:b%%\r\n");
        ORB_SetCancelBOOL(&c.cancelFlag);
        g_peeks = 0;
        EXPECT_EQ(ORB_DoSummary(r.report, c.peek, NULL), r.run);
        ORB_SetCancelBOOL(NULL);
        EXPECT_EQ(r.run->Output->Keywords.Cancelled, c.cancelled);
        EXPECT_EQ(r.Out("rep.htm"), Page("a\r\nb\r\n"));
        EXPECT_EQ(g_peeks, 2);
        const EngineState& s = Engine_State();
        EXPECT_EQ(s.progressSlot1, nullptr);
        EXPECT_EQ(s.progressSlot2, nullptr);
        EXPECT_EQ(s.progressSlot3, s.registeredPump);
    }
}

} // namespace
