// CBitmapButton's drawing: composed off-screen on the key colour, then copied
// so that key-coloured pixels leave the background as it was.
#include "ovkit/cbitmapbutton.h"

namespace {

const int kPictureSide = 32;
// Keeps the destination: the operation for the key-coloured pixels.
const DWORD kKeepDest = 0x00AA0029;

void DrawCaption(HDC dc, const char* caption, int width, int height, bool hover) {
    HFONT font = CBitmapButton::CreateCaptionFont();
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(hover ? COLOR_BTNTEXT : COLOR_HIGHLIGHT));
    RECT area = {2, 36, width - 2, height - 2};
    DrawTextA(dc, caption, -1, &area, DT_CENTER | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, old);
    DeleteObject(font);
}

} // namespace

// The caption is drawn on the key colour: smoothed edges would blend with it
// into fringes that the key no longer removes.
HFONT CBitmapButton::CreateCaptionFont() {
    return CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH, "Arial");
}

void CBitmapButton::DrawFace(HDC dc, int width, int height) {
    RECT all = {0, 0, width, height};
    HBRUSH key = CreateSolidBrush(kKeyColour);
    FillRect(dc, &all, key);
    DeleteObject(key);
    if (m_hBitmap) {
        HDC pictureDc = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(pictureDc, m_hBitmap);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, (width - 34) / 2 + 2, 4, kPictureSide, kPictureSide, pictureDc,
                   m_rcCell.left, m_rcCell.top, m_rcCell.right, m_rcCell.bottom, SRCCOPY);
        SelectObject(pictureDc, old);
        DeleteDC(pictureDc);
    }
    if (fText && m_szCaption[0])
        DrawCaption(dc, m_szCaption, width, height, m_bHover);
    if (m_bHover) {
        if (m_bPressed)
            ::DrawEdge(dc, &all, BDR_SUNKENOUTER, BF_RECT);
        else
            CWindow::DrawEdge(dc, &all, BDR_RAISEDINNER, BF_RECT | 0x1000);
    }
}

void CBitmapButton::Draw(void* dc) {
    HDC target = static_cast<HDC>(dc);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    HDC face = CreateCompatibleDC(target);
    HBITMAP faceBitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldFace = SelectObject(face, faceBitmap);
    DrawFace(face, width, height);
    // The mask: 1 where the face shows the key colour.
    HDC maskDc = CreateCompatibleDC(target);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetBkColor(face, kKeyColour);
    BitBlt(maskDc, 0, 0, width, height, face, 0, 0, SRCCOPY);
    SelectObject(maskDc, oldMask);
    DeleteDC(maskDc);
    MaskBlt(target, 0, 0, width, height, face, 0, 0, mask, 0, 0, MAKEROP4(kKeepDest, SRCCOPY));
    DeleteObject(mask);
    SelectObject(face, oldFace);
    DeleteObject(faceBitmap);
    DeleteDC(face);
}
