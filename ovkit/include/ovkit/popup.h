// The quick-help popup ("Ostrevane Popup"): a small tool-tip window that
// closes itself after [RepaintInfoSection] QuickHelpDuration.
#pragma once
#include "ovkit/ovkit_base.h"

// Filled by OVKIT_CreatePopupWindow; owned by the caller, who keeps it alive
// while the popup is open.
struct OvkitPopupRecord {
    char text[256]; // the text shown (at most 255 characters kept)
    HFONT font;     // the library font
    HBRUSH brush;   // the library's pattern brush
    WORD timerFlag; // non-zero while the close timer runs
};
#if !defined(_WIN64)
static_assert(sizeof(OvkitPopupRecord) == 268, "popup record layout");
#endif

// Flags of OVKIT_CreatePopupWindow.
enum : int {
    OVKIT_POPUP_CENTRE_X = 1,     // x is the popup's horizontal centre
    OVKIT_POPUP_CENTRE_Y = 2,     // y is its vertical centre
    OVKIT_POPUP_NOT_NEGATIVE = 4, // negative coordinates become 0
};

// The timer ids: the owner's hover timer, and the popup's own close timer.
enum : UINT { OVKIT_HOVER_TIMER = 10000, OVKIT_POPUP_CLOSE_TIMER = 10001 };

// Creates and shows (without activating) a popup owned by owner with the text
// at (x, y), moved so that it ends inside the screen. unused is not read.
// Returns the window; null when it could not be made.
OVKIT_EXPORT(HWND)
OVKIT_CreatePopupWindow(HWND owner, LPARAM unused, const char* text, int x, int y, int flags,
                        OvkitPopupRecord* record);

// When *hoverTimerFlag is set, stops the owner's timer 10000 and clears the
// flag; destroys the popup in *popup and clears the variable; updates the
// owner and its parent. Either address may be null.
OVKIT_EXPORT(void) OVKIT_DestroyPopup(HWND owner, HWND* popup, WORD* hoverTimerFlag);
