// Writing a report from a finished run: the summary entry point, the text
// of the last writing failure, and the section list of a template.
#pragma once
#include "ovcore/dates.h"
#include "ovcore/ovcore_base.h"
#include "ovcore/profile.h"

struct ReportHandle;

// Called with the percent done while the report is written; its answer is
// not looked at.
typedef int(CALLBACK* ORB_PEEKPROC)(int percent);
// Told of every file the writer produces: (1, file, 1) for an image,
// (1, file, 0) for a finished page; the answer is not looked at.
typedef int(CALLBACK* ORB_STATUSPROC)(int kind, const char* text, int flag);

// Ends the analysis pass of a report run made by ORB_Cre8Report and writes
// its report. Returns the run's context (nonzero) once the writer was
// called, whether or not the writing succeeded: a writing failure leaves its
// text for ORB_GetSummaryErrMsg, which is emptied on entry. 0 for a null
// handle or a run without a run context.
ORB_EXPORT(void*) ORB_DoSummary(ReportHandle* report, ORB_PEEKPROC peek, ORB_STATUSPROC status);

// Called once after the history database was read for a report.
typedef void(CALLBACK* ORB_AFTERREADPROC)(void);

// Writes a report from the profile's history database over [start, end]:
// the days of the range are first brought up to date from the logs, then
// merged and written to outputPath (date variables expanded; mode 3 takes
// it as given) with the style's look, the sections of the block (a movable
// TemplateSection block, not freed here) and the title. language (null or
// empty: the language of the stored days) names the report's words and
// template. updateOnly: only the update, nothing written. 0 written (also
// for a profile without a history database), 7 stopped, 1 no report (no
// data in the range, or a database that cannot be read); with updateOnly
// the update's own code (0, 2, 4, 5, 7 or 22). reserved is not read. The
// summary error text is emptied on entry.
ORB_EXPORT(WORD)
ORB_DoRealtime(AnalysisProfile* profile, const char* outputPath, const char* styleName,
               ORB_PEEKPROC peek, ORB_STATUSPROC status, WORD mode, ORB_TIME start, ORB_TIME end,
               ORB_AFTERREADPROC afterRead, const char* language, HGLOBAL sections,
               DWORD sectionCount, const char* title, DWORD updateOnly, DWORD reserved);

// Copies the text of the last report-writing failure (at most 511
// characters; empty when nothing failed) into buffer, when not null;
// returns its length + 1.
ORB_EXPORT(int) ORB_GetSummaryErrMsg(char* buffer);

// Reads the sections of a template (one record per "BeginSection" marker)
// into a movable global block that the caller frees, and the text between
// "<OVHDR>" and "</OVHDR>" into header (MAX_PATH characters, may be null).
// 1 on success (count 0 and a null block for a template without sections);
// 0 when the file cannot be read or the block cannot be made.
ORB_EXPORT(int)
ORB_ReadTemplateSectionList(const char* path, WORD* count, HGLOBAL* block, char* header);
