#include "base/library_resources.h"
#include "ovkit/bitmaps.h"
#include "ovkit/custom_controls.h"
#include "ovkit/startup.h"

namespace {

const int kIconSize = 32;
OVKIT_CustomButton g_buttons[50];

bool Live(const OVKIT_CustomButton& b) {
    return b.window && IsWindow(b.window);
}

// The caption's size, word-wrapped and centred in a 1000 x 1000 box.
SIZE MeasureCaption(HDC dc, const char* caption) {
    RECT box = {0, 0, 1000, 1000};
    if (caption[0])
        DrawTextA(dc, caption, -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    else
        box.bottom = 0;
    return {box.right - box.left, box.bottom - box.top};
}

void DrawFrames(HDC dc, RECT r, bool pressed, bool focused) {
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FrameRect(dc, &r, black);
    InflateRect(&r, -1, -1);
    if (focused) {
        FrameRect(dc, &r, black);
        InflateRect(&r, -1, -1);
    }
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (focused) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(dc, &r);
    }
}

void GreyOut(HDC dc, int width, int height) {
    HBITMAP pattern = LoadBitmapA(OVKIT_GetInstance(), MAKEINTRESOURCEA(OVKIT_IDB_PATTERN));
    if (!pattern)
        return;
    HBITMAP tile = pattern;
    int pw = 0, ph = 0;
    OVKIT_GetBitmapSize(pattern, &pw, &ph);
    // The pattern is repeated over the button by drawing it tile by tile.
    for (int y = 0; y < height; y += ph)
        for (int x = 0; x < width; x += pw)
            OVKIT_DrawSubliminal(dc, dc, 0, 0, x, y, width - x < pw ? width - x : pw,
                                 height - y < ph ? height - y : ph, tile, nullptr,
                                 GetSysColorBrush(COLOR_BTNFACE));
    DeleteObject(pattern);
}

void Compose(HDC dc, const DRAWITEMSTRUCT* item, HICON icon, bool pressed) {
    int width = item->rcItem.right - item->rcItem.left;
    int height = item->rcItem.bottom - item->rcItem.top;
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    char caption[256] = "";
    GetWindowTextA(item->hwndItem, caption, sizeof caption);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetParent(item->hwndItem), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SIZE text = MeasureCaption(dc, caption);
    int shift = pressed ? 2 : 0;
    int iconX = (width - kIconSize) / 2 + shift;
    int iconY = (height - text.cy - kIconSize) / 2 + shift;
    DrawIconEx(dc, iconX, iconY, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    if (caption[0]) {
        RECT place = {shift, iconY + kIconSize, width + shift, iconY + kIconSize + text.cy};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, caption, -1, &place, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    }
    if (oldFont)
        SelectObject(dc, oldFont);
    DrawFrames(dc, all, pressed, (item->itemState & ODS_FOCUS) != 0);
    if (item->itemState & (ODS_DISABLED | ODS_GRAYED))
        GreyOut(dc, width, height);
}

} // namespace

HICON OVKIT_CALL OVKIT_CreateCustomButton(HWND button, UINT iconId, HINSTANCE module) {
    for (OVKIT_CustomButton& b : g_buttons) {
        if (Live(b))
            continue;
        if (b.icon)
            DestroyIcon(b.icon); // left by a window that went without being destroyed here
        b = OVKIT_CustomButton();
        HICON icon = static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(iconId), IMAGE_ICON, kIconSize, kIconSize, 0));
        if (!icon)
            return nullptr;
        b.window = button;
        b.icon = icon;
        return icon;
    }
    return nullptr;
}

void OVKIT_CALL OVKIT_DestroyCustomButton(HWND button) {
    OVKIT_CustomButton* b = OVKIT_GetButtonInfoPtr(button);
    if (!b)
        return;
    DestroyIcon(b->icon);
    *b = OVKIT_CustomButton();
}

OVKIT_CustomButton* OVKIT_CALL OVKIT_GetButtonInfoPtr(HWND button) {
    if (!button)
        return nullptr;
    for (OVKIT_CustomButton& b : g_buttons)
        if (b.window == button && Live(b))
            return &b;
    return nullptr;
}

void OVKIT_CALL OVKIT_DrawCustomButton(const DRAWITEMSTRUCT* item, HWND pressedWindow) {
    if (!item || item->CtlType != ODT_BUTTON)
        return;
    OVKIT_CustomButton* b = OVKIT_GetButtonInfoPtr(item->hwndItem);
    if (!b)
        return;
    bool pressed = (item->itemState & ODS_SELECTED) || item->hwndItem == pressedWindow;
    int width = item->rcItem.right - item->rcItem.left;
    int height = item->rcItem.bottom - item->rcItem.top;
    HGDIOBJ old = nullptr;
    HDC work = OVKIT_GetCompatibleBitmap(item->hDC, width, height, &old);
    if (!work)
        return;
    Compose(work, item, b->icon, pressed);
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, width, height, work, 0, 0, SRCCOPY);
    HBITMAP made = nullptr;
    OVKIT_DeleteBitmapAndHDC(&work, &made, &old);
}
