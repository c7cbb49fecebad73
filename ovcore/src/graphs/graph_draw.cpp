#include "graphs/graph_draw.h"

#include <shlwapi.h>
#include <string.h>

#include "core/gsw_binding.h"
#include "graphs/graph_files.h"
#include "graphs/graph_points.h"
#include "ovcore/registration.h"
#include "ovcore/report_ini.h"
#include "keywords/keyword_text.h"
#include "write/summary_error.h"
#include "run/report_handle.h"
#include "ovkit/text_copy.h"
#include "ovkit/dll_binding.h"
#include "write/report_output.h"

#define GRAPH_PROGRESS_TEXT 5599
#define GRAPH_MOST_SIZE 400 // per cent: larger sizes made huge bitmaps

namespace {

enum GraphType { STACKED_BARS, BARS, Z_BARS, PIES, AREAS, LINES, SIDE_BARS, SIDE_STACKED_BARS };

struct GswCalls {
    decltype(&GswOpenGraph) open;
    decltype(&GswCloseGraph) close;
    decltype(&GswSetSeriesCount) seriesCount;
    decltype(&GswSetPaletteSize) paletteSize;
    decltype(&GswGetBaseSize) getBase;
    decltype(&GswSetBaseSize) setBase;
    decltype(&GswExport) exportTo;
    decltype(&GswReset) reset;
    decltype(&GswSetData) data;
    decltype(&GswSetLabels) labels;
    decltype(&GswSetLegend) legend;
    decltype(&GswSetTitle) title;
    decltype(&GswSetXTitle) xTitle;
    decltype(&GswSetYTitle) yTitle;
    decltype(&GswSetStyle) style;
    decltype(&GswSetTextStyle) textStyle;
    decltype(&GswSetLegendStyle) legendStyle;
};

template <typename Fn> bool Bind(HMODULE gsw, WORD ordinal, Fn& out) {
    return OvkitBindOrdinal(gsw, &out, ordinal);
}

// Every ordinal a graph needs, or false.
bool BindCalls(GswCalls& g) {
    HMODULE m = GswBinding_Library();
    return m && Bind(m, GSW_ORDINAL_OPEN_GRAPH, g.open) &&
           Bind(m, GSW_ORDINAL_CLOSE_GRAPH, g.close) &&
           Bind(m, GSW_ORDINAL_SERIES_COUNT, g.seriesCount) &&
           Bind(m, GSW_ORDINAL_PALETTE_SIZE, g.paletteSize) &&
           Bind(m, GSW_ORDINAL_GET_BASE_SIZE, g.getBase) &&
           Bind(m, GSW_ORDINAL_SET_BASE_SIZE, g.setBase) &&
           Bind(m, GSW_ORDINAL_EXPORT, g.exportTo) && Bind(m, GSW_ORDINAL_RESET, g.reset) &&
           Bind(m, GSW_ORDINAL_SET_DATA, g.data) && Bind(m, GSW_ORDINAL_SET_LABELS, g.labels) &&
           Bind(m, GSW_ORDINAL_SET_LEGEND, g.legend) && Bind(m, GSW_ORDINAL_SET_TITLE, g.title) &&
           Bind(m, GSW_ORDINAL_SET_X_TITLE, g.xTitle) &&
           Bind(m, GSW_ORDINAL_SET_Y_TITLE, g.yTitle) && Bind(m, GSW_ORDINAL_SET_STYLE, g.style) &&
           Bind(m, GSW_ORDINAL_SET_TEXT_STYLE, g.textStyle) &&
           Bind(m, GSW_ORDINAL_SET_LEGEND_STYLE, g.legendStyle);
}

// The screen's width scales the charts: wider screens show them smaller.
double ScreenFactor(void) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    width = width < 640 ? 640 : width > 1280 ? 1280 : width;
    switch (width) {
    case 1024:
        return 2.0 / 3.0;
    case 1152:
        return 4.0 / 7.0;
    case 1280:
        return 0.5;
    default:
        return 100.0 / 133.0;
    }
}

