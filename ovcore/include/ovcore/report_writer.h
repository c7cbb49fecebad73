// Writing a report from a finished run: the summary entry point, the text
// of the last writing failure, and the section list of a template.
#pragma once
#include "ovcore/ovcore_base.h"

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
