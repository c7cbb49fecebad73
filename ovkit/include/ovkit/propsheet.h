// ovkit's own property sheet: a modeless tabbed sheet built inside a
// caller's window from the common-controls header and page records.
//
// The sheet returns at once; the caller's message loop passes each message
// through IsPropertySheetMessage first. OK and Cancel reach the header's
// hwndParent as WM_COMMAND with IDOK or IDCANCEL (lParam 0) after the pages
// were asked (PSN_APPLY, PSN_RESET). One sheet at a time in a process.
#pragma once
#include "ovkit/ovkit_base.h"
#include <commctrl.h>
#include <prsht.h>

// Builds and shows the sheet; pages are always records (ppsp), their tab text
// is each page dialog's own caption. With PSH_USEPSTARTPAGE the page whose
// caption equals pStartPage (any letter case) comes first, the first page
// when none does. A page whose template cannot be loaded or whose dialog
// cannot be made is left out. With PSP_DLGINDIRECT the caller's template is
// made a child template in place. Returns the sheet's window, null when it
// could not be made.
OVKIT_EXPORT(HWND) OVKIT_PropertySheet(LPCPROPSHEETHEADERA header);

// Handles the keyboard for the sheet: Tab and Shift+Tab move round the tab
// control, the page's controls, OK, Cancel and Help; everything else goes to
// the shown page's dialog manager. Non-zero when the message was handled
// (the caller then neither translates nor dispatches it), 0 otherwise.
OVKIT_EXPORT(BOOL) IsPropertySheetMessage(HWND sheet, MSG* message);
