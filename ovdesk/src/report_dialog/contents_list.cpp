// The Contents page's list: rows from the section list, check states and
// the values shown below the list.
#include "report_dialog/contents_page.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace {
const int kValueControls[] = {IDC_CONTENTS_GRAPH_TYPE,
                              IDC_CONTENTS_3D,
                              IDC_CONTENTS_2D,
                              IDC_CONTENTS_ELEMENTS,
                              IDC_CONTENTS_ELEMENTS_SPIN,
                              IDC_CONTENTS_SUBITEMS,
                              IDC_CONTENTS_SUBITEMS_SPIN};

void EnableControls(HWND page, const int* ids, int count, BOOL enable) {
    for (int i = 0; i < count; ++i)
        EnableWindow(GetDlgItem(page, ids[i]), enable);
}

void EnableForSection(HWND page, const TemplateSection& section) {
    if (!section.Include)
        return;
    if (section.Kind == SECTION_KIND_GRAPH) {
        EnableControls(page, kValueControls, 5, TRUE);
    } else if (section.Kind == SECTION_KIND_TABLE) {
        EnableControls(page, kValueControls + 3, 2, TRUE);
        if (section.Columns)
            EnableControls(page, kValueControls + 5, 2, TRUE);
    }
}

int StateOf(const TemplateSection& section) {
    if (section.Kind == SECTION_KIND_GRAPH)
        return section.Include ? STATE_GRAPH_IN : STATE_GRAPH_OUT;
    return section.Include ? STATE_OTHER_IN : STATE_OTHER_OUT;
}

void SetItemState(HWND list, int item, int state) {
    LVITEMA change = {};
    change.stateMask = LVIS_STATEIMAGEMASK;
    change.state = INDEXTOSTATEIMAGEMASK(state);
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&change);
}

int GetStateOfItem(HWND list, int item) {
    LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, (WPARAM)item, LVIS_STATEIMAGEMASK);
    return (int)((state & LVIS_STATEIMAGEMASK) >> 12);
}

void SetColumnText(HWND list, int item, int column, const char* text) {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = (char*)text;
    SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)item, (LPARAM)&cell);
}

int AddRow(HWND list, const TemplateSection& section) {
    char caption[512] = "";
    fetchvar_GetVarData(section.TitleVariable, caption, sizeof caption);
    LVITEMA row = {};
    row.mask = LVIF_TEXT;
    row.iItem = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    row.pszText = caption;
    int item = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&row);
    if (item < 0)
        return -1;
    if (section.Kind != SECTION_KIND_TEXT) {
        char number[16];
        snprintf(number, sizeof number, "%d", ShownElements(section));
        SetColumnText(list, item, 1, number);
        if (section.Columns) {
            snprintf(number, sizeof number, "%d", section.Columns);
            SetColumnText(list, item, 2, number);
        }
    }
    SetItemState(list, item, StateOf(section));
    return item;
}

void LoadEnglishCaptions(void) {
    char path[MAX_PATH];
    // Captions come from the English file whatever the report language.
    if (ORB_GetTemplatePath(path) && strlen(path) + sizeof "English.rpl" <= sizeof path) {
        strcat(path, "English.rpl");
        fetchvar_ReadVarData(path);
    }
}

// The locked section records and their block; null when none can be had.
TemplateSection* LockSections(HGLOBAL* block, WORD* count) {
    *count = 0;
    *block = GetTemplateSectionBlock(count);
    return *block ? (TemplateSection*)GlobalLock(*block) : nullptr;
}

// Runs change on every listed section with its item's state; the new state
// and include flag come back from it.
template <typename Change> int ChangeAllSections(HWND page, Change change) {
    WORD count = 0;
    HGLOBAL block = nullptr;
    TemplateSection* sections = LockSections(&block, &count);
    int* map = GetContentsItemMap();
    if (!sections)
        return 0;
    HWND list = GetDlgItem(page, IDC_CONTENTS_LIST);
    for (WORD i = 0; map && i < count; ++i) {
        if (map[i] < 0)
            continue;
        BOOL graph = sections[i].Kind == SECTION_KIND_GRAPH;
        BOOL include = change(sections[i].Include != 0);
        sections[i].Include = include ? 1 : 0;
        SetItemState(list, map[i],
                     graph ? (include ? STATE_GRAPH_IN : STATE_GRAPH_OUT)
                           : (include ? STATE_OTHER_IN : STATE_OTHER_OUT));
    }
    GlobalUnlock(block);
    return 1;
}
} // namespace

