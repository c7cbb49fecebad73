// The Real-Time page: the processor share of a real-time analysis, and the
// range and saved report of a real-time report.
#include "options/options_sheet.h"
#include "definitions/report_definitions.h"
#include "report_dialog/range_page.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovkit/slider.h"
#include <cstdio>
#include <cstring>
#include <new>

namespace {
enum { HELP_TOPIC = 4105, RT_TEMPLATE_CHARS = 260, FIRST_LISTED_CODE = 5 };
const char kSliderCaption[] = "<--min              CPU Usage              max-->";
const char kDefaultTemplate[] = "REALTIME_HTM.MSS";

HWND Slider(HWND page) {
    return GetDlgItem(page, IDC_OPT_RT_SLIDER);
}

// The slider lies just inside the frame, below its caption.
void MakeSlider(HWND page) {
    RECT frame;
    GetWindowRect(GetDlgItem(page, IDC_OPT_RT_FRAME), &frame);
    MapWindowPoints(nullptr, page, (POINT*)&frame, 2);
    RECT inset = {6, 14, 6, 6};
    MapDialogRect(page, &inset);
    HWND slider = OVKIT_CreateSliderControl(page, frame.left + inset.left, frame.top + inset.top,
                                            frame.right - frame.left - inset.left - inset.right,
                                            frame.bottom - frame.top - inset.top - inset.bottom,
                                            kSliderCaption);
    if (!slider)
        return;
    SetWindowLongPtrA(slider, GWLP_ID, IDC_OPT_RT_SLIDER);
    int usage = GetModuleProfileInt("Defaults", "CPUUsage", 100);
    SendMessageA(slider, OVKIT_SLIDER_SETVALUE, usage > 100 ? 100 : usage < 0 ? 0 : usage, 0);
}

// The description of the saved report the setting names, or "".
void CurrentDescription(char* description, size_t size) {
    description[0] = '\0';
    char name[RT_TEMPLATE_CHARS] = "", path[MAX_PATH * 2];
    GetModuleProfileString("Defaults", "RTTemplate", kDefaultTemplate, name, sizeof name);
    snprintf(path, sizeof path, "%s%s", GetDataFilesFolder(), name);
    ReportDefinition* record = new (std::nothrow) ReportDefinition();
    if (record && ReadReportDefinition(path, nullptr, nullptr, nullptr, nullptr, record))
        snprintf(description, size, "%s", record->Description);
    delete record;
}

void Fill(HWND page) {
    MakeSlider(page);
    FillReportRangeCombo(page, nullptr);
    char description[DEFINITION_DESCRIPTION_SIZE];
    CurrentDescription(description, sizeof description);
    ListReportDefinitions(GetDlgItem(page, IDC_OPT_RT_TEMPLATE), LIST_COMBO, DEFINITION_SUMMARY,
                          description);
}

// The chosen saved report's file name, without its folder, when one of that
// description is found.
void StoreTemplate(HWND page) {
    char description[DEFINITION_DESCRIPTION_SIZE] = "";
    HWND combo = GetDlgItem(page, IDC_OPT_RT_TEMPLATE);
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR ||
        SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) >= (LRESULT)sizeof description)
        return;
    SendMessageA(combo, CB_GETLBTEXT, index, (LPARAM)description);
    char path[MAX_PATH] = "";
    ReportDefinition* record = new (std::nothrow) ReportDefinition();
    if (record && FindReportDefinition(DEFINITION_SUMMARY, nullptr, nullptr, nullptr, description,
                                       record, path, 0)) {
        const char* name = strrchr(path, '\\');
        WriteModuleProfileString("Defaults", "RTTemplate", name ? name + 1 : path);
    }
    delete record;
}

BOOL Apply(HWND page) {
    HWND slider = Slider(page);
    if (slider)
        WriteModuleProfileInt("Defaults", "CPUUsage",
                              (int)SendMessageA(slider, OVKIT_SLIDER_GETVALUE, 0, 0));
    LRESULT range = SendDlgItemMessageA(page, RANGE_COMBO, CB_GETCURSEL, 0, 0);
    if (range != CB_ERR)
        WriteModuleProfileInt("Defaults", "RTRange",
                              range == 0 ? 0 : (int)range + FIRST_LISTED_CODE - 1);
    StoreTemplate(page);
    return OptionsAnswer(page, PSNRET_NOERROR);
}
} // namespace

INT_PTR CALLBACK RealtimeOptionsPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPT_ROW_REALTIME);
    if (message == WM_INITDIALOG)
        Fill(page);
    switch (OptionsNotifyCode(message, lParam)) {
    case (UINT)PSN_APPLY:
        return Apply(page);
    case (UINT)PSN_HELP:
        OptionsHelp(page, HELP_TOPIC);
        return TRUE;
    }
    return FALSE;
}
