#include "bitmaps/color_depth.h"
#include "iebuttons_draw.h"
#include "ovkit/bitmaps.h"
#include "ovkit/startup.h"
#include "ovkit/strutil.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);

BYTE Brighten(BYTE channel) {
    return channel < 239 ? static_cast<BYTE>(channel + 16) : channel;
}

void Faint(HDC dc, const IEButtonsBar* bar, const RECT& area, int left) {
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    HBRUSH brush = CreateSolidBrush(
        RGB(Brighten(GetRValue(face)), Brighten(GetGValue(face)), Brighten(GetBValue(face))));
    OVKIT_DrawSubliminal(dc, dc, left, 0, 0, 0, area.right, area.bottom, bar->background, nullptr,
                         brush);
    DeleteObject(brush);
}

void Frame(HDC dc, const RECT& r, bool raised) {
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, raised ? light : dark);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, raised ? dark : light);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
}

void Caption(HDC dc, const IEButtonsBar* bar, const IEButton& button, const RECT& area, int shift) {
    const char* text = OVKIT_GetString(button.captionId, button.module, nullptr);
    if (!text[0])
        return;
    HGDIOBJ old = SelectObject(dc, bar->captionFont);
    SetBkMode(dc, TRANSPARENT);
    bool disabled = button.state == OVKIT_IEB_DISABLED;
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT place = {shift, bar->pictureY + bar->cellHeight + shift, area.right + shift,
                  area.bottom + shift};
    DrawTextA(dc, text, -1, &place, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

} // namespace

void IeBarDrawButton(const IEButtonsBar* bar, int index, HDC dc) {
    const IEButton& button = bar->buttons[index];
    RECT area = {0, 0, button.rect.right - button.rect.left, button.rect.bottom - button.rect.top};
    HGDIOBJ oldBitmap = nullptr;
    HDC work = OVKIT_GetCompatibleBitmap(dc, area.right, area.bottom, &oldBitmap);
    if (!work)
        return;
    if (bar->palette) {
        SelectPalette(work, bar->palette, FALSE);
        RealizePalette(work);
    }
    FillRect(work, &area, GetSysColorBrush(COLOR_BTNFACE));
    bool rich = OvkitScreenMoreThan256();
    if (rich && bar->background && OvkitGetDisplaySettings().drawSubliminals)
        Faint(work, bar, area, button.rect.left);

    int cellX = index * bar->cellWidth;
    int disabledRow = 2 * bar->cellHeight;
    if (!OvkitScreenFewerThan256()) {
        HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
        OVKIT_DrawSubliminal(work, work, cellX, disabledRow, bar->pictureX + 2, bar->pictureY + 2,
                             bar->cellWidth, bar->cellHeight, bar->picture, bar->palette, shadow);
    }
    int shift = button.state == OVKIT_IEB_HOT ? -1 : (button.state == OVKIT_IEB_PRESSED ? 1 : 0);
    int row = button.state == OVKIT_IEB_DISABLED ? disabledRow : 0;
    OVKIT_DrawTransparentBitmap(work, bar->picture, bar->palette, bar->pictureX + shift,
                                bar->pictureY + shift, cellX, row, bar->cellWidth, bar->cellHeight,
                                kKey);
    if (button.state == OVKIT_IEB_HOT || button.state == OVKIT_IEB_PRESSED)
        Frame(work, area, button.state == OVKIT_IEB_HOT);
    Caption(work, bar, button, area, shift);
    BitBlt(dc, button.rect.left, button.rect.top, area.right, area.bottom, work, 0, 0, SRCCOPY);
    HBITMAP made = nullptr;
    OVKIT_DeleteBitmapAndHDC(&work, &made, &oldBitmap);
}
