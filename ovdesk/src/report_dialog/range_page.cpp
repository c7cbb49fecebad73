// The Range page: the range combo and the four start and end fields.
#include "report_dialog/range_page.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include <cstdio>

namespace {
// Text of each range code, in code order.
const WORD kRangeTexts[] = {9330, 9331, 9396, 9397, 9399, 9491, 9492, 9493, 9494, 9416,
                            9392, 9412, 9417, 9495, 9496, 9418, 9497, 9498, 9413, 9414,
                            9499, 9502, 9500, 9613, 9415, 9332, 9333, 9334, 9335, 9419,
                            9336, 9337, 9422, 9338, 9339, 9423, 9340, 9341, 9342, 9407,
                            9343, 9408, 9402, 9403, 9404, 9405, 9398, 9406, 9409};
const int kRangeCodeCount = sizeof kRangeTexts / sizeof kRangeTexts[0];
// Codes left out of the combo when it is filled without a request.
const int kFirstCodeWithoutRequest = 5;
const int kFieldIds[] = {RANGE_START_TIME, RANGE_START_DATE, RANGE_END_TIME, RANGE_END_DATE};
const int kLabelIds[] = {9952, 9953, 9954, IDC_RANGE_LABEL_LAST};

void EnableFields(HWND page, BOOL enable) {
    for (int id : kFieldIds)
        EnableWindow(GetDlgItem(page, id), enable);
    for (int id : kLabelIds)
        EnableWindow(GetDlgItem(page, id), enable);
}

// The log's (or the history database's) first and last times; 0 when unknown.
void KnownTimes(const AnalysisProfile* profile, DWORD* start, DWORD* end) {
    *start = *end = 0;
    BOOL logKnown = profile->FirstLogTime || profile->LastLogTime;
    BOOL databaseKnown = profile->DatabaseFirstTime && profile->DatabaseLastTime;
    if (logKnown) {
        *start = profile->FirstLogTime;
        *end = profile->LastLogTime;
    }
    if (!databaseKnown)
        return;
    if (!logKnown || profile->DatabaseFirstTime < *start)
        *start = profile->DatabaseFirstTime;
    if (!logKnown || profile->DatabaseLastTime > *end)
        *end = profile->DatabaseLastTime;
}

BOOL HasDatabaseTimes(const AnalysisProfile* profile) {
    return profile->DatabaseFirstTime && profile->DatabaseLastTime;
}

void WriteFields(HWND page, DWORD start, DWORD end) {
    char timeText[DATE_TEXT_SIZE + 4], dateText[DATE_TEXT_SIZE + 4];
    FormatUtcDateTime(timeText, dateText, (time_t)start);
    SetDlgItemTextA(page, RANGE_START_TIME, timeText);
    SetDlgItemTextA(page, RANGE_START_DATE, dateText);
    FormatUtcDateTime(timeText, dateText, (time_t)end);
    SetDlgItemTextA(page, RANGE_END_TIME, timeText);
    SetDlgItemTextA(page, RANGE_END_DATE, dateText);
}

// The first bad text of the specified range after a box; 1 when all are good.
int CheckSpecifiedTexts(HWND page, char texts[4][DEFINITION_RANGE_TEXT_SIZE]) {
    // Dates first, then times, as the user reads the fields.
    static const int order[] = {1, 3, 0, 2};
    static const UINT messages[] = {IDS_BAD_START_DATE, IDS_BAD_END_DATE, IDS_BAD_START_TIME,
                                    IDS_BAD_END_TIME};
    for (int i = 0; i < 4; ++i) {
        const char* text = texts[order[i]];
        int good = i < 2 ? IsValidDateText(text) : IsValidTimeText(text);
        if (good)
            continue;
        char format[LOADTEXT_SLOT_SIZE], message[LOADTEXT_SLOT_SIZE + 16];
        LoadText(messages[i], format, sizeof format);
        snprintf(message, sizeof message, format, text);
        DeskMessageBox(page, message, LoadTextSlot(IDS_INVALID_DATETIME, 1), MB_OK);
        return 0;
    }
    return 1;
}

ReportRunRequest* RequestOf(HWND page) {
    return (ReportRunRequest*)GetWindowLongPtrA(page, DWLP_USER);
}
} // namespace

