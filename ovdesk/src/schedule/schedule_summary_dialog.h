// Dialog 740 "Schedule Report": edits the event an entry points at.
#pragma once
#include "ovdesk/host_interface.h"

// The dialog procedure; its initialisation parameter is a ScheduleListEntry
// whose Event is the record to edit (changed in place, also on Cancel, so
// callers hand it a copy). Ends with 1 on Save, 2 on Cancel.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    SchedulerEditSummaryDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// 1 when an event with RepeatIncrement 0 whose Time is not after now is to
// be stored inactive: it has nothing left to run.
int IsScheduleEventSpent(const ScheduleEvent* event, DWORD now);
// SchedulerAddDlg, the host's add-event dialog, is declared in
// ovdesk/host_interface.h.
