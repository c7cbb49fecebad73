// List-view helpers. This source is compiled into ovkit and into the plug-in:
// it depends on nothing else of the library.
#include "ovkit/listview_helpers.h"
#include <string>
#include <vector>

namespace {

// The non-empty tab-separated fields of text.
std::vector<std::string> SplitOnTabs(const char* text) {
    std::vector<std::string> fields;
    if (!text)
        return fields;
    const char* start = text;
    for (const char* p = text;; ++p) {
        if (*p == '\t' || *p == '\0') {
            if (p > start)
                fields.emplace_back(start, p);
            if (*p == '\0')
                break;
            start = p + 1;
        }
    }
    return fields;
}

bool InsertColumn(HWND listView, int index, const char* title, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    column.iSubItem = index;
    return SendMessageA(listView, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)) >= 0;
}

bool IsChosen(HWND listView, int index) {
    return SendMessageA(listView, LVM_GETITEMSTATE, index, LVIS_SELECTED | LVIS_FOCUSED) != 0;
}

int ItemCount(HWND listView) {
    return static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
}

int StringWidth(HWND listView, const char* text) {
    return static_cast<int>(
        SendMessageA(listView, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
}

int ColumnWidth(HWND listView, int index) {
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    if (!SendMessageA(listView, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)))
        return -1;
    return column.cx;
}

// Draws the state image when the row has one; returns the width it takes
// (icon width + 4), 0 without a state image list.
int DrawStateImage(HWND listView, const DRAWITEMSTRUCT* item) {
    HIMAGELIST images =
        reinterpret_cast<HIMAGELIST>(SendMessageA(listView, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    if (!images)
        return 0;
    UINT state = static_cast<UINT>(
        SendMessageA(listView, LVM_GETITEMSTATE, item->itemID, LVIS_STATEIMAGEMASK));
    int image = static_cast<int>((state >> 12) & 0xF);
    if (image)
        ImageList_Draw(images, image - 1, item->hDC, item->rcItem.left + 2, item->rcItem.top,
                       ILD_NORMAL);
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    return width + 4;
}

void DrawCells(HWND listView, const DRAWITEMSTRUCT* item, const RECT& row, int iconSpace) {
    int x = row.left;
    for (int column = 0;; ++column) {
        int width = ColumnWidth(listView, column);
        if (width < 0)
            break;
        if (column == 0)
            width -= iconSpace;
        char text[260] = "";
        LVITEMA cell = {};
        cell.iSubItem = column;
        cell.pszText = text;
        cell.cchTextMax = sizeof text;
        SendMessageA(listView, LVM_GETITEMTEXTA, item->itemID, reinterpret_cast<LPARAM>(&cell));
        char shown[sizeof text + 3];
        OVKIT_ListViewFitText(listView, text, width, shown, sizeof shown);
        TextOutA(item->hDC, x + 1, row.top, shown, lstrlenA(shown));
        x += width;
    }
}

} // namespace

int OVKIT_ListViewInsertColumns(HWND listView, const char* spec) {
    int index = 0;
    for (const std::string& field : SplitOnTabs(spec)) {
        size_t digits = 0;
        while (digits < field.size() && field[digits] >= '0' && field[digits] <= '9')
            ++digits;
        int width = 100;
        std::string title = field;
        if (digits > 0) {
            width = atoi(field.substr(0, digits).c_str());
            title = digits + 1 < field.size() ? field.substr(digits + 1) : std::string();
        }
        InsertColumn(listView, index, title.c_str(), width);
        ++index;
    }
    return 0;
}

int OVKIT_ListViewInsertColumnArray(HWND listView, int count, const char* const* titles,
                                    const int* widths) {
    for (int i = 0; i < count; ++i)
        InsertColumn(listView, i, titles[i], widths[i]);
    return 0;
}

int OVKIT_ListViewAddRow(HWND listView, const char* row) {
    std::vector<std::string> fields = SplitOnTabs(row);
    if (fields.empty())
        return -1;
    LVITEMA entry = {};
    entry.mask = LVIF_TEXT;
    entry.iItem = ItemCount(listView);
    entry.pszText = &fields[0][0];
    int index = static_cast<int>(
        SendMessageA(listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
    if (index < 0)
        return -1;
    for (size_t i = 1; i < fields.size(); ++i) {
        LVITEMA cell = {};
        cell.mask = LVIF_TEXT;
        cell.iItem = index;
        cell.iSubItem = static_cast<int>(i);
        cell.pszText = &fields[i][0];
        SendMessageA(listView, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&cell));
    }
    return index;
}

int OVKIT_ListViewGetSelection(HWND listView) {
    int count = ItemCount(listView);
    for (int i = 0; i < count; ++i) {
        if (IsChosen(listView, i))
            return i;
    }
    return -1;
}

int OVKIT_ListViewGetChosen(HWND listView, WORD max, int* out) {
    int count = ItemCount(listView);
    int found = 0;
    for (int i = 0; i < count && found < max; ++i) {
        if (IsChosen(listView, i))
            out[found++] = i;
    }
    return found;
}

WORD OVKIT_ListViewCountChosen(HWND listView) {
    int count = ItemCount(listView);
    WORD chosen = 0;
    for (int i = 0; i < count; ++i) {
        if (IsChosen(listView, i))
            ++chosen;
    }
    return chosen;
}

int OVKIT_ListViewMakeVisible(HWND listView, WORD index) {
    SendMessageA(listView, LVM_ENSUREVISIBLE, index, FALSE);
    return 0;
}

char* OVKIT_ListViewFitText(HWND listView, const char* text, int width, char* out, int room) {
    if (!out || room <= 0)
        return out;
    if (!text)
        text = "";
    lstrcpynA(out, text, room);
    int kept = lstrlenA(out);
    // A text cut by the buffer is not whole, however narrow: it needs its dots.
    if (text[kept] == '\0' && StringWidth(listView, out) <= width - 2)
        return out;
    // Keep one character fewer each time while "..." still follows.
    kept = kept > room - 4 ? room - 4 : kept - 1;
    for (; kept >= 0; --kept) {
        lstrcpyA(out + kept, "...");
        if (kept == 0 || StringWidth(listView, out) <= width - 2)
            break;
    }
    return out;
}

int OVKIT_ListViewDrawItem(const DRAWITEMSTRUCT* item) {
    if (!(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS)))
        return 0;
    HWND listView = item->hwndItem;
    HDC dc = item->hDC;
    RECT row = item->rcItem;
    FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
    int iconSpace = DrawStateImage(listView, item);
    row.left += iconSpace;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    if (item->itemState & ODS_SELECTED) {
        RECT inner = row;
        InflateRect(&inner, -1, -1);
        FillRect(dc, &inner, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    DrawCells(listView, item, row, iconSpace);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &row);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, oldMode);
    return 1;
}
