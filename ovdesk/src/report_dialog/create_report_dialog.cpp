// The Create Report dialog (template 9930): memorized reports, the tab
// control with the settings pages, and its buttons.
#include "report_dialog/create_report_internal.h"
#include "report_dialog/range_page.h"
#include "definitions/report_definitions.h"
#include "log_sources/log_source_address.h"
#include "report_dialog/contents_sections.h"
#include "resource_ids.h"
#include "desk_services.h"
#include "ovkit/keyboard_hook.h"
#include "ovkit/ui_helpers.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

CreateReportState g_CreateReport = {};

namespace {
enum { LAST_SUMMARY_SIZE = 41, TAB_ORDER_SIZE = 16, DIALOG_PICTURE = 19 };

struct PageRow {
    SheetPageRow Row;
    UINT CaptionId;
};
PageRow g_pageTable[PAGE_COUNT] = {
    {{RangePageDlg, IDD_RANGE_PAGE, PAGE_RANGE, nullptr}, IDS_TAB_RANGE},
    {{FormatPageDlg, IDD_FORMAT_PAGE, PAGE_FORMAT, nullptr}, IDS_TAB_FORMAT},
    {{SaveAsPageDlg, IDD_SAVEAS_PAGE, PAGE_SAVEAS, nullptr}, IDS_TAB_SAVEAS},
    {{StylePageDlg, IDD_STYLE_PAGE, PAGE_STYLE, nullptr}, IDS_TAB_STYLE},
    {{ContentsPageDlg, IDD_CONTENTS_PAGE, PAGE_CONTENTS, nullptr}, IDS_TAB_CONTENTS},
};
HWND g_tabOrder[TAB_ORDER_SIZE];

// Controls of each page that the Tab key walks through, in order.
const int kRangeOrder[] = {RANGE_COMBO,    RANGE_START_TIME, RANGE_START_DATE,
                           RANGE_END_TIME, RANGE_END_DATE,   0};
const int kFormatOrder[] = {IDC_FORMAT_COMBO, 0};
const int kSaveAsOrder[] = {IDC_SAVEAS_KIND, IDC_SAVEAS_PATH, IDC_SAVEAS_BROWSE, IDC_SAVEAS_ADDRESS,
                            0};
const int kStyleOrder[] = {IDC_STYLE_LANGUAGE, IDC_STYLE_STYLE, 0};
const int* const kPageOrders[PAGE_CONTENTS] = {kRangeOrder, kFormatOrder, kSaveAsOrder,
                                               kStyleOrder};

void RebuildTabOrder(HWND dialog, int page) {
    if (page == PAGE_CONTENTS || !g_ReportPages[page])
        return;
    int count = 0;
    g_tabOrder[count++] = GetDlgItem(dialog, IDC_CR_TAB);
    for (const int* id = kPageOrders[page]; *id && count < TAB_ORDER_SIZE - 2; ++id)
        g_tabOrder[count++] = GetDlgItem(g_ReportPages[page], *id);
    g_tabOrder[count++] = GetDlgItem(dialog, IDC_CR_MEMORIZE);
    g_tabOrder[count++] = GetDlgItem(dialog, IDC_CR_DELETE);
    OVKIT_SetTabOrder(count, g_tabOrder);
}

void ShowPage(HWND dialog, int tab) {
    if (tab < 0 || tab >= g_CreateReport.TabCount)
        return;
    int page = g_CreateReport.TabPages[tab];
    SendMessageA(g_ReportPages[page], WM_REPORT_SHOW_PAGE, SW_SHOW, 0);
    g_CreateReport.CurrentPage = page;
    RebuildTabOrder(dialog, page);
}

// Creates one page as a child of the tab control; null (the page left out)
// when its template cannot be had or the page refuses to start.
HWND CreatePage(HWND tab, PageRow& row, ReportRunRequest* request) {
    const DLGTEMPLATE* pageTemplate = GetDialogTemplate(row.Row.TemplateId);
    row.Row.Template = pageTemplate;
    if (!pageTemplate)
        return nullptr;
    HWND page = CreateDialogIndirectParamA(GetPluginInstance(), pageTemplate, tab,
                                           row.Row.Procedure, (LPARAM)request);
    if (page && row.Row.PageIndex == PAGE_CONTENTS && !GetTemplateSectionBlock(nullptr)) {
        // Without the template's sections there is nothing to choose from.
        DestroyWindow(page);
        page = nullptr;
    }
    return page;
}

void CreatePages(HWND dialog, ReportRunRequest* request) {
    HWND tab = GetDlgItem(dialog, IDC_CR_TAB);
    g_CreateReport.TabCount = 0;
    for (PageRow& row : g_pageTable) {
        int index = row.Row.PageIndex;
        g_ReportPages[index] = nullptr;
        if (index == PAGE_SAVEAS && IsMemorizeMode())
            continue;
        HWND page = CreatePage(tab, row, request);
        if (!page)
            continue;
        g_ReportPages[index] = page;
        char caption[LOADTEXT_SLOT_SIZE];
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = LoadText(row.CaptionId, caption, sizeof caption);
        int position = g_CreateReport.TabCount;
        SendMessageA(tab, TCM_INSERTITEMA, position, (LPARAM)&item);
        g_CreateReport.TabPages[g_CreateReport.TabCount++] = index;
        RECT area;
        GetClientRect(tab, &area);
        SendMessageA(tab, TCM_ADJUSTRECT, FALSE, (LPARAM)&area);
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
        ShowWindow(page, SW_HIDE);
    }
}

void SetUpMemorizeMode(HWND dialog) {
    int hidden[] = {IDC_CR_DEFINITIONS, IDC_CR_MEMORIZE, IDC_CR_DELETE};
    for (int id : hidden)
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
    SendDlgItemMessageA(dialog, IDC_CR_DESCRIPTION, EM_LIMITTEXT, DEFINITION_DESCRIPTION_CHARS, 0);
    RECT tab, button;
    GetWindowRect(GetDlgItem(dialog, IDC_CR_TAB), &tab);
    GetWindowRect(GetDlgItem(dialog, IDC_CR_MEMORIZE), &button);
    SetWindowPos(GetDlgItem(dialog, IDC_CR_TAB), nullptr, 0, 0, tab.right - tab.left,
                 button.bottom - tab.top, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowTextA(dialog, LoadTextSlot(IDS_CREATE_MEMORIZED, 0));
    SetDlgItemTextA(dialog, IDC_CR_START, LoadTextSlot(IDS_MEMORIZE_BUTTON, 0));
}

void ResetSettings(void) {
    strcpy(g_ReportSettings.StyleName, "(Default)");
    strcpy(g_ReportSettings.SaveAsText, ".\\REPORT.HTM");
    g_ReportSettings.FtpUserName[0] = '\0';
    g_ReportSettings.FtpPassword[0] = '\0';
    g_DestinationKind = DESTINATION_FILE;
}

void FinishInteractive(HWND dialog) {
    OnDefinitionChosen(dialog);
    OVKIT_CenterDialog(dialog);
    SendDlgItemMessageA(dialog, IDC_CR_TAB, TCM_SETCURSEL, 0, 0);
    ShowPage(dialog, 0);
    char caption[LOADTEXT_SLOT_SIZE], title[LOADTEXT_SLOT_SIZE + 100];
    GetWindowTextA(dialog, caption, sizeof caption);
    snprintf(title, sizeof title, "%s (%.80s)", caption, g_CreateReport.Working->Description);
    SetWindowTextA(dialog, title);
    g_CreateReport.Hook = OVKIT_SetKeyboardHook(GetPluginInstance());
    ShowDecorativePicture(dialog, IDC_CR_PICTURE, DIALOG_PICTURE);
}

BOOL InitDialog(HWND dialog, CreateReportParams* params) {
    memset(&g_CreateReport, 0, sizeof g_CreateReport);
    g_CreateReport.Params = params;
    ReportRunRequest* request = params ? params->Request : nullptr;
    if (!request || !request->Profile) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    g_ReportBoldFont = OVKIT_GetBoldFaceFont(dialog);
    static const int bold[] = {IDC_CR_BOLD_LABEL, IDC_CR_BOLD_LABEL2};
    SetBoldItems(dialog, bold, 2);
    if (IsMemorizeMode())
        SetUpMemorizeMode(dialog);
    else
        ShowWindow(GetDlgItem(dialog, IDC_CR_DESCRIPTION), SW_HIDE);
    g_CreateReport.Working = AnalysisProfile_New();
    if (!g_CreateReport.Working ||
        !AnalysisProfile_CopyNonRuntime(g_CreateReport.Working, request->Profile)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    ResetSettings();
    char last[LAST_SUMMARY_SIZE];
    GetModuleProfileString("Report", "Last Summary", "", last, sizeof last);
    ListReportDefinitions(GetDlgItem(dialog, IDC_CR_DEFINITIONS), 0, DEFINITION_SUMMARY, last);
    CreatePages(dialog, request);
    if (g_ReportPages[PAGE_RANGE])
        ResetReportRange(g_ReportPages[PAGE_RANGE], g_CreateReport.Working);
    if (request->Event) {
        RunScheduledEvent(dialog);
        return TRUE;
    }
    FinishInteractive(dialog);
    return TRUE;
}

void DestroyDialog(HWND dialog) {
    RemoveDecorativePicture(dialog, IDC_CR_PICTURE, DIALOG_PICTURE);
    ReleaseTabOrderHook();
    OVKIT_SetTabOrder(0, nullptr);
    for (HWND& page : g_ReportPages)
        OVKIT_DestroyWindowAndHandle(&page);
    if (g_ReportBoldFont)
        DeleteObject(g_ReportBoldFont);
    g_ReportBoldFont = nullptr;
    ReportRunRequest* request = GetDialogRequest();
    if (g_CreateReport.Working) {
        if (request && request->Profile)
            AnalysisProfile_CopyNonRuntime(request->Profile, g_CreateReport.Working);
        AnalysisProfile_Free(g_CreateReport.Working);
    }
    g_CreateReport.Working = nullptr;
    g_CreateReport.Params = nullptr;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header) {
    if (header->idFrom != IDC_CR_TAB)
        return FALSE;
    int tab = (int)SendDlgItemMessageA(dialog, IDC_CR_TAB, TCM_GETCURSEL, 0, 0);
    if (header->code == TCN_SELCHANGING && tab >= 0 && tab < g_CreateReport.TabCount)
        SendMessageA(g_ReportPages[g_CreateReport.TabPages[tab]], WM_REPORT_SHOW_PAGE, SW_HIDE, 0);
    else if (header->code == TCN_SELCHANGE)
        ShowPage(dialog, tab);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_CR_START:
        OnStart(dialog);
        return TRUE;
    case IDC_CR_MEMORIZE:
        OnMemorize(dialog);
        return TRUE;
    case IDC_CR_DELETE:
        OnDelete(dialog);
        return TRUE;
    case IDC_CR_DEFINITIONS:
        if (code == CBN_SELCHANGE)
            OnDefinitionChosen(dialog);
        return TRUE;
    case IDCANCEL:
        ReleaseTabOrderHook();
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_CR_HELP:
        ShowReportHelp(dialog, HELP_CREATE_REPORT);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int DefinitionIcon(WPARAM item) {
    int kind = GetListedDefinitionFormat((int)item);
    return kind > 5 ? 0 : kind;
}

BOOL IsMemorizeMode(void) {
    return g_CreateReport.Params &&
           (g_CreateReport.Params->Options & CREATE_REPORT_OPTION_MEMORIZE);
}

ReportRunRequest* GetDialogRequest(void) {
    return g_CreateReport.Params ? g_CreateReport.Params->Request : nullptr;
}

AnalysisProfile* GetReportWorkingProfile(ReportRunRequest* request) {
    if (g_CreateReport.Working)
        return g_CreateReport.Working;
    return request ? request->Profile : nullptr;
}

void ReleaseTabOrderHook(void) {
    if (g_CreateReport.Hook)
        OVKIT_ReleaseKeyboardHook(g_CreateReport.Hook);
    g_CreateReport.Hook = nullptr;
}

INT_PTR CALLBACK CreateReportDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return InitDialog(dialog, (CreateReportParams*)lParam);
    case WM_DESTROY:
        DestroyDialog(dialog);
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(dialog, (const NMHDR*)lParam);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_MEASUREITEM:
        OVKIT_MeasureCustomComboBox(dialog, IDC_CR_DEFINITIONS, (MEASUREITEMSTRUCT*)lParam,
                                    (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0));
        return TRUE;
    case WM_DRAWITEM:
        OVKIT_DrawCustomComboBox(dialog, IDC_CR_DEFINITIONS, (const DRAWITEMSTRUCT*)lParam,
                                 (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0));
        return TRUE;
    case WM_COMBO_ICON_INDEX:
        return AnswerComboIcon(dialog, lParam, DefinitionIcon(wParam));
    }
    return FALSE;
}