// The library's base size, read once: scaling the value read back from the
// library would shrink every graph after the first.
double BaseSize(const GswCalls& g) {
    static double base = 0;
    if (base <= 0)
        base = g.getBase();
    return base;
}

struct Style {
    int style, flags;
};

Style StyleOf(const GraphRequest& r) {
    bool d3 = r.ThreeD != 0;
    int bar = d3 ? GSW_STYLE_BAR_3D : GSW_STYLE_BAR;
    switch (r.GraphType) {
    case STACKED_BARS:
        return {bar, r.Timeline ? 0x2008 : 0x0008};
    case Z_BARS:
        return r.Timeline ? Style{GSW_STYLE_BAR_3D, 0x0408} : Style{bar, 0x0008};
    case PIES:
        return {d3 ? GSW_STYLE_PIE_3D : GSW_STYLE_PIE, 0x9800};
    case AREAS:
        return {d3 ? GSW_STYLE_AREA_3D : GSW_STYLE_AREA, 0x000C};
    case LINES:
        return d3 ? Style{GSW_STYLE_LINE_3D, 0x000C} : Style{GSW_STYLE_LINE, 0x200C};
    case SIDE_BARS:
        return {bar, 0x0A08};
    case SIDE_STACKED_BARS:
        return {bar, r.Timeline ? 0x2A08 : 0x0A08};
    default:
        return {bar, 0x0008};
    }
}

const char* DataKindWord(const RunContext* run, int kind) {
    static const int kLegends[] = {LEG_HITS, LEG_PERCENT, LEG_USERSESSIONS, LEG_BYTES};
    static const char* const kWords[] = {"Hits", "Percent", "Visits", "Kilobytes"};
    kind = kind >= 0 && kind < 4 ? kind : 0;
    const char* word = run && run->Language ? run->Language->Legends[kLegends[kind]] : nullptr;
    return word && word[0] ? word : kWords[kind];
}

void ShowProgress(ReportStatusProc status, const char* prefix, const char* file) {
    if (!status)
        return;
    const char* format = LoadCachedString(GRAPH_PROGRESS_TEXT);
    if (strcmp(format, ORB_STRING_NOT_FOUND) == 0)
        format = "Creating %s Graph -> %s";
    char text[MAX_PATH + 128];
    FormatValueText(text, sizeof text, format, prefix, file);
    status(0, text, 0);
}

void DescribeChart(const GswCalls& g, const GraphRequest& r, const GraphPoints& p,
                   const RunContext* run) {
    const char* texts[GSW_MAX_POINTS];
    for (int i = 0; i < p.count; ++i)
        texts[i] = p.labels[i];
    bool pie = r.GraphType == PIES;
    if (!pie)
        g.labels(p.count, texts);
    DWORD colour = r.Color == 0xFF0F ? GSW_PALETTE_COLOURS : (r.Color & 0xFFFFFF);
    g.data(colour, p.count, p.values);
    g.legendStyle(0, 2, 100, GSW_MAX_LEGEND, 2);
    g.legend(pie ? (p.count < GSW_MAX_LEGEND ? p.count : GSW_MAX_LEGEND) : 0, texts);
    const char* first = r.DataLabel[0] ? r.DataLabel : DataKindWord(run, r.DataKind);
    const char* second = r.AxisLabel;
    g.textStyle(GSW_TEXT_AXIS_TITLES, 2, 0, 100);
    bool sideways = r.GraphType == SIDE_BARS || r.GraphType == SIDE_STACKED_BARS;
    if (pie)
        return; // a pie has no axes
    (sideways ? g.xTitle : g.yTitle)(first);
    if (second[0])
        (sideways ? g.yTitle : g.xTitle)(second);
}

