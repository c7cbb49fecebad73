// The progress bar control ("Ostrevane Progress Bar"), the library's ready-made
// modeless progress dialog around it, and the functions that open and close
// modeless dialogs.
#pragma once
#include "ovkit/ovkit_base.h"

// Messages of the progress bar (each returns 0 and repaints at once). The
// progress dialog passes the first five on to its bar.
enum : UINT {
    OVKIT_PB_SETPOS = 2024,   // wParam: position; taken when 0 or beyond the current one
    OVKIT_PB_SETTOTAL = 2025, // wParam: the value that means 100 per cent
    OVKIT_PB_SETFONT = 2027,  // lParam: HFONT to draw with
    OVKIT_PB_SETSTYLE = 2028, // wParam: style word; OVKIT_PB_OWNFONT
    OVKIT_PB_SETTEXT = 2029,  // lParam: wsprintfA format for the percentage (at most 255 kept)
    OVKIT_PB_RESTART = 2123,  // wParam: position against a total of 100; lParam: format or null
};
// Style bit: the bar owns its font and deletes it when destroyed.
enum : WORD { OVKIT_PB_OWNFONT = 2 };

// Creates a progress bar inside the dialog item (inset 1 pixel, the item as
// parent) with the font and text format. Returns the bar; null when it could
// not be made.
OVKIT_EXPORT(HWND) OVKIT_CreateProgressBar(HWND dialog, int itemId, HFONT font, const char* format);

// Opens the library's progress dialog modeless, owned by parent (disabled
// meanwhile): title, message text, percentage format, show command and the
// caller's cancel flag, which is cleared now and set to 1 by Cancel. Returns
// the dialog; null when it could not be made. One at a time per process.
OVKIT_EXPORT(HWND)
OVKIT_OpenProgressBar(HWND parent, const char* title, const char* message, const char* format,
                      int show, int* cancelFlag);

// Creates a modeless dialog from template templateId of module with the
// procedure and init parameter, shows it with show. With ownAndDisable the
// parent owns it and is disabled. Without runLoop returns the dialog (null
// when not made); with runLoop runs a message loop until the dialog is gone,
// enables the parent and returns null.
OVKIT_EXPORT(HWND)
OVKIT_CreateModeless(HWND parent, DLGPROC procedure, int templateId, HINSTANCE module,
                     LPARAM initParam, int show, BOOL runLoop, BOOL ownAndDisable);

// Enables the parent, destroys the dialog in *dialog (when there is one) and
// clears the variable, gives the parent the focus and updates it.
OVKIT_EXPORT(void) OVKIT_DestroyModeless(HWND parent, HWND* dialog);
