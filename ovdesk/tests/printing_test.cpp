// The page layout of a viewer print, drawn into enhanced metafiles: pages,
// footers, margins, attributes and the [Printing] settings' measures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "printing/print_job.h"
#include "printing/print_layout.h"
#include <commdlg.h>

namespace {

struct DrawnText {
    int X, Y;
    std::string Text;
};

struct Drawing {
    std::vector<DrawnText> Texts;
    std::vector<COLORREF> Colours; // every text colour set
    std::vector<LONG> FontWeights; // every font made
    int FooterWidth = 0;
    const DrawnText* Find(const std::string& text) const {
        for (const DrawnText& t : Texts)
            if (t.Text == text)
                return &t;
        return nullptr;
    }
};

int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM into) {
    Drawing* drawing = (Drawing*)into;
    if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* text = (const EMREXTTEXTOUTW*)record;
        const WCHAR* chars = (const WCHAR*)((const BYTE*)record + text->emrtext.offString);
        std::string narrow;
        for (DWORD i = 0; i < text->emrtext.nChars; ++i)
            narrow += (char)chars[i];
        drawing->Texts.push_back(
            {text->emrtext.ptlReference.x, text->emrtext.ptlReference.y, narrow});
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const EMREXTTEXTOUTA* text = (const EMREXTTEXTOUTA*)record;
        const char* chars = (const char*)record + text->emrtext.offString;
        drawing->Texts.push_back({text->emrtext.ptlReference.x, text->emrtext.ptlReference.y,
                                  std::string(chars, text->emrtext.nChars)});
    } else if (record->iType == EMR_SETTEXTCOLOR) {
        drawing->Colours.push_back(((const EMRSETTEXTCOLOR*)record)->crColor);
    } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
        drawing->FontWeights.push_back(
            ((const EMREXTCREATEFONTINDIRECTW*)record)->elfw.elfLogFont.lfWeight);
    }
    return 1;
}

std::vector<std::string> g_lines;

int VectorLine(void*, long index, char* buffer, int size) {
    const std::string& line = g_lines.at((size_t)index);
    int length = (int)line.size() < size - 1 ? (int)line.size() : size - 1;
    memcpy(buffer, line.data(), (size_t)length);
    buffer[length] = 0;
    return length;
}

struct PrintFixture : ::testing::Test {
    PrintSettings settings = {0, 34, 34, 12, 12};
    PrintAttribute attributes[PRINT_ATTRIBUTE_COUNT] = {};
    WORD tabs[2] = {10, 20};
    int tabCount = 0;
    long linesPerPage = 0; // 0: as measured

    void SetUp() override {
        for (int n = 1; n < PRINT_ATTRIBUTE_COUNT; ++n) {
            CstTextAttribute& a = attributes[n].Text;
            strcpy(a.Face, "Courier New");
            a.PointSize = 10;
            a.PitchAndFamily = FIXED_PITCH;
        }
        attributes[5].Text.Style = CSTV_STYLE_BOLD;
        attributes[5].Text.Colour = RGB(255, 0, 0);
    }

    // Draws page of the lines in g_lines into a metafile and reads it back.
    Drawing Print(long page, PrintLayout* measured = nullptr) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
        ReleaseDC(nullptr, screen);
        HFONT base = CreatePrintFont(dc, attributes[1].Text, FALSE);
        SelectObject(dc, base);
        PrintLayout layout;
        MeasurePrintLayout(dc, settings, base, tabCount, tabs, &layout);
        if (linesPerPage)
            layout.LinesPerPage = (int)linesPerPage;
        if (measured)
            *measured = layout;
        PrintPage spec =
            PageOfPrint(&layout, attributes, VectorLine, nullptr, (long)g_lines.size(), page);
        DrawPrintPage(dc, spec);
        std::string footer =
            "Page " + std::to_string(page) + " of " + std::to_string(spec.PageTotal);
        SIZE size = {};
        GetTextExtentPoint32A(dc, footer.c_str(), (int)footer.size(), &size);
        FreePrintFonts(attributes);
        HENHMETAFILE file = CloseEnhMetaFile(dc);
        DeleteObject(base);
        Drawing drawing;
        EnumEnhMetaFile(nullptr, file, Record, &drawing, nullptr);
        drawing.FooterWidth = size.cx;
        DeleteEnhMetaFile(file);
        return drawing;
    }
};

TEST_F(PrintFixture, HundredTwentyLinesAtSixtyAPageMakeTwoNumberedPages) {
    g_lines.clear();
    for (int i = 0; i < 120; ++i)
        g_lines.push_back("line" + std::to_string(i));
    linesPerPage = 60;
    for (long page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        PrintLayout layout;
        Drawing drawing = Print(page, &layout);
        std::string footer = "Page " + std::to_string(page) + " of 2";
        const DrawnText* foot = drawing.Find(footer);
        ASSERT_TRUE(foot) << footer;
        EXPECT_EQ(layout.Height - layout.LineHeight, foot->Y);
        int room = layout.Width - layout.Left - layout.Right;
        EXPECT_EQ(layout.Left + (room - drawing.FooterWidth) / 2, foot->X) << "centred";
        for (int i = 0; i < 120; ++i) {
            const DrawnText* line = drawing.Find("line" + std::to_string(i));
            bool onThisPage = (i / 60 + 1) == page;
            ASSERT_EQ(onThisPage, line != nullptr) << i;
            if (!line)
                continue;
            EXPECT_EQ(layout.Left, line->X);
            EXPECT_EQ(layout.Top + (i % 60) * layout.LineHeight, line->Y);
        }
    }
}

