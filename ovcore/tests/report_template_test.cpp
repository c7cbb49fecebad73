#include <gtest/gtest.h>
#include "ovcore/report_template.h"
#include "write/template_text.h"
#include "run/report_handle.h"
#include "settings/install_folder.h"
#include "msgbox_watcher.h"
#include "temp_install.h"
#include <stdlib.h>
#include <string.h>
#include <string>

namespace {

TemplateSection Section(const char* name, int kind, int include, int first = 0, int rows = 0,
                        int columns = 0) {
    TemplateSection s = {};
    s.Include = DWORD(include);
    lstrcpynA(s.Name, name, sizeof s.Name);
    s.Kind = WORD(kind);
    s.First = WORD(first);
    s.Rows = WORD(rows);
    s.Columns = WORD(columns);
    return s;
}

const TemplateSection kSections[] = {
    Section("TopDocsBeginSection", 2, 1, 5, 3),
    Section("HoursBeginSection", 1, 0),
    Section("PathsBeginSection", 2, 1, 0, 2, 2),
};

std::string WithEnds(const char* text, const char* end) {
    std::string out;
    for (const char* p = text; *p; ++p)
        out += *p == '\n' ? std::string(end) : std::string(1, *p);
    return out;
}

struct TrimCase {
    const char* what;
    const char* text; // lines end in "\n" here; each case runs with LF and CR LF
    const char* copy; // the working copy, its lines ending in CR LF
};

const TrimCase kTrimCases[] = {
    {"kept and dropped sections; text between sections and chapters left out",
     "<html>\n%%MainBeginChapter%%\n<h1>\n%%TopDocsBeginSection[TABLE,x]%%\ndocs\n"
     "%%TopDocsEndSection%%\nbetween\n%%HoursBeginSection[GRAPH]%%\nhours\n"
     "%%HoursEndSection%%\nafter\n%%MainEndChapter%%\ngap\n%%OtherBeginChapter%%\nhead\n"
     "%%HoursBeginSection[GRAPH]%%\nh\n%%HoursEndSection%%\n%%OtherEndChapter%%\n</html>\n",
     "<html>\n%%MainBeginChapter%%\n<h1>\n%%TopDocsBeginSection[TABLE,x]%%\ndocs\n"
     "%%TopDocsEndSection%%\nafter\n%%MainEndChapter%%\n</html>\n"},
    {"names match without case; another kind word drops the section",
     "%%ABeginChapter%%\n%%topdocsbeginsection[table]%%\nd\n%%TopDocsEndSection%%\n"
     "%%PathsBeginSection[GRAPH]%%\np\n%%PathsEndSection%%\n%%AEndChapter%%\n",
     "%%ABeginChapter%%\n%%topdocsbeginsection[table]%%\nd\n%%TopDocsEndSection%%\n"
     "%%AEndChapter%%\n"},
    {"a section line without a percent pair is dropped",
     "h\n%%ABeginChapter%%\nTopDocsBeginSection[TABLE]\nd\nEndSection\n%%AEndChapter%%\nt\n",
     "h\nt\n"},
    {"repeat block: one line per row",
     "%%CBeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\n%%%BeginRepeat%%%\nRow ~ (^)\n"
     "%%%EndRepeat%%%\n%%TopDocsEndSection%%\n%%CEndChapter%%\n",
     "%%CBeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\nRow 5 (1)\nRow 6 (2)\nRow 7 (3)\n"
     "%%TopDocsEndSection%%\n%%CEndChapter%%\n"},
    {"repeat block with columns: one line per row and column",
     "%%CBeginChapter%%\n%%PathsBeginSection[TABLE]%%\n<tr>%%%BeginRepeat%%%<td>~ ^</td>"
     "%%%EndRepeat%%%</tr>\n%%PathsEndSection%%\n%%CEndChapter%%\n",
     "%%CBeginChapter%%\n%%PathsBeginSection[TABLE]%%\n<tr>\n<td>0,0 1</td>\n<td>0,1 1</td>\n"
     "<td>1,0 2</td>\n<td>1,1 2</td>\n</tr>\n%%PathsEndSection%%\n%%CEndChapter%%\n"},
    {"each section's repeat block takes its own rows and columns",
     "%%CBeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\n%%%BeginRepeat%%%\nd~\n%%%EndRepeat%%%\n"
     "%%TopDocsEndSection%%\n%%PathsBeginSection[TABLE]%%\n%%%BeginRepeat%%%\np~\n"
     "%%%EndRepeat%%%\n%%PathsEndSection%%\n%%CEndChapter%%\n",
     "%%CBeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\nd5\nd6\nd7\n%%TopDocsEndSection%%\n"
     "%%PathsBeginSection[TABLE]%%\np0,0\np0,1\np1,0\np1,1\n%%PathsEndSection%%\n"
     "%%CEndChapter%%\n"},
    {"a section without its end runs to the chapter's end",
     "%%ABeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\nd\n%%AEndChapter%%\ntail\n",
     "%%ABeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\nd\n%%AEndChapter%%\ntail\n"},
    {"a chapter without its end runs to the template's end",
     "head\n%%ABeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\nd\n%%TopDocsEndSection%%\nrest\n",
     "head\n%%ABeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\nd\n%%TopDocsEndSection%%\nrest\n"},
    {"an unclosed repeat block repeats the rest of the chapter",
     "%%ABeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\n%%%BeginRepeat%%%~\n",
     "%%ABeginChapter%%\n%%TopDocsBeginSection[TABLE]%%\n5\n6\n7\n\n"},
    {"a template without chapters or sections stays whole", "a\nb", "a\nb\n"},
    {"a template without chapters is one chapter",
     "a\n%%HoursBeginSection[GRAPH]%%\nh\n%%HoursEndSection%%\nb\n", ""},
};

TEST(TemplateTrim, CasesWithEitherLineEnd) {
    for (const TrimCase& c : kTrimCases) {
        for (const char* end : {"\n", "\r\n"}) {
            SCOPED_TRACE(std::string(c.what) + (end[1] ? " (CR LF)" : " (LF)"));
            EXPECT_EQ(report::TrimTemplateText(WithEnds(c.text, end), kSections, 3),
                      WithEnds(c.copy, "\r\n"));
        }
    }
}

TEST(TemplateTrim, ItemKinds) {
    const struct {
        const char* text;
        int kind;
    } cases[] = {{"NOEDITGRAPH,3", 3}, {"noedittable]", 4}, {"NOEDITGRAPHS", 0},
                 {"Graph,1", 1},       {"TABLEx", 2},       {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GetTemplateItemKind(c.text), c.kind);
    }
    EXPECT_EQ(GetTemplateItemKind(nullptr), 0);
}

class TemplateFile : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());
    }
    void TearDown() override { InstallFolder_Reset(); }

    ovtest::TempInstall install;
    ovtest::MsgBoxWatcher watcher;
};

