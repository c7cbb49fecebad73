#include "ovkit/bitmaps.h"
#include <cstdlib>
#include <initializer_list>

namespace {

// A memory DC holding bitmap for the life of the object.
class BitmapDC {
  public:
    BitmapDC(HDC reference, HBITMAP bitmap) : dc_(CreateCompatibleDC(reference)) {
        if (dc_ && bitmap)
            old_ = SelectObject(dc_, bitmap);
    }
    ~BitmapDC() {
        if (!dc_)
            return;
        if (old_)
            SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;
    HDC get() const { return dc_; }
    bool ok() const { return dc_ && old_; }

  private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

void UsePalette(HDC dc, HPALETTE palette) {
    if (palette) {
        SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
}

// Mono-to-colour copies give 1 bits the background colour and 0 bits the text
// colour: white and black here.
void BlackOnWhite(HDC dc) {
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
}

} // namespace

BOOL OVKIT_CALL OVKIT_DrawBitmap(HDC dc, int x, int y, int width, int height, int sx, int sy,
                                 HBITMAP bitmap, DWORD rop) {
    BitmapDC source(dc, bitmap);
    return source.ok() && BitBlt(dc, x, y, width, height, source.get(), sx, sy, rop);
}

BOOL OVKIT_CALL OVKIT_StretchBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap,
                                    DWORD rop) {
    int w = 0, h = 0;
    OVKIT_GetBitmapSize(bitmap, &w, &h);
    BitmapDC source(dc, bitmap);
    return source.ok() && StretchBlt(dc, x, y, width, height, source.get(), 0, 0, w, h, rop);
}

BOOL OVKIT_CALL OVKIT_Stretch256ColorBitmapWithOffsets(HDC dc, const RECT* destination,
                                                       const RECT* source, HBITMAP bitmap,
                                                       HPALETTE palette, DWORD rop) {
    if (!dc || !destination || !source)
        return FALSE;
    BitmapDC picture(dc, bitmap);
    if (!picture.ok())
        return FALSE;
    HPALETTE oldPalette = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    UsePalette(picture.get(), palette);
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    BOOL done =
        StretchBlt(dc, destination->left, destination->top, destination->right - destination->left,
                   destination->bottom - destination->top, picture.get(), source->left, source->top,
                   source->right - source->left, source->bottom - source->top, rop);
    SetStretchBltMode(dc, oldMode);
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
    return done;
}

void OVKIT_CALL OVKIT_GetBitmapSize(HBITMAP bitmap, int* width, int* height) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        info = BITMAP{};
    if (width)
        *width = info.bmWidth;
    if (height)
        *height = info.bmHeight;
}

BOOL OVKIT_CALL OVKIT_DrawTransparentBitmap(HDC dc, HBITMAP bitmap, HPALETTE palette, int x, int y,
                                            int sx, int sy, int width, int height, COLORREF key) {
    BitmapDC source(dc, bitmap);
    if (!source.ok() || width <= 0 || height <= 0)
        return FALSE;
    POINT size = {width, height};
    DPtoLP(source.get(), &size, 1);
    int w = size.x, h = size.y;
    HBITMAP maskBits = CreateBitmap(w, h, 1, 1, nullptr);
    HBITMAP inverseBits = CreateBitmap(w, h, 1, 1, nullptr);
    HBITMAP backBits = CreateCompatibleBitmap(dc, w, h);
    HBITMAP pictureBits = CreateCompatibleBitmap(dc, w, h);
    BOOL done = FALSE;
    if (maskBits && inverseBits && backBits && pictureBits) {
        BitmapDC mask(dc, maskBits), inverse(dc, inverseBits), back(dc, backBits),
            picture(dc, pictureBits);
        for (HDC each : {dc, source.get(), back.get(), picture.get()})
            if (palette && each != dc)
                UsePalette(each, palette);
        // The key colour becomes 1 in the mask.
        COLORREF oldBack = SetBkColor(source.get(), key);
        BitBlt(mask.get(), 0, 0, w, h, source.get(), sx, sy, SRCCOPY);
        SetBkColor(source.get(), oldBack);
        BitBlt(inverse.get(), 0, 0, w, h, mask.get(), 0, 0, NOTSRCCOPY);
        BitBlt(back.get(), 0, 0, w, h, dc, x, y, SRCCOPY);
        BitBlt(picture.get(), 0, 0, w, h, source.get(), sx, sy, SRCCOPY);
        BlackOnWhite(back.get());
        BlackOnWhite(picture.get());
        BitBlt(back.get(), 0, 0, w, h, mask.get(), 0, 0, SRCAND);
        BitBlt(picture.get(), 0, 0, w, h, inverse.get(), 0, 0, SRCAND);
        BitBlt(back.get(), 0, 0, w, h, picture.get(), 0, 0, SRCPAINT);
        HPALETTE oldPalette = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
        if (palette)
            RealizePalette(dc);
        done = BitBlt(dc, x, y, w, h, back.get(), 0, 0, SRCCOPY);
        if (oldPalette)
            SelectPalette(dc, oldPalette, FALSE);
    }
    for (HBITMAP made : {maskBits, inverseBits, backBits, pictureBits})
        if (made)
            DeleteObject(made);
    return done;
}

BOOL OVKIT_CALL OVKIT_DrawSubliminal(HDC dc, HDC target, int sx, int sy, int x, int y, int width,
                                     int height, HBITMAP bitmap, HPALETTE palette, HBRUSH brush) {
    BitmapDC source(dc, bitmap);
    if (!source.ok() || !target || width <= 0 || height <= 0)
        return FALSE;
    HBITMAP firstBits = CreateBitmap(width, height, 1, 1, nullptr);
    HBITMAP secondBits = CreateBitmap(width, height, 1, 1, nullptr);
    HBITMAP workBits = CreateCompatibleBitmap(dc, width, height);
    BOOL done = FALSE;
    if (firstBits && secondBits && workBits) {
        BitmapDC first(dc, firstBits), second(dc, secondBits), work(dc, workBits);
        UsePalette(source.get(), palette);
        UsePalette(work.get(), palette);
        RECT all = {0, 0, width, height};
        FillRect(work.get(), &all, brush);
        // White picture pixels become 1 in the first mask, 0 in the second.
        COLORREF oldBack = SetBkColor(source.get(), RGB(255, 255, 255));
        BitBlt(first.get(), 0, 0, width, height, source.get(), sx, sy, SRCCOPY);
        BitBlt(second.get(), 0, 0, width, height, source.get(), sx, sy, NOTSRCCOPY);
        SetBkColor(source.get(), oldBack);
        BlackOnWhite(work.get());
        COLORREF oldTargetBack = SetBkColor(target, RGB(255, 255, 255));
        COLORREF oldTargetText = SetTextColor(target, RGB(0, 0, 0));
        BitBlt(work.get(), 0, 0, width, height, first.get(), 0, 0, SRCAND);
        BitBlt(target, x, y, width, height, second.get(), 0, 0, SRCAND);
        done = BitBlt(target, x, y, width, height, work.get(), 0, 0, SRCPAINT);
        SetBkColor(target, oldTargetBack);
        SetTextColor(target, oldTargetText);
    }
    for (HBITMAP made : {firstBits, secondBits, workBits})
        if (made)
            DeleteObject(made);
    return done;
}
