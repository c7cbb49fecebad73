// The style settings of one report (style.ini, section = the style's name)
// and the engine-wide report switches, read by the writer at the start of
// every report and read back by the keyword evaluators.
#pragma once
#include <windows.h>

#define STYLE_COLOR_SIZE 8 // "#" and at most six hexadecimal digits
#define STYLE_FONT_SIZE 64

enum StyleColor {
    STYLE_PAGE_BACKGROUND,
    STYLE_PAGE_TEXT,
    STYLE_SECTION_BACKGROUND,
    STYLE_SECTION_TEXT,
    STYLE_TITLE_BACKGROUND,
    STYLE_TITLE_TEXT,
    STYLE_SUBTITLE_BACKGROUND,
    STYLE_SUBTITLE_TEXT,
    STYLE_ODD_ROW_BACKGROUND,
    STYLE_ODD_ROW_TEXT,
    STYLE_EVEN_ROW_BACKGROUND,
    STYLE_EVEN_ROW_TEXT,
    STYLE_TABLE_FRAME,
    STYLE_COLOR_COUNT
};

enum StyleFont {
    STYLE_FONT_STANDARD,
    STYLE_FONT_SECTION,
    STYLE_FONT_TITLE,
    STYLE_FONT_SUBTITLE,
    STYLE_FONT_TABLE_DATA,
    STYLE_FONT_COUNT
};

struct ReportStyle {
    char Colors[STYLE_COLOR_COUNT][STYLE_COLOR_SIZE + 1]; // "#" + value
    char Fonts[STYLE_FONT_COUNT][STYLE_FONT_SIZE];
    char BackgroundFilename[MAX_PATH];
    char LogoFilename[MAX_PATH]; // empty becomes "ovlogoss.gif"
    char TableColumns[16];       // digits 0, 1, 2: hits, percent, user sessions
    char NumberAlignment[8];
    int FramePage;
    char SeparateFiles[32]; // "PER_REPORT", "PER_CHAPTER" or "PER_SECTION"
    int TocWidth;
    int FrameWidth;
    int LongDescription;
    char SortBy[32];

    // Engine-wide report switches.
    int NoHTMLTitles;
    int Debug;
    int FullPath;
    int GraphType;
};
