// The [Printing] settings and the measures printing takes from them.
#pragma once
#include <windows.h>

// What the attribute codes change.
enum PrintQuality {
    PRINT_COLOURS_AND_FONTS = 0,
    PRINT_FONTS_ONLY = 1,
    PRINT_COLOURS_ONLY = 2,
};

struct PrintSettings {
    int Quality;
    int LeftMargin, RightMargin, TopMargin, BottomMargin; // coded fractions of an inch
    BOOL Colours() const {
        return Quality == PRINT_COLOURS_AND_FONTS || Quality == PRINT_COLOURS_ONLY;
    }
    BOOL Fonts() const { return Quality == PRINT_COLOURS_AND_FONTS || Quality == PRINT_FONTS_ONLY; }
};

enum { PRINT_DEFAULT_PAGE_LINES = 60 };

// Reads [Printing] of the module settings (defaults 0, 34, 34, 12, 12).
void ReadPrintSettings(PrintSettings* settings);
// A coded margin in device pixels: the last decimal digit is the
// denominator (0: whole inches), the digits before it the numerator; 34 is
// three quarters of an inch. Negative codes count as 0.
int MarginPixels(int code, int pixelsPerInch);
// Lines of lineHeight between the margins of a page height; at least 1.
int PageLineCount(int pageHeight, int topPixels, int bottomPixels, int lineHeight);
// Pages for lines at linesPerPage (at least 1 page; linesPerPage below 1 counts as 1).
long PageCount(long lines, long linesPerPage);
