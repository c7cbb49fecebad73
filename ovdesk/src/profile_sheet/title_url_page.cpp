// The wizard's Site Configuration page and the Title, URL page: one server's
// log source, the profile's description and its log format.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/log_source_pickers.h"
#include "log_sources/log_source_address.h"
#include "log_sources/orbis_login.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstring>
#include "ovkit/text_copy.h"

const char* const kLogFormatNames[LOG_FORMAT_NAMES] = {
    "Auto-detect log file type",
    "Apache Extended Format",
    "CerfNet",
    "CERN Common",
    "Emwac Log Format",
    "Lotus Domino",
    "IBM Internet Connection Secure Server",
    "MicroSoft IIS 1.x, 2.x, 3.x.",
    "Microsoft IIS U.S. Date Format",
    "Microsoft IIS European Date Format",
    "Microsoft IIS Japanese Date Format",
    "Microsoft IIS Extended",
    "Microsoft IIS Extended + Cookies",
    "Microsoft IIS Virtual",
    "NCSA Combined/Extended",
    "NCSA Combined Multi Home",
    "NCSA Common",
    "NCSA Common Multi Home",
    "NCSA Proxy",
    "Netscape Combined",
    "Netscape Common",
    "Netscape NSAPI Extended",
    "NetScape Proxy Log Format",
    "Novell Web Server",
    "Open Market Extended",
    "Oracle Log Format",
    "Other Common",
    "Other Extended",
    "Purveyor Extended Format",
    "Purveyor Multi-Home Format",
    "Spry Log Format",
    "WebSite Combined Multi-Home Format",
    "WebSite Common Multi-Home Format",
    "WebSite Windows Log File Format",
    "Website Windows U.S. Date Format",
    "Website Windows European Date Format",
    "Website Windows Japanese Date Format",
};

