// One report run: from the Create Report dialog's Start (or a scheduled
// event running the dialog hidden) to the delivered file.
#pragma once
#include "desk_types.h"

// Destination kinds.
enum { DESTINATION_FILE = 0, DESTINATION_FTP = 1, DESTINATION_MAIL = 3 };

// Makes one report. rangePage: the Range page the range is read from (null:
// the whole log). outputName: for a file the full path; for FTP and mail
// the bare destination. style null or empty means "(Default)". Result 1 when
// the report was made (also after the overlapping-files message and after a
// realtime request), else 0.
int RunReport(HWND dialog, HWND rangePage, AnalysisProfile* profile, WORD rangeIndex,
              WORD destinationKind, const char* outputName, const char* ftpUserName,
              const char* ftpPassword, const char* styleName, const char* languageName,
              ReportRunRequest* request);

// What the last run left behind. A run may answer 1 without a report (after
// the overlapping-files message or a realtime request) or with a report its
// mail or upload did not deliver (the local copy is kept): a scheduler log
// that says "Success" must ask this.
enum RunOutcome {
    RUN_NO_REPORT = 0,        // nothing written; the last run message says why
    RUN_REPORT_DELIVERED = 1, // written, and mailed or uploaded where asked
    RUN_NOT_DELIVERED = 2,    // written, but its mail or upload failed
};
RunOutcome LastRunOutcome(void);
// 1 when the last run wrote its report, delivered or not.
int LastRunWroteReport(void);

// Engine callbacks of the summary and realtime writers.
extern "C" __declspec(dllexport) int CALLBACK SummaryPeekMessageCallback(int percent);
extern "C" __declspec(dllexport) int CALLBACK
    UpdateStatusCallback(int kind, const char* text, int value);

// The run under way (null outside a run); read by delivery and the sink.
ReportRunRequest* GetCurrentRunRequest(void);
// The last message of the current run (cleared when a run starts).
const char* GetLastRunMessage(void);
