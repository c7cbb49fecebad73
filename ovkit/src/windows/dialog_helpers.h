// Helpers of the library's own dialogs. Private to ovkit.
#pragma once
#include <windows.h>

// Centres window over reference (the work area when null) and keeps it inside
// the work area.
void CenterWindowInWorkArea(HWND window, HWND reference);
// An 8-point font from the default GUI font (else the ANSI variable font),
// weight 400, and a copy of weight 700; the Japanese character set for a
// Japanese user. 1 when both exist (the caller deletes them); 0 with neither.
BOOL CreateDialogFonts(HWND window, HFONT* normal, HFONT* bold);
// Gives every child the normal font; static controls with SS_NOPREFIX the bold.
void SetChildFonts(HWND window, HFONT normal, HFONT bold);
// MessageBoxA that adds the exclamation icon when type names none and its
// buttons are OK, OK/Cancel, Yes/No/Cancel or Yes/No.
int IconMessageBox(HWND owner, const char* text, const char* caption, UINT type);
