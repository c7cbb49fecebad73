#include "ovkit/bitmaps.h"

namespace {

HDC SelectInto(HDC dc, HBITMAP bitmap, HGDIOBJ* old) {
    HDC memory = bitmap ? CreateCompatibleDC(dc) : nullptr;
    if (!memory) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (old)
        *old = previous;
    return memory;
}

} // namespace

HDC OVKIT_CALL OVKIT_GetStraightBitmap(HDC dc, int width, int height, UINT planes, UINT bits,
                                       HGDIOBJ* old) {
    return SelectInto(dc, CreateBitmap(width, height, planes, bits, nullptr), old);
}

HDC OVKIT_CALL OVKIT_GetCompatibleBitmap(HDC dc, int width, int height, HGDIOBJ* old) {
    // Compatible with the caller's DC, not with the new memory DC (which is monochrome).
    return SelectInto(dc, CreateCompatibleBitmap(dc, width, height), old);
}

void OVKIT_CALL OVKIT_DeleteBitmapAndHDC(HDC* dc, HBITMAP* bitmap, HGDIOBJ* old) {
    HBITMAP made = bitmap ? *bitmap : nullptr;
    if (dc && *dc) {
        if (!made)
            made = static_cast<HBITMAP>(GetCurrentObject(*dc, OBJ_BITMAP));
        if (old && *old)
            SelectObject(*dc, *old);
        DeleteDC(*dc);
    }
    if (made)
        DeleteObject(made);
    if (dc)
        *dc = nullptr;
    if (bitmap)
        *bitmap = nullptr;
    if (old)
        *old = nullptr;
}

void OVKIT_CALL OVKIT_PrepareKarst(HWND dialog, int id, HBITMAP bitmap) {
    HWND item = GetDlgItem(dialog, id);
    RECT r;
    if (!item || !GetWindowRect(item, &r))
        return;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    int width = 0, height = 0;
    OVKIT_GetBitmapSize(bitmap, &width, &height);
    int roomW = r.right - r.left - 2, roomH = r.bottom - r.top - 2;
    if (width > roomW)
        width = roomW;
    if (height > roomH)
        height = roomH;
    int frameW = width + 2, frameH = height + 2;
    MoveWindow(item, r.left + (r.right - r.left - frameW) / 2,
               r.top + (r.bottom - r.top - frameH) / 2, frameW, frameH, TRUE);
}
