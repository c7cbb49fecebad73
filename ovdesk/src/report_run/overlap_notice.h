// The "Log File Times Overlap" notice a run shows when the engine combined
// overlapping log files, unless the profile asked not to be told again.
#pragma once
#include "desk_types.h"

// Runs the notice modally for the profile; the dialog's result (1 after OK).
INT_PTR ShowOverlapNotice(HWND owner, AnalysisProfile* profile);
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    OverlappedFilesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