// Draws and exports; true when the library wrote the file.
bool DrawAndExport(const GswCalls& g, const GraphRequest& r, const GraphPoints& p,
                   const RunContext* run, const char* target, int format) {
    double scaled = BaseSize(g) * ScreenFactor();
    g.setBase(scaled);
    DWORD size = r.Size < GRAPH_MOST_SIZE ? r.Size : GRAPH_MOST_SIZE;
    double width = scaled * 1.05 * size / 100.0, height = width * 0.6;
    char error[256] = "";
    int handle = g.open(0, 0, 0, 0, width, height, 1000.0, 4595, 259, error);
    if (!handle)
        return false;
    g.reset();
    g.paletteSize(GSW_MAX_LEGEND);
    g.seriesCount(1);
    g.textStyle(GSW_TEXT_LABELS, 2, 0, 100);
    g.textStyle(GSW_TEXT_LEGEND, 2, 0, 100);
    g.textStyle(GSW_TEXT_TITLE, 2, 32, 0);
    g.title(r.Title);
    DescribeChart(g, r, p, run);
    Style s = StyleOf(r);
    g.style(s.style, s.flags, 0);
    int kind = format == GRAPH_FORMAT_METAFILE ? GSW_EXPORT_METAFILE : GSW_EXPORT_BITMAP;
    bool written = g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, kind, 0, target) == 0;
    g.reset();
    g.close(handle);
    return written;
}

} // namespace

int ParseDocGraphSpec(const char* prefix, const char* text, GraphRequest* out, int logFormat,
                      const TemplateSection* sections, WORD sectionCount) {
    if (!ParseGraphSpec(text, out, logFormat))
        return 0;
    if (logFormat == 7 || logFormat == 8 || !prefix || !sections)
        return 1; // referrer and agent logs always draw the same graph
    char name[TEMPLATE_NAME_SIZE];
    FormatValueText(name, sizeof name, "%sBeginSection", prefix);
    for (WORD i = 0; i < sectionCount; ++i)
        if (lstrcmpiA(sections[i].Name, name) == 0) {
            out->GraphType = (BYTE)sections[i].GraphType;
            out->ThreeD = sections[i].ThreeD;
            out->Last = sections[i].Rows;
            break;
        }
    return 1;
}

void EvaluateGraphKeyword(const TableCall& c, ReportHandle* report, ReportStatusProc status) {
    OvkitCopyText(c.value, c.size, "");
    RunContext* run = c.run;
    const char* open = strchr(c.keyword, '[');
    GswCalls g;
    if (!run || !run->Output || !open || !c.table || c.table->ovCount == 0 || !BindCalls(g))
        return;
    GraphRequest request;
    GraphPoints points;
    if (!ParseDocGraphSpec(c.prefix, open + 1, &request, run->Hits.LogKind,
                           report ? report->Sections : nullptr,
                           report ? report->SectionCount : 0) ||
        !BuildGraphPoints(c, request, &points))
        return;
    ReportOutput* output = run->Output;
    int format = output->Style.GraphType <= GRAPH_FORMAT_METAFILE ? output->Style.GraphType : 0;
    GraphFiles files;
    if (!GetTempGraphFolder(output->OutputPath, ++output->Keywords.GraphCount, format, &files))
        return;
    OvkitCopyText(c.value, c.size,
                  output->Style.FullPath ? files.final : PathFindFileNameA(files.final));
    ShowProgress(status, c.prefix, c.value);
    const char* target = format == GRAPH_FORMAT_METAFILE ? files.temporary : files.bitmap;
    if (!DrawAndExport(g, request, points, run, target, format)) {
        SetSummaryError(SUMMARY_TEXT_GRAPH_CREATE, target);
        DeleteFileA(target);
        return;
    }
    if (!ConvertGraphImage(&files, format)) {
        SetSummaryError(SUMMARY_TEXT_GRAPH_CONVERT, files.final);
        return;
    }
    if (status)
        status(1, files.final, 1);
}