TEST_F(PrintFixture, MarginsComeFromTheSettings) {
    g_lines = {"first"};
    settings = {0, 10, 20, 25, 12};
    PrintLayout layout;
    Drawing drawing = Print(1, &layout);
    int dpiX = layout.Left; // a whole inch
    ASSERT_GT(dpiX, 0);
    EXPECT_EQ(2 * dpiX, layout.Right);
    ASSERT_TRUE(drawing.Find("first"));
    EXPECT_EQ(dpiX, drawing.Find("first")->X);
    EXPECT_EQ(layout.Top, drawing.Find("first")->Y);
    EXPECT_EQ("Page 1 of 1", drawing.Texts.front().Text);
}

TEST_F(PrintFixture, AttributeCodesFollowTheQuality) {
    const struct {
        int quality;
        bool red, boldFont;
    } cases[] = {{0, true, true}, {1, false, true}, {2, true, false}, {3, false, false}};
    g_lines = {"plain \x01\x05"
               "BOLD\x01\x01 plain"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quality);
        settings.Quality = c.quality;
        Drawing drawing = Print(1);
        bool red = false, bold = false;
        for (COLORREF colour : drawing.Colours)
            red = red || colour == RGB(255, 0, 0);
        for (LONG weight : drawing.FontWeights)
            bold = bold || weight == FW_BOLD;
        EXPECT_EQ(c.red, red);
        EXPECT_EQ(c.boldFont, bold);
        ASSERT_TRUE(drawing.Find("BOLD"));
        EXPECT_GT(drawing.Find("BOLD")->X, drawing.Find("plain ")->X) << "drawn after";
    }
}

TEST_F(PrintFixture, ColourZeroKeepsTheColourTheLineBeganWith) {
    attributes[2].Text.Colour = 0;
    g_lines = {"a\x01\x05red\x01\x02none"};
    Drawing drawing = Print(1);
    ASSERT_GE(drawing.Colours.size(), 2u);
    EXPECT_EQ(RGB(255, 0, 0), drawing.Colours[0]);
    EXPECT_EQ(RGB(0, 0, 0), drawing.Colours[1]) << "the colour in force when the line began";
}

TEST_F(PrintFixture, TabsStopAtTheirColumnsRightOfTheMargin) {
    tabCount = 2;
    g_lines = {"a\tb\tc"};
    PrintLayout layout;
    Drawing drawing = Print(1, &layout);
    int column = layout.Tabs[0] - layout.Left; // ten columns of (w + w / 3)
    EXPECT_GT(column, 0);
    EXPECT_EQ(0, column % 10);
    EXPECT_EQ(layout.Left + 2 * column, layout.Tabs[1]);
    ASSERT_TRUE(drawing.Find("b"));
    ASSERT_TRUE(drawing.Find("c"));
    EXPECT_EQ(layout.Tabs[0], drawing.Find("b")->X);
    EXPECT_EQ(layout.Tabs[1], drawing.Find("c")->X);
}

TEST(PrintMeasures, MarginCodesAreFractionsOfAnInch) {
    const struct {
        int code, pixels;
    } cases[] = {{12, 300}, {34, 450}, {10, 600}, {20, 1200}, {25, 240}, {0, 0}, {-5, 0}, {5, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.pixels, MarginPixels(c.code, 600));
    }
}

TEST(PrintMeasures, APageHoldsAtLeastOneLine) {
    EXPECT_EQ(60, PageLineCount(6600, 300, 300, 100));
    EXPECT_EQ(1, PageLineCount(500, 300, 300, 100)) << "margins taller than the page";
    EXPECT_EQ(100, PageLineCount(100, 0, 0, 0)) << "no line height counts as one pixel";
    const struct {
        long lines, perPage, pages;
    } cases[] = {{120, 60, 2}, {121, 60, 3}, {60, 60, 1}, {0, 60, 1}, {5, 0, 5}, {5, -3, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        EXPECT_EQ(c.pages, PageCount(c.lines, c.perPage));
    }
}

TEST(PrintMeasures, NoPrinterGivesSixtyLinesAPage) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT;
    if (PrintDlgA(&dialog)) {
        GlobalFree(dialog.hDevNames);
        GlobalFree(dialog.hDevMode);
        GTEST_SKIP() << "this machine has a default printer";
    }
    EXPECT_EQ(60, GetPrinterPageLineCount("Courier New", 10, FIXED_PITCH));
}

} // namespace
