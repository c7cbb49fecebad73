// File dialogs that pick report, log and home-page files, and the browser
// path dialog.
#include "report_run/output_names.h"
#include "report_run/file_names.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstring>

namespace {
// "<install>ovdesk\DATFILES" (created) into folder (MAX_PATH).
void DataFilesStartFolder(char* folder) {
    snprintf(folder, MAX_PATH, "%sovdesk", GetModuleDirectory());
    CreateDirectoryA(folder, nullptr);
    snprintf(folder, MAX_PATH, "%sovdesk\\DATFILES", GetModuleDirectory());
    CreateDirectoryA(folder, nullptr);
}

int RunFileDialog(HWND owner, char* name, char* folder, const char* proposed, UINT filterId,
                  UINT titleId, int open) {
    char fullName[MAX_PATH], fileTitle[MAX_PATH] = "";
    lstrcpynA(fullName, proposed, sizeof fullName);
    char filter[LOADTEXT_SLOT_SIZE], title[128];
    LoadText(filterId, filter, sizeof filter);
    LoadText(titleId, title, sizeof title);
    if (!FileNameDialog(owner, fullName, folder, fileTitle, filter, title, open))
        return 0;
    lstrcpynA(name, fullName, MAX_PATH);
    return 1;
}

bool HoldsDateMacro(const char* name) {
    static const char* const kMacros[] = {"%month%",  "%day%",  "%year%",
                                          "%ymonth%", "%yday%", "%yyear%"};
    char lower[MAX_PATH];
    lstrcpynA(lower, name, sizeof lower);
    CharLowerA(lower);
    for (const char* macro : kMacros)
        if (strstr(lower, macro))
            return true;
    return false;
}
} // namespace

int BrowseReportOutputFile(HWND owner, char* name, int keepRelative, int) {
    char folder[MAX_PATH];
    MakeDefaultReportsDir(folder);
    char proposed[MAX_PATH];
    lstrcpynA(proposed, *FileNamePart(name) ? FileNamePart(name) : "REPORT", sizeof proposed);
    if (HoldsDateMacro(name))
        proposed[0] = '\0';
    if (!RunFileDialog(owner, name, folder, proposed, IDS_REPORT_FILTER, IDS_REPORT_TITLE, 0))
        return 0;
    char base[MAX_PATH];
    MakeDefaultReportsDir(base);
    size_t reports = strlen(base);
    if (keepRelative && reports && _strnicmp(name, base, reports) == 0) {
        char relative[MAX_PATH];
        snprintf(relative, sizeof relative, ".%s", name + reports);
        lstrcpyA(name, relative);
    }
    return 1;
}

int BrowseLogFile(HWND owner, char* name) {
    char folder[MAX_PATH] = "";
    if (!*name) {
        GetModuleProfileString("Defaults", "LogFilePath", "", folder, sizeof folder);
        if (!*folder)
            DataFilesStartFolder(folder);
    }
    const char* proposed = *FileNamePart(name) ? FileNamePart(name) : "LOGFILE.LOG";
    char chosen[MAX_PATH];
    lstrcpynA(chosen, proposed, sizeof chosen);
    if (!RunFileDialog(owner, name, folder, chosen, IDS_LOG_FILTER, IDS_LOG_TITLE, 1))
        return 0;
    char logFolder[MAX_PATH];
    lstrcpynA(logFolder, name, sizeof logFolder);
    logFolder[FileNamePart(logFolder) - logFolder] = '\0';
    WriteModuleProfileString("Defaults", "LogFilePath", logFolder);
    return 1;
}

int BrowseHomePageFile(HWND owner, char* name) {
    char folder[MAX_PATH];
    DataFilesStartFolder(folder);
    char proposed[MAX_PATH];
    lstrcpynA(proposed, *FileNamePart(name) ? FileNamePart(name) : "HOMEPAGE.HTM", sizeof proposed);
    return RunFileDialog(owner, name, folder, proposed, IDS_HOMEPAGE_FILTER, IDS_HOMEPAGE_TITLE, 1);
}

INT_PTR CALLBACK ReportSaveToDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    enum { PATH_ITEM = 9983, HELP_ITEM = 16200, SAVE_TO_HELP_ID = 4036 };
    switch (message) {
    case WM_INITDIALOG: {
        char path[MAX_PATH] = "";
        GetBaseProfileString("Browser", "Path", "", path, sizeof path);
        SetDlgItemTextA(dialog, PATH_ITEM, path);
        CenterWindowOnScreen(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char path[MAX_PATH] = "";
            GetDlgItemTextA(dialog, PATH_ITEM, path, sizeof path);
            WriteBaseProfileString("Browser", "Path", path);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case HELP_ITEM:
            WinHelpA(dialog, nullptr, HELP_CONTEXT, SAVE_TO_HELP_ID);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
