// The "View Log File..." dialog: memorized views, view type, order and
// range, and Start.
#include "view_log/view_log.h"
#include "definitions/report_definitions.h"
#include "report_dialog/create_report_dialog.h"
#include "report_dialog/definition_pages.h"
#include "report_dialog/range_page.h"
#include "report_dialog/report_pages.h"
#include "services/plugin_settings.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovkit/ui_helpers.h"
#include <cstring>
#include <new>

namespace {
enum { VIEW_PICTURE = 20 };

struct ViewLogState {
    ReportRunRequest* Request;
    BOOL Running;
};
ViewLogState g_viewLog;

AnalysisProfile* Profile(void) {
    return g_viewLog.Request ? g_viewLog.Request->Profile : nullptr;
}

void SelectedView(HWND dialog, char* name) {
    name[0] = 0;
    LRESULT index = SendDlgItemMessageA(dialog, IDC_VL_MEMORIZED, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || index == 0)
        return;
    OVKIT_GetSelectedComboText(dialog, IDC_VL_MEMORIZED, name, DEFINITION_DESCRIPTION_SIZE, -1);
}

void FillChoices(HWND dialog) {
    HWND types = GetDlgItem(dialog, IDC_VL_VIEW_TYPE), orders = GetDlgItem(dialog, IDC_VL_ORDER_BY);
    SendMessageA(types, CB_ADDSTRING, 0, (LPARAM)LoadTextSlot(IDS_VIEW_STANDARD, 0));
    SendMessageA(types, CB_ADDSTRING, 0, (LPARAM)LoadTextSlot(IDS_VIEW_DETAILED, 0));
    for (int i = 0; i < LISTING_ORDERS; ++i)
        SendMessageA(orders, CB_ADDSTRING, 0, (LPARAM)LoadTextSlot(IDS_ORDER_FIRST + i, 0));
    SendMessageA(types, CB_SETCURSEL, 0, 0);
    SendMessageA(orders, CB_SETCURSEL, 0, 0);
}

ViewChoice ReadChoice(HWND dialog) {
    LRESULT type = SendDlgItemMessageA(dialog, IDC_VL_VIEW_TYPE, CB_GETCURSEL, 0, 0);
    LRESULT order = SendDlgItemMessageA(dialog, IDC_VL_ORDER_BY, CB_GETCURSEL, 0, 0);
    ViewChoice choice = {
        (WORD)(type == VIEW_TYPE_DETAILED ? VIEW_TYPE_DETAILED : VIEW_TYPE_STANDARD),
        (WORD)(order > 0 && order < LISTING_ORDERS ? order : 0)};
    return choice;
}

void ApplyView(HWND dialog, const ReportDefinition& view) {
    SendDlgItemMessageA(dialog, IDC_VL_VIEW_TYPE, CB_SETCURSEL,
                        view.ViewType == VIEW_TYPE_DETAILED ? 1 : 0, 0);
    SendDlgItemMessageA(dialog, IDC_VL_ORDER_BY, CB_SETCURSEL,
                        view.OrderBy < LISTING_ORDERS ? view.OrderBy : 0, 0);
    SelectRangeCode(dialog, view.ReportRange);
    ShowReportRange(dialog, GetSelectedRangeCode(dialog), Profile());
    if (view.ReportRange == RANGE_SPECIFY) {
        SetDlgItemTextA(dialog, RANGE_START_TIME, view.StartTime);
        SetDlgItemTextA(dialog, RANGE_START_DATE, view.StartDate);
        SetDlgItemTextA(dialog, RANGE_END_TIME, view.StopTime);
        SetDlgItemTextA(dialog, RANGE_END_DATE, view.StopDate);
    }
}

// Finds the memorized view (with the event's server and profile when
// given) and applies it; 1 when found.
int LoadView(HWND dialog, const char* name, const ScheduleEvent* event) {
    ReportDefinition* view = new (std::nothrow) ReportDefinition();
    int found = view && name[0] &&
                FindReportDefinition(DEFINITION_VIEW, event ? event->Server : nullptr,
                                     event ? event->SetName : nullptr,
                                     event ? event->SetExtension : nullptr, name, view, nullptr, 0);
    if (found) {
        ApplyView(dialog, *view);
        ListReportDefinitions(GetDlgItem(dialog, IDC_VL_MEMORIZED), LIST_COMBO_WITH_NONE,
                              DEFINITION_VIEW, view->Description);
    }
    delete view;
    return found;
}

void StoreView(HWND dialog, const char* name) {
    ReportDefinition* view = new (std::nothrow) ReportDefinition();
    if (!view)
        return;
    lstrcpynA(view->Description, name, sizeof view->Description);
    ViewChoice choice = ReadChoice(dialog);
    view->ViewType = choice.ViewType;
    view->OrderBy = choice.OrderBy;
    view->ReportRange = (WORD)GetSelectedRangeCode(dialog);
    GetDlgItemTextA(dialog, RANGE_START_TIME, view->StartTime, sizeof view->StartTime);
    GetDlgItemTextA(dialog, RANGE_START_DATE, view->StartDate, sizeof view->StartDate);
    GetDlgItemTextA(dialog, RANGE_END_TIME, view->StopTime, sizeof view->StopTime);
    GetDlgItemTextA(dialog, RANGE_END_DATE, view->StopDate, sizeof view->StopDate);
    char path[MAX_PATH] = "";
    if (!FindReportDefinition(DEFINITION_VIEW, nullptr, nullptr, nullptr, name, nullptr, path, 0))
        NewReportDefinitionName(DEFINITION_VIEW, path);
    WriteReportDefinition(path, view);
    delete view;
}

void DeleteView(HWND dialog, const char* name) {
    char path[MAX_PATH] = "", caption[LOADTEXT_SLOT_SIZE];
    if (name[0] &&
        FindReportDefinition(DEFINITION_VIEW, nullptr, nullptr, nullptr, name, nullptr, path, 0)) {
        LoadText(IDS_DELETE_MEMORIZED, caption, sizeof caption);
        if (DeskMessageBox(dialog, LoadTextSlot(IDS_ARE_YOU_SURE, 0), caption, MB_YESNO) == IDYES)
            DeleteReportDefinition(path);
    } else {
        LoadText(IDS_UNABLE_TO_DELETE, caption, sizeof caption);
        DeskMessageBox(dialog, LoadTextSlot(IDS_NO_SUCH_MEMORIZED, 0), caption, MB_OK);
    }
}

void Memorize(HWND dialog) {
    char name[DEFINITION_DESCRIPTION_SIZE];
    SelectedView(dialog, name);
    MemorizeNameParams params = {dialog, IDC_VL_MEMORIZED, name};
    const DLGTEMPLATE* nameTemplate = GetDialogTemplate(IDD_MEMORIZE_NAME);
    if (!nameTemplate)
        return;
    INT_PTR answer = DialogBoxIndirectParamA(GetPluginInstance(), nameTemplate, dialog,
                                             GetMemorizeNameDlg, (LPARAM)&params);
    if (answer == 1)
        StoreView(dialog, name);
    else if (answer == IDC_MEMO_DELETE)
        DeleteView(dialog, name);
    else
        return;
    ListReportDefinitions(GetDlgItem(dialog, IDC_VL_MEMORIZED), LIST_COMBO_WITH_NONE,
                          DEFINITION_VIEW, answer == 1 ? name : "");
}

BOOL CALLBACK DisableOne(HWND window, LPARAM) {
    EnableWindow(window, FALSE);
    return TRUE;
}

void Start(HWND dialog) {
    if (g_viewLog.Running || !CheckNetworkForProfile(dialog, Profile()))
        return;
    g_viewLog.Running = TRUE;
    char name[DEFINITION_DESCRIPTION_SIZE];
    SelectedView(dialog, name);
    SetLastView(name);
    EnumChildWindows(dialog, DisableOne, 0);
    WORD range = (WORD)GetSelectedRangeCode(dialog);
    int result = RunUrlReport(dialog, Profile(), range, ReadChoice(dialog), g_viewLog.Request);
    RemoveDecorativePicture(dialog, IDC_VL_PICTURE, VIEW_PICTURE);
    EndDialog(dialog, result);
}

void Open(HWND dialog, ReportRunRequest* request) {
    g_viewLog = {request, FALSE};
    ListReportDefinitions(GetDlgItem(dialog, IDC_VL_MEMORIZED), LIST_COMBO_WITH_NONE,
                          DEFINITION_VIEW, "");
    FillChoices(dialog);
    FillReportRangeCombo(dialog, request);
    ResetReportRange(dialog, Profile());
    CenterWindowOnScreen(dialog);
    ShowDecorativePicture(dialog, IDC_VL_PICTURE, VIEW_PICTURE);
    const ScheduleEvent* event = request ? request->Event : nullptr;
    if (event) {
        LoadView(dialog, event->Memorized, event);
        ShowWindow(dialog, SW_HIDE);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
    }
    char last[LAST_REPORT_SIZE];
    GetLastView(last);
    LoadView(dialog, last, nullptr);
}

void Cancel(HWND dialog) {
    if (g_viewLog.Running)
        return;
    RemoveDecorativePicture(dialog, IDC_VL_PICTURE, VIEW_PICTURE);
    EndDialog(dialog, 1);
}
} // namespace

