#include "ovkit/startup.h"
#include "ovkit/ui_helpers.h"
#include <cstdlib>
#include <cstring>

namespace {

const int kIconColumn = 36;
const int kMinItemHeight = 36;

int FontHeight(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

HICON LibraryIcon(int number) {
    const OvkitIconRow* icons = OvkitGetIconTable();
    return number >= 0 && number < 5 ? icons[number].icon : nullptr;
}

// The item's text, read into a block of the item's own length.
char* ItemText(HWND combo, int index) {
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length <= 0)
        return nullptr;
    char* text = static_cast<char*>(std::calloc(length + 1, 1));
    if (text && SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text)) == CB_ERR)
        text[0] = '\0';
    return text;
}

} // namespace

BOOL OVKIT_CALL OVKIT_GetSelectedComboText(HWND dialog, int id, char* buffer, int size, int index) {
    if (!buffer || size <= 0)
        return FALSE;
    buffer[0] = '\0';
    HWND combo = id ? GetDlgItem(dialog, id) : dialog;
    if (index == -1)
        index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    if (index < 0)
        return FALSE;
    char* text = ItemText(combo, index);
    if (!text)
        return FALSE;
    lstrcpynA(buffer, text, size);
    std::free(text);
    return buffer[0] != '\0';
}

void OVKIT_CALL OVKIT_MeasureCustomComboBox(HWND window, UINT, MEASUREITEMSTRUCT* item,
                                            HFONT font) {
    if (!item)
        return;
    int height = FontHeight(window, font);
    item->itemHeight = height < kMinItemHeight ? kMinItemHeight : height;
    item->itemWidth = 1024;
}

void OVKIT_CALL OVKIT_DrawCustomComboBox(HWND, UINT, const DRAWITEMSTRUCT* item, HFONT font) {
    if (!item)
        return;
    RECT area = {0, 0, item->rcItem.right - item->rcItem.left,
                 item->rcItem.bottom - item->rcItem.top};
    HDC dc = CreateCompatibleDC(item->hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item->hDC, area.right, area.bottom);
    if (!dc || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (static_cast<int>(item->itemID) >= 0) {
        int number = -1;
        SendMessageA(GetParent(item->hwndItem), OVKIT_WM_GETCOMBOICON, item->itemID,
                     reinterpret_cast<LPARAM>(&number));
        HICON icon = LibraryIcon(number);
        if (icon)
            DrawIconEx(dc, 2, 2, icon, 0, 0, 0, nullptr, DI_NORMAL);
        char* text = ItemText(item->hwndItem, item->itemID);
        if (text) {
            HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT place = {kIconColumn, 0, area.right, area.bottom};
            DrawTextA(dc, text, -1, &place, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if (oldFont)
                SelectObject(dc, oldFont);
            std::free(text);
        }
    }
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &area);
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, area.right, area.bottom, dc, 0, 0,
           SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
