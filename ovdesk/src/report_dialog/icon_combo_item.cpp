// Owner drawing of one icon combo item, drawn off-screen and copied at once.
#include "report_dialog/report_pages.h"
#include "startup/startup_parts.h"

namespace {
enum { ICON_LEFT = 2, ICON_TOP = 2, TEXT_LEFT = 36, ITEM_TEXT_SIZE = 256 };

void PaintItem(HDC dc, HWND owner, const DRAWITEMSTRUCT* item, const RECT& area, HFONT font) {
    BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    HBRUSH background = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    FillRect(dc, &area, background);
    if ((int)item->itemID == -1)
        return;
    int icon = (int)SendMessageA(owner, WM_COMBO_ICON_INDEX, item->itemID, 0);
    HICON picture = GetTableIcon(icon);
    if (picture)
        DrawIconEx(dc, ICON_LEFT, ICON_TOP, picture, 0, 0, 0, nullptr, DI_NORMAL);
    char text[ITEM_TEXT_SIZE] = "";
    LRESULT length = SendMessageA(item->hwndItem, CB_GETLBTEXTLEN, item->itemID, 0);
    if (length != CB_ERR && length < ITEM_TEXT_SIZE)
        SendMessageA(item->hwndItem, CB_GETLBTEXT, item->itemID, (LPARAM)text);
    RECT textArea = area;
    textArea.left = TEXT_LEFT;
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &textArea, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (oldFont)
        SelectObject(dc, oldFont);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &area);
}
} // namespace

void DrawIconComboItem(HWND owner, int, const DRAWITEMSTRUCT* item, HFONT font) {
    int width = item->rcItem.right - item->rcItem.left;
    int height = item->rcItem.bottom - item->rcItem.top;
    if (width <= 0 || height <= 0)
        return;
    HDC memory = CreateCompatibleDC(item->hDC);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(item->hDC, width, height) : nullptr;
    if (!bitmap) {
        if (memory)
            DeleteDC(memory);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT area = {0, 0, width, height};
    PaintItem(memory, owner, item, area, font);
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}
