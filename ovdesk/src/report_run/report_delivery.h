// Delivery of a finished report (browser, office programs, mail, FTP) and
// the one reporter of a run's messages.
#pragma once
#include "desk_types.h"
#include "report_run/processed_files.h"

// Output formats, by extension.
enum {
    FORMAT_HTML = 0,
    FORMAT_DOC = 1,
    FORMAT_XLS = 2,
    FORMAT_CMA = 3,
    FORMAT_TXT = 4,
    FORMAT_COUNT = 5,
    FORMAT_UNKNOWN = 6,
};
struct OutputFormatRow {
    char Extension[10];
    WORD NameId; // string id of the format's name
};
extern const OutputFormatRow g_OutputFormats[FORMAT_COUNT];
// The FORMAT_* of a file name: by the text from its last "." (".HTML" is
// HTML); FORMAT_UNKNOWN for names shorter than 4 characters or without ".".
int FormatKindOfName(const char* name);

// Shows or logs one message of a run: scheduled runs write to the scheduler
// log (remote ones to their output file), interactive ones show a box. The
// texts win over the ids; without either "Report failed" / "Ostrevane".
extern "C" __declspec(dllexport) void CALLBACK
    DisplayReportError(HWND owner, const char* caption, const char* text, UINT captionId,
                       UINT messageId, int keep);

// Hands a written report to the program of its format. outputFile: the
// report; progress: the progress dialog (may be null); show: 1 when the user
// is to see the report; handoverFile (MAX_PATH) receives the spreadsheet
// hand-over file's path; destinationKind: DESTINATION_*; textExtension: the
// extension the ASCII view opens (".TXT"). Returns the show flag left for
// the caller: 0 when the file went to an office program or a viewer here.
// *failed (may be null) is set when the conversion or the office program
// failed (the failure was reported).
int DispatchReportOutput(const char* outputFile, HWND progress, int show, char* handoverFile,
                         WORD destinationKind, const char* textExtension, BOOL* failed);
// Opens the report in the browser: the output file for a file destination,
// else "ftp://" and the output name with its date macros expanded.
void ShowReportOutput(HWND window, WORD destinationKind, const char* outputFile,
                      const char* outputName, const ReportRunRequest* request);
// Mails the run's processed files (or the output file alone for formats
// other than HTML) to the run's destination address. 1 sent, 0 failed (the
// failure was reported).
int MailReport(HWND window, HWND progress, const char* outputFile, ProcessedFileList* files,
               const char* outputName, const ReportRunRequest* request);
// Uploads the run's processed files to "ftp://" + the run's destination
// folder. 1 uploaded, 0 failed (the failure was reported).
int UploadReport(HWND window, HWND progress, ProcessedFileList* files, const char* outputFile,
                 const ReportRunRequest* request, const char* userName, const char* password);

// The office hand-over state shared with the progress dialog.
extern volatile DocumentHandOverState g_DocumentHandOverState;
