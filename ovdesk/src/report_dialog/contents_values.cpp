// The Contents page's value controls: graph type, 3D/2D, elements and
// sub-items of the selected section.
#include "report_dialog/contents_page.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>

namespace {
int g_settingText = 0; // set while the page writes an edit itself
} // namespace

// Shown without re-entering the change handler.
void ShowValueNumber(HWND page, int id, int value) {
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    ++g_settingText;
    SetDlgItemTextA(page, id, text);
    --g_settingText;
}

namespace {

// Locks the block and hands the selected section to change; the row's item
// too. Nothing happens without a selected row.
template <typename Change> void ChangeSelected(HWND page, Change change) {
    int index = SelectedSection(page);
    WORD count = 0;
    HGLOBAL block = GetTemplateSectionBlock(&count);
    TemplateSection* sections = block && index >= 0 ? (TemplateSection*)GlobalLock(block) : nullptr;
    if (!sections)
        return;
    int item = (int)SendDlgItemMessageA(page, IDC_CONTENTS_LIST, LVM_GETNEXTITEM, (WPARAM)-1,
                                        LVNI_SELECTED);
    change(sections[index], item);
    GlobalUnlock(block);
}

void SetRowColumn(HWND page, int item, int column, const char* text) {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = (char*)text;
    SendDlgItemMessageA(page, IDC_CONTENTS_LIST, LVM_SETITEMTEXTA, (WPARAM)item, (LPARAM)&cell);
}

// Writes a number back into an edit, selected.
void ShowLimit(HWND page, int id, int value) {
    ShowValueNumber(page, id, value);
    SendDlgItemMessageA(page, id, EM_SETSEL, 0, -1);
}

int ReadNumber(HWND page, int id) {
    char text[16] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return atoi(text);
}

void OnElementsChanged(HWND page) {
    ChangeSelected(page, [page](TemplateSection& section, int item) {
        int value = ReadNumber(page, IDC_CONTENTS_ELEMENTS);
        int limit = section.Kind == SECTION_KIND_GRAPH ? GRAPH_ELEMENTS_LIMIT : ELEMENTS_LIMIT;
        if (value > limit) {
            value = limit;
            ShowLimit(page, IDC_CONTENTS_ELEMENTS, value);
        }
        char text[16];
        GetDlgItemTextA(page, IDC_CONTENTS_ELEMENTS, text, sizeof text);
        SetRowColumn(page, item, 1, text);
        if (section.Kind == SECTION_KIND_GRAPH || section.Kind == SECTION_KIND_TABLE)
            StoreShownElements(section, value);
    });
}

void OnSubItemsChanged(HWND page) {
    ChangeSelected(page, [page](TemplateSection& section, int item) {
        int value = ReadNumber(page, IDC_CONTENTS_SUBITEMS);
        if (value == 0) {
            value = 1;
            ShowLimit(page, IDC_CONTENTS_SUBITEMS, value);
        }
        char text[16];
        GetDlgItemTextA(page, IDC_CONTENTS_SUBITEMS, text, sizeof text);
        SetRowColumn(page, item, 2, text);
        if (section.Kind == SECTION_KIND_TABLE)
            section.Columns = (WORD)value;
    });
}
} // namespace

void OnContentsValueCommand(HWND page, int id, int code) {
    if (g_settingText)
        return;
    switch (id) {
    case IDC_CONTENTS_GRAPH_TYPE:
        if (code == CBN_SELCHANGE)
            ChangeSelected(page, [page](TemplateSection& section, int) {
                LRESULT type =
                    SendDlgItemMessageA(page, IDC_CONTENTS_GRAPH_TYPE, CB_GETCURSEL, 0, 0);
                if (section.Kind == SECTION_KIND_GRAPH && type != CB_ERR)
                    section.GraphType = (WORD)type;
            });
        break;
    case IDC_CONTENTS_3D:
    case IDC_CONTENTS_2D:
        if (code == BN_CLICKED)
            ChangeSelected(page, [page](TemplateSection& section, int) {
                if (section.Kind == SECTION_KIND_GRAPH)
                    section.ThreeD = IsDlgButtonChecked(page, IDC_CONTENTS_3D) == BST_CHECKED;
            });
        break;
    case IDC_CONTENTS_ELEMENTS:
        if (code == EN_CHANGE)
            OnElementsChanged(page);
        break;
    case IDC_CONTENTS_SUBITEMS:
        if (code == EN_CHANGE)
            OnSubItemsChanged(page);
        break;
    }
}

void OnContentsSpin(HWND page, const NMUPDOWN* change) {
    int position = change->iPos + change->iDelta;
    BOOL elements = change->hdr.idFrom == IDC_CONTENTS_ELEMENTS_SPIN;
    int low = elements ? 0 : 1, high = elements ? ELEMENTS_LIMIT : SUBITEMS_LIMIT;
    if (position < low || position > high)
        return;
    ChangeSelected(page, [&](TemplateSection& section, int item) {
        char text[16];
        snprintf(text, sizeof text, "%d", position);
        if (elements && section.Kind != SECTION_KIND_TEXT) {
            StoreShownElements(section, position);
            SetRowColumn(page, item, 1, text);
        } else if (!elements && section.Kind == SECTION_KIND_TABLE) {
            section.Columns = (WORD)position;
            SetRowColumn(page, item, 2, text);
        }
    });
}
