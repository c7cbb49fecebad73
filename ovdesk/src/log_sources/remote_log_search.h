// The remote log search through the outside finder Seekmole.dll, its status
// dialog, and profiles filled from what it found.
#pragma once
#include <windows.h>
#include "seekmole.h"

struct AnalysisProfile;

// Results of FindRemoteLogs.
enum { REMOTE_LOGS_NONE = 0, REMOTE_LOGS_FOUND = 1, REMOTE_LOGS_CANCELLED = 2 };

// Zero-fills the request and sets the plug-in's module directory in it.
void PrepareSeekmoleRequest(SeekmoleRequest* request);
// Runs the finder on a prepared request (the library is loaded and freed
// around the call). REMOTE_LOGS_NONE also when the search is switched off
// ([Defaults] DisableRemoteLogFileSearch) or the library or its entry point
// is missing.
int FindRemoteLogs(HWND window, SeekmoleRequest* request);
// Fills profile from found log number index. 1, or 0 when index is not one
// of the request's found logs (the profile is then unchanged) or memory ran
// short.
int FillProfileFromFoundLog(DWORD_PTR ignored, AnalysisProfile* profile,
                            const SeekmoleRequest* request, int index);
// The finder's check of a log file: its answer, 0 when the library or its
// entry point is missing.
int IsValidLogFile(const char* path, DWORD second);

// The finder's progress callback: shows the status dialog and its text;
// 1 once after Cancel was pressed (the finder should stop), else 0.
extern "C" __declspec(dllexport) int CALLBACK
    RemoteLogFileCallback(HWND parent, const char* status);
// Procedure of the search status dialog.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    FindRemoteStatusDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Closes the status dialog when it is up (the finder may call it too).
void CALLBACK CloseRemoteStatusDialog(void);
// The status dialog while it is up, else null.
HWND GetRemoteStatusDialog(void);
