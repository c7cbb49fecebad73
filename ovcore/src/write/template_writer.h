// The report writer: turns the run's working template into the report's
// pages (one page, one per chapter or per section, with or without frames
// and a table-of-contents page, or one document), handing every marker's
// keyword to the keyword resolver and carrying out its layout actions.
#pragma once
#include "keyword_resolve.h"
#include "run/report_handle.h"

// Bytes of template read at a time; a marker with both "%%" pairs must fit.
#define TEMPLATE_CHUNK_SIZE 10240
// Longest keyword handed to the resolver; a longer one yields nothing.
#define TEMPLATE_KEYWORD_MAX 260

// Writes the report of run to its output file from its working template
// (the writer's state, run->Output). 1 when written; 0 on failure, with the
// summary error text saying why (the page being written is then deleted;
// pages finished before stay); a run without the writer's state is short of
// memory.
int WriteTemplateReport(ReportHandle* report, RunContext* run, ReportStatusProc status);

// The resolver the writer calls; tests put their own in its place.
typedef decltype(&ResolveTemplateKeyword) ResolveKeywordProc;
extern ResolveKeywordProc g_WriterResolveKeyword;
