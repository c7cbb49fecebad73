// CWindow's static helpers: the message pump, the thin edge and the mask blit.
#include "ovkit/cwindow.h"
#include <initializer_list>

namespace {

// A memory DC holding a bitmap compatible with another DC; frees both.
class MemoryCanvas {
  public:
    MemoryCanvas(HDC like, int width, int height)
        : dc_(CreateCompatibleDC(like)), bitmap_(CreateCompatibleBitmap(like, width, height)) {
        if (dc_ && bitmap_)
            old_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryCanvas() {
        if (old_)
            SelectObject(dc_, old_);
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool Ok() const { return old_ != nullptr; }
    HDC Dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_ = nullptr;
};

// The ternary operation whose index (bits 16..23) is given, as BitBlt takes it.
DWORD Rop3FromIndex(DWORD index) {
    return (index & 0xFF) << 16;
}

// Dest AND NOT source: keeps the destination where a monochrome source is 0.
const DWORD kDestAndNotSource = 0x00220326;

void LineBetween(HDC dc, HPEN pen, const POINT* points, int count) {
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, points, count);
    SelectObject(dc, old);
}

} // namespace

void CWindow::PeekMessageA() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int CWindow::DrawEdge(void* dc, RECT* rect, int edge, int flags) {
    HDC hdc = static_cast<HDC>(dc);
    if (!(flags & 0x1000)) {
        ::DrawEdge(hdc, rect, edge, flags & ~0x1000);
        return 1;
    }
    // The bottom and right lines lie on the rectangle's last row and column,
    // so that the whole edge stays inside it.
    const RECT& r = *rect;
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    const POINT lightLine[3] = {{r.right - 1, r.top}, {r.left, r.top}, {r.left, r.bottom - 1}};
    const POINT darkLine[3] = {
        {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top}};
    LineBetween(hdc, light, lightLine, 3);
    LineBetween(hdc, dark, darkLine, 3);
    DeleteObject(light);
    DeleteObject(dark);
    return 1;
}

int CWindow::MaskBlt(void* dc, int x, int y, int width, int height, void* srcDc, int xSrc, int ySrc,
                     void* mask, int xMask, int yMask, unsigned long rop) {
    HDC target = static_cast<HDC>(dc);
    HDC source = static_cast<HDC>(srcDc);
    const DWORD fore = rop & 0x00FFFFFF;
    const DWORD back = Rop3FromIndex(rop >> 24);
    if (!mask)
        return BitBlt(target, x, y, width, height, source, xSrc, ySrc, fore) ? 1 : 0;

    MemoryCanvas front(target, width, height);
    MemoryCanvas rear(target, width, height);
    HDC maskDc = CreateCompatibleDC(target);
    if (!front.Ok() || !rear.Ok() || !maskDc) {
        if (maskDc)
            DeleteDC(maskDc);
        return 0;
    }
    HGDIOBJ oldMask = SelectObject(maskDc, static_cast<HBITMAP>(mask));
    // Both results start from the destination as it is.
    BitBlt(front.Dc(), 0, 0, width, height, target, x, y, SRCCOPY);
    BitBlt(rear.Dc(), 0, 0, width, height, target, x, y, SRCCOPY);
    BitBlt(front.Dc(), 0, 0, width, height, source, xSrc, ySrc, fore);
    BitBlt(rear.Dc(), 0, 0, width, height, source, xSrc, ySrc, back);
    // A monochrome mask drawn into colour: 1 bits white, 0 bits black.
    for (HDC canvas : {front.Dc(), rear.Dc()}) {
        SetTextColor(canvas, RGB(0, 0, 0));
        SetBkColor(canvas, RGB(255, 255, 255));
    }
    BitBlt(front.Dc(), 0, 0, width, height, maskDc, xMask, yMask, SRCAND);
    BitBlt(rear.Dc(), 0, 0, width, height, maskDc, xMask, yMask, kDestAndNotSource);
    BitBlt(front.Dc(), 0, 0, width, height, rear.Dc(), 0, 0, SRCPAINT);
    BitBlt(target, x, y, width, height, front.Dc(), 0, 0, SRCCOPY);
    SelectObject(maskDc, oldMask);
    DeleteDC(maskDc);
    return 1;
}
