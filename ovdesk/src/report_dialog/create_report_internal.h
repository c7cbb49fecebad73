// State and steps of the one Create Report dialog, shared by its files.
#pragma once
#include "report_dialog/report_pages.h"
#include "report_run/report_run.h"

struct CreateReportState {
    CreateReportParams* Params;
    AnalysisProfile* Working; // working copy of the request's profile
    int TabPages[PAGE_COUNT]; // page index of each tab
    int TabCount;
    int CurrentPage;
    BOOL Running;
    BOOL Scheduled; // opened hidden for a scheduled event
    HHOOK Hook;
};
extern CreateReportState g_CreateReport;

// The report run the dialog starts; tests put a recorder in its place.
typedef decltype(&RunReport) RunReportFunction;
// Sets the function Start calls (null: RunReport); the previous one.
RunReportFunction SetReportRunner(RunReportFunction runner);

BOOL IsMemorizeMode(void);
ReportRunRequest* GetDialogRequest(void);
// Shows a message of the dialog: through the run's message sink when the
// dialog runs a scheduled event, else in a box. The box's answer.
int ShowDialogMessage(HWND dialog, const char* text, const char* caption, UINT type);

// Start (button 9934).
void OnStart(HWND dialog);
// Memorize... (button 9935); 1 when a definition was written.
int OnMemorize(HWND dialog);
// Delete... (button 9936).
void OnDelete(HWND dialog);
// A memorized report chosen in combo 9933.
void OnDefinitionChosen(HWND dialog);
// Takes the scheduled event of the request onto the pages and starts.
void RunScheduledEvent(HWND dialog);
// Shows the destination kind of a Save-As text on the Save As page.
void ShowDestinationOf(const ReportDefinition* definition);
// Removes the tab-order hook when it is set.
void ReleaseTabOrderHook(void);
