// The parts every chart shares: its frame and title, the legend, the value
// scale and the category labels (private to the library).
#pragma once
#include "chart.h"
#include "chart_canvas.h"

// A value axis from 0 to top in ticks steps of step.
struct ValueScale {
    double step, top;
    int ticks;
};

// A scale of about target ticks that holds max.
ValueScale NiceScale(double max, int target, bool whole);
// A tick's text: whole numbers with thousands separators, else the step's decimals.
void FormatTick(double value, double step, char* out, int size);
double LargestValue(const Chart& chart);
bool AllWhole(const Chart& chart);

// The legend's entries down the right of area, which loses their width;
// value texts (may be null) stand right of each entry.
void DrawLegend(const Canvas& c, const ChartFonts& f, const Chart& chart, Box& area,
                const char (*valueTexts)[16]);

void DrawAxisChart(const Canvas& c, const ChartFonts& f, const Chart& chart, Box area);
void DrawPieChart(const Canvas& c, const ChartFonts& f, const Chart& chart, Box area);
