// Style keywords: the report style's colours, pictures, fonts and widths.
#include <stddef.h>

#include "header_call.h"
#include "keyword_text.h"
#include "run/run_setup.h"
#include "write/report_output.h"

static const struct {
    const char* word;
    int color; // StyleColor, or -1
    int font;  // StyleFont, or -1
} kStyleWords[] = {
    {"Style_BackgroundColor", STYLE_PAGE_BACKGROUND, -1},
    {"Style_StandardTextColor", STYLE_PAGE_TEXT, -1},
    {"Style_SectionBackgroundColor", STYLE_SECTION_BACKGROUND, -1},
    {"Style_SectionTextColor", STYLE_SECTION_TEXT, -1},
    {"Style_TitleBackgroundColor", STYLE_TITLE_BACKGROUND, -1},
    {"Style_TitleTextColor", STYLE_TITLE_TEXT, -1},
    {"Style_SubTitleBackgroundColor", STYLE_SUBTITLE_BACKGROUND, -1},
    {"Style_SubTitleTextColor", STYLE_SUBTITLE_TEXT, -1},
    {"Style_OddRowBackgroundColor", STYLE_ODD_ROW_BACKGROUND, -1},
    {"Style_OddRowTextColor", STYLE_ODD_ROW_TEXT, -1},
    {"Style_EvenRowBackgroundColor", STYLE_EVEN_ROW_BACKGROUND, -1},
    {"Style_EvenRowTextColor", STYLE_EVEN_ROW_TEXT, -1},
    {"Style_TableFrameColor", STYLE_TABLE_FRAME, -1},
    {"Style_StandardFontName", -1, STYLE_FONT_STANDARD},
    {"Style_SectionFontName", -1, STYLE_FONT_SECTION},
    {"Style_TitleFontName", -1, STYLE_FONT_TITLE},
    {"Style_SubTitleFontName", -1, STYLE_FONT_SUBTITLE},
    {"Style_TableFontName", -1, STYLE_FONT_TABLE_DATA},
};

// Rows 0, 2, 4 ... take the odd-row colour, so repeated lines alternate.
static int RepeatRowColor(const HeaderCall& call, const ReportStyle& style) {
    bool text = KeywordIsIndexed(call.keyword, "Style_RepeatRowTextColor");
    if (!text && !KeywordIsIndexed(call.keyword, "Style_RepeatRowBackgroundColor"))
        return 0;
    bool odd = (GetBracketNumber(call.keyword) + 1) % 2 == 1;
    int color = text ? (odd ? STYLE_ODD_ROW_TEXT : STYLE_EVEN_ROW_TEXT)
                     : (odd ? STYLE_ODD_ROW_BACKGROUND : STYLE_EVEN_ROW_BACKGROUND);
    SetHeaderText(call, style.Colors[color]);
    return 1;
}

int EvaluateStyleKeyword(const HeaderCall& call) {
    const char* k = call.keyword;
    if (CompareKeywordPrefix(k, "Style_") != 0)
        return 0;
    const ReportStyle& style = call.run->Output->Style;
    if (RepeatRowColor(call, style))
        return 1;
    for (const auto& row : kStyleWords) {
        if (KeywordIs(k, row.word)) {
            SetHeaderText(call, row.color >= 0 ? style.Colors[row.color] : style.Fonts[row.font]);
            return 1;
        }
    }
    if (KeywordIs(k, "Style_BackgroundPicture"))
        SetHeaderText(call, style.BackgroundFilename);
    else if (KeywordIs(k, "Style_LogoPicture") || KeywordIs(k, "Style_LogoFile"))
        SetHeaderText(call, style.LogoFilename);
    else if (KeywordIs(k, "Style_FrameWidth"))
        FormatValueText(call.value, call.size, "%d", style.FrameWidth);
    else if (KeywordIs(k, "Style_NumberAlignment"))
        SetHeaderText(call, style.NumberAlignment);
    return 1;
}
