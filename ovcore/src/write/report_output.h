// The report writer's state of one run: the style, the output file and the
// pages written, the run's working copy of the template, and what the writer
// tells the keyword evaluators. The writer makes it when a run is set up for
// a report and frees it with the run's context, which holds it as run->Output
// without knowing its layout.
#pragma once
#include "keywords/keyword_state.h"
#include "run/report_handle.h"
#include "write/report_style.h"
#include "write/writer_state.h"

struct ReportOutput {
    ReportStyle Style;
    char OutputPath[MAX_PATH]; // the file the user asked for
    BOOL DocumentOutput;       // .doc or .xls output: no frames, images or pages
    char ReportTitle[MAX_PATH];
    char CurrentPageName[MAX_PATH];
    char NextPageName[MAX_PATH];
    char* PageList; // finished pages, each NUL-ended, ended by an empty name
    DWORD PageListSize;

    char TemplatePath[MAX_PATH];     // support-file reference path
    char PreparedTemplate[MAX_PATH]; // "TEMP%d.HTM" copy; deleted with the context

    ReportWriterState Writer;
    KeywordRunState Keywords;
};

// run->Output, made zero-filled when the run has none (freed with the
// context by FreeRunContext). Null when memory is short.
ReportOutput* OpenReportOutput(RunContext* run);

// The writer's part of setting report->Run up for a report (registered
// with SetRunReportOpener): its state, the working copy of the template,
// scanned for the tables it asks for, and, for a run set up from the
// handle (source null), the report's title and output file. 1, or 0 when
// memory is short.
int OpenRunReport(ReportHandle* report, const ReportHandle* source);
