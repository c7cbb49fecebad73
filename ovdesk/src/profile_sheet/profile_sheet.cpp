// The profile sheet: which pages it shows, the wizard and the tabs, and the
// page protocol that all its pages share.
#include "profile_sheet/profile_sheet.h"
#include "profile_sheet/sheet_state.h"
#include "log_sources/log_source_address.h"
#include "report_dialog/report_pages.h"
#include "services/dialog_services.h"
#include "startup/plugin_state.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace {
ProfileSheetState g_sheet;
// The page last shown when editing: the next edit sheet opens there.
UINT g_lastShownTemplate = 0;

struct SheetPageRow {
    DLGPROC Procedure;
    UINT Template;
};

const SheetPageRow kRows[SHEET_PAGE_ROWS] = {
    {SiteConfigurationPage, IDD_PS_SITE}, {TitleUrlPage, IDD_PS_TITLE_URL},
    {ServerListPage, IDD_PS_SERVERS},     {DnsLookupPage, IDD_PS_DNS},
    {HomePagePage, IDD_PS_HOME_PAGE},     {FiltersPage, IDD_PS_FILTERS},
    {DatabasePage, IDD_PS_DATABASE},      {RemoteReportsPage, IDD_PS_REMOTE},
    {SwiftmerePage, IDD_PS_SWIFTMERE},    {RowmerePage, IDD_PS_ROWMERE},
};

UINT RowTemplate(int row) {
    if (row == ROW_DATABASE && g_sheet.OfferOdbcDatabase)
        return IDD_PS_DATABASE_ODBC;
    return kRows[row].Template;
}

// Remote reporting needs accounts to name: Windows NT, and the web service on.
bool OffersRemoteReports() {
    OSVERSIONINFOA version = {sizeof version};
    GetVersionExA(&version);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return false;
    char enable[16] = "";
    GetBaseProfileString("Defaults", "WebEnable", "FALSE", enable, sizeof enable);
    return enable[0] != 'f' && enable[0] != 'F';
}

bool RowShown(int row, const AnalysisProfile* profile) {
    switch (row) {
    case ROW_SITE:
        return g_sheet.Wizard != 0;
    case ROW_TITLE_URL:
        return g_sheet.Wizard || !g_sheet.Cluster;
    case ROW_SERVERS:
        return g_sheet.Wizard || g_sheet.Cluster;
    case ROW_REMOTE:
        return OffersRemoteReports();
    case ROW_SWIFTMERE:
        return profile->SwiftmereFlag == SWIFTMERE_FILES;
    case ROW_ROWMERE:
        return GetModuleProfileInt("Defaults", "AllowRowmere", 0) != 0 || profile->RowmereIP ||
               profile->RowmereAuthUser;
    default:
        return true;
    }
}

// The row of a page window, from the template id its procedure was made with.
int LastRowShown() {
    for (int row = SHEET_PAGE_ROWS - 1; row >= 0; --row)
        if (g_sheet.Pages[row])
            return row;
    return -1;
}

void SetWizardButtons(HWND page, SheetRow row) {
    DWORD buttons = PSWIZB_BACK | PSWIZB_NEXT;
    if (row == ROW_SITE || row == ROW_TITLE_URL || row == ROW_SERVERS)
        buttons = PSWIZB_NEXT;
    if (row == LastRowShown())
        buttons = PSWIZB_BACK | PSWIZB_FINISH;
    PropSheet_SetWizButtons(GetParent(page), buttons);
}

// The sheet sets its own title when it shows a page, after the page's
// activation: the page's title follows by a posted message.
enum { WM_SHEET_TITLE = WM_APP + 41 };

void SetWizardTitle(HWND page, SheetRow row) {
    char* title = g_sheet.Titles[row];
    if (!title[0]) {
        char caption[96] = "";
        GetWindowTextA(page, caption, sizeof caption);
        snprintf(title, sizeof g_sheet.Titles[row], "Add Web Log Profile -- %s", caption);
    }
    SetWindowTextA(GetParent(page), title);
}

void OnActivate(HWND page, SheetRow row) {
    if (!g_sheet.Centred) {
        g_sheet.Centred = 1;
        CenterWindowOnScreen(GetParent(page));
    }
    if (g_sheet.Wizard) {
        SetWizardButtons(page, row);
        PostMessageA(page, WM_SHEET_TITLE, 0, 0);
    } else {
        g_lastShownTemplate = RowTemplate(row);
    }
}

