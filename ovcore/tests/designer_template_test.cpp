#include <gtest/gtest.h>

#include <string>

#include "ovcore/designer_template.h"
#include "temp_install.h"

namespace {

TEST(GraphSpec, ReadsEveryFieldAndRefusesMalformedTexts) {
    GraphRequest g;
    ASSERT_EQ(
        ParseGraphSpec(
            "BARS=50, {Hits by hour}, 2D, Items {Hour}, Users {Visits}, 0-23, ff00:Total]", &g, 0),
        1);
    EXPECT_EQ(g.GraphType, 1);
    EXPECT_EQ(g.Size, 50u);
    EXPECT_STREQ(g.Title, "Hits by hour");
    EXPECT_EQ(g.ThreeD, 0u);
    EXPECT_EQ(g.Timeline, 0u);
    EXPECT_STREQ(g.AxisLabel, "Hour");
    EXPECT_EQ(g.DataKind, 2);
    EXPECT_STREQ(g.DataLabel, "Visits");
    EXPECT_EQ(g.First, 0);
    EXPECT_EQ(g.Last, 23);
    EXPECT_EQ(g.Color, 0xFF00u);
    EXPECT_EQ(g.Total, 1u);

    const struct {
        const char* text;
        int format;
        int ok;
        int type;
        int total;
    } cases[] = {
        {"PIE, {t}, 3D, Timeline {x}, Percent {%}, 0-9, Total", 0, 1, 3, 1},
        {"SIDESTACKEDBAR, {t}, 3D, Items {x}, Bytes {y}, 1-5", 0, 1, 7, 0},
        {"LINE, {t}, 3D, Timeline {x}, Hits {y}, 0-9,ff:No Total", 0, 1, 5, 0},
        {"PIE, {t}, 3D, Timeline {x}, Percent {%}, 2-4", 7, 1, 1, 0}, // bars for log kinds
        {"CIRCLE, {t}, 3D, Items {x}, Hits {y}, 0-9", 0, 0, 0, 0},
        {"BARS, {t}, 4D, Items {x}, Hits {y}, 0-9", 0, 0, 0, 0},
        {"BARS, {t}, 3D, Items {x}, Visits {y}, 0-9", 0, 0, 0, 0},
        {"BARS, {t}, 3D, Items {x}", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_EQ(ParseGraphSpec(c.text, &g, c.format), c.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(g.GraphType, c.type);
        EXPECT_EQ((int)g.Total, c.total);
    }
    ASSERT_EQ(ParseGraphSpec("PIE, {t}, 3D, Timeline {x}, Percent {%}, 2-4", &g, 8), 1);
    EXPECT_EQ(g.Timeline, 0u);
    EXPECT_EQ(g.DataKind, 0);
    EXPECT_EQ(g.Last, 9);
}

const char* const kDesign =
    "<HTML><OVHDR>old</OVHDR>\r\n"
    "%%DocsBeginSection[TABLE,{Pages}]%%\r\n"
    "%%TopDocumentsDesc[0,10]%%\r\n"
    "%%DocsEndSection%%\r\n"
    "%%HoursBeginSection[GRAPH,{Hours}]%%\r\n"
    "<IMG SRC=\"%%TopHoursGraph[BARS, {Hours}, 3D, Items {h}, Hits {n}, 0-23]%%\">\r\n"
    "%%HoursEndSection%%\r\n"
    "%%FixedBeginSection[NOEDITTABLE,{Fixed}]%%\r\n"
    "%%FixedEndSection%%\r\n"
    "</HTML>\r\n";

TEST(DesignerTemplate, ReadsItemsAndWritesTheTemplateBack) {
    ovtest::TempInstall install;
    install.Write("design.rpt", kDesign);
    std::string path = install.Path("design.rpt");
    WORD count = 0;
    HGLOBAL block = NULL;
    char header[MAX_PATH];
    ASSERT_EQ(ORB_ReadTemplateItemList(path.c_str(), NULL, &count, &block, header), 1);
    EXPECT_STREQ(header, "old");
    ASSERT_EQ(count, 3);
    TemplateItem* items = static_cast<TemplateItem*>(GlobalLock(block));
    EXPECT_STREQ(items[0].Title, "Pages");
    EXPECT_EQ(items[0].Kind, 2);
    EXPECT_EQ(items[0].TopCount, 10);
    EXPECT_EQ(items[0].Include, 1u);
    EXPECT_EQ(items[0].Edited, 0u);
    EXPECT_EQ(items[1].Graph.Last, 23);
    EXPECT_EQ(items[2].Include, 0u); // fixed tables start left out
    EXPECT_EQ(std::string(kDesign).substr(items[1].SectionStart, items[1].SectionLength),
              "%%HoursBeginSection[GRAPH,{Hours}]%%\r\n"
              "<IMG SRC=\"%%TopHoursGraph[BARS, {Hours}, 3D, Items {h}, Hits {n}, 0-23]%%\">\r\n"
              "%%HoursEndSection%%\r\n");

    items[0].Edited = 1;
    items[0].TopCount = 25;
    items[1].Edited = 1;
    items[1].Graph.ThreeD = 0;
    items[1].Graph.Color = 0xABC;
    GlobalUnlock(block);
    std::string written = install.Path("new.rpt");
    ASSERT_EQ(ORB_WriteTemplateItemList(written.c_str(), count, block, "new"), 1);
    EXPECT_EQ(
        ovtest::ReadFileBytes(written),
        "<HTML><OVHDR>new</OVHDR>\r\n"
        "%%DocsBeginSection[TABLE,{Pages}]%%\r\n"
        "%%TopDocumentsDesc[0,25]%%\r\n"
        "%%DocsEndSection%%\r\n"
        "%%HoursBeginSection[GRAPH,{Hours}]%%\r\n"
        "<IMG SRC=\"%%TopHoursGraph[BARS, {Hours}, 2D, Items {h}, Hits {n}, 0-23,abc]%%\">\r\n"
        "%%HoursEndSection%%\r\n"
        "</HTML>\r\n");
    GlobalFree(block);
}

TEST(DesignerTemplate, MergesTheEditedTemplateByTitleAndKind) {
    ovtest::TempInstall install;
    install.Write("design.rpt", kDesign);
    install.Write("edited.rpt",
                  "%%PagesBeginSection[TABLE,{pages}]%%\r\n%%TopDocumentsDesc[0,5]%%\r\n"
                  "%%PagesEndSection%%\r\n");
    WORD count = 0;
    HGLOBAL block = NULL;
    ASSERT_EQ(ORB_ReadTemplateItemList(install.Path("design.rpt").c_str(),
                                       install.Path("edited.rpt").c_str(), &count, &block, NULL),
              1);
    ASSERT_EQ(count, 3);
    const TemplateItem* items = static_cast<const TemplateItem*>(GlobalLock(block));
    EXPECT_EQ(items[0].Include, 1u);
    EXPECT_EQ(items[0].TopCount, 5);
    EXPECT_EQ(std::string(items[0].Source), install.Path("edited.rpt"));
    EXPECT_EQ(items[1].Include, 0u);
    EXPECT_EQ(items[2].Include, 0u);
    GlobalUnlock(block);
    GlobalFree(block);

    install.Write("plain.rpt", "<HTML>no sections</HTML>\r\n");
    ASSERT_EQ(
        ORB_ReadTemplateItemList(install.Path("plain.rpt").c_str(), NULL, &count, &block, NULL), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(block, nullptr);
}

} // namespace
