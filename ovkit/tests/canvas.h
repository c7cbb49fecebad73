// A 32-bpp memory DC for tests that read back what was drawn.
#pragma once
#include <windows.h>
#include <functional>

namespace ovkittest {

// A top-down 32-bpp DIB section; its pixels to *bits.
inline HBITMAP Dib32(HDC dc, int w, int h, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Draw into dc(), read pixels back with At() as COLORREF. Starts in fill.
class Canvas {
  public:
    Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) : w_(w), h_(h) {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = Dib32(dc_, w, h, &bits_);
        old_ = SelectObject(dc_, bitmap_);
        Fill(fill);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    void Fill(COLORREF c) {
        RECT all = {0, 0, w_, h_};
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD p = static_cast<const DWORD*>(bits_)[y * w_ + x];
        return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
    }
    void Set(int x, int y, COLORREF c) {
        GdiFlush();
        static_cast<DWORD*>(bits_)[y * w_ + x] =
            GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
    int Count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                n += At(x, y) == c;
        return n;
    }

  private:
    int w_, h_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

// A 32-bpp bitmap (not selected anywhere) of the given pixels; the caller
// deletes it.
inline HBITMAP PaintedBitmap(int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    void* bits = nullptr;
    HBITMAP bitmap = Dib32(nullptr, w, h, &bits);
    DWORD* p = static_cast<DWORD*>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = pixel(x, y);
            p[y * w + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        }
    return bitmap;
}

} // namespace ovkittest
