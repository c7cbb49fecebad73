// The quick-help popup as the button bar opens and closes it. Private to
// ovkit; one popup at a time, since the mouse is over one bar at a time.
#pragma once
#include <windows.h>

// Opens a popup with text owned by owner, centred horizontally on x, its top
// at y. Returns its window, null when none could be made.
HWND OvkitOpenQuickHelp(HWND owner, const char* text, int x, int y);
// Stops owner's hover timer when *timerFlag is set (clearing it), destroys
// *popup and clears the variable.
void OvkitCloseQuickHelp(HWND owner, HWND* popup, WORD* timerFlag);
