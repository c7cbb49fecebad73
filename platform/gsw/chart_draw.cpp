// The chart's frame, title and legend, and the choice of its drawing.
#include <math.h>
#include <stdio.h>

#include "chart_layout.h"

ValueScale NiceScale(double max, int target, bool whole) {
    if (max <= 0)
        max = 1;
    if (target < 1)
        target = 1;
    double raw = max / target;
    double magnitude = pow(10.0, floor(log10(raw)));
    double norm = raw / magnitude;
    double step = (norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 5 ? 5 : 10) * magnitude;
    if (whole && step < 1)
        step = 1;
    ValueScale scale;
    scale.step = step;
    scale.ticks = (int)ceil(max / step - 1e-9);
    if (scale.ticks < 1)
        scale.ticks = 1;
    scale.top = scale.ticks * step;
    return scale;
}

void FormatTick(double value, double step, char* out, int size) {
    if (step >= 1) {
        char digits[32];
        snprintf(digits, sizeof digits, "%.0f", value);
        int length = lstrlenA(digits), at = 0;
        for (int i = 0; i < length && at < size - 1; ++i) {
            if (i > 0 && (length - i) % 3 == 0 && at < size - 2)
                out[at++] = ',';
            out[at++] = digits[i];
        }
        out[at] = 0;
        return;
    }
    int decimals = (int)ceil(-log10(step) - 1e-9);
    snprintf(out, (size_t)size, "%.*f", decimals > 6 ? 6 : decimals, value);
}

double LargestValue(const Chart& chart) {
    double max = 0;
    for (int i = 0; i < chart.valueCount; ++i)
        if (chart.values[i] > max)
            max = chart.values[i];
    return max;
}

bool AllWhole(const Chart& chart) {
    for (int i = 0; i < chart.valueCount; ++i)
        if (chart.values[i] != floor(chart.values[i]))
            return false;
    return true;
}

void DrawLegend(const Canvas& c, const ChartFonts& f, const Chart& chart, Box& area,
                const char (*valueTexts)[16]) {
    if (chart.legendCount <= 0)
        return;
    UseFont(c, f.legend);
    int textH = TextSize(c, "Ag").cy, swatch = textH * 3 / 4, pad = textH / 2;
    int widest = 0, valueWidth = 0;
    for (int i = 0; i < chart.legendCount; ++i) {
        int w = TextSize(c, chart.legend[i]).cx;
        widest = w > widest ? w : widest;
        int v = valueTexts ? TextSize(c, valueTexts[i]).cx : 0;
        valueWidth = v > valueWidth ? v : valueWidth;
    }
    int width = swatch + pad + widest + (valueWidth ? pad + valueWidth : 0) + 2 * pad;
    int most = (area.right - area.left) * 2 / 5;
    width = width < most ? width : most;
    int rowH = textH * 5 / 4, rows = (area.bottom - area.top - 2 * pad) / rowH;
    int shown = chart.legendCount < rows ? chart.legendCount : rows;
    Box box = {area.right - width, area.top, area.right, area.top + shown * rowH + 2 * pad};
    int middle = (area.top + area.bottom) / 2;
    box.top = middle - (box.bottom - box.top) / 2;
    box.bottom = box.top + shown * rowH + 2 * pad;
    FillBox(c, box, RGB(250, 250, 250), RGB(200, 200, 200));
    for (int i = 0; i < shown; ++i) {
        int y = box.top + pad + i * rowH, x = box.left + pad;
        Box mark = {x, y + (textH - swatch) / 2, x + swatch, y + (textH + swatch) / 2};
        FillBox(c, mark, PaletteColour(i), Shade(PaletteColour(i), 0.6));
        int textRoom = box.right - pad - (x + swatch + pad);
        if (valueTexts) {
            PutText(c, box.right - pad, y, valueTexts[i], TA_RIGHT | TA_TOP);
            textRoom -= valueWidth + pad;
        }
        char text[GSW_TEXT_MAX + 4];
        FitText(c, chart.legend[i], textRoom, text, sizeof text);
        PutText(c, x + swatch + pad, y, text);
    }
    area.right = box.left - pad;
}

// The title across the top of area, which loses its height.
static void DrawTitle(const Canvas& c, const ChartFonts& f, const Chart& chart, Box& area) {
    if (!chart.title[0])
        return;
    UseFont(c, f.title);
    char text[GSW_TEXT_MAX + 4];
    FitText(c, chart.title, area.right - area.left, text, sizeof text);
    SIZE size = TextSize(c, text);
    PutText(c, (area.left + area.right) / 2, area.top, text, TA_CENTER | TA_TOP, RGB(20, 20, 20));
    area.top += size.cy + size.cy / 2;
}

int DrawChart(const Chart& chart, HDC draw, HDC measure) {
    Canvas c = {draw, measure, chart.width, chart.height, chart.textScale};
    FillBox(c, {0, 0, c.width - 1, c.height - 1}, RGB(255, 255, 255), RGB(210, 210, 210));
    ChartFonts fonts(c);
    int pad = c.width / 60 > 6 ? c.width / 60 : 6;
    Box area = {pad, pad, c.width - pad, c.height - pad};
    DrawTitle(c, fonts, chart, area);
    if (chart.valueCount <= 0 || area.bottom - area.top < 40 || area.right - area.left < 40)
        return 1;
    if (ShapeOf(chart) == SHAPE_PIES)
        DrawPieChart(c, fonts, chart, area);
    else
        DrawAxisChart(c, fonts, chart, area);
    return 1;
}
