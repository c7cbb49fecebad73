// Start of the Create Report dialog, for a person or for a scheduled event.
#include "report_dialog/create_report_internal.h"
#include "report_dialog/contents_sections.h"
#include "report_dialog/definition_pages.h"
#include "definitions/report_definitions.h"
#include "log_sources/log_source_address.h"
#include "report_dialog/range_page.h"
#include "report_run/output_names.h"
#include "report_run/report_delivery.h"
#include "resource_ids.h"
#include "desk_services.h"
#include "ovkit/mail.h"
#include "ovkit/ui_helpers.h"
#include <cstdio>
#include <cstring>
#include <new>
#include "ovkit/text_copy.h"

namespace {
enum { RT_TEMPLATE_SIZE = MAX_PATH, LAST_SUMMARY_SIZE = 41 };
RunReportFunction g_runner = nullptr;

const char kBadMailSettings[] =
    "The report can not complete due to invalid e-mail settings.\nPlease use the Options "
    "dialog to set them before creating a report.";

void TakeDefaultLanguage(void) {
    if (g_ReportLanguage[0] && strcmp(g_ReportLanguage, "(Default)") != 0)
        return;
    GetModuleProfileString("Language", "Report", "ENGLISH", g_ReportLanguage,
                           sizeof g_ReportLanguage);
    if (g_ReportPages[PAGE_STYLE])
        SelectComboText(g_ReportPages[PAGE_STYLE], IDC_STYLE_LANGUAGE, g_ReportLanguage);
}

BOOL CALLBACK DisableOne(HWND window, LPARAM) {
    EnableWindow(window, FALSE);
    return TRUE;
}

void DisableEverything(HWND dialog) {
    EnumChildWindows(dialog, DisableOne, 0);
}

// The Save As page's target into the settings text; 0 when refused.
int AcceptDestination(void) {
    HWND page = g_ReportPages[PAGE_SAVEAS];
    if (!page)
        return 1;
    char text[MAX_PATH];
    if (!GetSaveAsTarget(page, IDC_SAVEAS_PATH, IDC_SAVEAS_ADDRESS, text, g_DestinationKind))
        return 0;
    OvkitCopyText(g_ReportSettings.SaveAsText, sizeof g_ReportSettings.SaveAsText, text);
    return 1;
}

// The output name handed to the run: the Save-As text without its scheme; a
// file gets its folder and the chosen format's extension.
void MakeOutputName(char* name) {
    SplitLogSourceUrl(name, g_ReportSettings.SaveAsText);
    if (g_DestinationKind != DESTINATION_FILE)
        return;
    ResolveRelativeReportPath(name, REPORTS_SUBFOLDER);
    int format = GetSelectedFormat(g_ReportPages[PAGE_FORMAT]);
    if (format != FORMAT_TXT)
        PlaceReportInReportsDir(name, g_OutputFormats[format].Extension, REPORTS_SUBFOLDER);
}

// A run needs sections: without the page's list the template's own serve,
// all included.
BOOL EnsureSections(HWND dialog) {
    if (GetTemplateSectionBlock(nullptr) || LoadTemplateSections())
        return TRUE;
    DisplayReportError(dialog, nullptr, nullptr, 0, IDS_COULD_NOT_BUILD, 0);
    return FALSE;
}

void RunAndEnd(HWND dialog) {
    ReportRunRequest* request = GetDialogRequest();
    HWND style = g_ReportPages[PAGE_STYLE];
    if (style)
        GetItemTextBounded(style, IDC_STYLE_TITLE, g_ReportTitle, sizeof g_ReportTitle);
    HWND range = g_ReportPages[PAGE_RANGE];
    WORD rangeCode = (WORD)(range ? GetSelectedRangeCode(range) : 0);
    char output[MAX_PATH];
    MakeOutputName(output);
    int result = 0;
    if (EnsureSections(dialog)) {
        RunReportFunction run = g_runner ? g_runner : &RunReport;
        result = run(dialog, range, g_CreateReport.Working, rangeCode, g_DestinationKind, output,
                     g_ReportSettings.FtpUserName, g_ReportSettings.FtpPassword,
                     g_ReportSettings.StyleName, g_ReportLanguage, request);
    }
    ReleaseTabOrderHook();
    EndDialog(dialog, result);
}

void LoadRealtimeTemplate(void) {
    char name[RT_TEMPLATE_SIZE], path[MAX_PATH * 2];
    GetModuleProfileString("Defaults", "RTTemplate", "REALTIME_htm.mss", name, sizeof name);
    snprintf(path, sizeof path, "%s%s", GetDataFilesFolder(), name);
    ReportDefinition* definition = new (std::nothrow) ReportDefinition();
    if (definition && ReadReportDefinition(path, nullptr, nullptr, nullptr, nullptr, definition))
        ApplyDefinitionToPages(definition);
    delete definition;
    int code = GetModuleProfileInt("Defaults", "RTRange", 0);
    g_CreateReport.Working->wRangeCode = (WORD)code;
    HWND range = g_ReportPages[PAGE_RANGE];
    if (range) {
        SelectRangeCode(range, code);
        ShowReportRange(range, code, g_CreateReport.Working);
    }
    OvkitCopyText(g_ReportSettings.SaveAsText, sizeof g_ReportSettings.SaveAsText,
                  g_CreateReport.Working->ReportSaveToPath);
    g_DestinationKind = DESTINATION_FILE;
}

void LoadEventDefinition(const ScheduleEvent* event) {
    ReportDefinition* definition = new (std::nothrow) ReportDefinition();
    if (definition && FindReportDefinition(DEFINITION_SUMMARY, event->Server, "", "",
                                           event->Memorized, definition, nullptr, 0)) {
        if (event->SaveAsFilename[0])
            OvkitCopyText(definition->SaveReportAs, sizeof definition->SaveReportAs,
                          event->SaveAsFilename);
        ApplyDefinitionToPages(definition);
        if (definition->ReportLanguage[0])
            OvkitCopyText(g_ReportLanguage, sizeof g_ReportLanguage, definition->ReportLanguage);
    } else if (event->SaveAsFilename[0]) {
        OvkitCopyText(g_ReportSettings.SaveAsText, sizeof g_ReportSettings.SaveAsText,
                      event->SaveAsFilename);
    }
    delete definition;
    ReportDefinition shown = {};
    OvkitCopyText(shown.SaveReportAs, sizeof shown.SaveReportAs, g_ReportSettings.SaveAsText);
    ShowDestinationOf(&shown);
}
} // namespace

