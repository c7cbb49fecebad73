// The page layout of a viewer print.
#include "printing/print_layout.h"
#include <cstdio>

HFONT CreatePrintFont(HDC dc, const CstTextAttribute& a, BOOL withStyle) {
    BYTE style = withStyle ? a.Style : 0;
    int height = -MulDiv(a.PointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    return CreateFontA(height, 0, 0, 0, (style & CSTV_STYLE_BOLD) ? FW_BOLD : FW_NORMAL,
                       (style & CSTV_STYLE_ITALIC) != 0, (style & CSTV_STYLE_UNDERLINE) != 0,
                       (style & CSTV_STYLE_STRIKEOUT) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, a.PitchAndFamily, a.Face);
}

void MeasurePrintLayout(HDC dc, const PrintSettings& settings, HFONT baseFont, int tabCount,
                        const WORD* tabColumns, PrintLayout* layout) {
    *layout = PrintLayout();
    layout->Settings = settings;
    layout->BaseFont = baseFont;
    layout->Width = GetDeviceCaps(dc, HORZRES);
    layout->Height = GetDeviceCaps(dc, VERTRES);
    int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    layout->Left = MarginPixels(settings.LeftMargin, dpiX);
    layout->Right = MarginPixels(settings.RightMargin, dpiX);
    layout->Top = MarginPixels(settings.TopMargin, dpiY);
    layout->Bottom = MarginPixels(settings.BottomMargin, dpiY);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    layout->LineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    if (layout->LineHeight < 1)
        layout->LineHeight = 1;
    layout->LinesPerPage =
        PageLineCount(layout->Height, layout->Top, layout->Bottom, layout->LineHeight);
    int w = metrics.tmAveCharWidth;
    layout->TabCount = tabCount > CSTV_MAX_TABS ? CSTV_MAX_TABS : (tabCount < 0 ? 0 : tabCount);
    for (int i = 0; i < layout->TabCount; ++i)
        layout->Tabs[i] = tabColumns[i] * (w + w / 3) + layout->Left;
}

namespace {
struct LineState {
    HDC Dc;
    const PrintPage& Page;
    int X, Y;
    COLORREF LineColour; // in force when the line began: stands in for colour 0
    int FontFailed;
};

void DrawPending(LineState& s, const char* text, int length) {
    if (length <= 0)
        return;
    const PrintLayout& layout = *s.Page.Layout;
    if (layout.TabCount > 0) {
        LONG extent = TabbedTextOutA(s.Dc, s.X, s.Y, text, length, layout.TabCount,
                                     const_cast<int*>(layout.Tabs), 0);
        s.X += LOWORD(extent);
        return;
    }
    TextOutA(s.Dc, s.X, s.Y, text, length);
    SIZE size = {};
    GetTextExtentPoint32A(s.Dc, text, length, &size);
    s.X += size.cx;
}

void SwitchAttribute(LineState& s, int n) {
    if (n < 1 || n >= PRINT_ATTRIBUTE_COUNT)
        return;
    const PrintSettings& settings = s.Page.Layout->Settings;
    PrintAttribute& attribute = s.Page.Attributes[n];
    if (settings.Colours())
        SetTextColor(s.Dc, attribute.Text.Colour ? attribute.Text.Colour : s.LineColour);
    if (!settings.Fonts())
        return;
    if (!attribute.Font && attribute.Text.Face[0]) {
        attribute.Font = CreatePrintFont(s.Dc, attribute.Text, TRUE);
        if (!attribute.Font)
            s.FontFailed = 1;
    }
    SelectObject(s.Dc, attribute.Font ? attribute.Font : s.Page.Layout->BaseFont);
}

void DrawLine(LineState& s, const char* line, int length) {
    int pending = 0; // start of the text not drawn yet
    for (int i = 0; i < length; ++i) {
        if (line[i] != CSTV_CODE_ATTRIBUTE && line[i] != CSTV_CODE_TAB)
            continue;
        DrawPending(s, line + pending, i - pending);
        if (line[i] == CSTV_CODE_ATTRIBUTE && i + 1 < length)
            SwitchAttribute(s, (BYTE)line[i + 1]);
        ++i;
        pending = i + 1;
    }
    DrawPending(s, line + pending, length - pending);
}

void DrawFooter(HDC dc, const PrintPage& page) {
    const PrintLayout& layout = *page.Layout;
    char footer[64];
    int length =
        snprintf(footer, sizeof footer, "Page %ld of %ld", page.PageNumber, page.PageTotal);
    SIZE size = {};
    GetTextExtentPoint32A(dc, footer, length, &size);
    int room = layout.Width - layout.Left - layout.Right;
    TextOutA(dc, layout.Left + (room - size.cx) / 2, layout.Height - layout.LineHeight, footer,
             length);
}
} // namespace

PrintPage PageOfPrint(const PrintLayout* layout, PrintAttribute* attributes, PrintLineSource source,
                      void* context, long lines, long page) {
    long perPage = layout->LinesPerPage > 0 ? layout->LinesPerPage : 1;
    PrintPage spec = {layout,
                      attributes,
                      source,
                      context,
                      (page - 1) * perPage,
                      page * perPage,
                      page,
                      PageCount(lines, perPage)};
    if (spec.EndLine > lines)
        spec.EndLine = lines;
    return spec;
}

int DrawPrintPage(HDC dc, const PrintPage& page) {
    const PrintLayout& layout = *page.Layout;
    SelectObject(dc, layout.BaseFont);
    SetBkMode(dc, TRANSPARENT);
    DrawFooter(dc, page);
    char line[PRINT_LINE_SIZE];
    int fontsMade = 1;
    for (long n = page.FirstLine; n < page.EndLine; ++n) {
        int length = page.Source(page.SourceContext, n, line, sizeof line);
        HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
        LineState s = {dc,
                       page,
                       layout.Left,
                       layout.Top + (int)(n - page.FirstLine) * layout.LineHeight,
                       GetTextColor(dc),
                       0};
        DrawLine(s, line, length > 0 ? length : 0);
        SetTextColor(dc, s.LineColour);
        SelectObject(dc, font);
        if (s.FontFailed)
            fontsMade = 0;
    }
    return fontsMade;
}

void FreePrintFonts(PrintAttribute* attributes) {
    for (int i = 0; i < PRINT_ATTRIBUTE_COUNT; ++i) {
        if (attributes[i].Font)
            DeleteObject(attributes[i].Font);
        attributes[i].Font = nullptr;
    }
}
