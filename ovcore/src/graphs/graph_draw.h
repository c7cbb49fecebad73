// A table's graph keyword: the graph drawn by the charting library, turned
// into an image beside the report, and its file name as the value.
#pragma once
#include "ovcore/designer_template.h"
#include "ovcore/report_template.h"
#include "write/keyword_resolve.h"
#include "keywords/table_call.h"

// The graph settings text of a table keyword, with the report's section
// settings (graph type, 3D look, last row) for prefix over it. 1, or 0 for
// a malformed text.
int ParseDocGraphSpec(const char* prefix, const char* text, GraphRequest* out, int logFormat,
                      const TemplateSection* sections, WORD sectionCount);

// Draws the graph the keyword of call asks for ("...Graph[settings]")
// and sets call's value to the image's name (its full path with the run's
// full-path flag); the value stays empty when graphing is off, the
// settings text is malformed or its range holds nothing. Export and
// conversion failures set the summary error text; the value then still
// names the file. status (may be null) hears the progress text and the
// final image.
void EvaluateGraphKeyword(const TableCall& call, ReportHandle* report, ReportStatusProc status);
