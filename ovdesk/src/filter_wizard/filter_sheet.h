// The filter sheet as the wizard's entry points run it.
#pragma once
#include <windows.h>
#include "ovcore/ovcore.h"

// Wizard (wizard nonzero): *filter must be null and profile given; on Finish
// *filter is the new filter (the caller's to link and free), else null.
// Edit: *filter is edited in place. 1 when finished or OK, 0 when
// cancelled, -1 when the sheet could not be shown (or one is open already).
INT_PTR FilterSheet(HWND owner, ProfileFilter** filter, AnalysisProfile* profile, int wizard);
