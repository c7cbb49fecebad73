// Setting a run's context up from the settings, copying it for the history
// database's report road, and releasing it; the template scan that marks
// which tables a report asks for; a file helper of the writers.
#pragma once
#include "ovcore/fileapi.h" // FileExists
#include "run/report_handle.h"

// The data folder of the engine, its parent and grandparent into the
// handle; the install folder is made known.
void SetReportDataPaths(ReportHandle* report);
// Makes the run context of a kind-6 run into report->Run. withTables: also
// the 44 tables. 1, or 0 (no context) when memory is short or the language
// table cannot be read.
int SetupRunContext(ReportHandle* report, int withTables);
// SetupRunContext without tables, template copy or report texts: a context
// that counts hits into tables made elsewhere (a stored day's).
int SetupCountingContext(ReportHandle* report);
// Makes target's context as a deep copy of source's settings lists and
// values (no tables copied; withTables makes empty ones). 1, or 0 with
// nothing left allocated.
int CopyRunContext(ReportHandle* target, const ReportHandle* source, int withTables);
// Splits text at blanks, semicolons and commas and appends each word with
// typeCode to the organisation-type lists. 0 when memory ran short.
int InitRunContextLists(int typeCode, RunContext* context, const char* text);
// How a run set up for a report (SetupRunContext, CopyRunContext) gets the
// report writer's state: the writer, a floor above the run, is registered
// by the engine. The opener is called with report->Run made and source the
// handle the run was copied from, else null; it answers 0 when memory is
// short. With none registered a run has no writer's state.
typedef int (*RunReportOpener)(ReportHandle* report, const ReportHandle* source);
void SetRunReportOpener(RunReportOpener opener);

// The report's intervals from its range and the language's interval table,
// at most 32; the first interval starts at the range start, or at the start
// of its day when the intervals are days.
void ChooseRunIntervals(ReportHandle* report, RunContext* context);
// The time now in the run's generated-on format into ReportDateText.
void SetReportGeneratedTime(RunContext* context);
// "start - end" of the report's range into the context's RangeText.
void SetReportRangeText(ReportHandle* report);

// A deep copy of a language table; null when memory is short.
ReportIniSettings* CopyLanguageTable(const ReportIniSettings* source);

// Marks in g_ReportTableKeywords the tables whose keywords the template
// file uses (and their largest bracket numbers). A missing file leaves every
// row reset. ObsoleteTopPaths is never used.
void ScanTemplateForTables(const char* path);
// The same over a text in memory.
void ScanTemplateTextForTables(const char* text, size_t length);
// Marks every table used but ObsoleteTopPaths, whatever the template asks
// for (the dump tool, and tests of the counting).
void UseEveryReportTable(void);
// n of the last "[n" of keyword, m of its "[n,m"; 0 when absent.
WORD GetBracketNumber(const char* keyword);
WORD GetBracketSecondNumber(const char* keyword);
// Each row's top count: the largest Rows of the included sections named
// keyword + "BeginSection" (without regard to case), 0 when none.
void SetReportTopCounts(const TemplateSection* sections, WORD count);

// Frees the run context of the report (its language table, lists, tables
// and the writer's state with its template copy) and clears report->Run. A report without
// one is left as it is. 1.
int FinishReport(ReportHandle* report);
// Frees a context and everything it owns (null allowed).
void FreeRunContext(RunContext* context);

// Writes text without its terminator; its length, or 0xFFFF when fewer
// bytes were written.
DWORD WriteFileString(HANDLE file, const char* text);
