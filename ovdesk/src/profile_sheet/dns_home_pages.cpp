// The DNS Lookup and Home Page pages.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/log_source_pickers.h"
#include "log_sources/log_source_address.h"
#include "log_sources/orbis_login.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
enum { HELP_DNS = 4004, HELP_HOME = 4005, HELP_HOME_EXAMPLES = 4166 };

const char* const kDnsModes[] = {"Quick mode, using format from log file",
                                 "Resolve mode, lookup all numeric IPs",
                                 "Auto mode, if you're unsure"};
const char* const kHomeProtocols[] = {"file:///", "ftp://", "http://"};
const char kWizardHomeFiles[] = "default.htm default.html index.htm index.html default.asp";

BYTE g_entryDns;
char g_entryBaseDir[PROFILE_HOMEPAGE_SIZE];
char g_entryDefaults[PROFILE_HOMEPAGE_SIZE];

BOOL LeaveDns(HWND page, UINT code) {
    AnalysisProfile* profile = SheetState().Profile;
    profile->DNSLookup = (BYTE)ComboIndex(page, IDC_DNS_MODE, 0);
    if (profile->DNSLookup != g_entryDns)
        OfferDatabaseDrop(page, "the DNS lookup");
    (void)code;
    return AcceptLeaving(page);
}

void ShowHomeExample(HWND page) {
    int protocol = SheetState().HomeProtocol;
    char example[256];
    if (protocol == LOG_SOURCE_FILE)
        OvkitCopyText(example, sizeof example, "Example: c:\\websrvr\\html\\");
    else
        LoadText(protocol == LOG_SOURCE_FTP ? IDS_HP_EXAMPLE_HOME : IDS_HP_EXAMPLE_HOST, example,
                 sizeof example);
    SetDlgItemTextA(page, IDC_HP_EXAMPLE, example);
    SetDlgItemTextA(page, IDC_HP_BROWSE,
                    protocol == LOG_SOURCE_FTP    ? "Details..."
                    : protocol == LOG_SOURCE_HTTP ? "Login..."
                                                  : "Browse...");
}

void StartHomePage(HWND page) {
    ProfileSheetState& sheet = SheetState();
    AnalysisProfile* profile = sheet.Profile;
    if (sheet.Wizard)
        sheet.HomeProtocol = LOG_SOURCE_HTTP;
    FillCombo(page, IDC_HP_PROTOCOL, kHomeProtocols, 3, sheet.HomeProtocol);
    SendDlgItemMessageA(page, IDC_HP_ADDRESS, EM_LIMITTEXT, 300, 0);
    SetDlgItemTextA(page, IDC_HP_ADDRESS, sheet.HomeAddress);
    SendDlgItemMessageA(page, IDC_HP_FILES, EM_LIMITTEXT, PROFILE_HOMEPAGE_SIZE - 1, 0);
    SetDlgItemTextA(page, IDC_HP_FILES,
                    sheet.Wizard && !profile->HomePageDefaults[0] ? kWizardHomeFiles
                                                                  : profile->HomePageDefaults);
    OvkitCopyText(g_entryBaseDir, sizeof g_entryBaseDir, profile->HomePageBaseDir);
    OvkitCopyText(g_entryDefaults, sizeof g_entryDefaults, profile->HomePageDefaults);
    ShowHomeExample(page);
}

void OnHomeBrowse(HWND page) {
    ProfileSheetState& sheet = SheetState();
    AnalysisProfile* profile = sheet.Profile;
    if (sheet.HomeProtocol == LOG_SOURCE_FILE) {
        char folder[PROFILE_HOMEPAGE_SIZE];
        if (!PickFolder(page, "Web site root directory...", folder, sizeof folder))
            return;
        SetDlgItemTextA(page, IDC_HP_ADDRESS, folder);
        OvkitCopyText(profile->HomePageBaseDir, PROFILE_HOMEPAGE_SIZE, folder);
        return;
    }
    OrbisLoginBlock block = {};
    block.Kind = 1;
    GetItemTextBounded(page, IDC_HP_ADDRESS, block.RemotePath, sizeof block.RemotePath);
    OvkitCopyText(block.UserName, sizeof block.UserName, profile->HomePageUsername);
    OvkitCopyText(block.Password, sizeof block.Password, profile->HomePagePassword);
    if (RunOrbisLogin(page, &block) != 1)
        return;
    OvkitCopyText(profile->HomePageUsername, PROFILE_CREDENTIAL_SIZE, block.UserName);
    OvkitCopyText(profile->HomePagePassword, PROFILE_CREDENTIAL_SIZE, block.Password);
}

