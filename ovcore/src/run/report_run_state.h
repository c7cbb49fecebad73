// What the run's opening and closing steps keep in the report handle beside
// the shared fields: what must be undone when the run closes.
#pragma once
#include <windows.h>

struct ReportRunState {
    BOOL GraphingStarted; // the charting library was started in mode 0
    BOOL LogsOpen;        // the profile's log files are open for this run
    DWORD Reserved;       // ORB_Cre8Report's reserved word, kept
};
