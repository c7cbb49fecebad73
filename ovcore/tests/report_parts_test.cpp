#include <gtest/gtest.h>

#include <string>

#include "msgbox_watcher.h"
#include "ovcore/report_writer.h"
#include "keywords/caption_key.h"
#include "keywords/log_type_tables.h"
#include "write/toc_script.h"
#include "run/report_handle.h"
#include "temp_install.h"

namespace {

TEST(TocScript, ListsChaptersAndItemsOfEveryPage) {
    ovtest::TempInstall install;
    install.Write("a_00_b.htm", "<a name=\"g\"><!--General::Summary--></a>\r\n"
                                "<a name=\"h\"><!--General::Hours--></a>\r\n");
    install.Write("a_01_b.htm", "<a name=\"d\"><!--Pages::Top pages-->\r\n<a name=\"broken\">");
    std::string list = install.Path("a_00_b.htm") + '\0' + install.Path("a_01_b.htm") + '\0' + '\0';
    std::string script;
    ASSERT_TRUE(BuildTocScript(list.c_str(), script));
    EXPECT_EQ(script, "CHAPTERS[1] = 2\r\nCHAPTERS[2] = 1\r\n\r\n"
                      "ITEMS[1] = new anItem(\"a_00_b.htm#g\",\"Summary\")\r\n"
                      "ITEMS[2] = new anItem(\"a_00_b.htm#h\",\"Hours\")\r\n"
                      "ITEMS[3] = new anItem(\"a_01_b.htm#d\",\"Top pages\")\r\n\r\n"
                      "VOLUMES[1] = new anItem(\"a_00_b.htm#g\",\"General\")\r\n"
                      "VOLUMES[2] = new anItem(\"a_01_b.htm#d\",\"Pages\")\r\n");

    ovtest::MsgBoxWatcher boxes;
    std::string missing = install.Path("gone.htm") + '\0' + '\0';
    EXPECT_FALSE(BuildTocScript(missing.c_str(), script));
    EXPECT_EQ(script, "");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Seen()[0].caption, "Load Error");
}

