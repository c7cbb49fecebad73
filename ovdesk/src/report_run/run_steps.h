// The steps of one report run, shared by the files that hold them.
#pragma once
#include "report_run/report_run.h"
#include "report_run/run_state.h"

struct ReportRunJob {
    HWND Dialog;
    HWND RangePage;
    HWND Progress;
    AnalysisProfile* Profile;
    WORD RangeIndex;
    WORD Destination;
    const char* OutputName;
    const char* FtpUserName;
    const char* FtpPassword;
    const char* StyleName;
    const char* LanguageName;
    ReportRunRequest* Request;
    char OutputFile[MAX_PATH];
    char SetName[MAX_PATH];
    DWORD Start;
    DWORD End;
    BOOL Unattended;      // a scheduled event or a realtime request: nobody answers
    BOOL ReportWritten;   // the writer finished the output file
    BOOL DeliveryFailed;  // its mail or upload failed; the local report stays
    HGLOBAL SectionBlock; // the report's template sections, locked while the run lasts
    TemplateSection* Sections;
    WORD SectionCount;
};

// Step results.
enum StepResult { STEP_GO_ON = 0, STEP_END_FAILED = 1, STEP_END_DONE = 2 };

// Works out the local output file (FTP and mail reports are made in the
// reports folder first) and the run's destination text.
StepResult PrepareOutputFile(ReportRunJob& job);
// Makes sure the output file's folder exists (asking first when someone can answer).
StepResult CheckOutputFolder(ReportRunJob& job);
// Fetches the profile's logs and reads the range.
StepResult FetchLogs(ReportRunJob& job);
// Makes the report from the logs, polls it, has the summary written and delivers it.
StepResult BuildReport(ReportRunJob& job);
// Hands the written report to its destination; sets DeliveryFailed when a
// mail or upload failed (the failure was reported).
void DeliverReport(ReportRunJob& job);
// The message of an ORB_Cre8Report error code: its text id, and its caption
// id in *captionId. 0x8005 has its own message (HistoryOverlapMessage).
UINT CreateFailureTextId(WORD error, UINT* captionId);

// The report's template sections for the engine run: a copy of the Contents
// page's list when one is loaded, else every section of the report template,
// included (null and 0 when the template cannot be read). Freed by
// FreeReportSections.
void LoadReportSections(ReportRunJob& job);
void FreeReportSections(ReportRunJob& job);
// Writes the outcome into a remote request's status record.
void FinishRemoteRequest(ReportRunJob& job);

// Shows one run message through the run's reporter (the scheduler log when
// nobody can answer). text wins over textId.
void RunMessage(const ReportRunJob& job, UINT captionId, UINT textId, const char* text = nullptr);
// Pumps the thread's messages when at least 30 ms passed since the last pump.
void PumpWhenDue(void);
