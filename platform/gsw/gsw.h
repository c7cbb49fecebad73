// GSWDLL32.dll: the charting library, bound by ordinal at run time.
//
// Calling convention: __stdcall (WINAPI) for every ordinal. One chart is
// drawn at a time: open it (4), describe it (11..200), export it (99) and
// close it (5). Texts are copied; the library keeps no caller pointer.
#pragma once
#include <windows.h>

#ifdef GSW_BUILD
#define GSW_API extern "C" __declspec(dllexport)
#else
#define GSW_API extern "C"
#endif

#define GSW_ORDINAL_OPEN 1
#define GSW_ORDINAL_CLOSE 2
#define GSW_ORDINAL_OPEN_GRAPH 4
#define GSW_ORDINAL_CLOSE_GRAPH 5
#define GSW_ORDINAL_SERIES_COUNT 11
#define GSW_ORDINAL_PALETTE_SIZE 15
#define GSW_ORDINAL_GET_BASE_SIZE 17
#define GSW_ORDINAL_SET_BASE_SIZE 18
#define GSW_ORDINAL_EXPORT 99
#define GSW_ORDINAL_ATTACH 124
#define GSW_ORDINAL_DETACH 125
#define GSW_ORDINAL_RESET 126
#define GSW_ORDINAL_SET_DATA 127
#define GSW_ORDINAL_SET_LABELS 133
#define GSW_ORDINAL_SET_LEGEND 134
#define GSW_ORDINAL_SET_TITLE 135
#define GSW_ORDINAL_SET_X_TITLE 136
#define GSW_ORDINAL_SET_Y_TITLE 137
#define GSW_ORDINAL_SET_STYLE 138
#define GSW_ORDINAL_SET_TEXT_STYLE 199
#define GSW_ORDINAL_SET_LEGEND_STYLE 200

// Export kinds of ordinal 99.
#define GSW_EXPORT_METAFILE 2 // placeable Windows metafile
#define GSW_EXPORT_BITMAP 4   // 24-bit BMP file

// Chart styles of ordinal 138 (the first of each pair has the 3D look).
#define GSW_STYLE_PIE 1
#define GSW_STYLE_PIE_3D 2
#define GSW_STYLE_BAR 3
#define GSW_STYLE_BAR_3D 4
#define GSW_STYLE_LINE 6
#define GSW_STYLE_AREA 8
#define GSW_STYLE_LINE_3D 13
#define GSW_STYLE_AREA_3D 14
// Style flags of ordinal 138.
#define GSW_FLAG_HORIZONTAL 0x0800 // bars grow to the right (with a bar style)
#define GSW_FLAG_DEPTH 0x0400      // bars stand one behind the other
#define GSW_FLAG_STACKED 0x2000    // with a bar style: series stacked
#define GSW_FLAG_MARKERS 0x2000    // with a line style: a marker on each point

// Text elements of ordinal 199.
#define GSW_TEXT_TITLE 0
#define GSW_TEXT_AXIS_TITLES 1
#define GSW_TEXT_LABELS 2
#define GSW_TEXT_LEGEND 3

// Colour of ordinal 127 that asks for the library's own palette.
#define GSW_PALETTE_COLOURS 0xFFFFFFFFu

#define GSW_MAX_POINTS 51 // 50 rows and a total
#define GSW_MAX_LEGEND 15
#define GSW_TEXT_MAX 100 // characters kept of a title or a label

// Ordinal 1: starts the library (server name, locale "C"); 0 on success.
GSW_API int WINAPI GswOpen(const char* server, const char* locale);
// Ordinal 2: stops it.
GSW_API int WINAPI GswClose(void);
// Ordinal 124: attaches the calling program after a successful start.
GSW_API int WINAPI GswAttach(void);
// Ordinal 125: detaches it before the stop.
GSW_API int WINAPI GswDetach(void);

// Ordinal 4: opens a chart of width x height pixels (each 80..4000; scale:
// the text's scale in thousandths, 1000.0 for 1:1). The four leading values
// and mode and options are reserved (0, 0, 0, 0, 4595, 259). errorText (may
// be null, at least 256 bytes) receives the cause of a failure. Returns the
// chart's handle (> 0), or 0 on failure.
GSW_API int WINAPI GswOpenGraph(int reserved1, int reserved2, int reserved3, int reserved4,
                                double width, double height, double scale, int mode, int options,
                                char* errorText);
// Ordinal 5: closes a chart opened by ordinal 4; 0, or -1 for an unknown handle.
GSW_API int WINAPI GswCloseGraph(int graph);
// Ordinal 11: the number of data series (1 or more; one is drawn).
GSW_API int WINAPI GswSetSeriesCount(int count);
// Ordinal 15: the number of palette colours used before they repeat (1..15).
GSW_API int WINAPI GswSetPaletteSize(int size);
// Ordinal 17: the base chart width in pixels the caller scales from.
GSW_API double WINAPI GswGetBaseSize(void);
// Ordinal 18: sets that base width (clamped to 100..4000).
GSW_API int WINAPI GswSetBaseSize(double size);
// Ordinal 99: draws the open chart and writes it to path as kind
// (GSW_EXPORT_); the eight leading values and reserved are 0. 0 on
// success, -1 on failure (nothing open, unknown kind, write failed).
GSW_API int WINAPI GswExport(int r1, int r2, int r3, int r4, int r5, int r6, int r7, int r8,
                             int kind, int reserved, const char* path);
// Ordinal 126: forgets the chart's data, labels, legend and titles.
GSW_API int WINAPI GswReset(void);
// Ordinal 127: the values of the series (count of them, at most
// GSW_MAX_POINTS are kept), in colour 0x00RRGGBB or GSW_PALETTE_COLOURS.
GSW_API int WINAPI GswSetData(DWORD colour, int count, const double* values);
// Ordinal 133: one label per point along the category axis (count texts).
GSW_API int WINAPI GswSetLabels(int count, const char* const* labels);
// Ordinal 134: the legend's entries (at most GSW_MAX_LEGEND are kept).
GSW_API int WINAPI GswSetLegend(int count, const char* const* labels);
// Ordinal 135: the chart's title.
GSW_API int WINAPI GswSetTitle(const char* text);
// Ordinal 136: the title of the horizontal axis.
GSW_API int WINAPI GswSetXTitle(const char* text);
// Ordinal 137: the title of the vertical axis.
GSW_API int WINAPI GswSetYTitle(const char* text);
// Ordinal 138: the chart style (GSW_STYLE_) and its flags (GSW_FLAG_).
GSW_API int WINAPI GswSetStyle(int style, int flags, int reserved);
// Ordinal 199: the text of an element (GSW_TEXT_): face 2 is the sans-serif
// face; flags 32 bold; scale in per cent of the element's height (0: 100).
GSW_API int WINAPI GswSetTextStyle(int element, int face, int flags, int scale);
// Ordinal 200: the legend: placement (0 right), face, scale in per cent,
// the most entries shown and a frame width in pixels.
GSW_API int WINAPI GswSetLegendStyle(int placement, int face, int scale, int entries, int frame);
