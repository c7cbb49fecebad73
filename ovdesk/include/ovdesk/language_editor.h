// The report-language editor alone in a sheet of its own, for hosts that
// want it without the options sheet (which holds it as its Language page).
#pragma once
#include "ovdesk/host_interface.h"

// Runs the sheet modally over owner; the sheet's result, -1 when it cannot
// be shown.
OVDESK_HOST_API INT_PTR __cdecl ShowLanguageEditorSheet(HWND owner);
