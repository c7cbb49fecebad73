// Static controls subclassed to paint bitmaps, and push buttons drawn as a
// large icon over a caption.
#pragma once
#include "ovkit/ovkit_base.h"

// One subclassed window: its saved window procedure and two data words. 20 of
// them; an entry is free again when its window no longer exists.
struct OVKIT_SubclassEntry {
    HWND window;
    WNDPROC savedProc;
    LONG_PTR data[2];
};
#ifndef _WIN64
static_assert(sizeof(OVKIT_SubclassEntry) == 16, "OVKIT_SubclassEntry is 16 bytes");
#endif

// Messages a subclassed static bitmap posts to its parent, with the control's
// handle as first parameter.
enum {
    OVKIT_WM_STATIC_LBUTTONDOWN = 6024,
    OVKIT_WM_STATIC_MBUTTONDOWN = 6025,
    OVKIT_WM_STATIC_RBUTTONDOWN = 6026,
    OVKIT_WM_STATIC_LBUTTONUP = 6027,
    OVKIT_WM_STATIC_MBUTTONUP = 6028,
    OVKIT_WM_STATIC_RBUTTONUP = 6029,
};

// Makes the static control paint its image with magenta (FF00FF) transparent
// over the button face, and post its mouse buttons to its parent. 1 when
// subclassed, 0 when the table is full or the window is none.
OVKIT_EXPORT(BOOL) OVKIT_SubclassStaticBitmap(HWND control);
// Makes the control paint the cached bitmap (id, module) stretched over its
// client area after its own painting. 1 when subclassed, 0 when full.
OVKIT_EXPORT(BOOL) OVKIT_SubclassFancyBitmap(HWND control, UINT id, HINSTANCE module);
// Restores the window's own procedure and frees its entry.
OVKIT_EXPORT(void) OVKIT_UnsubclassWindow(HWND window);
// The saved procedure, or the entry; null when the window is not subclassed.
OVKIT_EXPORT(WNDPROC) OVKIT_GetSubclassedWndProc(HWND window);
OVKIT_EXPORT(OVKIT_SubclassEntry*) OVKIT_GetSubclassDataPtr(HWND window);

// One owner-drawn button with its 32 x 32 icon. 50 of them; an entry is free
// again when its window no longer exists.
struct OVKIT_CustomButton {
    HWND window;
    HICON icon;
};
// Enters the button with icon id of module (loaded now) and returns the icon;
// null, and nothing entered, when all 50 entries are used or the icon is
// missing.
OVKIT_EXPORT(HICON) OVKIT_CreateCustomButton(HWND button, UINT iconId, HINSTANCE module);
// Destroys the button's icon and frees its entry.
OVKIT_EXPORT(void) OVKIT_DestroyCustomButton(HWND button);
// The button's entry, or null.
OVKIT_EXPORT(OVKIT_CustomButton*) OVKIT_GetButtonInfoPtr(HWND button);
// Owner-draw of an entered button: icon over a word-wrapped caption, black
// frame, bevel (sunk when selected or when it is pressedWindow), focus marks,
// greyed when disabled. Other controls and buttons not entered are left alone.
OVKIT_EXPORT(void) OVKIT_DrawCustomButton(const DRAWITEMSTRUCT* item, HWND pressedWindow);
