// The toolbar library Bandolet: a button bar along the top of a host window,
// its options, the tip of the day and the splash dialog.
//
// Every function takes the parent window first and returns 0 or null when the
// parent has no bar, unless said otherwise.
#pragma once
#include <windows.h>

#ifdef BANDOLET_BUILD
#define BANDOLET_API __declspec(dllexport)
#else
#define BANDOLET_API
#endif
#define BANDOLET_EXPORT(type) extern "C" BANDOLET_API type WINAPI

// Option bits (BandoletOptions).
enum : DWORD {
    BANDOLET_SMALL = 0x1,
    BANDOLET_LARGE = 0x2,
    BANDOLET_TEXT = 0x4,
    BANDOLET_TOOLTIPS = 0x8,
    BANDOLET_FRAME = 0x10,
    BANDOLET_SEPARATORS = 0x20,
    BANDOLET_WATERMARK = 0x40,
    BANDOLET_HIGHLIGHT = 0x80,
    BANDOLET_SHADOWS = 0x100,
    BANDOLET_RAISED = 0x200,
    BANDOLET_SCROLLABLE = 0x400,
    BANDOLET_OWN_FILE = 0x800,
    BANDOLET_SUBSET = 0x80000000,
};

// Commands of the library itself.
enum : UINT {
    BANDOLET_CMD_SCROLL_LEFT = 19015,
    BANDOLET_CMD_SCROLL_RIGHT = 19016,
    BANDOLET_CMD_SEPARATOR = 19100,
    BANDOLET_CMD_OPTIONS_MENU = 19101,
    BANDOLET_CMD_SPLASH = 19102,
};

// Messages: bar to parent (wParam command id, lParam a 256-byte text buffer
// the parent may fill), and to the bar window.
enum : UINT {
    BANDOLET_MSG_CREATED = 8024,
    BANDOLET_MSG_CAPTION = 8025,
    BANDOLET_MSG_TOOLTIP = 8026,
    BANDOLET_MSG_ENABLE = 3031,    // wParam enable flag, lParam command id
    BANDOLET_MSG_ISENABLED = 3033, // lParam command id; the enabled flag
};

struct BandoletBar;

// A bar with the built-in buttons; options 0 reads TOOLBAR.INI.
BANDOLET_EXPORT(BandoletBar*) Bandolet_CreateDefaultBandolet(HWND parent, DWORD options);
// A bar of the given zero-terminated command ids; null when one is unknown.
BANDOLET_EXPORT(BandoletBar*)
Bandolet_CreateSubsetBandolet(HWND parent, const UINT* commands, DWORD options);
// A bar from lists (each null for the built-in set). Bitmap lists: resting
// form in highlight mode, large, large for 16 colours, large disabled, small,
// small disabled, shadow. Text lists: pairs of string id and module handle.
BANDOLET_EXPORT(BandoletBar*)
Bandolet_CreateBandolet(HWND parent, const UINT* highlight, const UINT* large, const UINT* large16,
                        const UINT* largeDisabled, const UINT* small, const UINT* smallDisabled,
                        const UINT* shadow, const UINT_PTR* captions, const UINT_PTR* tooltips,
                        const UINT* commands, DWORD options, UINT leftmost);
BANDOLET_EXPORT(void) Bandolet_DestroyBandolet(HWND parent);
// The count of commands without the library's own; 1 when the bar already
// shows them; else the parent gets a new subset bar.
BANDOLET_EXPORT(int) Bandolet_MatchButtons(HWND parent, const UINT* commands);
BANDOLET_EXPORT(int) Bandolet_EnableButton(HWND parent, UINT command, BOOL enable);
BANDOLET_EXPORT(BandoletBar*) Bandolet_SetOptions(HWND parent, DWORD options);
BANDOLET_EXPORT(int) Bandolet_Initmenu(HWND parent, HMENU menu);
BANDOLET_EXPORT(int) Bandolet_Command(HWND parent, UINT command);
BANDOLET_EXPORT(int) Bandolet_Palette(HWND parent, UINT message, HWND window);
BANDOLET_EXPORT(void) Bandolet_Resize(HWND parent);
BANDOLET_EXPORT(void) Bandolet_ResizeRect(HWND parent, const RECT* rect);
BANDOLET_EXPORT(void) Bandolet_Focus(HWND parent);
BANDOLET_EXPORT(HWND) Bandolet_GetToolbarHWND(HWND parent);
BANDOLET_EXPORT(int)
Bandolet_AddButton(HINSTANCE module, UINT highlight, UINT large, UINT large16, UINT largeDisabled,
                   UINT small, UINT smallDisabled, UINT shadow, UINT caption, UINT tooltip,
                   UINT command);
BANDOLET_EXPORT(int)
Bandolet_ChangeButtonText(HWND parent, UINT command, UINT caption, UINT tooltip, HINSTANCE module);
BANDOLET_EXPORT(BandoletBar*)
Bandolet_SetINIFilename(HWND parent, const char* file, DWORD options);
BANDOLET_EXPORT(void) Bandolet_TipOfTheDay(HWND parent);
// Shows the splash dialog; picture 0 and module 0 take the library's own,
// text null the credits. Returns the dialog's result (1).
BANDOLET_EXPORT(INT_PTR)
Bandolet_ShowSplash(HWND parent, UINT picture, HINSTANCE module, const char* text);
