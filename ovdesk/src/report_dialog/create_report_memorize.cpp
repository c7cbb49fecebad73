// Memorized reports in the Create Report dialog: choosing, memorizing and
// deleting them.
#include "report_dialog/create_report_internal.h"
#include "report_dialog/definition_pages.h"
#include "definitions/report_definitions.h"
#include "log_sources/log_source_address.h"
#include "resource_ids.h"
#include "desk_services.h"
#include "ovkit/mail.h"
#include "ovkit/ui_helpers.h"
#include <cstring>
#include <new>
#include "ovkit/text_copy.h"

namespace {
const char kBadMailWhileMemorizing[] =
    "Your eMail settings are invalid.  Please use the Options dialog to set them before "
    "creating a report.\nPress OK to continue memorizing the report.";

// The selected memorized report's name; empty for "<< None Selected >>".
void SelectedName(HWND dialog, char* name, int size) {
    name[0] = '\0';
    LRESULT index = SendDlgItemMessageA(dialog, IDC_CR_DEFINITIONS, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || index == 0)
        return;
    OVKIT_GetSelectedComboText(dialog, IDC_CR_DEFINITIONS, name, size, -1);
}

// The description to store under; 0 when none was given.
int AskDescription(HWND dialog, char* description) {
    if (IsMemorizeMode()) {
        GetItemTextBounded(dialog, IDC_CR_DESCRIPTION, description, MEMORIZE_DESCRIPTION_SIZE);
        if (description[0])
            return 1;
        ShowDialogMessage(dialog, LoadTextSlot(IDS_MEMORIZE_NAME_EMPTY, 0), OVDESK_CAPTION, MB_OK);
        SetFocus(GetDlgItem(dialog, IDC_CR_DESCRIPTION));
        return 0;
    }
    char name[DEFINITION_DESCRIPTION_SIZE];
    SelectedName(dialog, name, sizeof name);
    MemorizeNameParams params = {dialog, IDC_CR_DEFINITIONS, name};
    const DLGTEMPLATE* nameTemplate = GetDialogTemplate(IDD_MEMORIZE_NAME);
    if (!nameTemplate || DialogBoxIndirectParamA(GetPluginInstance(), nameTemplate, dialog,
                                                 GetMemorizeNameDlg, (LPARAM)&params) != 1)
        return 0;
    OvkitCopyText(description, MEMORIZE_DESCRIPTION_SIZE, name);
    return 1;
}

// The Save As page's target must be a usable address before it is stored.
int CheckDestination(void) {
    HWND page = g_ReportPages[PAGE_SAVEAS];
    if (!page)
        return 1;
    char text[MAX_PATH], address[MAX_PATH];
    if (!GetSaveAsTarget(page, IDC_SAVEAS_PATH, IDC_SAVEAS_ADDRESS, text, g_DestinationKind))
        return 0;
    if (!BuildLogSourceUrl(g_DestinationKind, text, address)) {
        ShowDialogMessage(page, LoadTextSlot(IDS_INVALID_URL_PATH, 0), OVDESK_CAPTION, MB_OK);
        SetFocus(GetDlgItem(page, IDC_SAVEAS_PATH));
        return 0;
    }
    OvkitCopyText(g_ReportSettings.SaveAsText, sizeof g_ReportSettings.SaveAsText, text);
    return 1;
}

int StoreDefinition(HWND dialog, const char* description) {
    ReportDefinition* definition = new (std::nothrow) ReportDefinition();
    ReportDefinition* existing = new (std::nothrow) ReportDefinition();
    int written = 0;
    if (definition && existing) {
        TakePagesIntoDefinition(definition, description);
        OvkitCopyText(definition->ReportLanguage, sizeof definition->ReportLanguage,
                      g_ReportLanguage);
        char path[MAX_PATH] = "";
        if (!FindReportDefinition(DEFINITION_SUMMARY, "", "", "", definition->Description, existing,
                                  path, 0))
            NewReportDefinitionName(DEFINITION_SUMMARY, path);
        written = WriteReportDefinition(path, definition);
        ListReportDefinitions(GetDlgItem(dialog, IDC_CR_DEFINITIONS), 0, DEFINITION_SUMMARY,
                              definition->Description);
    }
    delete existing;
    delete definition;
    return written;
}
} // namespace

void ShowDestinationOf(const ReportDefinition* definition) {
    char path[MAX_PATH];
    int kind = SplitLogSourceUrl(path, definition->SaveReportAs);
    if (kind != DESTINATION_FTP && kind != DESTINATION_MAIL)
        kind = DESTINATION_FILE;
    g_DestinationKind = (WORD)kind;
    SetSaveAsPageTarget(kind, definition);
}

int OnMemorize(HWND dialog) {
    if (g_DestinationKind == DESTINATION_MAIL && !OVKIT_IsMailOptionsValid())
        ShowDialogMessage(dialog, kBadMailWhileMemorizing, OVDESK_CAPTION, MB_OK);
    char description[MEMORIZE_DESCRIPTION_SIZE];
    if (!AskDescription(dialog, description))
        return 0;
    if (!IsMemorizeMode() && !CheckDestination())
        return 0;
    OvkitCopyText(g_CreateReport.Params->Description, MEMORIZE_DESCRIPTION_SIZE, description);
    return StoreDefinition(dialog, description);
}

void OnDelete(HWND dialog) {
    char name[DEFINITION_DESCRIPTION_SIZE];
    SelectedName(dialog, name, sizeof name);
    char path[MAX_PATH] = "";
    ReportDefinition* definition = new (std::nothrow) ReportDefinition();
    char caption[LOADTEXT_SLOT_SIZE];
    if (definition && name[0] &&
        FindReportDefinition(DEFINITION_SUMMARY, "", "", "", name, definition, path, 0)) {
        LoadText(IDS_DELETE_MEMORIZED, caption, sizeof caption);
        if (ShowDialogMessage(dialog, LoadTextSlot(IDS_ARE_YOU_SURE, 0), caption, MB_YESNO) ==
            IDYES)
            DeleteFileA(path);
    } else {
        LoadText(IDS_UNABLE_TO_DELETE, caption, sizeof caption);
        ShowDialogMessage(dialog, LoadTextSlot(IDS_NO_SUCH_MEMORIZED, 0), caption, MB_OK);
    }
    delete definition;
    ListReportDefinitions(GetDlgItem(dialog, IDC_CR_DEFINITIONS), 0, DEFINITION_SUMMARY, "");
}

void OnDefinitionChosen(HWND dialog) {
    char name[DEFINITION_DESCRIPTION_SIZE];
    SelectedName(dialog, name, sizeof name);
    if (!name[0])
        return;
    ReportDefinition* definition = new (std::nothrow) ReportDefinition();
    if (definition &&
        FindReportDefinition(DEFINITION_SUMMARY, "", "", "", name, definition, nullptr, 0)) {
        ApplyDefinitionToPages(definition);
        ShowDestinationOf(definition);
        if (g_ReportPages[PAGE_FORMAT])
            SelectFormatByName(g_ReportPages[PAGE_FORMAT], definition->SaveReportAs);
        if (definition->ReportLanguage[0])
            OvkitCopyText(g_ReportLanguage, sizeof g_ReportLanguage, definition->ReportLanguage);
        else
            GetModuleProfileString("Language", "Report", "ENGLISH", g_ReportLanguage,
                                   sizeof g_ReportLanguage);
        if (g_ReportPages[PAGE_STYLE])
            SelectComboText(g_ReportPages[PAGE_STYLE], IDC_STYLE_LANGUAGE, g_ReportLanguage);
    }
    delete definition;
}
