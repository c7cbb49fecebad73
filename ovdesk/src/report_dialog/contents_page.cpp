// The Contents page (template 118): which template sections the report
// holds, with their graph type, 3D flag, elements and sub-items.
#include "report_dialog/contents_page.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include "ovkit/listview_helpers.h"
#include "ovkit/ui_helpers.h"
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
enum {
    GRAPH_TYPE_COUNT = 8,
    STATE_CELL_WIDTH = 32,
    STATE_CELL_HEIGHT = 16,
    COLUMN_COUNT = 3,
    COLUMN_POS_SIZE = 100,
    MIN_COLUMN_WIDTH = 10,
};
int* g_itemMap = nullptr;
HICON g_graphIcons[GRAPH_TYPE_COUNT] = {};
int g_lastShown = -1;

void ApplyColumnWidths(HWND list) {
    char widths[COLUMN_POS_SIZE];
    GetModuleProfileString("Defaults", "ContentColumnPos", "", widths, sizeof widths);
    const char* p = widths;
    for (int column = 0; *p && column < COLUMN_COUNT; ++column) {
        int width = atoi(p);
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column,
                     width < MIN_COLUMN_WIDTH ? MIN_COLUMN_WIDTH : width);
        p = strchr(p, ',');
        if (!p)
            break;
        ++p;
    }
}

void SaveColumnWidths(HWND list) {
    char widths[COLUMN_POS_SIZE] = "";
    size_t used = 0;
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        unsigned width = (unsigned)SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0);
        int n = snprintf(widths + used, sizeof widths - used, "%s%u", column ? "," : "", width);
        if (n < 0 || used + n >= sizeof widths)
            break;
        used += n;
    }
    WriteModuleProfileString("Defaults", "ContentColumnPos", widths);
}

void SetStateImages(HWND list) {
    HIMAGELIST images =
        ImageList_LoadImageA(GetLanguageModule(), MAKEINTRESOURCEA(IDB_CONTENTS_STATES),
                             STATE_CELL_WIDTH, 0, RGB(255, 0, 255), IMAGE_BITMAP, 0);
    if (!images) {
        // Without the picture the check states still need their cells.
        images = ImageList_Create(STATE_CELL_WIDTH, STATE_CELL_HEIGHT, ILC_COLOR | ILC_MASK, 5, 0);
        if (images)
            ImageList_SetImageCount(images, 5);
    }
    if (images)
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE, (LPARAM)images);
}

void SetUpSpin(HWND page, int spin, int edit, int low, int high, int limit) {
    SendDlgItemMessageA(page, spin, UDM_SETBUDDY, (WPARAM)GetDlgItem(page, edit), 0);
    SendDlgItemMessageA(page, spin, UDM_SETRANGE32, low, high);
    SendDlgItemMessageA(page, edit, EM_LIMITTEXT, limit, 0);
}

BOOL InitPage(HWND page) {
    static const int bold[] = {IDC_CONTENTS_GRAPH_GROUP, IDC_CONTENTS_ELEMENTS_GROUP,
                               IDC_CONTENTS_SUBITEMS_GROUP};
    SetBoldItems(page, bold, 3);
    HWND list = GetDlgItem(page, IDC_CONTENTS_LIST);
    OVKIT_ListViewInsertColumns(list, LoadTextSlot(IDS_CONTENTS_COLUMNS, 0));
    ApplyColumnWidths(list);
    SetStateImages(list);
    g_lastShown = -1;
    SetUpSpin(page, IDC_CONTENTS_ELEMENTS_SPIN, IDC_CONTENTS_ELEMENTS, 0, ELEMENTS_LIMIT, 4);
    SetUpSpin(page, IDC_CONTENTS_SUBITEMS_SPIN, IDC_CONTENTS_SUBITEMS, 1, SUBITEMS_LIMIT, 2);
    for (int i = 0; i < GRAPH_TYPE_COUNT; ++i) {
        g_graphIcons[i] =
            (HICON)LoadImageA(GetLanguageModule(), MAKEINTRESOURCEA(IDI_GRAPH_TYPE_FIRST + 10 * i),
                              IMAGE_ICON, 32, 32, 0);
        SendDlgItemMessageA(page, IDC_CONTENTS_GRAPH_TYPE, CB_ADDSTRING, 0, (LPARAM) "");
    }
    if (LoadTemplateSections()) {
        WORD count = 0;
        GetTemplateSectionBlock(&count);
        g_itemMap = (int*)malloc(sizeof(int) * (count ? count : 1));
        if (!g_itemMap)
            return FALSE;
        for (WORD i = 0; i < count; ++i)
            g_itemMap[i] = -1;
    }
    if (!FillContentsList(page, "English"))
        EndDialog(page, 2);
    return TRUE;
}

