// What the report writer tells the keyword evaluators about the report it is
// writing (the run context's member for this area).
#pragma once
#include <windows.h>

struct ReportWriterState {
    BOOL FrameMode;    // frames with a table-of-contents page
    BOOL ShowHits;     // hits column ("Table Columns" holds 0)
    BOOL ShowPercent;  // percent-of-total column (1)
    BOOL ShowSessions; // user-sessions column (2)
};
