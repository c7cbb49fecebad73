// The library's one chart and what its style asks for.
#include "chart.h"

Chart& CurrentChart(void) {
    static Chart chart;
    return chart;
}

void ClearChartData(Chart& chart) {
    chart.valueCount = chart.labelCount = chart.legendCount = 0;
    chart.title[0] = chart.xTitle[0] = chart.yTitle[0] = 0;
}

ChartShape ShapeOf(const Chart& chart) {
    switch (chart.style) {
    case GSW_STYLE_PIE:
    case GSW_STYLE_PIE_3D:
        return SHAPE_PIES;
    case GSW_STYLE_LINE:
    case GSW_STYLE_LINE_3D:
        return SHAPE_LINES;
    case GSW_STYLE_AREA:
    case GSW_STYLE_AREA_3D:
        return SHAPE_AREAS;
    default:
        return (chart.flags & GSW_FLAG_HORIZONTAL) ? SHAPE_SIDE_BARS : SHAPE_BARS;
    }
}

bool HasDepth(const Chart& chart) {
    return chart.style == GSW_STYLE_PIE_3D || chart.style == GSW_STYLE_BAR_3D ||
           chart.style == GSW_STYLE_LINE_3D || chart.style == GSW_STYLE_AREA_3D;
}