// The address as typed, closed by the separator it uses; false when that
// does not fit in size.
bool ReadHomeAddress(HWND page, char* address, size_t size) {
    GetItemTextBounded(page, IDC_HP_ADDRESS, address, (int)size);
    size_t length = strlen(address);
    if (!length)
        return true;
    char separator = strchr(address, '\\') ? '\\' : '/';
    if (address[length - 1] == separator)
        return true;
    if (length + 1 >= size)
        return false;
    address[length] = separator;
    address[length + 1] = '\0';
    return true;
}

BOOL LeaveHomePage(HWND page, UINT code) {
    ProfileSheetState& sheet = SheetState();
    AnalysisProfile* profile = sheet.Profile;
    char files[PROFILE_HOMEPAGE_SIZE];
    GetItemTextBounded(page, IDC_HP_FILES, files, sizeof files);
    if (!files[0]) {
        SheetMessage(page, "Please enter the Home Page File Names for your web site. ",
                     "Invalid File Names", MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    char address[MAX_PATH];
    char joined[MAX_PATH] = "";
    bool fits = ReadHomeAddress(page, address, sizeof address);
    // The joined address must fit the profile's field, prefix and all.
    if (address[0] && (!fits || !IsValidLogSourcePath(sheet.HomeProtocol, address) ||
                       !BuildLogSourceUrl(sheet.HomeProtocol, address, joined) ||
                       strlen(joined) >= PROFILE_HOMEPAGE_SIZE)) {
        SheetMessage(page, "Invalid Home Page URL path.", "Invalid URL Path",
                     MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    OvkitCopyText(profile->HomePageBaseDir, PROFILE_HOMEPAGE_SIZE, joined);
    OvkitCopyText(profile->HomePageDefaults, PROFILE_HOMEPAGE_SIZE, files);
    if (_stricmp(profile->HomePageBaseDir, g_entryBaseDir) != 0 ||
        _stricmp(profile->HomePageDefaults, g_entryDefaults) != 0)
        OfferDatabaseDrop(page, "the home page url");
    return AcceptLeaving(page);
}
} // namespace

INT_PTR CALLBACK DnsLookupPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_DNS);
    switch (message) {
    case WM_INITDIALOG: {
        BYTE mode = SheetState().Profile->DNSLookup;
        g_entryDns = mode;
        FillCombo(page, IDC_DNS_MODE, kDnsModes, 3, mode <= 2 ? mode : 0);
        return TRUE;
    }
    case WM_HELP:
        ShowReportHelp(page, HELP_DNS);
        return TRUE;
    case WM_NOTIFY: {
        UINT code = SheetNotifyCode(message, lParam);
        return IsLeaving(code) ? LeaveDns(page, code) : FALSE;
    }
    }
    (void)wParam;
    return FALSE;
}

INT_PTR CALLBACK HomePagePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_HOME_PAGE);
    switch (message) {
    case WM_INITDIALOG:
        StartHomePage(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_HP_PROTOCOL && HIWORD(wParam) == CBN_SELCHANGE) {
            SheetState().HomeProtocol = ComboIndex(page, IDC_HP_PROTOCOL, LOG_SOURCE_HTTP);
            SheetState().Profile->HomePageUsername[0] = '\0';
            SheetState().Profile->HomePagePassword[0] = '\0';
            ShowHomeExample(page);
        } else if (LOWORD(wParam) == IDC_HP_BROWSE) {
            OnHomeBrowse(page);
        } else if (LOWORD(wParam) == IDC_HP_EXAMPLES) {
            ShowReportHelp(page, HELP_HOME_EXAMPLES);
        }
        return TRUE;
    case WM_HELP:
        ShowReportHelp(page, HELP_HOME);
        return TRUE;
    case WM_NOTIFY: {
        UINT code = SheetNotifyCode(message, lParam);
        return IsLeaving(code) ? LeaveHomePage(page, code) : FALSE;
    }
    }
    return FALSE;
}
