// The Day and Hour pages.
#include "filter_wizard/list_page.h"
#include "filter_wizard/filter_checks.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstdio>

namespace {
// Sunday (bit 0) to Saturday (bit 6).
const int kDayBoxes[] = {IDC_FW_SUNDAY,   IDC_FW_MONDAY, IDC_FW_TUESDAY, IDC_FW_WEDNESDAY,
                         IDC_FW_THURSDAY, IDC_FW_FRIDAY, IDC_FW_SATURDAY};

void ShowDays(HWND page, ProfileFilter* filter) {
    for (int day = 0; day < 7; ++day)
        SetCheck(page, kDayBoxes[day], filter->Days & (1u << day));
}

// No day ticked stores 0, which the filter takes as every day.
bool LeaveDays(HWND page, ProfileFilter* filter, UINT) {
    DWORD days = 0;
    for (int day = 0; day < 7; ++day)
        if (GetCheck(page, kDayBoxes[day]))
            days |= 1u << day;
    filter->Days = days;
    return true;
}

void EnableHours(HWND page) {
    BOOL between = GetCheck(page, IDC_FW_HOUR_BETWEEN);
    for (int item :
         {IDC_FW_HOUR_BEGIN, IDC_FW_HOUR_END, IDC_FW_HOUR_BEGIN_SPIN, IDC_FW_HOUR_END_SPIN})
        EnableWindow(GetDlgItem(page, item), between);
}

void ShowHours(HWND page, ProfileFilter* filter) {
    for (int spin : {IDC_FW_HOUR_BEGIN_SPIN, IDC_FW_HOUR_END_SPIN})
        SendDlgItemMessageA(page, spin, UDM_SETRANGE32, 0, 23);
    SetDlgItemTextA(page, IDC_FW_HOUR_ALL, IsInclude() ? "All" : "None");
    SetCheck(page, IDC_FW_HOUR_ALL, filter->HourAll);
    SetCheck(page, IDC_FW_HOUR_BETWEEN, !filter->HourAll);
    SetDlgItemInt(page, IDC_FW_HOUR_BEGIN, filter->HourBegin, FALSE);
    SetDlgItemInt(page, IDC_FW_HOUR_END, filter->HourEnd, FALSE);
    EnableHours(page);
}

// A begin after the end is a span over midnight (22 to 6).
bool LeaveHours(HWND page, ProfileFilter* filter, UINT) {
    if (GetCheck(page, IDC_FW_HOUR_ALL)) {
        filter->HourAll = 1;
        return true;
    }
    int begin = ParseHour(FieldText(page, IDC_FW_HOUR_BEGIN));
    int end = ParseHour(FieldText(page, IDC_FW_HOUR_END));
    if (begin < 0 || end < 0) {
        FilterMessage(page, "Please enter hours between 0 and 23.", "Invalid Time",
                      MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(page, begin < 0 ? IDC_FW_HOUR_BEGIN : IDC_FW_HOUR_END));
        return false;
    }
    filter->HourAll = 0;
    filter->HourBegin = (DWORD)begin;
    filter->HourEnd = (DWORD)end;
    return true;
}

void HourClicked(HWND page, int item) {
    if (item == IDC_FW_HOUR_ALL || item == IDC_FW_HOUR_BETWEEN)
        EnableHours(page);
}

const ElementPage kDays = {FP_DAY, 0, 0, ShowDays, LeaveDays, nullptr};
const ElementPage kHours = {FP_HOUR, 0, 0, ShowHours, LeaveHours, HourClicked};
} // namespace

INT_PTR CALLBACK DayPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kDays, page, message, wParam, lParam);
}

INT_PTR CALLBACK HourPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kHours, page, message, wParam, lParam);
}
