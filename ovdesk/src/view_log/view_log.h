// The "View Log File..." dialog (template 270): the log's hits listed into
// view buffers and shown in the report viewer while the engine reads them.
#pragma once
#include "desk_types.h"

// Dialog procedure; lParam is the ReportRunRequest (its profile the working
// copy). Ends with 1 on Cancel, else with RunUrlReport's result.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    SetReportDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Listing kinds handed to the engine and the dialog's view types.
enum {
    VIEW_KIND_DETAILED = 2,
    VIEW_KIND_STANDARD = 3,
    VIEW_TYPE_STANDARD = 0,
    VIEW_TYPE_DETAILED = 1
};
enum { LISTING_ORDERS = 7 }; // Time .. Result: the listing's grouping option

struct ViewChoice {
    WORD ViewType; // VIEW_TYPE_*
    WORD OrderBy;
};

// Fetches the profile's logs, lists them and runs the viewer over the
// listing until it is closed (a scheduled run saves the listing to the
// event's file and closes it). 1 when the listing was shown (and, for a
// scheduled run, saved), else 0.
int RunUrlReport(HWND dialog, AnalysisProfile* profile, WORD rangeIndex, const ViewChoice& choice,
                 ReportRunRequest* request);
