// The page layout of a viewer print, drawn on any device context (a
// printer's, or an enhanced metafile's in the tests): lines with their
// attribute codes, tab stops, margins and a centred "Page n of m" footer.
#pragma once
#include "printing/print_settings.h"
#include "cstctls4.h"

// One text attribute of a print: the viewer's definition and the font made
// for it while printing (null before).
struct PrintAttribute {
    HFONT Font;
    CstTextAttribute Text;
};
#if !defined(_WIN64)
static_assert(sizeof(PrintAttribute) == 44, "print attribute layout");
#endif
// Entry 0 carries no attribute; 1-16 are the viewer's.
enum { PRINT_ATTRIBUTE_COUNT = CSTV_ATTRIBUTES + 1, PRINT_LINE_SIZE = 2048 };

// Gives line index (with its codes) into buffer (size bytes); its length.
typedef int (*PrintLineSource)(void* context, long index, char* buffer, int size);

struct PrintLayout {
    PrintSettings Settings;
    int Width, Height; // device pixels
    int Left, Right, Top, Bottom;
    int LineHeight;
    int LinesPerPage; // at least 1
    int TabCount;
    int Tabs[CSTV_MAX_TABS]; // pixels from the page's left edge
    HFONT BaseFont;
};

// Makes the font of an attribute for dc (null when it cannot).
HFONT CreatePrintFont(HDC dc, const CstTextAttribute& attribute, BOOL withStyle);
// Measures the page with the base font selected into dc; tab columns are
// character columns.
void MeasurePrintLayout(HDC dc, const PrintSettings& settings, HFONT baseFont, int tabCount,
                        const WORD* tabColumns, PrintLayout* layout);

struct PrintPage {
    const PrintLayout* Layout;
    PrintAttribute* Attributes; // PRINT_ATTRIBUTE_COUNT entries; fonts made on first use
    PrintLineSource Source;
    void* SourceContext;
    long FirstLine, EndLine; // the lines of this page: [FirstLine, EndLine)
    long PageNumber, PageTotal;
};

// Page number page (1-based) of a print of lines: its line range and the
// page count.
PrintPage PageOfPrint(const PrintLayout* layout, PrintAttribute* attributes, PrintLineSource source,
                      void* context, long lines, long page);
// Draws one page: the footer, then its lines. 0 when a line's attribute
// font could not be made (the line went on in the base font), else 1.
int DrawPrintPage(HDC dc, const PrintPage& page);
// Deletes the attribute fonts made while printing.
void FreePrintFonts(PrintAttribute* attributes);
