// The one chart the library holds between its open and its close, and the
// drawing of it (private to the library).
#pragma once
#include <windows.h>

#include "gsw.h"

enum ChartShape { SHAPE_BARS, SHAPE_SIDE_BARS, SHAPE_LINES, SHAPE_AREAS, SHAPE_PIES };

struct Chart {
    int handle; // 0 while no chart is open
    int width, height;
    double textScale; // 1.0 draws the texts at their own height
    int style, flags;
    DWORD colour; // 0x00RRGGBB or GSW_PALETTE_COLOURS
    int paletteSize;
    int valueCount;
    double values[GSW_MAX_POINTS];
    int labelCount;
    char labels[GSW_MAX_POINTS][GSW_TEXT_MAX + 1];
    int legendCount;
    char legend[GSW_MAX_LEGEND][GSW_TEXT_MAX + 1];
    char title[GSW_TEXT_MAX + 1];
    char xTitle[GSW_TEXT_MAX + 1];
    char yTitle[GSW_TEXT_MAX + 1];
    bool titleBold;
};

// The chart of this process (one at a time).
Chart& CurrentChart(void);
// Forgets the chart's data and texts, keeping its size and style.
void ClearChartData(Chart& chart);

ChartShape ShapeOf(const Chart& chart);
bool HasDepth(const Chart& chart); // the 3D look

// Draws the chart into draw (a bitmap or metafile DC of width x height),
// measuring its texts on measure (a DC that can measure text). 1 on success.
int DrawChart(const Chart& chart, HDC draw, HDC measure);

// Writes the chart as a 24-bit BMP file or a placeable metafile; 0 on success, -1 on failure.
int ExportChartBitmap(const Chart& chart, const char* path);
int ExportChartMetafile(const Chart& chart, const char* path);
