// What the Schedule Report dialog's procedure shares with its buttons.
#pragma once
#include "ovdesk/host_interface.h"

enum {
    // Refills the memorized-report combo and selects the event's Memorized.
    WM_SCHED_REFILL_MEMORIZED = 5024,
    // Items of the destination kind combo.
    SCHED_KIND_ITEM_FILE = 0,
    SCHED_KIND_ITEM_FTP = 1,
    SCHED_KIND_ITEM_MAIL = 2,
};

// "&New": the Create Report dialog, without its Save As page, memorizes a
// summary report for the chosen profile; its description becomes the
// event's Memorized and the combo is refilled. 1 when one was made.
int MemorizeNewScheduleReport(HWND dialog, ScheduleEvent* event);
// The browse (file) or login (ftp) button: a chosen file becomes the
// destination; the login dialog gives the FTP path and, on OK, the event's
// user name and password. 1 when the destination or the login changed.
int BrowseScheduleTarget(HWND dialog, ScheduleEvent* event);
