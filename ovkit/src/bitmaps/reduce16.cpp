// Reduction of a picture to the 16 standard colours for 16-colour screens:
// each row left to right, the error of every channel carried to the next
// pixel (and from a row's last pixel to the next row's first).
#include "packed_dib.h"
#include <cstring>

const RGBQUAD kStandardColors[16] = {
    {0, 0, 0, 0},          {0, 0, 0x80, 0},    {0, 0x80, 0, 0},    {0, 0x80, 0x80, 0},
    {0x80, 0, 0, 0},       {0x80, 0, 0x80, 0}, {0x80, 0x80, 0, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0x80, 0x80, 0x80, 0}, {0, 0, 0xFF, 0},    {0, 0xFF, 0, 0},    {0, 0xFF, 0xFF, 0},
    {0xFF, 0, 0, 0},       {0xFF, 0, 0xFF, 0}, {0xFF, 0xFF, 0, 0}, {0xFF, 0xFF, 0xFF, 0},
};

namespace {

const int kCloseEnough = 0x3000;

int Clamp255(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Nearest standard colour: the first within kCloseEnough, else the nearest.
BYTE Nearest(int r, int g, int b) {
    int best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < 16; ++i) {
        int dr = r - kStandardColors[i].rgbRed;
        int dg = g - kStandardColors[i].rgbGreen;
        int db = b - kStandardColors[i].rgbBlue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance <= kCloseEnough)
            return static_cast<BYTE>(i);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<BYTE>(best);
}

// Memo of nearest colours by the top 5 bits of each channel.
class NearestMemo {
  public:
    NearestMemo() : table_(32768, 0xFF) {}
    BYTE Find(int r, int g, int b) {
        int index = (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
        if (table_[index] == 0xFF)
            table_[index] = Nearest(r, g, b);
        return table_[index];
    }

  private:
    std::vector<BYTE> table_;
};

int Damp(int wanted) {
    return wanted < -32 || wanted > 32 ? (wanted * 3) >> 2 : wanted;
}

RGBQUAD SourcePixel(const BITMAPINFOHEADER* h, const BYTE* row, int x) {
    if (h->biBitCount == 24)
        return {row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 0};
    const RGBQUAD* table =
        reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(h) + h->biSize);
    int index = row[x];
    return index < DibColorCount(h) ? table[index] : RGBQUAD{0, 0, 0, 0};
}

} // namespace

std::vector<BYTE> DibReduceTo16Colors(const BITMAPINFOHEADER* h) {
    int width = h->biWidth;
    int height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
    bool readable = h->biCompression == BI_RGB && (h->biBitCount == 8 || h->biBitCount == 24);
    if (!readable || width < 3 || height < 3)
        return {};
    int outRow = DibRowBytes(width, 4);
    std::vector<BYTE> out(sizeof(BITMAPINFOHEADER) + sizeof kStandardColors + outRow * height);
    BITMAPINFOHEADER* o = reinterpret_cast<BITMAPINFOHEADER*>(out.data());
    *o = BITMAPINFOHEADER{};
    o->biSize = sizeof *o;
    o->biWidth = width;
    o->biHeight = h->biHeight;
    o->biPlanes = 1;
    o->biBitCount = 4;
    o->biCompression = BI_RGB;
    o->biClrUsed = 16;
    std::memcpy(out.data() + sizeof *o, kStandardColors, sizeof kStandardColors);
    BYTE* pixels = out.data() + sizeof *o + sizeof kStandardColors;

    NearestMemo memo;
    int carried[3] = {0, 0, 0}; // blue, green, red
    int inRow = DibRowBytes(width, h->biBitCount);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = DibBits(h) + static_cast<size_t>(y) * inRow;
        BYTE* dest = pixels + static_cast<size_t>(y) * outRow;
        for (int x = 0; x < width; ++x) {
            RGBQUAD p = SourcePixel(h, row, x);
            int wanted[3] = {p.rgbBlue + carried[0], p.rgbGreen + carried[1],
                             p.rgbRed + carried[2]};
            BYTE chosen = memo.Find(Clamp255(wanted[2]), Clamp255(wanted[1]), Clamp255(wanted[0]));
            const RGBQUAD& c = kStandardColors[chosen];
            carried[0] = Damp(wanted[0]) - c.rgbBlue;
            carried[1] = Damp(wanted[1]) - c.rgbGreen;
            carried[2] = Damp(wanted[2]) - c.rgbRed;
            // Two pixels a byte, the first in the high half.
            dest[x / 2] |= (x % 2) ? chosen : static_cast<BYTE>(chosen << 4);
        }
    }
    return out;
}
