// Moving a saved report definition onto the dialog's pages and back.
#include "report_dialog/definition_pages.h"
#include "report_dialog/contents_page.h"
#include "report_dialog/range_page.h"
#include "report_dialog/report_pages.h"
#include "resource_ids.h"
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
const int kRangeFields[] = {RANGE_START_TIME, RANGE_START_DATE, RANGE_END_TIME, RANGE_END_DATE};

void ApplyRange(const ReportDefinition* definition) {
    HWND page = g_ReportPages[PAGE_RANGE];
    if (!page || !SelectRangeCode(page, definition->ReportRange))
        return;
    if (definition->ReportRange == RANGE_SPECIFY) {
        const char* texts[] = {definition->StartTime, definition->StartDate, definition->StopTime,
                               definition->StopDate};
        for (int i = 0; i < 4; ++i)
            SetDlgItemTextA(page, kRangeFields[i], texts[i]);
    }
    ShowReportRange(page, definition->ReportRange,
                    GetReportWorkingProfile((ReportRunRequest*)GetWindowLongPtrA(page, DWLP_USER)));
}

void ApplyStyle(const ReportDefinition* definition) {
    HWND page = g_ReportPages[PAGE_STYLE];
    if (definition->ReportStyle[0]) {
        OvkitCopyText(g_ReportSettings.StyleName, sizeof g_ReportSettings.StyleName,
                      definition->ReportStyle);
        if (page)
            SelectComboText(page, IDC_STYLE_STYLE, definition->ReportStyle);
    }
    if (definition->ReportLanguage[0] && page)
        SelectComboText(page, IDC_STYLE_LANGUAGE, definition->ReportLanguage);
    OvkitCopyText(g_ReportTitle, sizeof g_ReportTitle, definition->ReportTitle);
    if (page)
        SetDlgItemTextA(page, IDC_STYLE_TITLE, definition->ReportTitle);
}

void ApplyContents(const ReportDefinition* definition) {
    int count = definition->ContentCount < DEFINITION_MAX_SECTIONS ? definition->ContentCount : 0;
    if (!ApplyStoredSections(definition->Sections, count))
        return;
    HWND page = g_ReportPages[PAGE_CONTENTS];
    if (page)
        FillContentsList(page, g_ReportLanguage);
}

void TakeRange(ReportDefinition* definition) {
    HWND page = g_ReportPages[PAGE_RANGE];
    if (!page)
        return;
    definition->ReportRange = (WORD)GetSelectedRangeCode(page);
    char* texts[] = {definition->StartTime, definition->StartDate, definition->StopTime,
                     definition->StopDate};
    for (int i = 0; i < 4; ++i)
        GetItemTextBounded(page, kRangeFields[i], texts[i], DEFINITION_RANGE_TEXT_SIZE);
}
} // namespace

int SelectRangeCode(HWND rangePage, int code) {
    HWND combo = GetDlgItem(rangePage, RANGE_COMBO);
    int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        if ((int)SendMessageA(combo, CB_GETITEMDATA, i, 0) == code) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return 1;
        }
    return 0;
}

void ApplyDefinitionToPages(const ReportDefinition* definition) {
    ApplyRange(definition);
    ApplyStyle(definition);
    OvkitCopyText(g_ReportSettings.SaveAsText, sizeof g_ReportSettings.SaveAsText,
                  definition->SaveReportAs);
    OvkitCopyText(g_ReportSettings.FtpUserName, sizeof g_ReportSettings.FtpUserName,
                  definition->SaveToUserName);
    OvkitCopyText(g_ReportSettings.FtpPassword, sizeof g_ReportSettings.FtpPassword,
                  definition->SaveToPassword);
    ApplyContents(definition);
}

void TakePagesIntoDefinition(ReportDefinition* definition, const char* description) {
    memset(definition, 0, sizeof *definition);
    OvkitCopyText(definition->Description, sizeof definition->Description, description);
    OvkitCopyText(definition->ReportStyle, sizeof definition->ReportStyle,
                  g_ReportSettings.StyleName);
    if (g_ReportPages[PAGE_SAVEAS]) {
        OvkitCopyText(definition->SaveReportAs, sizeof definition->SaveReportAs,
                      g_ReportSettings.SaveAsText);
        OvkitCopyText(definition->SaveToUserName, sizeof definition->SaveToUserName,
                      g_ReportSettings.FtpUserName);
        OvkitCopyText(definition->SaveToPassword, sizeof definition->SaveToPassword,
                      g_ReportSettings.FtpPassword);
    }
    TakeRange(definition);
    if (g_ReportPages[PAGE_STYLE])
        GetItemTextBounded(g_ReportPages[PAGE_STYLE], IDC_STYLE_TITLE, definition->ReportTitle,
                           sizeof definition->ReportTitle);
    int count = CopyIncludedSections(definition->Sections, DEFINITION_MAX_SECTIONS - 1);
    definition->ContentCount = (WORD)(count > 0 ? count : 0);
}
