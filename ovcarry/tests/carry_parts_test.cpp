// The import program's pieces in this process: old report templates and
// range words, the choose dialog's rules, bounded reads of old records.
#include <gtest/gtest.h>
#include "choose_dialog.h"
#include "file_image.h"
#include "old_template.h"

namespace {

TEST(OldRangeTest, WordsMapThroughTheTable) {
    const struct {
        WORD word;
        int range;
    } cases[] = {{0x8003, 3},  {0x4007, 7}, {0x0006, 7}, {0x0030, 0},
                 {0x8015, 47}, {0x8016, 0}, {0xC002, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(c.range, MapOldRange(c.word));
    }
}

TEST(OldTemplateTest, SectionsKindsGraphsAndRepeats) {
    std::string text =
        "%%ShortBeginSection[TABLE]%%" // a name of 9 characters or fewer is no token
        "%%HitsGraphBeginSection[GRAPH,{x}]%%"
        "%%DailyGraph[SIDESTACKEDBARS=3, {Daily}, 2D, Items {Day}, Hits {Hits}, 4-9]%%"
        "%%HitsGraphEndSection%%"
        "%%PlainGraphBeginSection[GRAPH]%%%%PlainGraphEndSection%%"
        "%%TopPagesBeginSection[ table ,{x}]%%%%TopPagesRow%EndRepeat[Items,25]%%"
        "%%TopPagesEndSection%%"
        "%%LockedBeginSection[NOEDITGRAPH]%%%%LockedEndSection%%"
        "%%OpenBeginSection[TEXT]%%";
    int dropped = 0;
    std::vector<OldSection> s = ReadOldReportTemplate(text, &dropped);
    ASSERT_EQ(4u, s.size());
    EXPECT_EQ(0, dropped);
    EXPECT_EQ("HitsGraphBeginSection", s[0].Name);
    EXPECT_EQ(SECTION_GRAPH, s[0].Kind);
    EXPECT_EQ(7, s[0].GraphType);
    EXPECT_EQ(0, s[0].ThreeD);
    EXPECT_EQ(4, s[0].Start);
    EXPECT_EQ(9, s[0].End);
    // A graph without its settings text keeps the defaults.
    EXPECT_EQ(2, s[1].GraphType);
    EXPECT_EQ(1, s[1].ThreeD);
    EXPECT_EQ(-1, s[1].Start);
    EXPECT_EQ(SECTION_TABLE, s[2].Kind);
    EXPECT_EQ(25, s[2].Elements);
    EXPECT_EQ(SECTION_NOEDIT_GRAPH, s[3].Kind);
}

// Guards tokens lost where an old 8,192-byte read ended inside them.
TEST(OldTemplateTest, ATokenAcrossEveryChunkBoundaryIsRead) {
    for (size_t pad : {8180u, 8185u, 8190u, 8191u, 8192u, 16380u}) {
        SCOPED_TRACE(pad);
        std::string text =
            std::string(pad, 'x') + "%%TopPagesBeginSection[TABLE]%%%%TopPagesEndSection%%";
        int dropped = 0;
        std::vector<OldSection> s = ReadOldReportTemplate(text, &dropped);
        ASSERT_EQ(1u, s.size());
        EXPECT_EQ(SECTION_TABLE, s[0].Kind);
    }
}

TEST(OldTemplateTest, SectionsStopAtTheLimitAndTheRestIsCounted) {
    std::string text;
    for (int n = 0; n < 130; ++n)
        text += "%%Section" + std::to_string(n) + "BeginSection[TABLE]%%%%Section" +
                std::to_string(n) + "EndSection%%";
    int dropped = 0;
    EXPECT_EQ((size_t)MAX_OLD_SECTIONS, ReadOldReportTemplate(text, &dropped).size());
    EXPECT_EQ(30, dropped);
}

TEST(ChooseRulesTest, DemandedItemsAreTicked) {
    const struct {
        const char* name;
        int in[7];
        int out[7];
    } cases[] = {
        {"schedule", {0, 1, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 0, 0, 0}},
        {"databases", {0, 0, 0, 0, 0, 0, 1}, {1, 0, 0, 1, 0, 0, 1}},
        {"profiles", {1, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 1, 0, 0, 0}},
        {"settings alone", {0, 0, 0, 0, 0, 1, 0}, {0, 0, 0, 0, 0, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int selected[7];
        memcpy(selected, c.in, sizeof selected);
        ApplySelectionRules(selected);
        EXPECT_EQ(0, memcmp(selected, c.out, sizeof selected));
    }
}

TEST(FileImageTest, FieldsPastTheEndReadEmpty) {
    FileImage f;
    f.Bytes = std::string("\x01\x02"
                          "abcdef",
                          8);
    char text[4];
    const struct {
        DWORD offset, width;
        const char* text;
    } cases[] = {{2, 6, "abc"}, {5, 10, "def"}, {8, 4, ""}, {100, 4, ""}, {2, 2, "ab"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        f.Text(c.offset, c.width, text, sizeof text);
        EXPECT_STREQ(c.text, text);
    }
    EXPECT_EQ(0x0201, f.Word(0));
    EXPECT_EQ(0, f.Word(7));
    EXPECT_EQ(0u, f.Dword(6));
    EXPECT_FALSE(f.Holds(6, 3));
    EXPECT_FALSE(f.Holds(0xFFFFFFF0u, 0x20));
}

} // namespace
