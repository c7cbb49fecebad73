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

#include "msgbox_watcher.h"
#include "ovcore/report_writer.h"
#include "run/report_handle.h"
#include "run_driver.h"

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

struct StyleCase {
    const char* style;
    const char* folder;
    const char* output;
    const char* files; // the folder afterwards
};

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
    const ovtest::TempInstall& install = engine.Install();
    std::string sources = WindowsPath(source);
    ASSERT_TRUE(ovtest::CopyTree(sources + "install\\", install.Root()));
    ASSERT_TRUE(ovtest::FileExistsAt(install.Module() + "REPORT.INI"));
    ASSERT_TRUE(ovtest::FileExistsAt(install.Data() + "keywords.ini"));
    std::string log = ovtest::ReadFileBytes(sources + "ovcore\\tests\\sample_report\\sample.log");
    ASSERT_FALSE(log.empty());
    AnalysisProfile* profile =
        engine.WriteProfile("sample", {engine.WriteData("sample.log", log)}, SampleSite);

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
    options.runText = "Ostrevane sample report";
    options.useEveryTable = false; // the template decides, as in the plug-in's runs
    runtest::RunOutcome run = runtest::RunReport(profile, "sample.wlp", options);
    ASSERT_NE(run.report, nullptr);
    EXPECT_EQ(run.recordsRead, 34u);

    EXPECT_NE(ORB_DoSummary(run.report, GoOn, NULL), nullptr);
    char error[512];
    EXPECT_EQ(ORB_GetSummaryErrMsg(error), 1) << error;
    EXPECT_EQ(FilesIn(folder), GetParam().files);
    std::string page = ovtest::ReadFileBytes(folder + GetParam().output);
    if (strcmp(GetParam().folder, "single") == 0) {
        EXPECT_EQ(page.rfind("<HTML>\r\n<!-- Ostrevane Web Log Analyzer Report -->\r\n", 0), 0u);
        EXPECT_EQ(page.substr(page.size() - 9), "</HTML>\r\n");
        EXPECT_NE(page.find(">32</TD>"), std::string::npos); // the successful hits
    }
    std::string prepared = run.report->Run->PreparedTemplate;
    EXPECT_EQ(ORB_CloseReport(run.report, nullptr), 0);
    EXPECT_FALSE(ovtest::FileExistsAt(prepared)); // the working copy goes with the run
    EXPECT_EQ(boxes.Count(), 0u);

    GlobalUnlock(block);
    GlobalFree(block);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SampleReport,
    ::testing::Values(StyleCase{"(Default)", "single", "report.htm",
                                "loganlz.gif ovlogoss.gif report.htm"},
                      StyleCase{"Frames, a page per chapter", "frames", "report.htm",
                                "collall.gif expall.gif false.gif loganlz.gif ovlogoss.gif "
                                "report.htm report_00_b.htm report_01_b.htm "
                                "report_02_b.htm report_03_b.htm report_04_b.htm "
                                "report_05_b.htm report_06_b.htm report_07_b.htm "
                                "report_08_b.htm report_t.htm tocarw.gif tocclr.gif "
                                "tocsel.gif true.gif"},
                      StyleCase{"(Default)", "document", "report.doc", "report.doc"}));

} // namespace
