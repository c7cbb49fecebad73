// Charts over a value axis: bars (up or to the right), lines and areas,
// flat or with depth.
#include <math.h>

#include "chart_layout.h"

namespace {

const COLORREF kAxis = RGB(110, 110, 110), kGrid = RGB(222, 222, 222), kWall = RGB(247, 247, 247);

// Where things go: the plot's front face, the depth of the 3D look, the
// category slots and the value scale.
struct Plot {
    Box face;
    int depth;
    bool sideways; // categories down the left, values to the right
    ValueScale scale;
    int count, labelStep;
    bool labelsUp; // category labels turned to read upwards
    int labelRoom;
    int textH, pad;
};

COLORREF SeriesColour(const Chart& chart) {
    return chart.colour == GSW_PALETTE_COLOURS ? PaletteColour(0) : ColourOf(chart.colour);
}

// The value's distance from the base, in pixels along the value axis.
int ValueLength(const Plot& p, double value) {
    int length = p.sideways ? p.face.right - p.face.left : p.face.bottom - p.face.top;
    double share = p.scale.top > 0 ? value / p.scale.top : 0;
    return (int)(share * length + 0.5);
}

double SlotSize(const Plot& p) {
    int length = p.sideways ? p.face.bottom - p.face.top : p.face.right - p.face.left;
    return (double)length / p.count;
}

// Centre of category slot i along the category axis.
int SlotCentre(const Plot& p, int i) {
    int start = p.sideways ? p.face.top : p.face.left;
    return start + (int)((i + 0.5) * SlotSize(p));
}

int WidestLabel(const Canvas& c, const Chart& chart) {
    int widest = 0;
    for (int i = 0; i < chart.labelCount && i < chart.valueCount; ++i) {
        int w = TextSize(c, chart.labels[i]).cx;
        widest = w > widest ? w : widest;
    }
    return widest;
}

int WidestTick(const Canvas& c, const ValueScale& s) {
    int widest = 0;
    for (int k = 0; k <= s.ticks; ++k) {
        char text[48];
        FormatTick(k * s.step, s.step, text, sizeof text);
        int w = TextSize(c, text).cx;
        widest = w > widest ? w : widest;
    }
    return widest;
}

// Every labelStep-th label, so that labels never overlap.
int StepFor(double slot, int need) {
    if (slot <= 0)
        return 1;
    int step = (int)ceil(need / slot);
    return step < 1 ? 1 : step;
}

void LayOutUpright(const Canvas& c, const ChartFonts& f, const Chart& chart, Box area, Plot& p) {
    UseFont(c, f.label);
    bool whole = AllWhole(chart);
    int plotH = area.bottom - area.top - 2 * p.textH - p.depth;
    int target = plotH / (p.textH * 2);
    p.scale = NiceScale(LargestValue(chart), target < 2 ? 2 : target > 8 ? 8 : target, whole);
    p.face.left = area.left + WidestTick(c, p.scale) + p.pad;
    p.face.right = area.right - p.depth;
    p.face.top = area.top + p.depth + p.textH / 2;
    double slot = (double)(p.face.right - p.face.left) / p.count;
    int widest = WidestLabel(c, chart);
    p.labelsUp = widest > slot - p.pad / 2;
    int most = (area.bottom - area.top) * 3 / 10;
    p.labelRoom = p.labelsUp ? (widest < most ? widest : most) : (int)slot - 2;
    p.labelStep = StepFor(slot, p.labelsUp ? p.textH * 6 / 5 : 1);
    p.face.bottom = area.bottom - (p.labelsUp ? p.labelRoom : p.textH) - p.pad / 2;
}

void LayOutSideways(const Canvas& c, const ChartFonts& f, const Chart& chart, Box area, Plot& p) {
    UseFont(c, f.label);
    bool whole = AllWhole(chart);
    int widest = WidestLabel(c, chart), most = (area.right - area.left) * 3 / 10;
    p.labelRoom = widest < most ? widest : most;
    p.face.left = area.left + p.labelRoom + p.pad / 2;
    p.face.top = area.top + p.depth;
    p.face.bottom = area.bottom - p.textH - p.pad / 2;
    int plotW = area.right - p.face.left - p.depth;
    ValueScale s = NiceScale(LargestValue(chart), 6, whole);
    int target = plotW / (WidestTick(c, s) + 2 * p.pad);
    p.scale = NiceScale(LargestValue(chart), target < 2 ? 2 : target > 8 ? 8 : target, whole);
    p.face.right = area.right - p.depth - WidestTick(c, p.scale) / 2;
    p.labelsUp = false;
    p.labelStep = StepFor(SlotSize(p), p.textH);
}

// The back wall, the floor and the grid lines at each tick.
void DrawGrid(const Canvas& c, const Plot& p) {
    int d = p.depth;
    const Box& b = p.face;
    FillBox(c, {b.left + d, b.top - d, b.right + d, b.bottom - d}, kWall, kGrid);
    if (d) {
        POINT side[] = {{b.left, b.top},
                        {b.left + d, b.top - d},
                        {b.left + d, b.bottom - d},
                        {b.left, b.bottom}};
        POINT floor[] = {{b.left, b.bottom},
                         {b.right, b.bottom},
                         {b.right + d, b.bottom - d},
                         {b.left + d, b.bottom - d}};
        if (p.sideways)
            FillShape(c, side, 4, RGB(236, 236, 236), kGrid);
        FillShape(c, floor, 4, RGB(236, 236, 236), kGrid);
        if (!p.sideways)
            FillShape(c, side, 4, RGB(236, 236, 236), kGrid);
    }
    for (int k = 1; k <= p.scale.ticks; ++k) {
        int at = ValueLength(p, k * p.scale.step);
        if (p.sideways) {
            int x = b.left + at;
            Line(c, x + d, b.top - d, x + d, b.bottom - d, kGrid);
            if (d)
                Line(c, x, b.bottom, x + d, b.bottom - d, kGrid);
        } else {
            int y = b.bottom - at;
            Line(c, b.left + d, y - d, b.right + d, y - d, kGrid);
            if (d)
                Line(c, b.left, y, b.left + d, y - d, kGrid);
        }
    }
}

// A bar from the base to value across [from, to] of its slot, with its
// top and side faces in the 3D look.
void DrawBar(const Canvas& c, const Plot& p, int from, int to, double value, COLORREF colour) {
    int length = ValueLength(p, value), d = p.depth;
    COLORREF edge = Shade(colour, 0.65);
    Box front;
    if (p.sideways)
        front = {p.face.left, from, p.face.left + length, to};
    else
        front = {from, p.face.bottom - length, to, p.face.bottom};
    if (d) {
        POINT top[] = {{front.left, front.top},
                       {front.left + d, front.top - d},
                       {front.right + d, front.top - d},
                       {front.right, front.top}};
        POINT side[] = {{front.right, front.top},
                        {front.right + d, front.top - d},
                        {front.right + d, front.bottom - d},
                        {front.right, front.bottom}};
        FillShape(c, top, 4, Shade(colour, 1.35), edge);
        FillShape(c, side, 4, Shade(colour, 0.78), edge);
    }
    if (length > 0 || !d)
        FillBox(c, front, colour, edge);
}

void DrawBars(const Canvas& c, const Plot& p, const Chart& chart) {
    double slot = SlotSize(p);
    int thickness = (int)(slot * 0.62);
    if (p.depth && thickness > slot - p.depth)
        thickness = (int)slot - p.depth;
    thickness = thickness < 1 ? 1 : thickness;
    for (int i = 0; i < chart.valueCount; ++i) {
        int from = SlotCentre(p, i) - thickness / 2;
        DrawBar(c, p, from, from + thickness, chart.values[i], SeriesColour(chart));
    }
}

POINT PointAt(const Plot& p, int i, double value) {
    return {SlotCentre(p, i), p.face.bottom - ValueLength(p, value)};
}

void DrawLinesOrAreas(const Canvas& c, const Plot& p, const Chart& chart, bool area) {
    COLORREF colour = SeriesColour(chart), edge = Shade(colour, 0.6);
    int n = chart.valueCount, d = p.depth;
    POINT points[GSW_MAX_POINTS + 2];
    for (int i = 0; i < n; ++i)
        points[i] = PointAt(p, i, chart.values[i]);
    if (area) {
        points[n] = {points[n - 1].x, p.face.bottom};
        points[n + 1] = {points[0].x, p.face.bottom};
        FillShape(c, points, n + 2, colour, edge);
    }
    for (int i = 0; d && i + 1 < n; ++i) {
        POINT ribbon[] = {points[i],
                          points[i + 1],
                          {points[i + 1].x + d, points[i + 1].y - d},
                          {points[i].x + d, points[i].y - d}};
        FillShape(c, ribbon, 4, Shade(colour, 1.2), edge);
    }
    int width = d ? 2 : 3;
    for (int i = 0; i + 1 < n; ++i)
        Line(c, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, area ? edge : colour,
             width);
    if (!area && (chart.flags & GSW_FLAG_MARKERS) && !d)
        for (int i = 0; i < n; ++i)
            FillBox(c, {points[i].x - 3, points[i].y - 3, points[i].x + 3, points[i].y + 3}, colour,
                    edge);
    if (n == 1)
        FillBox(c, {points[0].x - 3, points[0].y - 3, points[0].x + 3, points[0].y + 3}, colour,
                edge);
}

void DrawAxes(const Canvas& c, const Plot& p) {
    const Box& b = p.face;
    Line(c, b.left, b.top - 2, b.left, b.bottom, kAxis);
    Line(c, b.left, b.bottom, b.right + 2, b.bottom, kAxis);
    for (int k = 0; k <= p.scale.ticks; ++k) {
        char text[48];
        FormatTick(k * p.scale.step, p.scale.step, text, sizeof text);
        int at = ValueLength(p, k * p.scale.step);
        if (p.sideways) {
            Line(c, b.left + at, b.bottom, b.left + at, b.bottom + 4, kAxis);
            PutText(c, b.left + at, b.bottom + 4, text, TA_CENTER | TA_TOP);
        } else {
            Line(c, b.left - 4, b.bottom - at, b.left, b.bottom - at, kAxis);
            PutText(c, b.left - p.pad / 2, b.bottom - at - p.textH / 2, text, TA_RIGHT | TA_TOP);
        }
    }
}

void DrawCategoryLabels(const Canvas& c, const ChartFonts& f, const Plot& p, const Chart& chart) {
    UseFont(c, p.labelsUp ? f.labelUp : f.label);
    for (int i = 0; i < chart.labelCount && i < p.count; i += p.labelStep) {
        char text[GSW_TEXT_MAX + 4];
        FitText(c, chart.labels[i], p.labelRoom, text, sizeof text);
        int centre = SlotCentre(p, i);
        if (p.sideways)
            PutText(c, p.face.left - p.pad / 2, centre - p.textH / 2, text, TA_RIGHT | TA_TOP);
        else if (p.labelsUp)
            PutText(c, centre - p.textH / 2, p.face.bottom + p.pad / 3 + TextSize(c, text).cx,
                    text);
        else
            PutText(c, centre, p.face.bottom + p.pad / 3, text, TA_CENTER | TA_TOP);
    }
}

// The axis titles take their strips from area: the vertical one on the
// left, read upwards, the horizontal one along the bottom.
void TakeTitleStrips(const Canvas& c, const Chart& chart, int textH, int pad, Box& area,
                     Box& strips) {
    (void)c;
    strips = area;
    if (chart.yTitle[0])
        area.left += textH + pad / 2;
    if (chart.xTitle[0])
        area.bottom -= textH + pad / 2;
}

void DrawAxisTitles(const Canvas& c, const ChartFonts& f, const Chart& chart, const Plot& p,
                    const Box& strips) {
    char text[GSW_TEXT_MAX + 4];
    if (chart.yTitle[0]) {
        UseFont(c, f.axisTitleUp);
        FitText(c, chart.yTitle, p.face.bottom - p.face.top + p.depth, text, sizeof text);
        int middle = (p.face.top + p.face.bottom) / 2;
        PutText(c, strips.left, middle + TextSize(c, text).cx / 2, text);
    }
    if (chart.xTitle[0]) {
        UseFont(c, f.axisTitle);
        FitText(c, chart.xTitle, p.face.right - p.face.left + p.depth, text, sizeof text);
        PutText(c, (p.face.left + p.face.right) / 2, strips.bottom - p.textH, text,
                TA_CENTER | TA_TOP);
    }
}

} // namespace