// A large template whose markers fall across any read size is trimmed whole.
TEST_F(TemplateFile, WritesTheTrimmedCopyOfALargeTemplate) {
    std::string pad;
    for (int i = 0; i < 5000; ++i)
        pad += "<p>padding line " + std::to_string(i) + "</p>\r\n";
    std::string text = pad + WithEnds(kTrimCases[0].text, "\r\n") + pad;
    ASSERT_TRUE(install.Write("in.var", text));
    std::string out = install.Path("out.htm");
    ASSERT_EQ(report::TrimTemplateFile(out.c_str(), install.Path("in.var").c_str(), kSections, 3),
              1);
    EXPECT_EQ(install.Read("out.htm"), report::TrimTemplateText(text, kSections, 3));
    EXPECT_NE(install.Read("out.htm").find("docs\r\n%%TopDocsEndSection%%\r\nafter"),
              std::string::npos);
    EXPECT_EQ(watcher.Count(), 0u);
}

TEST_F(TemplateFile, FailuresSayWhichFileAndLeaveNoCopy) {
    ASSERT_TRUE(install.Write("in.var", "a\r\n"));
    std::string out = install.Path("out.htm");
    EXPECT_EQ(report::TrimTemplateFile(out.c_str(), install.Path("none.var").c_str(), kSections, 3),
              0);
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "Load");
    EXPECT_EQ(GetFileAttributesA(out.c_str()), INVALID_FILE_ATTRIBUTES);

    std::string badOut = install.Path("no such folder\\out.htm");
    EXPECT_EQ(
        report::TrimTemplateFile(badOut.c_str(), install.Path("in.var").c_str(), kSections, 3), 0);
    ASSERT_TRUE(watcher.WaitFor(2));
    EXPECT_EQ(watcher.Seen()[1].caption, "Save");
    EXPECT_EQ(report::TrimTemplateFile(out.c_str(), install.Path("in.var").c_str(), kSections, 0),
              0);
}

// The exported name callers bind: the template is named within the template
// folder and the sections are the report handle's.
TEST_F(TemplateFile, TrimSectionsTrimsATemplateOfTheFolderToTheHandlesSections) {
    const char* text = kTrimCases[0].text;
    ASSERT_TRUE(install.Write("ovdesk\\template\\t.var", WithEnds(text, "\r\n")));
    ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    ASSERT_NE(report, nullptr);
    report->Sections = kSections;
    report->SectionCount = 3;
    std::string out = install.Path("out.htm");
    EXPECT_EQ(TrimSections(out.c_str(), report, "t.var"), 1);
    EXPECT_EQ(install.Read("out.htm"), WithEnds(kTrimCases[0].copy, "\r\n"));
    EXPECT_EQ(watcher.Count(), 0u);

    EXPECT_EQ(TrimSections(out.c_str(), nullptr, "t.var"), 0);
    EXPECT_EQ(TrimSections(out.c_str(), report, nullptr), 0);
    report->SectionCount = 0;
    EXPECT_EQ(TrimSections(out.c_str(), report, "t.var"), 0);
    report->SectionCount = 3;
    EXPECT_EQ(TrimSections(out.c_str(), report, "none.var"), 0);
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "Load");
    free(report);
}

} // namespace
