// The Save As / Mail To page: destination kind, path and mail address.
#include "report_dialog/report_pages.h"
#include "definitions/report_definitions.h"
#include "log_sources/log_source_address.h"
#include "report_run/output_names.h"
#include "report_run/report_run.h"
#include "resource_ids.h"
#include "desk_services.h"
#include <cstdio>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
enum { MAIL_ADDRESS_SIZE = 128, KIND_ITEM_MAIL = 2 };
const char* const kKindTexts[] = {"file:///", "ftp://", "mailto:"};
const int kMailItems[] = {IDC_SAVEAS_MAIL_LABEL, IDC_SAVEAS_MAIL_EXAMPLE, IDC_SAVEAS_ADDRESS};

int KindOfItem(LRESULT item) {
    return item == KIND_ITEM_MAIL ? DESTINATION_MAIL
           : item == 1            ? DESTINATION_FTP
                                  : DESTINATION_FILE;
}
int ItemOfKind(int kind) {
    return kind == DESTINATION_MAIL ? KIND_ITEM_MAIL : kind == DESTINATION_FTP ? 1 : 0;
}

void AdaptToKind(HWND page, int kind) {
    BOOL mail = kind == DESTINATION_MAIL;
    HWND button = GetDlgItem(page, IDC_SAVEAS_BROWSE);
    ShowWindow(button, mail ? SW_HIDE : SW_SHOW);
    SetWindowTextA(
        button,
        mail ? ""
             : LoadTextSlot(kind == DESTINATION_FTP ? IDS_LOGIN_BUTTON : IDS_BROWSE_BUTTON, 0));
    const char* example = mail                      ? ".\\report.htm"
                          : kind == DESTINATION_FTP ? "ftp.example.com/reports/report.htm"
                                                    : "c:\\websrvr\\report.htm";
    SetDlgItemTextA(page, IDC_SAVEAS_EXAMPLE, example);
    for (int id : kMailItems)
        ShowWindow(GetDlgItem(page, id), mail ? SW_SHOW : SW_HIDE);
}

void BrowseForFile(HWND page) {
    char name[MAX_PATH];
    OvkitCopyText(name, sizeof name, g_ReportSettings.SaveAsText);
    ResolveRelativeReportPath(name, REPORTS_SUBFOLDER);
    PlaceReportInReportsDir(name, ".HTM", REPORTS_SUBFOLDER);
    if (BrowseReportOutputFile(page, name, 0, 0)) {
        OvkitCopyText(g_ReportSettings.SaveAsText, sizeof g_ReportSettings.SaveAsText, name);
        SetDlgItemTextA(page, IDC_SAVEAS_PATH, name);
    }
}

// Refuses the target: a box, and the focus to the field at fault.
int Refuse(HWND page, int item, UINT textId) {
    DeskMessageBox(page, LoadTextSlot(textId, 0), OVDESK_CAPTION, MB_OK);
    SetFocus(GetDlgItem(page, item));
    return 0;
}

void InitPage(HWND page) {
    static const int bold[] = {IDC_SAVEAS_LABEL, IDC_SAVEAS_MAIL_LABEL};
    SetBoldItems(page, bold, 2);
    for (const char* text : kKindTexts)
        SendDlgItemMessageA(page, IDC_SAVEAS_KIND, CB_ADDSTRING, 0, (LPARAM)text);
    SendDlgItemMessageA(page, IDC_SAVEAS_ADDRESS, EM_LIMITTEXT, MAIL_ADDRESS_SIZE - 1, 0);
    SendDlgItemMessageA(page, IDC_SAVEAS_PATH, EM_LIMITTEXT, MAX_PATH - 1, 0);
    char path[MAX_PATH];
    int kind = SplitLogSourceUrl(path, g_ReportSettings.SaveAsText);
    if (kind != DESTINATION_FTP && kind != DESTINATION_MAIL)
        kind = DESTINATION_FILE;
    g_DestinationKind = (WORD)kind;
    SendDlgItemMessageA(page, IDC_SAVEAS_KIND, CB_SETCURSEL, ItemOfKind(kind), 0);
    AdaptToKind(page, kind);
    ShowSaveAsTarget(page, IDC_SAVEAS_PATH, IDC_SAVEAS_ADDRESS, path, kind);
}
} // namespace

