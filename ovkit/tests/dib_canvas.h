// A 32-bit top-down memory DC for drawing tests: draw into Dc(), read pixels
// back with At() as COLORREF.
#pragma once
#include <windows.h>

namespace ovtest {

class DibCanvas {
  public:
    DibCanvas(int width, int height, COLORREF fill = RGB(0, 255, 0))
        : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<DWORD*>(bits);
        old_ = SelectObject(dc_, bitmap_);
        Fill(fill);
    }
    ~DibCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    void Fill(COLORREF colour) {
        RECT all = {0, 0, width_, height_};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    void Set(int x, int y, COLORREF colour) {
        GdiFlush();
        bits_[y * width_ + x] =
            (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }

  private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

} // namespace ovtest
