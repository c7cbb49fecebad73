// Pie charts: slices clockwise from the top in the palette's colours, their
// shares on the larger slices and in the legend, flat or as a tilted disc.
#include <math.h>
#include <stdio.h>

#include "chart_layout.h"

namespace {

const double kPi = 3.14159265358979323846;

struct Disc {
    int cx, cy, rx, ry; // centre and radii of the top face
    int depth;
};

// A point in the direction of the rim's point at angle degrees (counter-
// clockwise from the right), far enough out that GDI's radials keep thin
// slices apart, near enough for a metafile's 16-bit coordinates.
POINT Radial(const Disc& d, double degrees, int dy) {
    double a = degrees * kPi / 180.0, x = cos(a) * d.rx, y = sin(a) * d.ry;
    double length = sqrt(x * x + y * y);
    double reach = length > 0 ? 8000.0 / length : 0;
    return {d.cx + (LONG)lround(x * reach), d.cy + dy - (LONG)lround(y * reach)};
}

void Slice(const Canvas& c, const Disc& d, double from, double to, int dy, COLORREF fill,
           COLORREF edge) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ oldBrush = SelectObject(c.dc, brush), oldPen = SelectObject(c.dc, pen);
    POINT a = Radial(d, from, dy), b = Radial(d, to, dy);
    if (to - from >= 359.9)
        Ellipse(c.dc, d.cx - d.rx, d.cy + dy - d.ry, d.cx + d.rx + 1, d.cy + dy + d.ry + 1);
    else
        Pie(c.dc, d.cx - d.rx, d.cy + dy - d.ry, d.cx + d.rx + 1, d.cy + dy + d.ry + 1, a.x, a.y,
            b.x, b.y);
    SelectObject(c.dc, oldBrush);
    SelectObject(c.dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

double Sum(const Chart& chart) {
    double sum = 0;
    for (int i = 0; i < chart.valueCount; ++i)
        sum += chart.values[i];
    return sum;
}

// Calls draw(i, from, to) for each slice wide enough to see, in degrees.
template <typename Draw> void ForEachSlice(const Chart& chart, Draw draw) {
    double sum = Sum(chart), at = 90.0;
    for (int i = 0; i < chart.valueCount && sum > 0; ++i) {
        double sweep = chart.values[i] / sum * 360.0;
        if (sweep >= 0.25)
            draw(i, at - sweep, at);
        at -= sweep;
    }
}

void DrawShares(const Canvas& c, const ChartFonts& f, const Chart& chart, const Disc& d) {
    UseFont(c, f.label);
    double sum = Sum(chart);
    ForEachSlice(chart, [&](int i, double from, double to) {
        double share = chart.values[i] / sum * 100.0;
        if (share < 4.0)
            return;
        char text[16];
        snprintf(text, sizeof text, share < 10 ? "%.1f%%" : "%.0f%%", share);
        double a = (from + to) / 2 * kPi / 180.0;
        int x = d.cx + (int)(cos(a) * d.rx * 0.66), y = d.cy - (int)(sin(a) * d.ry * 0.66);
        PutText(c, x, y - TextSize(c, text).cy / 2, text, TA_CENTER | TA_TOP, RGB(20, 20, 20));
    });
}

} // namespace

void DrawPieChart(const Canvas& c, const ChartFonts& f, const Chart& chart, Box area) {
    char shares[GSW_MAX_LEGEND][16] = {};
    double sum = Sum(chart);
    for (int i = 0; i < chart.legendCount && i < chart.valueCount; ++i)
        snprintf(shares[i], sizeof shares[i], "%.1f%%", sum > 0 ? chart.values[i] / sum * 100 : 0);
    DrawLegend(c, f, chart, area, shares);
    bool depth = HasDepth(chart);
    int width = area.right - area.left, height = area.bottom - area.top;
    double tall = depth ? 0.58 + 0.1 : 1.0; // the disc's height (with its side) per width
    int across = width < height / tall ? width : (int)(height / tall);
    across = across * 92 / 100;
    Disc d;
    d.rx = across / 2;
    d.ry = depth ? (int)(across * 0.29) : d.rx;
    d.depth = depth ? across / 10 : 0;
    d.cx = (area.left + area.right) / 2;
    d.cy = (area.top + area.bottom) / 2 - d.depth / 2;
    for (int dy = d.depth; dy > 0; --dy)
        ForEachSlice(chart, [&](int i, double from, double to) {
            COLORREF side = Shade(PaletteColour(i), 0.72);
            Slice(c, d, from, to, dy, side, dy == d.depth ? Shade(side, 0.7) : side);
        });
    ForEachSlice(chart, [&](int i, double from, double to) {
        Slice(c, d, from, to, 0, PaletteColour(i), RGB(255, 255, 255));
    });
    DrawShares(c, f, chart, d);
}
