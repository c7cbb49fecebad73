// Writes reports from the shipped report content (templates, language file,
// styles and images) into the build folder, for the browser check that CTest
// runs next (scripts/check-report.sh). OV_CONTENT_DIR names the content
// (laid out as an install folder), OV_REPORT_DIR the folder to write into;
// both are host paths, reached through Wine's Z: drive.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "msgbox_watcher.h"
#include "ovcore/report_writer.h"
#include "report/prepare_template.h"
#include "report/toc_script.h"
#include "report/template_writer.h"
#include "run/report_handle.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

std::string WindowsPath(const char* hostPath) {
    std::string path = std::string("Z:") + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    if (path.back() != '\\')
        path += '\\';
    return path;
}

// Copies the folder tree from into to (both end in a backslash).
void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), NULL);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + name + "\\", to + name + "\\");
        else
            CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

class SampleReport : public ::testing::TestWithParam<const char*> {};

// Writes <OV_REPORT_DIR>\<folder>\report.htm in the given style, with every
// section of the main template chosen.
TEST_P(SampleReport, WritesTheShippedTemplate) {
    const char* content = getenv("OV_CONTENT_DIR");
    const char* target = getenv("OV_REPORT_DIR");
    if (!content || !target)
        GTEST_SKIP() << "OV_CONTENT_DIR and OV_REPORT_DIR name the content and the output";
    ovtest::TempInstall install;
    ovtest::MsgBoxWatcher boxes;
    CopyTree(WindowsPath(content), install.Root());
    InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());

    WORD count = 0;
    HGLOBAL block = NULL;
    ASSERT_EQ(ORB_ReadTemplateSectionList((install.Templates() + "cluster.var").c_str(), &count,
                                          &block, NULL),
              1);
    ASSERT_GT(count, 40);
    TemplateSection* sections = static_cast<TemplateSection*>(GlobalLock(block));
    for (WORD i = 0; i < count; ++i)
        sections[i].Include = 1;

    ReportHandle* report = static_cast<ReportHandle*>(calloc(1, sizeof(ReportHandle)));
    RunContext* run = AllocRunContext();
    report->Sections = sections;
    report->SectionCount = count;
    strcpy(report->Language, "ENGLISH");
    lstrcpynA(report->SecondCallerText, GetParam(), MAX_PATH);
    strcpy(run->ReportTitle, "Ostrevane sample report");
    std::string folder = WindowsPath(target);
    CreateDirectoryA(folder.c_str(), NULL);
    folder += std::string(strchr(GetParam(), ',') ? "frames" : "single") + "\\";
    CreateDirectoryA(folder.c_str(), NULL);
    lstrcpynA(run->OutputPath, (folder + "report.htm").c_str(), MAX_PATH);

    ASSERT_NE(PrepareReportTemplate(report, run), 0);
    EXPECT_EQ(WriteTemplateReport(report, run, NULL), 1);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_TRUE(ovtest::FileExistsAt(run->OutputPath));

    DeleteFileA(run->PreparedTemplate);
    free(run->PageList);
    free(run);
    free(report);
    GlobalUnlock(block);
    GlobalFree(block);
    InstallFolder_Reset();
}

INSTANTIATE_TEST_SUITE_P(Styles, SampleReport,
                         ::testing::Values("(Default)", "Frames, a page per chapter"));

} // namespace
