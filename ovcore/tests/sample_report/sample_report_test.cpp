// Writes the report of the project's sample log (sample.log beside this
// file) as the plug-in does: the shipped content (install/, with its
// REPORT.INI and keywords.ini) laid out as an install, a profile
// of the log, ORB_Cre8Report with every section of the main template,
// ORB_PeekReport to the end, ORB_DoSummary and ORB_CloseReport. The pages
// go to OV_REPORT_DIR, where the browser check that CTest runs next
// (scripts/check-report.sh) reads them. OV_SOURCE_DIR names the source tree;
// both are host paths, reached through Wine's Z: drive.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/gsw_binding.h"
#include "msgbox_watcher.h"
#include "ovcore/registration.h"
#include "ovcore/report_writer.h"
#include "run/report_handle.h"
#include "run_driver.h"
#include "write/report_output.h"

namespace {

std::string WindowsPath(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    if (path.back() != '\\')
        path += '\\';
    return path;
}

void SampleSite(AnalysisProfile* p) {
    lstrcpyA(p->Description, "Example site");
    lstrcpyA(p->HomePageBaseDir, "http://www.example.com/");
    lstrcpyA(p->HomePageDefaults, "index.html");
}

int CALLBACK GoOn(int) {
    return 1;
}

// The log's two days, 9 and 10 March 2026 (UTC).
const ORB_TIME kFirstDay = 1773014400;
const ORB_TIME kLastSecond = 1773187199;

// The names of the files in a folder (ending in a backslash), sorted.
std::string FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : " ") + name;
    return list;
}

// The text of every page in a folder, one after the other.
std::string PagesIn(const std::string& folder) {
    std::string text;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.htm").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return text;
    do
        text += ovtest::ReadFileBytes(folder + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return text;
}

struct StyleCase {
    const char* style;
    const char* folder;
    const char* output;
    const char* files;              // the folder afterwards (null: not compared)
    const char* log = "sample.log"; // beside this file
    const char* title = "Ostrevane sample report";
};

// The mark-up of markup.log, which every field of its lines holds: none of
// it may reach a page as mark-up.
void ExpectNoLogMarkup(const std::string& page) {
    std::string upper = page;
    for (char& c : upper)
        c = (char)toupper((unsigned char)c);
    for (const char* tag : {"<IMG SRC=X", "<IMG/", "<SVG", "<SCRIPT>", "<!--.HTML"}) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(upper.find(tag), std::string::npos);
    }
    EXPECT_NE(page.find("/c&lt;!--.html"), std::string::npos);
    EXPECT_NE(page.find("/amp.html?a=1&amp;lt;b&amp;gt;=2"), std::string::npos);
    EXPECT_NE(page.find("/caf\xe9.html"), std::string::npos); // windows-1252 as the page says
    EXPECT_NE(page.find("&lt;svg/onload=document.title=&#39;ow&#39;+&#39;ned&#39;&gt;"),
              std::string::npos);
}

class SampleReport : public ::testing::TestWithParam<StyleCase> {};

