// The library's exported ordinals: start and stop, and the description of
// the one open chart.
#include <string.h>

#include "chart.h"
#include "ovkit/text_copy.h"

static LONG g_opens = 0;
static double g_baseSize = 900.0;
static int g_nextHandle = 0;

GSW_API int WINAPI GswOpen(const char*, const char*) {
    InterlockedIncrement(&g_opens);
    return 0;
}

GSW_API int WINAPI GswClose(void) {
    if (InterlockedDecrement(&g_opens) < 0)
        InterlockedExchange(&g_opens, 0);
    return 0;
}

GSW_API int WINAPI GswAttach(void) {
    return 0;
}

GSW_API int WINAPI GswDetach(void) {
    return 0;
}

static bool SizeFits(double size) {
    return size >= 80.0 && size <= 4000.0;
}

GSW_API int WINAPI GswOpenGraph(int, int, int, int, double width, double height, double scale, int,
                                int, char* errorText) {
    Chart& chart = CurrentChart();
    if (errorText)
        errorText[0] = 0;
    if (!SizeFits(width) || !SizeFits(height)) {
        if (errorText)
            lstrcpynA(errorText, "The chart's size is out of range", 256);
        return 0;
    }
    memset(&chart, 0, sizeof chart);
    chart.width = (int)(width + 0.5);
    chart.height = (int)(height + 0.5);
    chart.textScale = scale > 0 ? scale / 1000.0 : 1.0;
    chart.style = GSW_STYLE_BAR_3D;
    chart.colour = GSW_PALETTE_COLOURS;
    chart.paletteSize = GSW_MAX_LEGEND;
    if (++g_nextHandle <= 0)
        g_nextHandle = 1;
    chart.handle = g_nextHandle;
    return chart.handle;
}

GSW_API int WINAPI GswCloseGraph(int graph) {
    Chart& chart = CurrentChart();
    if (graph <= 0 || graph != chart.handle)
        return -1;
    chart.handle = 0;
    return 0;
}

GSW_API int WINAPI GswSetSeriesCount(int count) {
    return count >= 1 ? 0 : -1;
}

GSW_API int WINAPI GswSetPaletteSize(int size) {
    if (size < 1 || size > GSW_MAX_LEGEND)
        return -1;
    CurrentChart().paletteSize = size;
    return 0;
}

GSW_API double WINAPI GswGetBaseSize(void) {
    return g_baseSize;
}

GSW_API int WINAPI GswSetBaseSize(double size) {
    g_baseSize = size < 100.0 ? 100.0 : size > 4000.0 ? 4000.0 : size;
    return 0;
}

GSW_API int WINAPI GswExport(int, int, int, int, int, int, int, int, int kind, int,
                             const char* path) {
    const Chart& chart = CurrentChart();
    if (!chart.handle || !path || !path[0])
        return -1;
    if (kind == GSW_EXPORT_BITMAP)
        return ExportChartBitmap(chart, path);
    if (kind == GSW_EXPORT_METAFILE)
        return ExportChartMetafile(chart, path);
    return -1;
}

GSW_API int WINAPI GswReset(void) {
    ClearChartData(CurrentChart());
    return 0;
}

GSW_API int WINAPI GswSetData(DWORD colour, int count, const double* values) {
    Chart& chart = CurrentChart();
    if (count < 0 || (count > 0 && !values))
        return -1;
    chart.colour = colour;
    chart.valueCount = count < GSW_MAX_POINTS ? count : GSW_MAX_POINTS;
    for (int i = 0; i < chart.valueCount; ++i)
        chart.values[i] = values[i] > 0 ? values[i] : 0.0;
    return 0;
}

// Copies up to most texts; null entries become empty texts.
static int CopyTexts(char (*out)[GSW_TEXT_MAX + 1], int most, int count, const char* const* texts) {
    if (count < 0 || (count > 0 && !texts))
        return 0;
    int kept = count < most ? count : most;
    for (int i = 0; i < kept; ++i)
        OvkitCopyText(out[i], texts[i]);
    return kept;
}

GSW_API int WINAPI GswSetLabels(int count, const char* const* labels) {
    Chart& chart = CurrentChart();
    chart.labelCount = CopyTexts(chart.labels, GSW_MAX_POINTS, count, labels);
    return 0;
}

GSW_API int WINAPI GswSetLegend(int count, const char* const* labels) {
    Chart& chart = CurrentChart();
    chart.legendCount = CopyTexts(chart.legend, GSW_MAX_LEGEND, count, labels);
    return 0;
}

GSW_API int WINAPI GswSetTitle(const char* text) {
    OvkitCopyText(CurrentChart().title, text);
    return 0;
}

GSW_API int WINAPI GswSetXTitle(const char* text) {
    OvkitCopyText(CurrentChart().xTitle, text);
    return 0;
}

GSW_API int WINAPI GswSetYTitle(const char* text) {
    OvkitCopyText(CurrentChart().yTitle, text);
    return 0;
}

GSW_API int WINAPI GswSetStyle(int style, int flags, int) {
    Chart& chart = CurrentChart();
    chart.style = style;
    chart.flags = flags;
    return 0;
}

GSW_API int WINAPI GswSetTextStyle(int element, int, int flags, int) {
    if (element == GSW_TEXT_TITLE)
        CurrentChart().titleBold = (flags & 32) != 0;
    return element >= GSW_TEXT_TITLE && element <= GSW_TEXT_LEGEND ? 0 : -1;
}

GSW_API int WINAPI GswSetLegendStyle(int, int, int, int entries, int) {
    return entries >= 0 ? 0 : -1;
}
