// The [Printing] settings and the measures printing takes from them.
#include "printing/print_settings.h"
#include "ovcore/ovcore.h"

void ReadPrintSettings(PrintSettings* settings) {
    settings->Quality = GetModuleProfileInt("Printing", "Quality", 0);
    settings->LeftMargin = GetModuleProfileInt("Printing", "LeftMargin", 34);
    settings->RightMargin = GetModuleProfileInt("Printing", "RightMargin", 34);
    settings->TopMargin = GetModuleProfileInt("Printing", "TopMargin", 12);
    settings->BottomMargin = GetModuleProfileInt("Printing", "BottomMargin", 12);
}

int MarginPixels(int code, int pixelsPerInch) {
    if (code <= 0)
        return 0;
    int pixels = pixelsPerInch * (code / 10);
    if (code % 10)
        pixels /= code % 10;
    return pixels;
}

int PageLineCount(int pageHeight, int topPixels, int bottomPixels, int lineHeight) {
    if (lineHeight < 1)
        lineHeight = 1;
    int lines = (pageHeight - topPixels - bottomPixels) / lineHeight;
    // Margins taller than the page still print one line a page.
    return lines > 0 ? lines : 1;
}

long PageCount(long lines, long linesPerPage) {
    if (linesPerPage < 1)
        linesPerPage = 1;
    return lines > 0 ? (lines - 1) / linesPerPage + 1 : 1;
}
