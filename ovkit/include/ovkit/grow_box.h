// The grow box: a size grip that a dialog places in its bottom-right corner,
// painted as diagonal ridges and fixed in place once subclassed.
#pragma once
#include "ovkit/ovkit_base.h"

// Paints the grip over the window's client area into the DC.
OVKIT_EXPORT(void) OVKIT_PaintGrowBox(HWND window, HDC dc);
// Shows or hides the grip, the dialog's item itemId (the window itself when
// itemId is 0), and repaints the dialog round it. Returns 1, 0 when the
// grip does not exist.
OVKIT_EXPORT(int) OVKIT_ShowGrowBox(HWND dialog, int itemId, int showCommand);
// Makes the window a square (side: the larger of its width and height, its
// position kept) and subclasses it: it paints itself as a grip, shows the
// diagonal size cursor and can no longer be moved or sized. The previous
// window procedure is kept in the window's GWLP_USERDATA and put back at
// WM_DESTROY. Returns 1, 0 when the window does not exist or is already a
// grip.
OVKIT_EXPORT(int) OVKIT_SubclassGrowBox(HWND window);