void DestroyPage(HWND page) {
    free(g_itemMap);
    g_itemMap = nullptr;
    for (HICON& icon : g_graphIcons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
    HWND list = GetDlgItem(page, IDC_CONTENTS_LIST);
    HIMAGELIST images = (HIMAGELIST)SendMessageA(list, LVM_GETIMAGELIST, LVSIL_STATE, 0);
    FreeTemplateSections();
    SaveColumnWidths(list);
    if (images)
        ImageList_Destroy(images);
}

void OnLeftClick(HWND page, const NMITEMACTIVATE* click) {
    HWND list = click->hdr.hwndFrom;
    LVHITTESTINFO hit = {};
    hit.pt = click->ptAction;
    int item = (int)SendMessageA(list, LVM_HITTEST, 0, (LPARAM)&hit);
    if (hit.flags & LVHT_NOWHERE) {
        // A click beside the columns still picks the row at that height.
        hit.pt.x = 5;
        item = (int)SendMessageA(list, LVM_HITTEST, 0, (LPARAM)&hit);
        if (item >= 0) {
            LVITEMA state = {};
            state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&state);
        }
        return;
    }
    if (item >= 0 && click->ptAction.x <= STATE_CELL_WIDTH / 2 + 2)
        ToggleContentsItem(page, item);
}

void OnRightClick(HWND page) {
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendMenuA(menu, MF_STRING, IDM_CONTENTS_SELECT_ALL, "Select All");
    AppendMenuA(menu, MF_STRING, IDM_CONTENTS_UNSELECT_ALL, "Unselect All");
    AppendMenuA(menu, MF_STRING, IDM_CONTENTS_REVERSE_ALL, "Reverse All");
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, page, nullptr);
    DestroyMenu(menu);
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
    if (header->idFrom == IDC_CONTENTS_ELEMENTS_SPIN ||
        header->idFrom == IDC_CONTENTS_SUBITEMS_SPIN) {
        if (header->code == UDN_DELTAPOS)
            OnContentsSpin(page, (const NMUPDOWN*)header);
        return FALSE;
    }
    if (header->idFrom != IDC_CONTENTS_LIST)
        return FALSE;
    switch (header->code) {
    case NM_CLICK:
        OnLeftClick(page, (const NMITEMACTIVATE*)header);
        return TRUE;
    case NM_RCLICK:
        OnRightClick(page);
        return TRUE;
    case LVN_ITEMCHANGED: {
        int section = SelectedSection(page);
        if (section >= 0 && section != g_lastShown) {
            g_lastShown = section;
            ShowSectionValues(page, section);
        }
        return TRUE;
    }
    }
    return FALSE;
}

void OnMeasure(HWND page, MEASUREITEMSTRUCT* measure) {
    if (measure->CtlID == IDC_CONTENTS_GRAPH_TYPE) {
        OVKIT_MeasureCustomComboBox(page, measure->CtlID, measure,
                                    (HFONT)SendMessageA(page, WM_GETFONT, 0, 0));
        return;
    }
    TEXTMETRICA metrics = {};
    HDC dc = GetDC(page);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(page, dc);
    int height = metrics.tmHeight - 2;
    measure->itemHeight = height > STATE_CELL_HEIGHT ? height : STATE_CELL_HEIGHT;
}
} // namespace

int* GetContentsItemMap(void) {
    return g_itemMap;
}

INT_PTR CALLBACK ContentsPageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return InitPage(page);
    case WM_DESTROY:
        DestroyPage(page);
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(page, (const NMHDR*)lParam);
    case WM_MEASUREITEM:
        OnMeasure(page, (MEASUREITEMSTRUCT*)lParam);
        return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = (const DRAWITEMSTRUCT*)lParam;
        if (item->CtlID == IDC_CONTENTS_LIST)
            OVKIT_ListViewDrawItem(item);
        else
            DrawIconComboItem(page, IDC_CONTENTS_GRAPH_TYPE, item,
                              (HFONT)SendMessageA(page, WM_GETFONT, 0, 0));
        return TRUE;
    }
    case WM_COMBO_ICON_INDEX:
        // Each graph type's icon is the one of its own index.
        return AnswerComboIcon(page, lParam, (int)wParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_CONTENTS_SELECT_ALL:
            return SelectAllSections(page);
        case IDM_CONTENTS_UNSELECT_ALL:
            return UnselectAllSections(page);
        case IDM_CONTENTS_REVERSE_ALL:
            return ReverseAllSections(page);
        case IDC_CONTENTS_HELP:
            ShowReportHelp(page, HELP_CREATE_REPORT);
            return TRUE;
        }
        OnContentsValueCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return DefaultPageMessage(page, message, wParam);
}
