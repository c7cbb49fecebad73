#include "packed_dib.h"
#include <cstdlib>

int DibColorCount(const BITMAPINFOHEADER* h) {
    if (h->biClrUsed)
        return static_cast<int>(h->biClrUsed);
    if (h->biBitCount <= 8)
        return 1 << h->biBitCount;
    return h->biCompression == BI_BITFIELDS ? 3 : 0;
}

int DibRowBytes(int width, int bits) {
    return ((width * bits + 31) / 32) * 4;
}

const BYTE* DibBits(const BITMAPINFOHEADER* h) {
    return reinterpret_cast<const BYTE*>(h) + h->biSize + DibColorCount(h) * sizeof(RGBQUAD);
}

bool DibIsComplete(const BITMAPINFOHEADER* h, size_t size) {
    if (size < sizeof(BITMAPINFOHEADER) || h->biSize < sizeof(BITMAPINFOHEADER) ||
        h->biWidth <= 0 || h->biHeight == 0 || h->biPlanes != 1 || h->biClrUsed > 256)
        return false;
    size_t table = h->biSize + DibColorCount(h) * sizeof(RGBQUAD);
    if (h->biCompression != BI_RGB && h->biCompression != BI_BITFIELDS)
        return table <= size; // compressed: the system checks the pixels
    size_t pixels = static_cast<size_t>(DibRowBytes(h->biWidth, h->biBitCount)) *
                    static_cast<size_t>(std::abs(h->biHeight));
    return table + pixels <= size;
}

HPALETTE DibPalette(const BITMAPINFOHEADER* h) {
    if (h->biBitCount > 8)
        return nullptr;
    int count = DibColorCount(h);
    const RGBQUAD* table =
        reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(h) + h->biSize);
    std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        logical->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return CreatePalette(logical);
}

HBITMAP DibToDeviceBitmap(const BITMAPINFOHEADER* h, HPALETTE palette) {
    HDC screen = GetDC(nullptr);
    HPALETTE old = palette ? SelectPalette(screen, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(screen);
    HBITMAP bitmap = CreateDIBitmap(screen, h, CBM_INIT, DibBits(h),
                                    reinterpret_cast<const BITMAPINFO*>(h), DIB_RGB_COLORS);
    if (old)
        SelectPalette(screen, old, FALSE);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
