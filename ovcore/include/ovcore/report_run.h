// The report run: a client opens a run of a profile's logs with
// ORB_Cre8Report, calls ORB_PeekReport (one log record a call) until it
// answers -1, reads the progress and walks the hit listing's view buffers
// between calls, and releases the run with ORB_CloseReport. Everything runs
// on the client's thread inside these calls.
//
// Before ORB_Cre8Report the client fills the profile's kept log-file list
// (ORB_OpenURL ... ORB_CloseURL on the same profile record); without it the
// run does not open.
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/dates.h"
#include "ovcore/profile.h"
#include "ovcore/report_template.h"

// The run handle (opaque to clients).
struct ReportHandle;

// Error codes of the run.
#define REPORT_ERROR_NO_LOGS 0x8002         // no log file opens for the range
#define REPORT_ERROR_OVERLAP 0x8003         // files of one server overlap in time
#define REPORT_ERROR_OVERLAP_HISTORY 0x8005 // the same, for a profile with a history database
#define REPORT_ERROR_NO_MEMORY 0x8009       // ADT_GetFilterOptionList

// Seconds two files of one server may overlap before it counts.
#define REPORT_OVERLAP_TOLERANCE 4500

// Opens a run. window: the client's window; profile: the client's profile
// record, whose LogFiles list the run opens; profileFile: "name.wlp";
// callerText (kept, 54 characters), outputFolder (normalised in place
// against the data folder; MAX_PATH); lineWidth of the listing (76);
// callerWord kept; start, end: the range; kind 2-6; listingOption: the
// listing's grouping; styleName: the report style ("(Default)"); language
// (null: "ENGLISH"); runText (copied into the kind-6 run context); sections, count:
// the report's template sections (not copied: they must live until the run
// is closed); reserved: 0. The handle, or null with *error (16 bits, may be
// null) set to 0 or REPORT_ERROR_NO_LOGS; REPORT_ERROR_OVERLAP comes with an
// open run.
ORB_EXPORT(ReportHandle*)
ORB_Cre8Report(HWND window, AnalysisProfile* profile, const char* profileFile,
               const char* callerText, char* outputFolder, int lineWidth, WORD callerWord,
               ORB_TIME start, ORB_TIME end, int kind, int listingOption, const char* styleName,
               const char* language, const char* runText, const TemplateSection* sections,
               WORD sectionCount, DWORD reserved, WORD* error);
// Moves one record through the run. 0: call again; -1: the run is over.
// *progressChanged (may be null) becomes 1 when the done percent was
// refreshed; *recordRead (may be null) 1 when a record was read.
ORB_EXPORT(short) ORB_PeekReport(ReportHandle* report, DWORD* progressChanged, WORD* recordRead);
// Releases the run (null allowed); always 0.
ORB_EXPORT(short) ORB_CloseReport(ReportHandle* report, void* ignored);

// Opens the profile's kept log files for [start, end]. reserved1 and
// reserved2 are left alone; logPath (MAX_PATH, may be null) receives the
// first path of a remote profile; dnsMode (may be null) the run's DNS mode.
// 0, or -1 with *error set (0: remote logs not fetched or no files listed;
// REPORT_ERROR_NO_LOGS). REPORT_ERROR_OVERLAP and
// REPORT_ERROR_OVERLAP_HISTORY are reported with the files open (0x8005
// closes them).
ORB_EXPORT(short)
RemoteADT_Cre8Report(AnalysisProfile* profile, const char* profileFile, ORB_TIME start,
                     ORB_TIME end, DWORD reserved1, DWORD reserved2, char* logPath, HWND window,
                     int* dnsMode, DWORD reserved, WORD* error);
// Closes the log files of the set and clears the fetched-logs mark. 0.
ORB_EXPORT(short) RemoteADT_CloseReport(FileInfo* logFiles);
// The open and overlap test on a fresh set of the profile's logs: *code
// receives 0, REPORT_ERROR_NO_LOGS, REPORT_ERROR_OVERLAP or
// REPORT_ERROR_OVERLAP_HISTORY. 0.
ORB_EXPORT(short)
ORB_CheckFileOverLap(AnalysisProfile* profile, ORB_TIME start, ORB_TIME end, WORD* code);

// Progress of a run (0 for null).
ORB_EXPORT(DWORD) ADT_GetReportDonePercent(ReportHandle* report);
ORB_EXPORT(DWORD) ADT_GetReportRecCount(ReportHandle* report);

// The view buffers of a listing run (kinds 2-4). Selecting opens the new
// current buffer's file and returns its attached value; an index at or past
// the count changes nothing and gives 0 (null for the description).
ORB_EXPORT(DWORD) ADT_ViewReportCount(ReportHandle* report);
ORB_EXPORT(DWORD) ADT_GetViewReportBufferNum(ReportHandle* report);
ORB_EXPORT(const char*) ADT_GetViewReportDescPtr(ReportHandle* report, DWORD n);
ORB_EXPORT(LONG) ADT_SetViewReportBuffer(ReportHandle* report, DWORD n);
ORB_EXPORT(LONG) ADT_PreviousViewReportBuffer(ReportHandle* report); // wraps to the last
ORB_EXPORT(LONG) ADT_NextViewReportBuffer(ReportHandle* report);     // wraps to the first
// Stores value in the current buffer; the buffer record, or null.
ORB_EXPORT(void*) ADT_AttachLongToReport(ReportHandle* report, LONG value);
// The current buffer's file (opened when needed), or INVALID_HANDLE_VALUE.
ORB_EXPORT(HANDLE) ADT_GetReportASCII_fh(ReportHandle* report);
// The current buffer's recorded full path into buffer (MAX_PATH
// characters); returns buffer (empty without buffers).
ORB_EXPORT(char*) ADT_GetReportASCII_Filename(ReportHandle* report, char* buffer);

// "Undefined Error", replaced by the engine's own text of code when it has
// one, into buffer (size characters with the terminator). The characters
// loaded, 0 when the code has no text.
ORB_EXPORT(int) ADT_GetErrorTxtMsg(WORD code, char* buffer, int size);
// The pick list of filter field (i, j) of the caller's movable block: the
// caption, then pairs of strings (label, value), each zero-terminated, in
// *list (reallocated; a movable block of the caller, may start null);
// *count the pairs. 0, or 0xFFFF with *error REPORT_ERROR_NO_MEMORY. A
// field index outside the block, or a missing text, gives the caption alone.
ORB_EXPORT(WORD)
ADT_GetFilterOptionList(HGLOBAL block, int i, int j, HGLOBAL* list, WORD* count, WORD* error);

// The window the log unpacking tells its progress (null: none), and the
// address of the caller's stop flag (null: never stops).
ORB_EXPORT(void) ORB_SetProgressHWND(HWND window);
ORB_EXPORT(void) ORB_SetCancelBOOL(const BOOL* flag);
