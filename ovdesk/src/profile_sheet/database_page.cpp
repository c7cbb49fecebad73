// The Database and Real-Time page: whether and where the profile keeps its
// history database, and its background reports.
//
// Leaving checks everything first; dropping and creating ODBC tables comes
// last, so a refusal followed by Cancel never costs stored data.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/odbc_binding.h"
#include "report_dialog/report_pages.h"
#include "report_run/output_names.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include "ovkit/text_copy.h"

namespace {
enum { HELP_DATABASE = 4007 };

struct IntervalBounds {
    int Lower, Upper;
};
// By unit: minutes, hours, days.
const IntervalBounds kBounds[] = {{5, 59}, {1, 23}, {1, 7}};
const char* const kUnits[] = {"Minutes", "Hours", "Days"};
const char kDefaultSaveAs[] = ".\\REALTIME.HTM";

int g_sourceChanged; // the ODBC data source was chosen on this visit

bool Checked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

void Enable(HWND page, int id, bool on) {
    if (HWND control = GetDlgItem(page, id))
        EnableWindow(control, on);
}

// The enabling chain: Collect, then Analyze, then Generate.
void UpdateControls(HWND page) {
    bool collect = Checked(page, IDC_DB_COLLECT);
    if (!collect) {
        CheckDlgButton(page, IDC_DB_ANALYZE, BST_UNCHECKED);
        CheckDlgButton(page, IDC_DB_GENERATE, BST_UNCHECKED);
    }
    Enable(page, IDC_DB_ANALYZE, collect);
    Enable(page, IDC_DB_LOCAL, collect);
    Enable(page, IDC_DB_ODBC, collect);
    Enable(page, IDC_DB_ODBC_BROWSE, collect && Checked(page, IDC_DB_ODBC));
    bool analyze = Checked(page, IDC_DB_ANALYZE);
    if (!analyze)
        CheckDlgButton(page, IDC_DB_GENERATE, BST_UNCHECKED);
    Enable(page, IDC_DB_GENERATE, analyze);
    Enable(page, IDC_DB_GROUP, analyze);
    bool generate = Checked(page, IDC_DB_GENERATE);
    for (int id : {IDC_DB_EVERY, IDC_DB_INTERVAL, IDC_DB_SPIN, IDC_DB_UNIT, IDC_DB_SAVEAS_LABEL,
                   IDC_DB_SAVEAS, IDC_DB_SAVEAS_BROWSE})
        Enable(page, id, generate);
}

// SwiftmereFlag from the controls; a local database keeps no ODBC text.
void TakeDatabaseKind(HWND page) {
    AnalysisProfile* profile = SheetState().Profile;
    WORD kind = SWIFTMERE_NONE;
    if (Checked(page, IDC_DB_COLLECT))
        kind = GetDlgItem(page, IDC_DB_ODBC) && Checked(page, IDC_DB_ODBC) ? SWIFTMERE_ODBC
                                                                           : SWIFTMERE_FILES;
    profile->SwiftmereFlag = kind;
    if (kind != SWIFTMERE_ODBC)
        profile->ODBCSwiftmere[0] = '\0';
}

void BrowseDataSource(HWND page) {
    char connection[ODBC_CONNECTION_SIZE] = "";
    if (!OdbcBrowseDataSource(page, connection, sizeof connection, 0))
        return;
    OvkitCopyText(SheetState().Profile->ODBCSwiftmere, PROFILE_ODBC_SIZE, connection);
    g_sourceChanged = 1;
}

// A click on Collect (collect true) or on either radio button.
void OnDatabaseKind(HWND page, bool collect) {
    AnalysisProfile* profile = SheetState().Profile;
    bool odbcPage = GetDlgItem(page, IDC_DB_ODBC) != nullptr;
    if (collect && odbcPage && Checked(page, IDC_DB_COLLECT)) {
        bool odbc = profile->SwiftmereFlag == SWIFTMERE_ODBC;
        CheckRadioButton(page, IDC_DB_LOCAL, IDC_DB_ODBC, odbc ? IDC_DB_ODBC : IDC_DB_LOCAL);
    }
    TakeDatabaseKind(page);
    UpdateControls(page);
    if (collect && odbcPage && profile->SwiftmereFlag == SWIFTMERE_ODBC &&
        !profile->ODBCSwiftmere[0])
        BrowseDataSource(page);
}

int IntervalUnit(HWND page) {
    int unit = ComboIndex(page, IDC_DB_UNIT, 0);
    return unit >= 0 && unit < 3 ? unit : 0;
}

void OnSpin(HWND page, const NMUPDOWN* change) {
    const IntervalBounds& bounds = kBounds[IntervalUnit(page)];
    int value = (int)GetDlgItemInt(page, IDC_DB_INTERVAL, nullptr, FALSE) + change->iDelta;
    if (value >= bounds.Lower && value <= bounds.Upper)
        SetDlgItemInt(page, IDC_DB_INTERVAL, (UINT)value, FALSE);
}

void BrowseSaveAs(HWND page) {
    char name[MAX_PATH];
    GetItemTextBounded(page, IDC_DB_SAVEAS, name, PROFILE_SAVETOPATH_SIZE);
    if (!name[0])
        strcpy(name, "REALTIME");
    ResolveRelativeReportPath(name, REPORTS_SUBFOLDER);
    PlaceReportInReportsDir(name, ".HTM", REPORTS_SUBFOLDER);
    char folder[MAX_PATH] = "";
    char title[MAX_PATH] = "";
    if (FileNameDialog(page, name, folder, title, "HTML files (*.htm)\x01*.htm;*.html\x01",
                       "Save As", 0) &&
        strlen(name) < PROFILE_SAVETOPATH_SIZE)
        SetDlgItemTextA(page, IDC_DB_SAVEAS, name);
}

void StartDatabase(HWND page) {
    ProfileSheetState& sheet = SheetState();
    AnalysisProfile* profile = sheet.Profile;
    if (sheet.Wizard) {
        profile->RealtimeAnalysis = 1;
        profile->RealtimeReports = 1;
    }
    CheckDlgButton(page, IDC_DB_COLLECT, profile->SwiftmereFlag ? BST_CHECKED : BST_UNCHECKED);
    if (GetDlgItem(page, IDC_DB_ODBC))
        CheckRadioButton(page, IDC_DB_LOCAL, IDC_DB_ODBC,
                         profile->SwiftmereFlag == SWIFTMERE_ODBC ? IDC_DB_ODBC : IDC_DB_LOCAL);
    if (!profile->SwiftmereFlag) {
        profile->RealtimeAnalysis = 0;
        profile->RealtimeReports = 0;
    }
    CheckDlgButton(page, IDC_DB_ANALYZE, profile->RealtimeAnalysis ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_DB_GENERATE, profile->RealtimeReports ? BST_CHECKED : BST_UNCHECKED);
    int unit = profile->RealtimeReportFrequency < 3 ? profile->RealtimeReportFrequency : 0;
    FillCombo(page, IDC_DB_UNIT, kUnits, 3, unit);
    SetDlgItemInt(page, IDC_DB_INTERVAL, profile->RealtimeReportInterval, FALSE);
    SendDlgItemMessageA(page, IDC_DB_SAVEAS, EM_LIMITTEXT, PROFILE_SAVETOPATH_SIZE - 1, 0);
    SetDlgItemTextA(page, IDC_DB_SAVEAS,
                    sheet.Wizard || !profile->ReportSaveToPath[0] ? kDefaultSaveAs
                                                                  : profile->ReportSaveToPath);
    UpdateControls(page);
}

// Another profile of the list (not the one edited) keeping its ODBC
// database in this data source, or null.
const AnalysisProfile* DataSourceUser(const AnalysisProfile* profile) {
    ProfileSheetState& sheet = SheetState();
    for (DWORD i = 0; i < sheet.LoadedCount; ++i) {
        const AnalysisProfile* other = sheet.Loaded[i];
        if (other && other != sheet.Unedited && other != profile &&
            other->SwiftmereFlag == SWIFTMERE_ODBC &&
            _stricmp(other->ODBCSwiftmere, profile->ODBCSwiftmere) == 0)
            return other;
    }
    return nullptr;
}

bool EndsWithHtm(const char* name) {
    const char* dot = strrchr(name, '.');
    return dot && (_stricmp(dot, ".HTM") == 0 || _stricmp(dot, ".HTML") == 0);
}

BOOL Refuse(HWND page, UINT code, const char* text) {
    SheetMessage(page, text, OVDESK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    return RefuseLeaving(page, code);
}

// The checks of leaving, in order; nothing is dropped or created here.
BOOL CheckDatabase(HWND page, UINT code, int* interval, int* unit) {
    ProfileSheetState& sheet = SheetState();
    AnalysisProfile* profile = sheet.Profile;
    TakeDatabaseKind(page);
    if (profile->SwiftmereFlag == SWIFTMERE_ODBC) {
        if (!profile->ODBCSwiftmere[0])
            return Refuse(page, code,
                          "To store Swiftmere data in an ODBC database, you must define the ODBC "
                          "data source that will be used. Select the \"Browse\" button to choose "
                          "a data source, or store the data in a local file instead.");
        if (const AnalysisProfile* other = DataSourceUser(profile)) {
            char text[700];
            snprintf(text, sizeof text,
                     "The data source chosen is already being used as the Swiftmere database for "
                     "\"\"%.80s\"\". Please choose a different data source for this Swiftmere "
                     "database.",
                     other->Description);
            return Refuse(page, code, text);
        }
    }
    profile->RealtimeAnalysis = Checked(page, IDC_DB_ANALYZE);
    profile->RealtimeReports = Checked(page, IDC_DB_GENERATE);
    profile->wRangeCode = 0;
    if (profile->SwiftmereFlag && profile->RealtimeAnalysis &&
        ServerList_GetProtocol(&profile->Servers) != SERVER_PROTOCOL_FILE)
        return Refuse(page, code,
                      "Sorry.  The 'real-time' analysis option is only available for 'local' "
                      "files.\r\nPlease specify a local file, or turn off real-time analysis.");
    *unit = IntervalUnit(page);
    const IntervalBounds& bounds = kBounds[*unit];
    *interval = (int)GetDlgItemInt(page, IDC_DB_INTERVAL, nullptr, FALSE);
    if (*interval < bounds.Lower || *interval > bounds.Upper) {
        *interval = bounds.Lower;
        SetDlgItemInt(page, IDC_DB_INTERVAL, (UINT)bounds.Lower, FALSE);
        if (profile->RealtimeReports) {
            char text[256];
            snprintf(text, sizeof text,
                     "Invalid report frequency entered.\r\nThe valid range is %d to "
                     "%d.\r\nAutomatically resetting to the default value (%d).",
                     bounds.Lower, bounds.Upper, bounds.Lower);
            SendDlgItemMessageA(page, IDC_DB_INTERVAL, EM_SETSEL, 0, -1);
            return Refuse(page, code, text);
        }
    }
    return FALSE;
}

BOOL LeaveDatabase(HWND page, UINT code) {
    AnalysisProfile* profile = SheetState().Profile;
    int interval = 0, unit = 0;
    if (CheckDatabase(page, code, &interval, &unit))
        return TRUE;
    char saveAs[PROFILE_SAVETOPATH_SIZE];
    GetItemTextBounded(page, IDC_DB_SAVEAS, saveAs, sizeof saveAs);
    if (profile->RealtimeReports && (!saveAs[0] || !EndsWithHtm(saveAs)))
        return Refuse(page, code,
                      "Please enter a valid 'Save As:' filename.  You must specify the full path "
                      "to the file, and you must also use a '.HTM' extension.");
    // Destructive steps last: every check above has passed.
    if (GetDlgItem(page, IDC_DB_ODBC) && profile->SwiftmereFlag == SWIFTMERE_ODBC) {
        if (g_sourceChanged && ORB_DoODBCTablesExist(profile) == 1) {
            if (SheetMessage(page,
                             "The data source specified contains tables already. If you wish to "
                             "use this data source, the tables will be deleted. Select OK to "
                             "proceed, or select Cancel to choose a different data source.",
                             OVDESK_CAPTION, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
                return RefuseLeaving(page, code);
            ORB_DeleteODBCDatabase(profile);
        }
        ORB_CreateODBCTables(profile);
        g_sourceChanged = 0;
    }
    profile->RealtimeReportInterval = (DWORD)interval;
    profile->RealtimeReportFrequency = (WORD)unit;
    if (profile->RealtimeReports)
        OvkitCopyText(profile->ReportSaveToPath, PROFILE_SAVETOPATH_SIZE, saveAs);
    return AcceptLeaving(page);
}
} // namespace

INT_PTR CALLBACK DatabasePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_DATABASE);
    switch (message) {
    case WM_INITDIALOG:
        StartDatabase(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DB_COLLECT:
        case IDC_DB_LOCAL:
        case IDC_DB_ODBC:
            OnDatabaseKind(page, LOWORD(wParam) == IDC_DB_COLLECT);
            return TRUE;
        case IDC_DB_ODBC_BROWSE:
            BrowseDataSource(page);
            return TRUE;
        case IDC_DB_ANALYZE:
        case IDC_DB_GENERATE:
            UpdateControls(page);
            return TRUE;
        case IDC_DB_SAVEAS_BROWSE:
            BrowseSaveAs(page);
            return TRUE;
        }
        return FALSE;
    case WM_HELP:
        ShowReportHelp(page, HELP_DATABASE);
        return TRUE;
    case WM_NOTIFY: {
        UINT code = SheetNotifyCode(message, lParam);
        if (code == UDN_DELTAPOS) {
            OnSpin(page, (const NMUPDOWN*)lParam);
            SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        if (code == PSN_SETACTIVE)
            g_sourceChanged = 0;
        return IsLeaving(code) ? LeaveDatabase(page, code) : FALSE;
    }
    }
    return FALSE;
}
