// The Create Report dialog (template 9930) and its memorize-name dialog.
#pragma once
#include "desk_types.h"

enum {
    CREATE_REPORT_TEMPLATE = 9930,
    MEMORIZE_NAME_TEMPLATE = 600,
    CREATE_REPORT_OPTION_MEMORIZE = 1, // options bit 0
    MEMORIZE_DESCRIPTION_SIZE = 81,
};

// Creation parameter of CreateReportDlg.
struct CreateReportParams {
    ReportRunRequest* Request;
    WORD Options;                                // CREATE_REPORT_OPTION_*
    char Description[MEMORIZE_DESCRIPTION_SIZE]; // filled in memorize mode
};

// The report settings of the one open dialog (module-wide).
struct ReportSettings {
    char StyleName[MAX_PATH];  // "(Default)" at start
    char SaveAsText[MAX_PATH]; // ".\REPORT.HTM" at start
    char FtpUserName[41];
    char FtpPassword[41];
};
extern ReportSettings g_ReportSettings;
// Report language ("ENGLISH" at load) and report title of the dialog.
extern char g_ReportLanguage[64];
extern char g_ReportTitle[200];

// Dialog procedure. The dialog's result: RunReport's result after Start, 1
// after a memorize-mode save, 0 after Cancel (or when it cannot run).
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    CreateReportDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Creation parameter of GetMemorizeNameDlg.
struct MemorizeNameParams {
    HWND OwnerDialog;
    int ComboId;       // the owner's definitions combo
    char* Description; // 40 characters and the zero
};
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    GetMemorizeNameDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// TRUE when a report of the profile may run (network check); shows why not.
BOOL CheckNetworkForProfile(HWND dialog, AnalysisProfile* profile);
