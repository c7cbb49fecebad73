// Report output names: the default reports folder, relative names, default
// extensions, date macros, and the pickers for report, log and home-page files.
#pragma once
#include <windows.h>
#include <ctime>

#define REPORTS_SUBFOLDER "Web Analysis"
enum { OUTPUT_NAME_MACRO_SIZE = 350 };

// The default reports folder "<install>REPORTS\Web Analysis" (created) into
// buffer (MAX_PATH). Returns buffer.
char* MakeDefaultReportsDir(char* buffer);
// Adds the default extension to a name without one and puts a name without
// folder into the reports sub-folder (created). name holds MAX_PATH bytes.
void PlaceReportInReportsDir(char* name, const char* defaultExtension, const char* subFolder);
// ".\name" becomes "<install>Reports\<subFolder>\name" (folders created).
void ResolveRelativeReportPath(char* name, const char* subFolder);
// Replaces the date macros of name (OUTPUT_NAME_MACRO_SIZE bytes).
void ExpandOutputNameMacros(char* name);
// The same with "now" given (seconds since 1970; macros use local time).
void ExpandOutputNameMacrosAt(char* name, time_t now);
// Save dialog for a report file; 1 when a name was chosen.
int BrowseReportOutputFile(HWND owner, char* name, int keepRelative, int extra);
// Open dialog for a log file; 1 when chosen.
int BrowseLogFile(HWND owner, char* name);
// Open dialog for a home page; 1 when chosen.
int BrowseHomePageFile(HWND owner, char* name);
// Renames a file to the next free three-digit extension.
int RotateNumberedFile(const char* path);
// 1 for an 8.3 name (after adding the default extension when it has none).
int IsShortFileName(char* name, const char* defaultExtension);
// Dialog procedure that edits the browser path.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    ReportSaveToDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
