// What the run's set-up takes of the report writer: the working copy of the
// template, the generated-on and range texts, the report's intervals, and
// the size above which a table is not printed.
#pragma once
#include "run/report_handle.h"

// Trims the template of the run's log kind ("template.var"; "referlog.var"
// for referrer-only and "agentlog.var" for agent-only logs, from the
// template folder) to the report's sections into module folder +
// "Template\TEMP<n>.HTM" with the first free n, and keeps both paths in the
// context (TemplatePath, PreparedTemplate). 1 when the copy was written; 0
// when there is no template (quietly: the writer reports it) or trimming
// failed, PreparedTemplate then empty.
int PrepareReportTemplate(ReportHandle* report, RunContext* context);
// Deletes the context's prepared copy, if any, and forgets it.
void DeletePreparedTemplate(RunContext* context);

// The report's intervals from its range and the language's interval table,
// at most 32; the first interval starts at the range start, or at the start
// of its day when the intervals are days.
void ChooseRunIntervals(ReportHandle* report, RunContext* context);
// The time now in the run's generated-on format into ReportDateText.
void SetReportGeneratedTime(RunContext* context);
// "start - end" of the report's range into the context's RangeText.
void SetReportRangeText(ReportHandle* report);

// [Defaults] BigTableCutoff of the module settings (default 10000): a table
// holding more items is not printed. Read on the first call and kept; a
// stored 0 is read again on the next call.
DWORD GetBigTableCutoff(void);
