// Hands a finished report to the program that suits its format.
#include "report_run/report_delivery.h"
#include "office/office_handover.h"
#include "report_run/output_names.h"
#include "report_run/report_run.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovkit/browser.h"
#include <cstdio>

namespace {
enum ViewChoice { VIEW_NONE = 0, VIEW_HTML = 1, VIEW_ASCII = 2 };

INT_PTR CALLBACK ViewChoiceDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_VIEW_HTML:
            EndDialog(dialog, VIEW_HTML);
            return TRUE;
        case IDC_VIEW_ASCII:
            EndDialog(dialog, VIEW_ASCII);
            return TRUE;
        case IDC_VIEW_NONE:
        case IDCANCEL:
            EndDialog(dialog, VIEW_NONE);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        EndDialog(dialog, VIEW_NONE);
        return TRUE;
    }
    return FALSE;
}

int AskViewChoice(HWND owner) {
    const DLGTEMPLATE* choice = GetDialogTemplate(IDD_VIEW_CHOICE);
    if (!choice || IsDeskUnattended())
        return VIEW_NONE;
    return (int)DialogBoxIndirectParamA(GetPluginInstance(), choice, owner, ViewChoiceDlg, 0);
}

void ViewReport(HWND owner, const char* outputFile, const char* textExtension) {
    char name[MAX_PATH];
    switch (AskViewChoice(owner)) {
    case VIEW_HTML:
        lstrcpynA(name, outputFile, sizeof name);
        if (ReplaceFileExtension(name, sizeof name, ".HTM"))
            OVKIT_ShowHTMDocument(owner, name);
        break;
    case VIEW_ASCII: {
        lstrcpynA(name, outputFile, sizeof name);
        if (!ReplaceFileExtension(name, sizeof name, textExtension))
            break;
        char command[MAX_PATH + 32];
        snprintf(command, sizeof command, "%s %s", "NOTEPAD.EXE", name);
        if (WinExec(command, SW_SHOWNORMAL) <= 32)
            DeskMessageBox(owner, LoadTextSlot(IDS_NOTEPAD_FAILED, 0), OVDESK_CAPTION,
                           MB_OK | MB_ICONERROR);
        break;
    }
    }
}
} // namespace

int DispatchReportOutput(const char* outputFile, HWND progress, int show, char* handoverFile, WORD,
                         const char* textExtension, BOOL* failed) {
    if (handoverFile)
        handoverFile[0] = '\0';
    int kind = FormatKindOfName(outputFile);
    BOOL delivered = TRUE;
    switch (kind) {
    case FORMAT_DOC:
        delivered = HandToWordProcessor(outputFile, progress, show);
        break;
    case FORMAT_XLS:
    case FORMAT_CMA:
    case FORMAT_TXT: {
        int next = ConvertHtmlReport(progress, outputFile, kind, show, handoverFile);
        if (next == FORMAT_XLS)
            delivered = StartSpreadsheetHandover(progress);
        else if (next == FORMAT_UNKNOWN)
            delivered = FALSE;
        else if (show)
            ViewReport(progress, outputFile, textExtension ? textExtension : ".TXT");
        break;
    }
    default:
        return show;
    }
    if (failed && !delivered)
        *failed = TRUE;
    return 0;
}

void ShowReportOutput(HWND window, WORD destinationKind, const char* outputFile,
                      const char* outputName, const ReportRunRequest*) {
    if (destinationKind == DESTINATION_FILE) {
        OVKIT_ShowHTMDocument(window, outputFile);
        return;
    }
    char address[OUTPUT_NAME_MACRO_SIZE + 8];
    char expanded[OUTPUT_NAME_MACRO_SIZE];
    lstrcpynA(expanded, outputName, sizeof expanded);
    ExpandOutputNameMacros(expanded);
    snprintf(address, sizeof address, "ftp://%s", expanded);
    OVKIT_ShowHTMDocument(window, address);
}