RunReportFunction SetReportRunner(RunReportFunction runner) {
    RunReportFunction previous = g_runner;
    g_runner = runner;
    return previous;
}

int ShowDialogMessage(HWND dialog, const char* text, const char* caption, UINT type) {
    if (g_CreateReport.Scheduled) {
        DisplayReportError(dialog, caption, text, 0, 0, 0);
        return IDOK;
    }
    return DeskMessageBox(dialog, text, caption, type);
}

void OnStart(HWND dialog) {
    ReportRunRequest* request = GetDialogRequest();
    if (!request)
        return;
    TakeDefaultLanguage();
    if (IsMemorizeMode()) {
        if (OnMemorize(dialog))
            EndDialog(dialog, 1);
        return;
    }
    if (g_DestinationKind == DESTINATION_MAIL && !OVKIT_IsMailOptionsValid()) {
        ShowDialogMessage(dialog, kBadMailSettings, OVDESK_CAPTION, MB_OK | MB_ICONWARNING);
        return;
    }
    if (g_CreateReport.Running || !CheckNetworkForProfile(dialog, g_CreateReport.Working))
        return;
    if (request->RunMode != RUN_MODE_REALTIME && !AcceptDestination())
        return;
    g_CreateReport.Running = TRUE;
    if (!request->Event) {
        char last[LAST_SUMMARY_SIZE] = "";
        OVKIT_GetSelectedComboText(dialog, IDC_CR_DEFINITIONS, last, sizeof last, -1);
        WriteModuleProfileString("Report", "Last Summary", last);
    }
    DisableEverything(dialog);
    RunAndEnd(dialog);
}

void RunScheduledEvent(HWND dialog) {
    ReportRunRequest* request = GetDialogRequest();
    const ScheduleEvent* event = request->Event;
    g_CreateReport.Scheduled = TRUE;
    // Nothing on this path may wait for a person.
    SetDeskUnattended(TRUE);
    if (request->RunMode == RUN_MODE_REALTIME)
        LoadRealtimeTemplate();
    else
        LoadEventDefinition(event);
    CopyDefinitionLogin(&g_ReportSettings, event);
    ShowWindow(dialog, SW_HIDE);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CR_START, BN_CLICKED), 0);
    // A refused start must not leave a hidden dialog waiting for ever.
    if (!g_CreateReport.Running) {
        ReleaseTabOrderHook();
        EndDialog(dialog, 0);
    }
    SetDeskUnattended(FALSE);
}
