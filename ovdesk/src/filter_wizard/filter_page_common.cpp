// The page protocol of the filter sheet and the small helpers its pages share.
#include "filter_wizard/filter_sheet_state.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>

namespace {
// The sheet sets its own caption after a page's activation: the page's
// caption follows by a posted message.
enum { WM_FILTER_TITLE = WM_APP + 43 };
enum { DECORATIVE_PICTURE = 11 };

void SetWizardButtons(HWND page, int row) {
    DWORD buttons = PSWIZB_BACK | PSWIZB_NEXT;
    if (row == FP_TYPE || row == FP_TITLE)
        buttons = PSWIZB_NEXT;
    else if (row == FP_SUMMARY)
        buttons = PSWIZB_BACK | PSWIZB_FINISH;
    PropSheet_SetWizButtons(GetParent(page), buttons);
}

void SetWizardTitle(HWND page) {
    char caption[96] = "";
    GetWindowTextA(page, caption, sizeof caption);
    char title[128];
    snprintf(title, sizeof title, "Add Filter -- %s", caption);
    SetWindowTextA(GetParent(page), title);
}
} // namespace

UINT FilterNotifyCode(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY && lParam ? ((NMHDR*)lParam)->code : 0;
}

void FilterPageCommon(HWND page, UINT message, LPARAM lParam, int row) {
    FilterSheetState& sheet = FilterSheetData();
    switch (message) {
    case WM_INITDIALOG:
        if (!sheet.Sheet)
            sheet.Sheet = GetParent(page);
        if (row < FP_USED_ROWS)
            FilterPageTable()[row].Window = page;
        ShowDecorativePicture(page, IDC_PS_PICTURE, DECORATIVE_PICTURE);
        if (sheet.BoldFont && GetDlgItem(page, IDC_PS_HEADING))
            SendDlgItemMessageA(page, IDC_PS_HEADING, WM_SETFONT, (WPARAM)sheet.BoldFont, 0);
        return;
    case WM_DESTROY:
        RemoveDecorativePicture(page, IDC_PS_PICTURE, DECORATIVE_PICTURE);
        if (row < FP_USED_ROWS && FilterPageTable()[row].Window == page)
            FilterPageTable()[row].Window = nullptr;
        return;
    case WM_FILTER_TITLE:
        SetWizardTitle(page);
        return;
    }
    switch (FilterNotifyCode(message, lParam)) {
    case PSN_SETACTIVE:
        if (sheet.Wizard) {
            SetWizardButtons(page, row);
            PostMessageA(page, WM_FILTER_TITLE, 0, 0);
        }
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        return;
    case PSN_RESET:
        sheet.Result = 0;
        return;
    }
}

bool IsLeavingFilterPage(UINT code) {
    if (FilterSheetData().Wizard)
        return code == PSN_WIZNEXT || code == PSN_WIZFINISH;
    return code == PSN_KILLACTIVE;
}

bool IsShowingFilterPage(UINT code) {
    return code == PSN_SETACTIVE;
}

BOOL RefuseFilterPage(HWND page, UINT code) {
    // Next refuses with -1; Finish and leaving a tab with TRUE.
    SetWindowLongPtrA(page, DWLP_MSGRESULT, code == PSN_WIZNEXT ? -1 : TRUE);
    return TRUE;
}

BOOL AcceptFilterPage(HWND page) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    return TRUE;
}

int FilterMessage(HWND page, const char* text, const char* caption, UINT type) {
    return DeskMessageBox(GetParent(page), text, caption, type);
}

std::string FieldText(HWND page, int item) {
    HWND field = GetDlgItem(page, item);
    int length = field ? GetWindowTextLengthA(field) : 0;
    std::string text(length + 1, '\0');
    if (field)
        GetWindowTextA(field, &text[0], length + 1);
    text.resize(strlen(text.c_str()));
    return text;
}

void ShowListText(HWND page, int item, int row, const std::string& text) {
    // No limit of the field's own: the list may be long.
    char kind[16] = "";
    GetClassNameA(GetDlgItem(page, item), kind, sizeof kind);
    SendDlgItemMessageA(page, item, _stricmp(kind, "ComboBox") == 0 ? CB_LIMITTEXT : EM_LIMITTEXT,
                        0, 0);
    SetDlgItemTextA(page, item, text.c_str());
    FilterPageTable()[row].Shown = text;
}

bool ListTextChanged(HWND page, int item, int row, std::string* text) {
    *text = FieldText(page, item);
    return *text != FilterPageTable()[row].Shown;
}

void StoreList(const std::string& text, FilterString** list) {
    FreeFilterStrings(*list);
    *list = nullptr;
    FilterStringToStruct(text.c_str(), list, FILTER_TEXT_LIST);
}

void SetCheck(HWND page, int item, DWORD on) {
    CheckDlgButton(page, item, on ? BST_CHECKED : BST_UNCHECKED);
}

DWORD GetCheck(HWND page, int item) {
    return IsDlgButtonChecked(page, item) == BST_CHECKED ? 1 : 0;
}

bool IsInclude(void) {
    const ProfileFilter* filter = FilterSheetData().Filter;
    return !filter || filter->Type != FILTER_EXCLUDE;
}
