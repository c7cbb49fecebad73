// Drawing the bar off-screen and copying it in one step.
#include <cstring>
#include <vector>

#include "bar_internal.h"
#include "options.h"
#include "ovkit/bitmaps.h"

namespace bandolet {

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

COLORREF Lighter(COLORREF c) {
    auto up = [](int v) { return v >= 239 ? v : v + 16; };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

void DrawWatermark(BandoletBar* bar, HDC dc, const RECT& rc) {
    if (!bar->watermark || !CurrentDisplay().more256)
        return;
    int w = bar->watermarkWidth < rc.right ? bar->watermarkWidth : rc.right;
    int y = (rc.bottom - bar->watermarkHeight) / 2;
    HBRUSH brush = CreateSolidBrush(Lighter(GetSysColor(COLOR_BTNFACE)));
    OVKIT_DrawSubliminal(dc, dc, 0, 0, 0, y, w, bar->watermarkHeight, bar->watermark, nullptr,
                         brush);
    DeleteObject(brush);
}

void DrawEdges(BandoletBar* bar, HDC dc, RECT rc) {
    DrawEdge(dc, &rc, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
    if (bar->options & BANDOLET_FRAME) {
        InflateRect(&rc, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
    }
}

// The arrow of a scroll button, drawn in the size of its bitmap: black when
// it can scroll, grey when it cannot.
void DrawArrow(HDC dc, const BandoletButton& b, bool down) {
    int w = 0, h = 0;
    OVKIT_GetBitmapSize(b.normal, &w, &h);
    int cx = (b.rect.left + b.rect.right) / 2 - (down ? 0 : 1);
    int cy = (b.rect.top + b.rect.bottom) / 2 - (down ? 0 : 1);
    int half = (h < w ? h : w) / 4 + 1;
    int dir = b.command == BANDOLET_CMD_SCROLL_LEFT ? -1 : 1;
    POINT tri[3] = {{cx - dir * half / 2, cy - half},
                    {cx - dir * half / 2, cy + half},
                    {cx + dir * half / 2 + dir, cy}};
    COLORREF c = b.enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
    HBRUSH brush = CreateSolidBrush(c);
    HPEN pen = CreatePen(PS_SOLID, 1, c);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Polygon(dc, tri, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawCaption(BandoletBar* bar, HDC dc, const BandoletButton& b, int shift) {
    char text[kTextSize];
    memcpy(text, b.caption, sizeof text);
    // The parent may put its own caption in; it gets a buffer of 256 bytes.
    SendMessageA(bar->parent, BANDOLET_MSG_CAPTION, b.command, reinterpret_cast<LPARAM>(text));
    text[kTextSize - 1] = '\0';
    RECT rc = {b.rect.left + shift, b.rect.bottom - 3 - bar->textHeight + shift,
               b.rect.right + shift, b.rect.bottom - 3 + shift};
    HGDIOBJ old = SelectObject(dc, bar->font);
    SetBkMode(dc, TRANSPARENT);
    UINT f = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_BOTTOM;
    if (b.enabled) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, text, -1, &rc, f);
    } else {
        OffsetRect(&rc, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, text, -1, &rc, f);
        OffsetRect(&rc, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextA(dc, text, -1, &rc, f);
    }
    SelectObject(dc, old);
}

// The picture's ink (pixels neither the key colour nor light) as a
// monochrome bitmap, ink black and the rest white; null when it cannot be read.
HBITMAP InkMask(HDC dc, HBITMAP picture, int w, int h) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(w) * h);
    if (GetDIBits(dc, picture, 0, h, pixels.data(), &info, DIB_RGB_COLORS) != h)
        return nullptr;
    int stride = ((w + 15) / 16) * 2; // monochrome rows are word-aligned
    std::vector<BYTE> bits(static_cast<size_t>(stride) * h, 0xFF);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const RGBQUAD& p = pixels[static_cast<size_t>(y) * w + x];
            bool key = p.rgbRed == 255 && p.rgbGreen == 0 && p.rgbBlue == 255;
            bool light = p.rgbRed * 3 + p.rgbGreen * 6 + p.rgbBlue >= 192 * 10;
            if (!key && !light)
                bits[static_cast<size_t>(y) * stride + x / 8] &= ~(0x80 >> (x % 8));
        }
    return CreateBitmap(w, h, 1, 1, bits.data());
}

// Paints the mask's black pixels in one colour, leaving the rest of dc alone.
void PaintInk(HDC dc, HDC maskDc, int x, int y, int w, int h, COLORREF colour) {
    constexpr DWORD kBrushWhereBlack = 0x00B8074A; // ((dest ^ brush) & mask) ^ brush
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(dc, brush);
    BitBlt(dc, x, y, w, h, maskDc, 0, 0, kBrushWhereBlack);
    SelectObject(dc, old);
    DeleteObject(brush);
}

// A disabled picture, embossed: its ink in the highlight colour one pixel
// right and down, then in the shadow colour in place.
void DrawEmbossed(HDC dc, HBITMAP picture, int x, int y, int w, int h) {
    HBITMAP mask = InkMask(dc, picture, w, h);
    if (!mask)
        return;
    HDC maskDc = CreateCompatibleDC(dc);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    PaintInk(dc, maskDc, x + 1, y + 1, w, h, GetSysColor(COLOR_BTNHIGHLIGHT));
    PaintInk(dc, maskDc, x, y, w, h, GetSysColor(COLOR_BTNSHADOW));
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    SelectObject(maskDc, oldMask);
    DeleteDC(maskDc);
    DeleteObject(mask);
}

HBITMAP PictureFor(BandoletBar* bar, const BandoletButton& b, bool hot) {
    if (!b.enabled)
        return b.disabled;
    if (!hot && b.rest)
        return b.rest;
    return b.normal;
}

void DrawButton(BandoletBar* bar, HDC dc, int index) {
    const BandoletButton& b = bar->buttons[index];
    bool hot = index == bar->hot;
    bool down = b.pressed && index == bar->pressed && hot;
    if (b.separator) {
        RECT line = {b.rect.left + 1, b.rect.top + 2, b.rect.left + 3, b.rect.bottom - 2};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        return;
    }
    if (b.scroll) {
        DrawArrow(dc, b, down);
    } else {
        int shift = down ? 2 : 0;
        HBITMAP picture = PictureFor(bar, b, hot);
        if (picture) {
            int w = bar->bitmapWidth, h = bar->bitmapHeight;
            int x = (b.rect.left + b.rect.right - w) / 2 + shift;
            int y = b.rect.top + ((bar->options & BANDOLET_SMALL) ? 5 : 3) + shift;
            if (b.shadow && b.enabled && !down)
                OVKIT_DrawTransparentBitmap(dc, b.shadow, nullptr, x + 3, y + 3, 0, 0, w, h, kKey);
            if (b.enabled)
                OVKIT_DrawTransparentBitmap(dc, picture, nullptr, x, y, 0, 0, w, h, kKey);
            else
                DrawEmbossed(dc, picture, x, y, w, h);
        }
        if (bar->options & BANDOLET_TEXT)
            DrawCaption(bar, dc, b, shift);
    }
    if ((b.enabled && hot) || (bar->options & BANDOLET_RAISED)) {
        RECT edge = b.rect;
        DrawEdge(dc, &edge, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
}

} // namespace

void PaintBar(BandoletBar* bar, HDC target) {
    RECT rc = {};
    GetClientRect(bar->window, &rc);
    HGDIOBJ old = nullptr;
    HDC dc = OVKIT_GetCompatibleBitmap(target, rc.right, rc.bottom, &old);
    if (!dc)
        return;
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawWatermark(bar, dc, rc);
    DrawEdges(bar, dc, rc);
    for (int i = 0; i < bar->count; ++i)
        if (!bar->buttons[i].hidden)
            DrawButton(bar, dc, i);
    BitBlt(target, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    HBITMAP bitmap = nullptr;
    OVKIT_DeleteBitmapAndHDC(&dc, &bitmap, &old);
}

} // namespace bandolet
