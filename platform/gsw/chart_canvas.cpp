// Fonts, texts, colours and filled shapes of the chart.
#include "chart_canvas.h"

#include <string.h>

#include <initializer_list>

HFONT MakeChartFont(const Canvas& c, int px, bool bold, int angle) {
    LOGFONTA font = {};
    font.lfHeight = -(LONG)(px * c.scale + 0.5);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfEscapement = font.lfOrientation = angle;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, "Liberation Sans", LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

void UseFont(const Canvas& c, HFONT font) {
    SelectObject(c.dc, font);
    if (c.measure != c.dc)
        SelectObject(c.measure, font);
}

SIZE TextSize(const Canvas& c, const char* text) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(c.measure, text, lstrlenA(text), &size);
    return size;
}

void FitText(const Canvas& c, const char* text, int width, char* out, int size) {
    lstrcpynA(out, text, size);
    if (TextSize(c, out).cx <= width)
        return;
    int length = lstrlenA(out);
    while (length > 0) {
        out[--length] = 0;
        char cut[512];
        lstrcpynA(cut, out, sizeof cut - 4);
        lstrcatA(cut, "...");
        if (TextSize(c, cut).cx <= width || length == 0) {
            lstrcpynA(out, length ? cut : "", size);
            return;
        }
    }
}

void PutText(const Canvas& c, int x, int y, const char* text, UINT align, COLORREF colour) {
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, colour);
    SetTextAlign(c.dc, align);
    TextOutA(c.dc, x, y, text, lstrlenA(text));
}

static const COLORREF kPalette[] = {RGB(78, 121, 167),  RGB(242, 142, 43),  RGB(225, 87, 89),
                                    RGB(118, 183, 178), RGB(89, 161, 79),   RGB(237, 201, 72),
                                    RGB(176, 122, 161), RGB(255, 157, 167), RGB(156, 117, 95),
                                    RGB(186, 176, 172), RGB(188, 189, 34),  RGB(23, 190, 207),
                                    RGB(44, 62, 110),   RGB(152, 223, 138), RGB(197, 176, 213)};

COLORREF PaletteColour(int n) {
    const int count = (int)(sizeof kPalette / sizeof kPalette[0]);
    return kPalette[((n % count) + count) % count];
}

static BYTE Channel(double value) {
    return (BYTE)(value < 0 ? 0 : value > 255 ? 255 : value + 0.5);
}

COLORREF Shade(COLORREF colour, double factor) {
    double r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    if (factor <= 1.0)
        return RGB(Channel(r * factor), Channel(g * factor), Channel(b * factor));
    double toWhite = factor - 1.0; // part of the way to white
    return RGB(Channel(r + (255 - r) * toWhite), Channel(g + (255 - g) * toWhite),
               Channel(b + (255 - b) * toWhite));
}

COLORREF ColourOf(DWORD rrggbb) {
    return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

// Runs draw with a solid brush and pen selected, then frees them.
template <typename Draw>
static void WithBrush(const Canvas& c, COLORREF fill, COLORREF edge, Draw draw) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ oldBrush = SelectObject(c.dc, brush);
    HGDIOBJ oldPen = SelectObject(c.dc, pen);
    draw();
    SelectObject(c.dc, oldBrush);
    SelectObject(c.dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void FillBox(const Canvas& c, const Box& box, COLORREF fill, COLORREF edge) {
    WithBrush(c, fill, edge,
              [&] { Rectangle(c.dc, box.left, box.top, box.right + 1, box.bottom + 1); });
}

void FillShape(const Canvas& c, const POINT* points, int count, COLORREF fill, COLORREF edge) {
    WithBrush(c, fill, edge, [&] { Polygon(c.dc, points, count); });
}

void Line(const Canvas& c, int x0, int y0, int x1, int y1, COLORREF colour, int width) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(c.dc, pen);
    MoveToEx(c.dc, x0, y0, NULL);
    LineTo(c.dc, x1, y1);
    SelectObject(c.dc, old);
    DeleteObject(pen);
}

// Text heights grow with the chart, within readable bounds.
static int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

ChartFonts::ChartFonts(const Canvas& c) : canvas(c) {
    int edge = c.width < c.height ? c.width : c.height;
    int titlePx = Clamp(edge / 16, 13, 40), textPx = Clamp(edge / 28, 11, 24);
    title = MakeChartFont(c, titlePx, true);
    axisTitle = MakeChartFont(c, textPx, true);
    axisTitleUp = MakeChartFont(c, textPx, true, 900);
    label = MakeChartFont(c, textPx, false);
    labelUp = MakeChartFont(c, textPx, false, 900);
    legend = MakeChartFont(c, textPx, false);
    firstDraw = SelectObject(c.dc, label);
    firstMeasure = c.measure != c.dc ? SelectObject(c.measure, label) : firstDraw;
}

ChartFonts::~ChartFonts() {
    SelectObject(canvas.dc, firstDraw);
    if (canvas.measure != canvas.dc)
        SelectObject(canvas.measure, firstMeasure);
    for (HFONT font : {title, axisTitle, axisTitleUp, label, labelUp, legend})
        DeleteObject(font);
}