void DrawAxisChart(const Canvas& c, const ChartFonts& f, const Chart& chart, Box area) {
    DrawLegend(c, f, chart, area, nullptr);
    Plot p = {};
    UseFont(c, f.label);
    p.textH = TextSize(c, "Ag").cy;
    p.pad = p.textH / 2 > 4 ? p.textH / 2 : 4;
    p.count = chart.valueCount;
    p.sideways = ShapeOf(chart) == SHAPE_SIDE_BARS;
    int edge = c.width < c.height ? c.width : c.height;
    p.depth = HasDepth(chart) ? (edge / 45 < 4 ? 4 : edge / 45 > 14 ? 14 : edge / 45) : 0;
    Box strips;
    TakeTitleStrips(c, chart, p.textH, p.pad, area, strips);
    if (p.sideways)
        LayOutSideways(c, f, chart, area, p);
    else
        LayOutUpright(c, f, chart, area, p);
    if (p.face.right - p.face.left < 10 || p.face.bottom - p.face.top < 10)
        return;
    UseFont(c, f.label);
    DrawGrid(c, p);
    ChartShape shape = ShapeOf(chart);
    if (shape == SHAPE_LINES || shape == SHAPE_AREAS)
        DrawLinesOrAreas(c, p, chart, shape == SHAPE_AREAS);
    else
        DrawBars(c, p, chart);
    DrawAxes(c, p);
    DrawCategoryLabels(c, f, p, chart);
    DrawAxisTitles(c, f, chart, p, strips);
}
