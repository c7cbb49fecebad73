// The General page: DNS cache size, list refresh rate, user session length,
// page-title look-ups and the graph picture format.
#include "options/options_sheet.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstdio>

namespace {
enum { HELP_TOPIC = 4094, SECONDS_PER_DAY = 86400, TITLE_CACHE_ON = 500 };

// One number edit with its spin, range and default.
struct RangedField {
    int Edit;
    int Spin;
    int Low;
    int High;
    int Default;
    const char* Invalid; // the refusal's format: low, high, default
};
const RangedField kDnsCache = {IDC_OPT_DNS_CACHE,
                               IDC_OPT_DNS_CACHE_SPIN,
                               1,
                               250,
                               50,
                               "Invalid DNS cache size entered.\r\nThe valid range is %d to "
                               "%d.\r\nAutomatically resetting to the default value (%d)."};
const RangedField kRefresh = {IDC_OPT_REFRESH,
                              IDC_OPT_REFRESH_SPIN,
                              0,
                              60,
                              30,
                              "Invalid log file list refresh rate entered.\r\nThe valid range is "
                              "%d to %d.\r\nAutomatically resetting to the default value (%d)."};
const RangedField kSession = {IDC_OPT_SESSION,
                              IDC_OPT_SESSION_SPIN,
                              1,
                              1440,
                              30,
                              "Invalid user session length entered.\r\nThe valid range is %d to "
                              "%d.\r\nAutomatically resetting to the default value (%d)."};
const RangedField* const kFields[] = {&kDnsCache, &kRefresh, &kSession};

const char kFlushQuestion[] =
    "Flushing the DNS cache may eliminate entries previously identified as 'unresolvable', and "
    "may free up some disk space.\r\n\r\nHowever, subsequent log file analyses might be slower "
    "until the cache is re-established.\r\n\r\nDo you still want to flush the cache?";

bool InRange(const RangedField& field, int value) {
    return value >= field.Low && value <= field.High;
}

void ShowField(HWND page, const RangedField& field, int value) {
    SendDlgItemMessageA(page, field.Spin, UDM_SETRANGE32, field.Low, field.High);
    SetDlgItemInt(page, field.Edit, InRange(field, value) ? value : field.Default, FALSE);
}

void EnableTitleCache(HWND page) {
    BOOL on = IsDlgButtonChecked(page, IDC_OPT_TITLE_CACHE) == BST_CHECKED;
    EnableWindow(GetDlgItem(page, IDC_OPT_TITLE_CACHE_SIZE), on);
    EnableWindow(GetDlgItem(page, IDC_OPT_TITLE_LIFESPAN), on);
}

void Fill(HWND page) {
    ShowField(page, kDnsCache, GetModuleProfileInt("Defaults", "DNSCacheEntries", 50) / 1000);
    int refresh = GetBaseProfileInt("Defaults", "ListRefreshRate", 1800) / 60;
    ShowField(page, kRefresh, refresh);
    ShowField(page, kSession, GetModuleProfileInt("Defaults", "CachedTime", 1800) / 60);
    CheckDlgButton(page, IDC_OPT_TITLES,
                   GetModuleProfileInt("Defaults", "NoHTMLTitles", 0) == 0 ? BST_CHECKED
                                                                           : BST_UNCHECKED);
    int cacheSize = GetModuleProfileInt("Defaults", "TitleCacheSize", 0);
    CheckDlgButton(page, IDC_OPT_TITLE_CACHE, cacheSize ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(page, IDC_OPT_TITLE_CACHE_SIZE, cacheSize, TRUE);
    SetDlgItemInt(page, IDC_OPT_TITLE_LIFESPAN,
                  GetModuleProfileInt("Defaults", "TitleCacheLifespan", 0) / SECONDS_PER_DAY, TRUE);
    EnableTitleCache(page);
    int graph = GetModuleProfileInt("Report", "Graph Type", 0);
    CheckRadioButton(page, IDC_OPT_GRAPH_GIF, IDC_OPT_GRAPH_JPEG,
                     graph == 1 ? IDC_OPT_GRAPH_JPEG : IDC_OPT_GRAPH_GIF);
}

// An invalid value: reset to its default, selected, on this page, with the
// refusal's box.
BOOL Refuse(HWND page, const RangedField& field) {
    SetDlgItemInt(page, field.Edit, field.Default, FALSE);
    OptionsShowThisPage(page);
    HWND edit = GetDlgItem(page, field.Edit);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    char text[256];
    snprintf(text, sizeof text, field.Invalid, field.Low, field.High, field.Default);
    OptionsMessage(page, text, nullptr, MB_OK | MB_ICONWARNING);
    return OptionsRefuseApply(page);
}

BOOL Apply(HWND page) {
    int values[3];
    for (int i = 0; i < 3; ++i) {
        if (!ReadItemNumber(page, kFields[i]->Edit, &values[i]) || !InRange(*kFields[i], values[i]))
            return Refuse(page, *kFields[i]);
        // Each valid value is written before the next is looked at.
        if (kFields[i] == &kDnsCache)
            WriteModuleProfileInt("Defaults", "DNSCacheEntries", values[i] * 1000);
        else if (kFields[i] == &kRefresh &&
                 values[i] != GetBaseProfileInt("Defaults", "ListRefreshRate", 1800) / 60)
            WriteBaseProfileInt("Defaults", "ListRefreshRate", values[i] * 60);
        else if (kFields[i] == &kSession)
            WriteModuleProfileInt("Defaults", "CachedTime", values[i] * 60);
    }
    WriteModuleProfileInt("Defaults", "NoHTMLTitles",
                          IsDlgButtonChecked(page, IDC_OPT_TITLES) == BST_CHECKED ? 0 : 1);
    int size = 0, days = 0;
    if (!ReadItemNumber(page, IDC_OPT_TITLE_CACHE_SIZE, &size) || size < 0)
        size = 0;
    if (!ReadItemNumber(page, IDC_OPT_TITLE_LIFESPAN, &days) || days < 0 ||
        days > 0x7FFFFFFF / SECONDS_PER_DAY)
        days = 0;
    WriteModuleProfileInt("Defaults", "TitleCacheSize", size);
    WriteModuleProfileInt("Defaults", "TitleCacheLifespan", days * SECONDS_PER_DAY);
    WriteModuleProfileInt("Report", "Graph Type",
                          IsDlgButtonChecked(page, IDC_OPT_GRAPH_JPEG) == BST_CHECKED ? 1 : 0);
    return OptionsAnswer(page, PSNRET_NOERROR);
}

// A spin step is taken only when the result stays in range.
BOOL OnSpin(HWND page, const NMUPDOWN* change) {
    for (const RangedField* field : kFields) {
        if ((int)change->hdr.idFrom != field->Spin)
            continue;
        return OptionsAnswer(page, InRange(*field, change->iPos + change->iDelta) ? FALSE : TRUE);
    }
    return FALSE;
}

void OnCommand(HWND page, WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED)
        return;
    switch (LOWORD(wParam)) {
    case IDC_OPT_TITLE_CACHE:
        SetDlgItemInt(page, IDC_OPT_TITLE_CACHE_SIZE,
                      IsDlgButtonChecked(page, IDC_OPT_TITLE_CACHE) == BST_CHECKED ? TITLE_CACHE_ON
                                                                                   : 0,
                      FALSE);
        EnableTitleCache(page);
        break;
    case IDC_OPT_DNS_FLUSH:
        if (OptionsMessage(page, kFlushQuestion, nullptr, MB_YESNO | MB_ICONWARNING) == IDYES)
            ORB_FlushDNSCache(0);
        break;
    }
}
} // namespace

INT_PTR CALLBACK GeneralOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPT_ROW_GENERAL);
    switch (message) {
    case WM_INITDIALOG:
        Fill(page);
        return FALSE;
    case WM_COMMAND:
        OnCommand(page, wParam);
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = (const NMHDR*)lParam;
        if (header->code == (UINT)UDN_DELTAPOS)
            return OnSpin(page, (const NMUPDOWN*)lParam);
        if (header->code == (UINT)PSN_APPLY)
            return Apply(page);
        if (header->code == (UINT)PSN_HELP)
            OptionsHelp(page, HELP_TOPIC);
        return FALSE;
    }
    }
    return FALSE;
}