TEST(TableCaptionKey, ChoosesTheVariantOfTheProfile) {
    ReportHandle report = {};
    AnalysisProfile profile = {};
    RowmereSettings on = {};
    on.RowmereEnabled = 1;
    RowmereSettings off = {};
    report.Profile = &profile;
    const struct {
        const char* name;
        DWORD servers;
        RowmereSettings* ip;
        RowmereSettings* auth;
        const char* key;
    } cases[] = {
        {"TopUsersTC", 1, &on, NULL, "TopUsersRowmereTC"},
        {"TopUsersTC", 1, &off, NULL, "TopUsersTC"},
        {"TopAuthUsersTC", 1, NULL, &on, "TopAuthUsersRowmereTC"},
        {"TopAuthUsersTC", 1, NULL, NULL, "TopAuthUsersTC"},
        {"TopCountriesTC", 2, NULL, NULL, "TopCountriesClusterTC"},
        {"Top404ErrorsTC", 3, NULL, NULL, "Top404ErrorsClusterTC"},
        {"TopServerErrorsTC", 2, NULL, NULL, "TopServerErrorsClusterTC"},
        {"TopClientErrorsTC", 2, NULL, NULL, "TopClientErrorsClusterTC"},
        {"TopCountriesTC", 1, NULL, NULL, "TopCountriesTC"},
        {"topcountriesTC", 2, NULL, NULL, "topcountriesTC"}, // keys compare with case
        {"TopDocumentsTC", 2, &on, &on, "TopDocumentsTC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        profile.Servers.dwCount = c.servers;
        profile.RowmereIP = c.ip;
        profile.RowmereAuthUser = c.auth;
        char out[64];
        GetTableCaptionKey(&report, c.name, out, sizeof out);
        EXPECT_STREQ(out, c.key);
    }
}

TEST(LogTypeTables, MarksWhatTheLogKindCannotFill) {
    const struct {
        int format;
        RunTable empty;
        RunTable kept;
    } cases[] = {
        {LOGFMT_REFERRER, TopHours, TopReferers},
        {LOGFMT_REFERRER, Top404Errors, TopBrowsers},
        {LOGFMT_AGENT, TopReferers, TopBrowsers},
        {LOGFMT_AGENT, TopUploads, TopSpiders},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        for (auto& row : g_ReportTableKeywords)
            row.Empty = 0;
        MarkLogTypeTablesEmpty(c.format);
        EXPECT_EQ(g_ReportTableKeywords[c.empty].Empty, 1u);
        EXPECT_EQ(g_ReportTableKeywords[c.kept].Empty, 0u);
    }
    for (auto& row : g_ReportTableKeywords)
        row.Empty = 0;
    MarkLogTypeTablesEmpty(1);
    for (const auto& row : g_ReportTableKeywords)
        EXPECT_EQ(row.Empty, 0u);
}

TEST(SectionList, ReadsKindTitleAndNumbersOfEverySection) {
    ovtest::TempInstall install;
    install.Write(
        "t.var", "<OVHDR>My header</ovhdr>\r\n%%MainBeginChapter%%\r\n"
                 "%%TopDocumentsBeginSection[TABLE,{<TopDocumentsTC>}]%%\r\n"
                 "%%%BeginRepeat%%%\r\n%%TopDocumentsHits[~]%%\r\n%%%EndRepeat%%%\r\n"
                 "%%TopDocumentsTotalHits[2,10]%%\r\n%%TopDocumentsEndSection%%\r\n"
                 "%%TopHoursBeginSection[GRAPH,{<TopHoursGC>}]%%\r\n"
                 "<IMG SRC=\"%%TopHoursGraph[LINE, {Hours}, 2D, Items {h}, Hits {n}, 0-23]%%\">\r\n"
                 "%%TopHoursEndSection%%\r\n"
                 "%%CountriesBeginSection[NOEDITTABLE,{x <TopCountriesTC> y}]%%\r\n"
                 "%%TopCountriesTotalHits[0,5,4]%%\r\n%%CountriesEndSection%%\r\n"
                 "%%DebugStatsBeginSection[TEXT]%%\r\n%%DebugStatsEndSection%%\r\n"
                 "%%MainEndChapter%%\r\n");
    WORD count = 0;
    HGLOBAL block = NULL;
    char header[MAX_PATH];
    ASSERT_EQ(ORB_ReadTemplateSectionList(install.Path("t.var").c_str(), &count, &block, header),
              1);
    EXPECT_STREQ(header, "My header");
    ASSERT_EQ(count, 3);
    const TemplateSection* s = static_cast<const TemplateSection*>(GlobalLock(block));
    EXPECT_STREQ(s[0].Name, "TopDocumentsBeginSection");
    EXPECT_STREQ(s[0].TitleVariable, "TopDocumentsTC");
    EXPECT_EQ(s[0].Kind, 2);
    EXPECT_EQ(s[0].First, 2);
    EXPECT_EQ(s[0].Rows, 10);
    EXPECT_EQ(s[0].Include, 0u);
    EXPECT_EQ(s[1].Kind, 1);
    EXPECT_EQ(s[1].GraphType, 5);
    EXPECT_EQ(s[1].Rows, 23);
    EXPECT_EQ(s[1].ThreeD, 0u);
    EXPECT_STREQ(s[2].TitleVariable, "TopCountriesTC");
    EXPECT_EQ(s[2].Kind, 4);
    EXPECT_EQ(s[2].Columns, 4);
    GlobalUnlock(block);
    GlobalFree(block);

    install.Write("none.var", "<HTML>no sections</HTML>\r\n");
    ASSERT_EQ(ORB_ReadTemplateSectionList(install.Path("none.var").c_str(), &count, &block, NULL),
              1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(ORB_ReadTemplateSectionList(install.Path("gone.var").c_str(), &count, &block, NULL),
              0);
}

} // namespace
