// The wizard's Type and Title pages, and the Elements page (the General tab
// when editing), whose check boxes choose the element pages.
#include "filter_wizard/filter_sheet_state.h"
#include "filter_wizard/filter_checks.h"
#include "resource_ids.h"
#include <cstring>

namespace {
struct ElementBox {
    int Item;
    DWORD Flag;
};
const ElementBox kBoxes[] = {
    {IDC_FW_EL_RETURN_CODE, FILTER_RETURNCODES},
    {IDC_FW_EL_USER_ADDRESS, FILTER_USERS},
    {IDC_FW_EL_DOMAIN, FILTER_MULTIHOMEDOMAIN},
    {IDC_FW_EL_DIRECTORY, FILTER_DIRECTORY},
    {IDC_FW_EL_FILE, FILTER_FILES},
    {IDC_FW_EL_REFERRER, FILTER_REFERRER},
    {IDC_FW_EL_ADVERTISING, FILTER_ADS},
    {IDC_FW_EL_BROWSER, FILTER_BROWSER},
    {IDC_FW_EL_USERNAME, FILTER_USERNAME},
    {IDC_FW_EL_DAY, FILTER_DAYS},
    {IDC_FW_EL_HOUR, FILTER_HOURS},
    {IDC_FW_EL_ENTRY_PAGE, FILTER_ENTRYPAGE},
};

ProfileFilter* Filter() {
    return FilterSheetData().Filter;
}

// The name field must hold something other than blanks.
bool StoreName(HWND page, UINT code) {
    std::string name = FieldText(page, IDC_FW_NAME);
    if (name.find_first_not_of(' ') == std::string::npos) {
        FilterMessage(page, "Please enter a name for this filter.", "No filter name",
                      MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(page, IDC_FW_NAME));
        RefuseFilterPage(page, code);
        return false;
    }
    lstrcpynA(Filter()->Name, name.c_str(), FILTER_NAME_SIZE);
    return true;
}

// ---- Type ----------------------------------------------------------------------

// A new filter of the chosen type; one made before is kept when its type
// is the same, else replaced (the user went back and changed it).
bool MakeFilter(HWND page, UINT code) {
    DWORD type = GetCheck(page, IDC_FW_EXCLUDE) ? FILTER_EXCLUDE : FILTER_INCLUDE;
    FilterSheetState& sheet = FilterSheetData();
    if (sheet.Filter && sheet.Filter->Type == type)
        return true;
    FreeOneFilter(sheet.Filter);
    sheet.Filter = type == FILTER_EXCLUDE ? CreateNewExcludeFilter() : CreateNewIncludeFilter();
    if (sheet.Filter)
        return true;
    FilterMessage(page, "Unable to create new filter due to insufficient memory.", "Error",
                  MB_OK | MB_ICONSTOP);
    RefuseFilterPage(page, code);
    return false;
}

// ---- Elements -------------------------------------------------------------------

void ShowElements(HWND page) {
    const ProfileFilter* filter = Filter();
    bool include = IsInclude();
    SetDlgItemTextA(page, IDC_FW_DEFAULT,
                    include ? "&Include all activity" : "&Exclude nothing (disable filter)");
    SetDlgItemTextA(page, IDC_FW_BASED_UPON,
                    include ? "Include a&ctivity based upon:" : "Exclude a&ctivity based upon:");
    bool byDefault = filter->dwFlags == 0 || (filter->dwFlags & ENABLE_DEFAULT);
    SetCheck(page, IDC_FW_DEFAULT, byDefault);
    SetCheck(page, IDC_FW_BASED_UPON, !byDefault);
    for (const ElementBox& box : kBoxes) {
        SetCheck(page, box.Item, filter->dwFlags & box.Flag);
        EnableWindow(GetDlgItem(page, box.Item), !byDefault);
    }
}

void OnDefaultChoice(HWND page, bool byDefault) {
    ProfileFilter* filter = Filter();
    if (byDefault)
        filter->dwFlags |= ENABLE_DEFAULT;
    else
        filter->dwFlags &= ~ENABLE_DEFAULT;
    for (const ElementBox& box : kBoxes)
        EnableWindow(GetDlgItem(page, box.Item), !byDefault);
    SetUpElementPages();
}

bool OnElementBox(HWND page, int item) {
    for (const ElementBox& box : kBoxes) {
        if (box.Item != item)
            continue;
        if (GetCheck(page, item))
            Filter()->dwFlags |= box.Flag;
        else
            Filter()->dwFlags &= ~box.Flag;
        SetUpElementPages();
        return true;
    }
    return false;
}
} // namespace

INT_PTR CALLBACK FilterTypePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    FilterPageCommon(page, message, lParam, FP_TYPE);
    if (message == WM_INITDIALOG) {
        SetCheck(page, IDC_FW_INCLUDE, 1);
        return TRUE;
    }
    UINT code = FilterNotifyCode(message, lParam);
    if (code == PSN_WIZNEXT) {
        if (MakeFilter(page, code))
            AcceptFilterPage(page);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FilterTitlePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    FilterPageCommon(page, message, lParam, FP_TITLE);
    FilterSheetState& sheet = FilterSheetData();
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageA(page, IDC_FW_NAME, EM_LIMITTEXT, FILTER_NAME_SIZE - 1, 0);
        return TRUE;
    }
    UINT code = FilterNotifyCode(message, lParam);
    if (code == PSN_SETACTIVE && sheet.Filter) {
        // The proposal follows the type while the user has not changed it.
        std::string shown = FieldText(page, IDC_FW_NAME);
        if (shown.empty() || shown == sheet.ProposedName) {
            sheet.ProposedName = DefaultFilterName(sheet.Profile->Filters, sheet.Filter->Type);
            SetDlgItemTextA(page, IDC_FW_NAME, sheet.ProposedName.c_str());
        }
        return TRUE;
    }
    if (code == PSN_WIZNEXT && sheet.Filter) {
        if (StoreName(page, code))
            AcceptFilterPage(page);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FilterElementsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    FilterPageCommon(page, message, lParam, FP_ELEMENTS);
    ProfileFilter* filter = Filter();
    switch (message) {
    case WM_INITDIALOG:
        if (GetDlgItem(page, IDC_FW_NAME) && filter) {
            SendDlgItemMessageA(page, IDC_FW_NAME, EM_LIMITTEXT, FILTER_NAME_SIZE - 1, 0);
            SetDlgItemTextA(page, IDC_FW_NAME, filter->Name);
        }
        return TRUE;
    case WM_COMMAND:
        if (!filter || HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        if (LOWORD(wParam) == IDC_FW_DEFAULT || LOWORD(wParam) == IDC_FW_BASED_UPON) {
            OnDefaultChoice(page, GetCheck(page, IDC_FW_DEFAULT) != 0);
            return TRUE;
        }
        return OnElementBox(page, LOWORD(wParam)) ? TRUE : FALSE;
    }
    UINT code = FilterNotifyCode(message, lParam);
    if (!filter)
        return FALSE;
    if (code == PSN_SETACTIVE) {
        ShowElements(page);
        SetUpElementPages();
        return TRUE;
    }
    if (IsLeavingFilterPage(code)) {
        // Only the General tab holds the name.
        if (!GetDlgItem(page, IDC_FW_NAME) || StoreName(page, code))
            AcceptFilterPage(page);
        return TRUE;
    }
    return FALSE;
}