int CALLBACK SheetCallback(HWND window, UINT code, LPARAM lParam) {
    if (code == PSCB_INITIALIZED)
        g_sheet.Sheet = window;
    return RemoveContextHelpStyles(window, code, lParam);
}

HFONT MakeBoldFont(HWND owner) {
    HFONT font = owner ? (HFONT)SendMessageA(owner, WM_GETFONT, 0, 0) : nullptr;
    LOGFONTA face = {};
    if (!font || !GetObjectA(font, sizeof face, &face))
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    face.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&face);
}

// Step 1 of the sheet: its state from the profile.
void PrepareState(HWND owner, int wizard, AnalysisProfile* profile, AnalysisProfile** loaded,
                  DWORD count, const AnalysisProfile* unedited) {
    memset(&g_sheet, 0, sizeof g_sheet);
    g_sheet.Profile = profile;
    g_sheet.Wizard = wizard;
    g_sheet.Result = 1;
    g_sheet.Loaded = loaded;
    g_sheet.LoadedCount = count;
    g_sheet.Unedited = unedited;
    g_sheet.Protocol = ServerList_GetProtocol(&profile->Servers);
    g_sheet.Cluster = ServerList_GetIsCluster(&profile->Servers);
    g_sheet.HomeProtocol = SplitLogSourceUrl(g_sheet.HomeAddress, profile->HomePageBaseDir);
    if (g_sheet.HomeProtocol != LOG_SOURCE_FTP && g_sheet.HomeProtocol != LOG_SOURCE_HTTP)
        g_sheet.HomeProtocol = LOG_SOURCE_FILE;
    g_sheet.OfferOdbcDatabase = GetModuleProfileInt("Defaults", "AllowSwiftmereODBC", 0) != 0;
    g_sheet.BoldFont = MakeBoldFont(owner);
}

// Step 3: the pages whose rule holds; the number made.
int MakePages(PROPSHEETPAGEA* pages, HPROPSHEETPAGE* handles, int startPage, int* startIndex) {
    int made = 0;
    for (int row = 0; row < SHEET_PAGE_ROWS; ++row) {
        if (!RowShown(row, g_sheet.Profile))
            continue;
        const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(RowTemplate(row));
        if (!dialogTemplate)
            continue;
        PROPSHEETPAGEA& page = pages[made];
        memset(&page, 0, sizeof page);
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.hInstance = GetPluginInstance();
        page.pResource = dialogTemplate;
        page.pfnDlgProc = kRows[row].Procedure;
        page.lParam = row;
        HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page);
        if (!handle)
            continue;
        g_sheet.Pages[row] = handle;
        if (!g_sheet.Wizard && startPage == PROFILE_SHEET_LAST_PAGE &&
            RowTemplate(row) == g_lastShownTemplate)
            *startIndex = made;
        handles[made++] = handle;
    }
    return made;
}
} // namespace

ProfileSheetState& SheetState(void) {
    return g_sheet;
}