int SelectedSection(HWND page) {
    int item = (int)SendDlgItemMessageA(page, IDC_CONTENTS_LIST, LVM_GETNEXTITEM, (WPARAM)-1,
                                        LVNI_SELECTED);
    if (item < 0)
        return -1;
    WORD count = 0;
    GetTemplateSectionBlock(&count);
    return FindSectionForItem(GetContentsItemMap(), item, count);
}

void ShowSectionValues(HWND page, int index) {
    EnableControls(page, kValueControls, 7, FALSE);
    WORD count = 0;
    HGLOBAL block = GetTemplateSectionBlock(&count);
    if (!block || index < 0 || index >= count)
        return;
    TemplateSection* sections = (TemplateSection*)GlobalLock(block);
    if (!sections)
        return;
    TemplateSection section = sections[index];
    GlobalUnlock(block);
    EnableForSection(page, section);
    if (section.Kind == SECTION_KIND_GRAPH) {
        SendDlgItemMessageA(page, IDC_CONTENTS_GRAPH_TYPE, CB_SETCURSEL, section.GraphType, 0);
        CheckRadioButton(page, IDC_CONTENTS_3D, IDC_CONTENTS_2D,
                         section.ThreeD == 1 ? IDC_CONTENTS_3D : IDC_CONTENTS_2D);
    }
    if (section.Kind == SECTION_KIND_GRAPH || section.Kind == SECTION_KIND_TABLE)
        ShowValueNumber(page, IDC_CONTENTS_ELEMENTS, ShownElements(section));
    if (section.Kind == SECTION_KIND_TABLE && section.Columns)
        ShowValueNumber(page, IDC_CONTENTS_SUBITEMS, section.Columns);
}

int FillContentsList(HWND page, const char*) {
    LoadEnglishCaptions();
    WORD count = 0;
    HGLOBAL block = nullptr;
    TemplateSection* sections = LockSections(&block, &count);
    int* map = GetContentsItemMap();
    if (!sections)
        return 0;
    HWND list = GetDlgItem(page, IDC_CONTENTS_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (WORD i = 0; i < count; ++i) {
        BOOL listed = sections[i].Kind <= SECTION_KIND_TABLE;
        int item = listed ? AddRow(list, sections[i]) : -1;
        if (map)
            map[i] = item;
    }
    GlobalUnlock(block);
    LVITEMA first = {};
    first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&first);
    ShowSectionValues(page, FindSectionForItem(map, 0, count));
    return 1;
}

void ToggleContentsItem(HWND page, int item) {
    WORD count = 0;
    HGLOBAL block = GetTemplateSectionBlock(&count);
    int index = FindSectionForItem(GetContentsItemMap(), item, count);
    TemplateSection* sections = block && index >= 0 ? (TemplateSection*)GlobalLock(block) : nullptr;
    if (!sections)
        return;
    HWND list = GetDlgItem(page, IDC_CONTENTS_LIST);
    static const int flip[] = {0, STATE_GRAPH_IN, STATE_GRAPH_OUT, STATE_OTHER_IN, STATE_OTHER_OUT};
    int state = GetStateOfItem(list, item);
    if (state >= STATE_GRAPH_OUT && state <= STATE_OTHER_IN) {
        SetItemState(list, item, flip[state]);
        sections[index].Include = flip[state] == STATE_GRAPH_IN || flip[state] == STATE_OTHER_IN;
    }
    TemplateSection section = sections[index];
    GlobalUnlock(block);
    EnableControls(page, kValueControls, 7, FALSE);
    EnableForSection(page, section);
}

int SelectAllSections(HWND page) {
    return ChangeAllSections(page, [](BOOL) { return TRUE; });
}
int UnselectAllSections(HWND page) {
    return ChangeAllSections(page, [](BOOL) { return FALSE; });
}
int ReverseAllSections(HWND page) {
    return ChangeAllSections(page, [](BOOL included) { return !included; });
}
