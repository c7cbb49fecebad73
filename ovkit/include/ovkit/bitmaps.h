// Loading, caching and drawing bitmaps on screens of 16, 256 or more colours.
//
// GDI failures give null or 0, and what a function made is freed again.
#pragma once
#include "ovkit/ovkit_base.h"

// The screen's colour count by depth (bits per pixel x planes): 2, 16, 256,
// 65536, 262144, 16777216, -1 for 32 bits and 0 for any other; the depth goes
// to *bits when bits is not null. Compare it only through the two helpers
// below: -1 and 0 are not small counts.
OVKIT_EXPORT(int) OVKIT_GetNumSysColors(int* bits);
// Whether a screen of that count and depth has more than 256 colours: 16 bits
// per pixel and more always do.
inline bool OVKIT_MoreThan256Colors(int count, int bits) {
    return bits >= 16 || count > 256;
}
// Whether it has fewer than 256 colours (the 16-colour look).
inline bool OVKIT_FewerThan256Colors(int count, int bits) {
    return bits > 0 && bits < 8 && count > 0 && count < 256;
}

// The device bitmap of resource id in module, made once and shared by every
// owner that asks; its palette (or null) to *palette when not null. Null when
// the tables are full or the resource is missing. Each owner releases its use
// with OVKIT_DestroyDlgBmp; the bitmap goes with the last owner.
OVKIT_EXPORT(HBITMAP)
OVKIT_GetBitmapHandleFromCache(HWND owner, UINT id, HINSTANCE module, HPALETTE* palette);
// Releases owner's use of the cached bitmap; the bitmap and its palette are
// deleted and the entry freed when no owner is left.
OVKIT_EXPORT(void) OVKIT_DestroyDlgBmp(HWND owner, UINT id, HINSTANCE module);
// Paints the cached bitmap (owner window) stretched over the window's client
// rectangle, colour-on-colour, with its palette realised. 1 when painted.
OVKIT_EXPORT(BOOL) OVKIT_Stretch256ColorBitmap(HWND window, HDC dc, UINT id, HINSTANCE module);
// A WM_PAINT handler: begin paint, OVKIT_Stretch256ColorBitmap, end paint.
OVKIT_EXPORT(void) OVKIT_DisplayDlgBmp(HWND window, UINT id, HINSTANCE module);
// A device bitmap of a .BMP file, drawn with the file's palette (made and
// given to *palette when palette is not null). Null when the file is missing
// or unreadable. The caller deletes the bitmap and the palette.
OVKIT_EXPORT(HBITMAP) OVKIT_Load256ColorBitmap(const char* path, HPALETTE* palette);

// Copies the bitmap's (sx, sy) part of width x height to (x, y).
OVKIT_EXPORT(BOOL)
OVKIT_DrawBitmap(HDC dc, int x, int y, int width, int height, int sx, int sy, HBITMAP bitmap,
                 DWORD rop);
// Draws the bitmap so that its pixels of the key colour leave the background
// visible, in one copy to dc (no flicker). palette may be null.
OVKIT_EXPORT(BOOL)
OVKIT_DrawTransparentBitmap(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y, int sx, int sy,
                            int width, int height, COLORREF key);
// Stretches the whole bitmap into the rectangle.
OVKIT_EXPORT(BOOL)
OVKIT_StretchBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, DWORD rop);
// Stretches the source part of the bitmap into the destination, with the
// palette (may be null) realised.
OVKIT_EXPORT(BOOL)
OVKIT_Stretch256ColorBitmapWithOffsets(HDC dc, const RECT* destination, const RECT* source,
                                       HBITMAP bitmap, HPALETTE palette, DWORD rop);
OVKIT_EXPORT(void) OVKIT_GetBitmapSize(HBITMAP bitmap, int* width, int* height);
// Moves and sizes dialog item id to frame the bitmap with one pixel on each
// side, centred in the item's old rectangle (the bitmap clipped to that
// rectangle less 2 pixels).
OVKIT_EXPORT(void) OVKIT_PrepareKarst(HWND dialog, int id, HBITMAP bitmap);

// Off-screen drawing: a new memory DC compatible with dc, holding a new bitmap
// of width x height (plain with the given planes and bits, or compatible with
// dc); the DC's old bitmap to *old. Returns the memory DC, null on failure.
// The new bitmap is the DC's current one; release both with
// OVKIT_DeleteBitmapAndHDC.
OVKIT_EXPORT(HDC)
OVKIT_GetStraightBitmap(HDC dc, int width, int height, UINT planes, UINT bits, HGDIOBJ* old);
OVKIT_EXPORT(HDC) OVKIT_GetCompatibleBitmap(HDC dc, int width, int height, HGDIOBJ* old);
// Selects *old back, deletes the bitmap (*bitmap, or the DC's current bitmap
// when that is null) and the DC, and clears the three variables.
OVKIT_EXPORT(void) OVKIT_DeleteBitmapAndHDC(HDC* dc, HBITMAP* bitmap, HGDIOBJ* old);

// Draws a faint image on target: where the bitmap's (sx, sy) part is white the
// brush shows, elsewhere the target stays. dc is the reference for the work
// bitmaps; palette may be null. With the library's pattern bitmap this greys a
// surface out.
OVKIT_EXPORT(BOOL)
OVKIT_DrawSubliminal(HDC dc, HDC target, int sx, int sy, int x, int y, int width, int height,
                     HBITMAP bitmap, HPALETTE palette, HBRUSH brush);
