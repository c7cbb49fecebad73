// The report viewer ("View Report", template 320): what its caller hands it
// and the messages the caller sends it.
#pragma once
#include "desk_types.h"
#include "cstctls4.h"

enum { VIEWER_SUBJECT_SIZE = 81 };

// Filled by the caller, read and partly written by the viewer; the caller
// keeps it alive until the viewer is closed.
struct ViewerRequest {
    DWORD LinesPerPage; // written by the viewer (printer page length)
    DWORD Closed;       // 1 once the viewer closed
    DWORD Complete;     // 1 once the report is complete or was stopped
    ReportHandle* Report;
    DWORD ReportKind; // 0-9: what the view buffers stand for
    char Subject[VIEWER_SUBJECT_SIZE];
    DWORD TabsPresent;
    WORD TabCount;
    WORD TabColumns[CSTV_MAX_TABS];
    ReportRunRequest* RunRequest; // a scheduled run's request, else null
    WORD HelpContext;
    DWORD Saved; // 1 once a save wrote its file
};

// The caller's messages: the engine produced more text; the report is complete.
enum { VIEWER_MORE_TEXT = WM_USER + 101, VIEWER_COMPLETE = WM_USER + 100 };

extern "C" __declspec(dllexport) INT_PTR CALLBACK
    MegaViewDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the viewer modeless over request (hidden when the run is
// unattended); null when it cannot.
HWND OpenViewer(HWND owner, ViewerRequest* request);
// TRUE when the run that opened the viewer is a scheduled one: no window shows.
inline BOOL ViewerUnattended(const ViewerRequest* request) {
    return request->RunRequest && request->RunRequest->Event;
}