void ShowSaveAsTarget(HWND page, int pathItem, int addressItem, const char* text, int kind) {
    if (kind != DESTINATION_MAIL) {
        SetDlgItemTextA(page, pathItem, text);
        SetDlgItemTextA(page, addressItem, "");
        return;
    }
    const char* separator = strpbrk(text, "/\\");
    if (!separator) {
        SetDlgItemTextA(page, pathItem, "");
        SetDlgItemTextA(page, addressItem, text);
        return;
    }
    char address[MAX_PATH];
    OvkitCopyText(address,
                  (size_t)(separator - text) + 1 < sizeof address ? (size_t)(separator - text) + 1
                                                                  : sizeof address,
                  text);
    SetDlgItemTextA(page, pathItem, separator + 1);
    SetDlgItemTextA(page, addressItem, address);
}

int GetSaveAsTarget(HWND page, int pathItem, int addressItem, char* text, int kind) {
    char path[MAX_PATH];
    GetItemTextBounded(page, pathItem, path, sizeof path);
    if (!path[0])
        return Refuse(page, pathItem, IDS_SAVEAS_EMPTY);
    if (kind == DESTINATION_FTP) {
        snprintf(text, MAX_PATH, "ftp://%s", path);
        return 1;
    }
    if (kind != DESTINATION_MAIL) {
        OvkitCopyText(text, MAX_PATH, path);
        return 1;
    }
    char address[MAIL_ADDRESS_SIZE];
    GetItemTextBounded(page, addressItem, address, sizeof address);
    if (!address[0])
        return Refuse(page, addressItem, IDS_ADDRESS_EMPTY);
    const char* file = path;
    if (strncmp(file, ".\\", 2) == 0)
        file += 2;
    else if (file[0] == '.')
        file += 1;
    size_t length = strlen(address);
    BOOL slash = !(length && address[length - 1] == '/') && file[0] != '/';
    snprintf(text, MAX_PATH, "mailto:%s%s%s", address, slash ? "/" : "", file);
    return 1;
}

void SetSaveAsPageTarget(int kind, const ReportDefinition* definition) {
    HWND page = g_ReportPages[PAGE_SAVEAS];
    if (!page)
        return;
    SendDlgItemMessageA(page, IDC_SAVEAS_KIND, CB_SETCURSEL, ItemOfKind(kind), 0);
    SendMessageA(page, WM_SAVEAS_SET_KIND, (WPARAM)kind, 0);
    char path[MAX_PATH];
    SplitLogSourceUrl(path, definition->SaveReportAs);
    ShowSaveAsTarget(page, IDC_SAVEAS_PATH, IDC_SAVEAS_ADDRESS, path, kind);
}

void CopyDefinitionLogin(ReportSettings* target, const ScheduleEvent* event) {
    if (event->SaveAsUsername[0])
        OvkitCopyText(target->FtpUserName, sizeof target->FtpUserName, event->SaveAsUsername);
    if (event->SaveAsPassword[0])
        OvkitCopyText(target->FtpPassword, sizeof target->FtpPassword, event->SaveAsPassword);
}

INT_PTR CALLBACK SaveAsPageDlg(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page);
        return TRUE;
    case WM_SAVEAS_SET_KIND:
        g_DestinationKind = (WORD)wParam;
        AdaptToKind(page, (int)wParam);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SAVEAS_KIND:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                g_ReportSettings.FtpUserName[0] = '\0';
                g_ReportSettings.FtpPassword[0] = '\0';
                LRESULT item = SendDlgItemMessageA(page, IDC_SAVEAS_KIND, CB_GETCURSEL, 0, 0);
                SendMessageA(page, WM_SAVEAS_SET_KIND, (WPARAM)KindOfItem(item), 0);
            }
            return TRUE;
        case IDC_SAVEAS_PATH:
            if (HIWORD(wParam) == EN_CHANGE)
                GetItemTextBounded(page, IDC_SAVEAS_PATH, g_ReportSettings.SaveAsText,
                                   sizeof g_ReportSettings.SaveAsText);
            return TRUE;
        case IDC_SAVEAS_BROWSE:
            if (g_DestinationKind == DESTINATION_FILE)
                BrowseForFile(page);
            return TRUE;
        }
        break;
    }
    return DefaultPageMessage(page, message, wParam);
}
