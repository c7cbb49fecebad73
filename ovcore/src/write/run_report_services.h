// The report writer's working copy of a run's template, and the size above
// which a table is not printed.
#pragma once
#include "run/report_handle.h"

// Trims the template of the run's log kind ("template.var"; "referlog.var"
// for referrer-only and "agentlog.var" for agent-only logs, from the
// template folder) to the report's sections into module folder +
// "Template\TEMP<n>.HTM" with the first free n, and keeps both paths in the
// writer's state (TemplatePath, PreparedTemplate of context->Output, which
// must exist). 1 when the copy was written; 0
// when there is no template (quietly: the writer reports it) or trimming
// failed, PreparedTemplate then empty.
int PrepareReportTemplate(ReportHandle* report, RunContext* context);
// Deletes the context's prepared copy, if any, and forgets it (a context
// without the writer's state has none).
void DeletePreparedTemplate(RunContext* context);

// [Defaults] BigTableCutoff of the module settings (default 10000): a table
// holding more items is not printed. Read on the first call and kept; a
// stored 0 is read again on the next call.
DWORD GetBigTableCutoff(void);