// Writes <OV_REPORT_DIR>\<folder>\<output> in the given style: one page, the
// frame mode's pages with their contents page and frameset, or a document.
TEST_P(SampleReport, WritesTheReportOfTheSampleLog) {
    const char* source = getenv("OV_SOURCE_DIR");
    const char* target = getenv("OV_REPORT_DIR");
    ASSERT_TRUE(source && target)
        << "run through ctest: OV_SOURCE_DIR and OV_REPORT_DIR name the sources and the output";
    // No page titles: the sample site's pages are not on this machine.
    runtest::RunEngine engine("NoHTMLTitles=1\r\n");
    ovtest::MsgBoxWatcher boxes;
    InitGSWLibrary(1, NULL); // the charting library beside this program draws the graphs
    ASSERT_TRUE(ORB_IsGraphingAvailable());
    const ovtest::TempInstall& install = engine.Install();
    std::string sources = WindowsPath(source);
    ASSERT_TRUE(ovtest::CopyTree(sources + "install\\", install.Root()));
    ASSERT_TRUE(ovtest::FileExistsAt(install.Module() + "REPORT.INI"));
    ASSERT_TRUE(ovtest::FileExistsAt(install.Data() + "keywords.ini"));
    std::string log =
        ovtest::ReadFileBytes(sources + "ovcore\\tests\\sample_report\\" + GetParam().log);
    ASSERT_FALSE(log.empty());
    AnalysisProfile* profile =
        engine.WriteProfile("sample", {engine.WriteData(GetParam().log, log)}, SampleSite);

    WORD count = 0;
    HGLOBAL block = NULL;
    ASSERT_EQ(ORB_ReadTemplateSectionList((install.Templates() + "cluster.var").c_str(), &count,
                                          &block, NULL),
              1);
    ASSERT_GT(count, 40);
    TemplateSection* sections = static_cast<TemplateSection*>(GlobalLock(block));
    for (WORD i = 0; i < count; ++i)
        sections[i].Include = 1;

    std::string folder = WindowsPath(target);
    CreateDirectoryA(folder.c_str(), NULL);
    folder += std::string(GetParam().folder) + "\\";
    ovtest::RemoveTree(folder); // what an earlier run and the browser check left
    CreateDirectoryA(folder.c_str(), NULL);
    runtest::RunOptions options;
    options.start = kFirstDay;
    options.end = kLastSecond;
    options.sections = sections;
    options.sectionCount = count;
    options.outputFolder = folder + GetParam().output;
    options.callerText = "Example site";
    options.secondText = GetParam().style;
    options.runText = GetParam().title;
    options.useEveryTable = false; // the template decides, as in the plug-in's runs
    runtest::RunOutcome run = runtest::RunReport(profile, "sample.wlp", options);
    ASSERT_NE(run.report, nullptr);
    bool sample = strcmp(GetParam().log, "sample.log") == 0;
    EXPECT_EQ(run.recordsRead, sample ? 34u : 12u);

    EXPECT_NE(ORB_DoSummary(run.report, GoOn, NULL), nullptr);
    char error[512];
    EXPECT_EQ(ORB_GetSummaryErrMsg(error), 1) << error;
    if (GetParam().files) {
        EXPECT_EQ(FilesIn(folder), GetParam().files);
    }
    std::string page = ovtest::ReadFileBytes(folder + GetParam().output);
    if (!sample) {
        ExpectNoLogMarkup(PagesIn(folder));
    } else if (strcmp(GetParam().folder, "single") == 0) {
        EXPECT_EQ(page.rfind("<HTML>\r\n<!-- Ostrevane Web Log Analyzer Report -->\r\n", 0), 0u);
        EXPECT_EQ(page.substr(page.size() - 9), "</HTML>\r\n");
        EXPECT_NE(page.find(">32</TD>"), std::string::npos); // the successful hits
        // A report handed to others shows no folder of this machine, and a
        // style without a background picture names none.
        EXPECT_EQ(page.find(folder.substr(0, folder.size() - 1)), std::string::npos);
        EXPECT_EQ(page.find(install.Root().substr(0, install.Root().size() - 1)),
                  std::string::npos);
        EXPECT_EQ(page.find("BACKGROUND="), std::string::npos);
    }
    std::string prepared = run.report->Run->Output->PreparedTemplate;
    EXPECT_EQ(ORB_CloseReport(run.report, nullptr), 0);
    EXPECT_FALSE(ovtest::FileExistsAt(prepared)); // the working copy goes with the run
    EXPECT_EQ(boxes.Count(), 0u);
    ReleaseGSWLibrary(1);

    GlobalUnlock(block);
    GlobalFree(block);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SampleReport,
    ::testing::Values(
        StyleCase{"(Default)", "single", "report.htm",
                  "loganlz.gif ovlogoss.gif report.htm report01.gif report02.gif report03.gif "
                  "report04.gif report05.gif"},
        StyleCase{"Frames, a page per chapter", "frames", "report.htm",
                  "collall.gif expall.gif false.gif loganlz.gif ovlogoss.gif "
                  "report.htm report01.gif report02.gif report03.gif report04.gif "
                  "report05.gif report_00_b.htm report_01_b.htm "
                  "report_02_b.htm report_03_b.htm report_04_b.htm "
                  "report_05_b.htm report_06_b.htm "
                  "report_t.htm tocarw.gif tocclr.gif "
                  "tocsel.gif true.gif"},
        StyleCase{"(Default)", "document", "report.doc",
                  "report.doc report01.wmf report02.wmf report03.wmf report04.wmf report05.wmf"},
        // Every field of the log's lines holds mark-up, and so
        // does the report's title.
        StyleCase{"(Default)", "markup", "report.htm",
                  "loganlz.gif ovlogoss.gif report.htm report01.gif report02.gif report03.gif "
                  "report04.gif report05.gif",
                  "markup.log", "Markup <script>document.title='ow'+'ned'</script> & co"},
        StyleCase{"Frames, a page per chapter", "markup-frames", "report.htm", nullptr,
                  "markup.log", "Markup <script>document.title='ow'+'ned'</script> & co"}));

} // namespace