INT_PTR CALLBACK SetReportDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Open(dialog, (ReportRunRequest*)lParam);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            Cancel(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Start(dialog);
            return TRUE;
        case IDCANCEL:
            Cancel(dialog);
            return TRUE;
        case IDC_VL_MEMORIZE:
            Memorize(dialog);
            return TRUE;
        case IDC_VL_HELP:
            ShowReportHelp(dialog, HELP_VIEW_LOG);
            return TRUE;
        case IDC_VL_MEMORIZED:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                char name[DEFINITION_DESCRIPTION_SIZE];
                SelectedView(dialog, name);
                LoadView(dialog, name, nullptr);
            }
            return TRUE;
        case RANGE_COMBO:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                ShowReportRange(dialog, GetSelectedRangeCode(dialog), Profile());
            return TRUE;
        }
        break;
    case WM_MEASUREITEM:
        OVKIT_MeasureCustomComboBox(dialog, IDC_VL_MEMORIZED, (MEASUREITEMSTRUCT*)lParam,
                                    (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0));
        return TRUE;
    case WM_DRAWITEM:
        OVKIT_DrawCustomComboBox(dialog, IDC_VL_MEMORIZED, (const DRAWITEMSTRUCT*)lParam,
                                 (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0));
        return TRUE;
    case WM_COMBO_ICON_INDEX:
        return AnswerComboIcon(dialog, lParam, DefinitionIcon(wParam));
    }
    return FALSE;
}