void FillReportRangeCombo(HWND page, ReportRunRequest* request) {
    HWND combo = GetDlgItem(page, RANGE_COMBO);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int code = 0; code < kRangeCodeCount; ++code) {
        if (!request && code > 0 && code < kFirstCodeWithoutRequest)
            continue;
        LRESULT index =
            SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)LoadTextSlot(kRangeTexts[code], 0));
        SendMessageA(combo, CB_SETITEMDATA, (WPARAM)index, code);
    }
    int first = 0;
    if (!request) {
        int setting = GetModuleProfileInt("Defaults", "RTRange", 0);
        first = setting >= kFirstCodeWithoutRequest ? setting - (kFirstCodeWithoutRequest - 1) : 0;
    }
    SendMessageA(combo, CB_SETCURSEL, first, 0);
}

void ShowReportRange(HWND page, int code, AnalysisProfile* profile) {
    BOOL specify = code == RANGE_SPECIFY;
    ShowWindow(GetDlgItem(page, RANGE_HINT), specify ? SW_SHOW : SW_HIDE);
    EnableFields(page, specify);
    if (!profile)
        return;
    DWORD start, end;
    KnownTimes(profile, &start, &end);
    DWORD rangeStart = start, rangeEnd = end;
    if (!specify && code != 0 && profile->LogInfoValid)
        ORB_CalculateRealtimeReportRange(code, &rangeStart, &rangeEnd);
    char texts[4][DEFINITION_RANGE_TEXT_SIZE];
    for (int i = 0; i < 4; ++i) {
        if (specify)
            GetItemTextBounded(page, kFieldIds[i], texts[i], sizeof texts[i]);
        else
            SetDlgItemTextA(page, kFieldIds[i], LoadTextSlot(IDS_NOT_AVAILABLE, 0));
    }
    if (!profile->LogInfoValid && !HasDatabaseTimes(profile))
        return;
    if (!specify)
        WriteFields(page, rangeStart, rangeEnd);
    else if (!CheckSpecifiedTexts(page, texts))
        WriteFields(page, start, end);
}

void ResetReportRange(HWND page, AnalysisProfile* profile) {
    ShowReportRange(page, 0, profile);
    EnableWindow(GetDlgItem(page, RANGE_COMBO), TRUE);
}

void ReadReportRange(HWND page, DWORD* start, DWORD* end, AnalysisProfile* profile) {
    if (!profile || (!profile->LogInfoValid && !HasDatabaseTimes(profile)))
        return;
    DWORD* targets[] = {start, end};
    for (int i = 0; i < 2; ++i) {
        char timeText[DEFINITION_RANGE_TEXT_SIZE], dateText[DEFINITION_RANGE_TEXT_SIZE];
        GetItemTextBounded(page, kFieldIds[2 * i], timeText, sizeof timeText);
        GetItemTextBounded(page, kFieldIds[2 * i + 1], dateText, sizeof dateText);
        int hour, minute, second, month, day, year;
        ParseDateTimeText(timeText, dateText, &hour, &minute, &second, &month, &day, &year);
        ORB_TIME value = Y2K_mktimeEx((WORD)hour, (WORD)minute, (WORD)second, (WORD)month,
                                      (WORD)day, (WORD)year, nullptr);
        *targets[i] = value == ORB_TIME_INVALID ? (DWORD)time(nullptr) : value;
    }
}

// The code shown by the page's combo (the item's data is its range code).
int GetSelectedRangeCode(HWND page) {
    LRESULT index = SendDlgItemMessageA(page, RANGE_COMBO, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return 0;
    return (int)SendDlgItemMessageA(page, RANGE_COMBO, CB_GETITEMDATA, (WPARAM)index, 0);
}

INT_PTR CALLBACK RangePageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        static const int bold[] = {9951, 9952, 9953, 9954, 9955};
        SetBoldItems(page, bold, 5);
        FillReportRangeCombo(page, RequestOf(page));
        for (int id : kFieldIds)
            SetDlgItemTextA(page, id, "");
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(RANGE_COMBO, CBN_SELCHANGE),
                     (LPARAM)GetDlgItem(page, RANGE_COMBO));
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == RANGE_COMBO && HIWORD(wParam) == CBN_SELCHANGE) {
            ShowReportRange(page, GetSelectedRangeCode(page),
                            GetReportWorkingProfile(RequestOf(page)));
            return TRUE;
        }
        break;
    }
    return DefaultPageMessage(page, message, wParam);
}