int ShowProfileSheet(HWND owner, int wizard, AnalysisProfile* profile, int startPage,
                     AnalysisProfile** loaded, DWORD count, const AnalysisProfile* unedited) {
    if (!profile)
        return PROFILE_SHEET_UNAVAILABLE;
    PrepareState(owner, wizard ? 1 : 0, profile, loaded, count, unedited);
    PROPSHEETPAGEA pages[SHEET_PAGE_ROWS];
    HPROPSHEETPAGE handles[SHEET_PAGE_ROWS] = {};
    int startIndex = startPage >= 0 ? startPage : 0;
    int made = MakePages(pages, handles, startPage, &startIndex);
    if (made == 0) {
        DeleteObject(g_sheet.BoldFont);
        return PROFILE_SHEET_UNAVAILABLE;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USECALLBACK | (g_sheet.Wizard ? PSH_WIZARD : 0);
    header.hwndParent = owner;
    header.hInstance = GetPluginInstance();
    header.pszCaption = g_sheet.Wizard ? "Add Web Log Profile" : "Edit Web Log Profile";
    header.nPages = made;
    header.nStartPage = startIndex < made ? startIndex : 0;
    header.phpage = handles;
    header.pfnCallback = SheetCallback;
    INT_PTR shown = PropertySheetA(&header);
    DeleteObject(g_sheet.BoldFont);
    g_sheet.BoldFont = nullptr;
    g_sheet.Sheet = nullptr;
    if (shown < 0)
        return PROFILE_SHEET_UNAVAILABLE;
    return g_sheet.Result ? PROFILE_SHEET_OK : PROFILE_SHEET_CANCELLED;
}

int RunProfileSheet(HWND owner, AnalysisProfile* profile, ProfileSheetMode mode,
                    AnalysisProfile** loaded, DWORD count) {
    return ShowProfileSheet(owner, mode == PROFILE_SHEET_NEW, profile, PROFILE_SHEET_LAST_PAGE,
                            loaded, count, nullptr);
}

// ---- The page protocol --------------------------------------------------------

UINT SheetNotifyCode(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY && lParam ? ((NMHDR*)lParam)->code : 0;
}

BOOL SheetPageCommon(HWND page, UINT message, LPARAM lParam, SheetRow row) {
    switch (message) {
    case WM_INITDIALOG:
        ShowDecorativePicture(page, IDC_PS_PICTURE, 11);
        if (g_sheet.BoldFont && GetDlgItem(page, IDC_PS_HEADING))
            SendDlgItemMessageA(page, IDC_PS_HEADING, WM_SETFONT, (WPARAM)g_sheet.BoldFont, 0);
        return FALSE;
    case WM_DESTROY:
        RemoveDecorativePicture(page, IDC_PS_PICTURE, 11);
        return FALSE;
    case WM_SHEET_TITLE:
        SetWizardTitle(page, row);
        return TRUE;
    case WM_NOTIFY:
        switch (SheetNotifyCode(message, lParam)) {
        case PSN_SETACTIVE:
            OnActivate(page, row);
            SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
            return FALSE;
        case PSN_RESET:
            g_sheet.Result = 0;
            return FALSE;
        }
        return FALSE;
    }
    return FALSE;
}

bool IsLeavingPage(bool wizard, UINT code) {
    if (wizard)
        return code == PSN_WIZNEXT || code == PSN_WIZFINISH;
    return code == PSN_KILLACTIVE;
}

bool IsLeaving(UINT code) {
    return IsLeavingPage(g_sheet.Wizard, code);
}

BOOL RefuseLeaving(HWND page, UINT code) {
    // Next refuses with -1; Finish and leaving a tab with TRUE.
    SetWindowLongPtrA(page, DWLP_MSGRESULT, code == PSN_WIZNEXT ? -1 : TRUE);
    return TRUE;
}

BOOL AcceptLeavingPage(HWND page, bool wizard) {
    if (!wizard)
        PropSheet_CancelToClose(GetParent(page));
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    return TRUE;
}

BOOL AcceptLeaving(HWND page) {
    return AcceptLeavingPage(page, g_sheet.Wizard);
}

int SheetMessage(HWND page, const char* text, const char* caption, UINT type) {
    return DeskMessageBox(GetParent(page), text, caption, type);
}

void OfferDatabaseDrop(HWND page, const char* change) {
    if (g_sheet.DatabaseDropped || !g_sheet.Profile->SwiftmereFlag)
        return;
    char text[512];
    snprintf(text, sizeof text,
             "We recommend clearing the real-time database after any changes to %s.\r\n\r\nDo you "
             "want to delete the database files (if any) that may already have been built for "
             "this report profile?",
             change);
    if (SheetMessage(page, text, OVDESK_CAPTION, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) !=
        IDYES)
        return;
    ORB_DeleteRealtimeDatabase(g_sheet.Profile);
    g_sheet.DatabaseDropped = 1;
}

int ComboIndex(HWND page, int item, int fallback) {
    LRESULT index = SendDlgItemMessageA(page, item, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? fallback : (int)index;
}

void FillCombo(HWND page, int item, const char* const* texts, int count, int selected) {
    SendDlgItemMessageA(page, item, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageA(page, item, CB_ADDSTRING, 0, (LPARAM)texts[i]);
    SendDlgItemMessageA(page, item, CB_SETCURSEL, selected, 0);
}

void ShowSecondHelp(HWND window, DWORD context) {
    WinHelpA(window, GetSecondHelpPath(), HELP_CONTEXT, context);
}