namespace {
enum { HELP_SITE = 7022, HELP_TITLE_URL = 4003, HELP_TITLE_EXAMPLES = 4156 };

const char* const kProtocols[] = {"file:///", "ftp://", "http://", "odbc:"};

// The combo shows ODBC (code 4) at position 3.
int ProtocolPosition(DWORD protocol) {
    return protocol == SERVER_PROTOCOL_ODBC ? 3 : (int)protocol;
}
DWORD PositionProtocol(int position) {
    return position == 3 ? SERVER_PROTOCOL_ODBC : (DWORD)position;
}

ServerInfo* FirstServer() {
    return ServerList_Get(&SheetState().Profile->Servers, 0);
}

void LabelBrowseButton(HWND page) {
    DWORD protocol = SheetState().Protocol;
    const char* label = protocol == SERVER_PROTOCOL_FTP    ? "Details..."
                        : protocol == SERVER_PROTOCOL_HTTP ? "Login..."
                                                           : "Browse...";
    SetDlgItemTextA(page, IDC_TU_BROWSE, label);
    EnableWindow(GetDlgItem(page, IDC_TU_INCREMENTAL), protocol == SERVER_PROTOCOL_HTTP);
}

void StartTitleUrl(HWND page) {
    ProfileSheetState& sheet = SheetState();
    AnalysisProfile* profile = sheet.Profile;
    SendDlgItemMessageA(page, IDC_TU_DESCRIPTION, EM_LIMITTEXT, PROFILE_DESCRIPTION_STORED, 0);
    SetDlgItemTextA(page, IDC_TU_DESCRIPTION, profile->Description);
    int protocols = ProbeOdbcLibrary(ODBC_PROBE_CACHED) ? 4 : 3;
    FillCombo(page, IDC_TU_PROTOCOL, kProtocols, protocols, ProtocolPosition(sheet.Protocol));
    SendDlgItemMessageA(page, IDC_TU_PATH, EM_LIMITTEXT, SERVERINFO_PATH_SIZE - 1, 0);
    // A hidden box means the updates are always incremental.
    HWND incremental = GetDlgItem(page, IDC_TU_INCREMENTAL);
    CheckDlgButton(page, IDC_TU_INCREMENTAL,
                   profile->IncrementalUpdate || !IsWindowVisible(incremental) ? BST_CHECKED
                                                                               : BST_UNCHECKED);
    FillCombo(page, IDC_TU_FORMAT, kLogFormatNames, LOG_FORMAT_NAMES,
              profile->LogFileFormat < LOG_FORMAT_NAMES ? (int)profile->LogFileFormat : 0);
    if (ServerList_Count(&profile->Servers) == 0) {
        ServerList_SetProtocol(&profile->Servers, sheet.Protocol);
        ServerList_AddServer(&profile->Servers, "", "", "", "");
    }
    char path[SERVERINFO_PATH_SIZE] = "";
    if (FirstServer())
        ServerInfo_GetPath(FirstServer(), path);
    SetDlgItemTextA(page, IDC_TU_PATH, path);
    LabelBrowseButton(page);
}

void OnProtocolChange(HWND page) {
    SheetState().Protocol = PositionProtocol(ComboIndex(page, IDC_TU_PROTOCOL, 0));
    if (ServerInfo* server = FirstServer()) {
        ServerInfo_SetUsername(server, "");
        ServerInfo_SetPassword(server, "");
    }
    LabelBrowseButton(page);
}

void OnBrowse(HWND page) {
    ProfileSheetState& sheet = SheetState();
    ServerInfo* server = FirstServer();
    if (!server)
        return;
    char path[SERVERINFO_PATH_SIZE];
    GetItemTextBounded(page, IDC_TU_PATH, path, sizeof path);
    if (sheet.Protocol == SERVER_PROTOCOL_FTP || sheet.Protocol == SERVER_PROTOCOL_HTTP) {
        if (LoginForLogSource(page, sheet.Protocol, path, sizeof path, server))
            SetDlgItemTextA(page, IDC_TU_PATH, path);
    } else if (sheet.Protocol == SERVER_PROTOCOL_ODBC) {
        char connection[PROFILE_ODBC_SIZE] = "";
        if (!OdbcBrowseDataSource(page, connection, sizeof connection, 0))
            return;
        OvkitCopyText(sheet.Profile->ODBCDataSource, PROFILE_ODBC_SIZE, connection);
        char name[SERVERINFO_PATH_SIZE];
        if (DataSourceNameOf(connection, name, sizeof name, 1)) {
            ServerInfo_SetPath(server, name);
            SetDlgItemTextA(page, IDC_TU_PATH, name);
        }
    } else if (BrowseForLogFile(page, path, sizeof path)) {
        ServerInfo_SetPath(server, path);
        SetDlgItemTextA(page, IDC_TU_PATH, path);
    }
}

BOOL LeaveTitleUrl(HWND page, UINT code) {
    ProfileSheetState& sheet = SheetState();
    AnalysisProfile* profile = sheet.Profile;
    char description[PROFILE_DESCRIPTION_STORED + 1];
    GetItemTextBounded(page, IDC_TU_DESCRIPTION, description, sizeof description);
    if (!description[0]) {
        SheetMessage(page, "Please enter a description for your log file.",
                     "Invalid Description...", MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    char path[SERVERINFO_PATH_SIZE];
    GetItemTextBounded(page, IDC_TU_PATH, path, sizeof path);
    if (!path[0]) {
        SheetMessage(page, "Please specify a full path to your log file URL.", "Invalid Path...",
                     MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    if (!IsValidLogSourcePath(sheet.Protocol, path)) {
        SheetMessage(page, "The URL path you supplied is invalid.", "Invalid URL Path",
                     MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    OvkitCopyText(profile->Description, PROFILE_DESCRIPTION_SIZE, description);
    if (ServerInfo* server = FirstServer())
        ServerInfo_SetPath(server, StripLogSourcePrefix(path));
    ServerList_SetProtocol(&profile->Servers, sheet.Protocol);
    profile->IncrementalUpdate = IsDlgButtonChecked(page, IDC_TU_INCREMENTAL) == BST_CHECKED;
    profile->LogFileFormat = (DWORD)ComboIndex(page, IDC_TU_FORMAT, 0);
    return AcceptLeaving(page);
}

BOOL LeaveSite(HWND page) {
    ProfileSheetState& sheet = SheetState();
    int cluster = IsDlgButtonChecked(page, IDC_SITE_CLUSTER) == BST_CHECKED;
    ServerList_SetIsCluster(&sheet.Profile->Servers, cluster);
    sheet.Cluster = cluster;
    // The page that does not apply leaves the wizard for good.
    int dropped = cluster ? ROW_TITLE_URL : ROW_SERVERS;
    if (sheet.Pages[dropped]) {
        PropSheet_RemovePage(GetParent(page), 0, sheet.Pages[dropped]);
        sheet.Pages[dropped] = nullptr;
    }
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    return TRUE;
}
} // namespace

INT_PTR CALLBACK SiteConfigurationPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_SITE);
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(page, IDC_SITE_SINGLE, IDC_SITE_CLUSTER,
                         SheetState().Cluster ? IDC_SITE_CLUSTER : IDC_SITE_SINGLE);
        return TRUE;
    case WM_HELP:
        ShowSecondHelp(page, HELP_SITE);
        return TRUE;
    case WM_NOTIFY:
        if (SheetNotifyCode(message, lParam) == PSN_WIZNEXT)
            return LeaveSite(page);
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK TitleUrlPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_TITLE_URL);
    switch (message) {
    case WM_INITDIALOG:
        StartTitleUrl(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_TU_PROTOCOL && HIWORD(wParam) == CBN_SELCHANGE)
            OnProtocolChange(page);
        else if (LOWORD(wParam) == IDC_TU_BROWSE)
            OnBrowse(page);
        else if (LOWORD(wParam) == IDC_TU_EXAMPLES)
            ShowReportHelp(page, HELP_TITLE_EXAMPLES);
        return TRUE;
    case WM_HELP:
        ShowReportHelp(page, HELP_TITLE_URL);
        return TRUE;
    case WM_NOTIFY: {
        UINT code = SheetNotifyCode(message, lParam);
        return IsLeaving(code) ? LeaveTitleUrl(page, code) : FALSE;
    }
    }
    return FALSE;
}
