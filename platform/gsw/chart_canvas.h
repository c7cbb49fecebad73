// Drawing helpers of the chart: the surface with its text measure, fonts,
// fitted texts, colours and shapes (private to the library).
#pragma once
#include <windows.h>

struct Canvas {
    HDC dc;      // where the chart is drawn
    HDC measure; // where texts are measured (a metafile DC cannot)
    int width, height;
    double scale; // text scale
};

struct Box {
    int left, top, right, bottom;
};

// A font of pixel height px (the canvas scale applied), bold or not,
// turned by tenths of a degree; the caller deletes it.
HFONT MakeChartFont(const Canvas& c, int px, bool bold, int angle = 0);
// Selects font on both DCs; returns the measure DC's previous font.
void UseFont(const Canvas& c, HFONT font);
SIZE TextSize(const Canvas& c, const char* text);
// text cut (with "...") to fit width pixels in the font in use, into out.
void FitText(const Canvas& c, const char* text, int width, char* out, int size);
// Draws text with its top-left corner at x, y (TA_ flags for other anchors).
void PutText(const Canvas& c, int x, int y, const char* text, UINT align = TA_LEFT | TA_TOP,
             COLORREF colour = RGB(40, 40, 40));

COLORREF PaletteColour(int n);
COLORREF Shade(COLORREF colour, double factor); // < 1 darker, > 1 lighter
COLORREF ColourOf(DWORD rrggbb);                // 0x00RRGGBB as GDI's colour
void FillBox(const Canvas& c, const Box& box, COLORREF fill, COLORREF edge);
void FillShape(const Canvas& c, const POINT* points, int count, COLORREF fill, COLORREF edge);
void Line(const Canvas& c, int x0, int y0, int x1, int y1, COLORREF colour, int width = 1);

// The chart's fonts, made once per drawing; the destructor puts the DCs'
// first fonts back and frees them.
struct ChartFonts {
    const Canvas& canvas;
    HFONT title, axisTitle, axisTitleUp, label, labelUp, legend;
    HGDIOBJ firstDraw, firstMeasure;
    explicit ChartFonts(const Canvas& c);
    ~ChartFonts();
    ChartFonts(const ChartFonts&) = delete;
    ChartFonts& operator=(const ChartFonts&) = delete;
};
