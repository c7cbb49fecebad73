// Host codes 22 and 23: the options sheet is built in the host's window by
// ovkit's modeless property sheet, and released when the host reports it
// closed.
#include "ovdesk/host_interface.h"
#include "options/options_sheet.h"
#include "profile_sheet/odbc_binding.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovkit/bitmaps.h"
#include "ovkit/propsheet.h"
#include "ovkit/ui_helpers.h"
#include <cstring>

namespace {
struct OptionsPageRow {
    DLGPROC Procedure;
    UINT Template;
};

const OptionsPageRow kRows[OPTIONS_ROWS] = {
    {FileTypesOptionsPage, IDD_OPT_FILE_TYPES}, {DomainsOptionsPage, IDD_OPT_DOMAINS},
    {GeneralOptionsPage, IDD_OPT_GENERAL},      {OfficeOptionsPage, IDD_OPT_OFFICE},
    {CookiesOptionsPage, IDD_OPT_COOKIES},      {LogCacheOptionsPage, IDD_OPT_LOG_CACHE},
    {RealtimeOptionsPage, IDD_OPT_REALTIME},    {OdbcOptionsPage, IDD_OPT_ODBC},
    {LanguageOptionsPage, IDD_OPT_LANGUAGE},
};

const char kTitle[] = "Web Log\nAnalysis";
const char kSubtitle[] = "Web Log Analysis Options";

// What the sheet holds from code 22 to code 23.
struct OptionsSheetState {
    HWND Owner;
    HWND Sheet;
    HFONT BoldFont;
    bool OwnsFont; // the bold font is a copy the sheet deletes
    bool HeaderTaken;
    void* Templates[OPTIONS_ROWS]; // writable copies: ovkit's sheet edits them
};
OptionsSheetState g_options;
int g_lastPage = OPT_ROW_FILE_TYPES;

bool RowShown(int row) {
    return row != OPT_ROW_ODBC || ProbeOdbcLibrary(ODBC_PROBE_FRESH);
}

// The pages whose rule holds and whose template loads; the number made.
int MakePages(PROPSHEETPAGEA* pages, int* start) {
    int made = 0;
    for (int row = 0; row < OPTIONS_ROWS; ++row) {
        if (!RowShown(row))
            continue;
        DWORD size = 0;
        void* copy = LoadDialogResource(kRows[row].Template, &size);
        if (!copy)
            continue;
        g_options.Templates[row] = copy;
        PROPSHEETPAGEA& page = pages[made];
        memset(&page, 0, sizeof page);
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.hInstance = GetPluginInstance();
        page.pResource = static_cast<DLGTEMPLATE*>(copy);
        page.pfnDlgProc = kRows[row].Procedure;
        page.lParam = row;
        if (row == g_lastPage)
            *start = made;
        ++made;
    }
    return made;
}

void ReleaseTemplates() {
    for (void*& copy : g_options.Templates) {
        FreeResourceCopy(copy);
        copy = nullptr;
    }
}

void TakeBoldFont(HWND owner) {
    HFONT own = owner ? (HFONT)SendMessageA(owner, WM_GETFONT, 0, 0) : nullptr;
    g_options.BoldFont = own ? OVKIT_GetBoldFaceFont(owner) : nullptr;
    g_options.OwnsFont = g_options.BoldFont && g_options.BoldFont != own;
}

void GiveHeader(HWND owner, HBITMAP* bitmap, RECT* header) {
    HBITMAP picture =
        OVKIT_GetBitmapHandleFromCache(owner, IDB_OPTIONS_HEADER, GetPluginInstance(), nullptr);
    g_options.HeaderTaken = picture != nullptr;
    int width = 0, height = 0;
    if (picture)
        OVKIT_GetBitmapSize(picture, &width, &height);
    if (bitmap)
        *bitmap = picture;
    if (header)
        SetRect(header, 0, 0, width, height);
}
} // namespace

HFONT GetOptionsBoldFont(HWND page) {
    // An owner without a font of its own (WM_GETFONT null): the bold face of
    // the pages' font instead, made once.
    if (!g_options.BoldFont && page) {
        HFONT own = (HFONT)SendMessageA(page, WM_GETFONT, 0, 0);
        g_options.BoldFont = OVKIT_GetBoldFaceFont(page);
        g_options.OwnsFont = g_options.BoldFont && g_options.BoldFont != own;
    }
    return g_options.BoldFont;
}

void SetOptionsLastPage(int row) {
    g_lastPage = row;
}

HWND __cdecl ShowOptionsSheet(HWND owner, HBITMAP* bitmap, RECT* header, const char** title,
                              const char** subtitle) {
    if (title)
        *title = kTitle;
    if (subtitle)
        *subtitle = kSubtitle;
    // One sheet at a time: a second call shows the open one.
    if (g_options.Sheet && IsWindow(g_options.Sheet)) {
        GiveHeader(g_options.Owner, bitmap, header);
        return g_options.Sheet;
    }
    g_options = OptionsSheetState();
    g_options.Owner = owner;
    TakeBoldFont(owner);
    GiveHeader(owner, bitmap, header);
    PROPSHEETPAGEA pages[OPTIONS_ROWS];
    int start = 0;
    int made = MakePages(pages, &start);
    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    sheet.hwndParent = owner;
    sheet.hInstance = GetPluginInstance();
    sheet.pszCaption = "Options";
    sheet.nPages = made;
    sheet.nStartPage = start;
    sheet.ppsp = pages;
    g_options.Sheet = made ? OVKIT_PropertySheet(&sheet) : nullptr;
    if (!g_options.Sheet)
        OptionsSheetClosed(0); // the host reports no close of a sheet it never got
    return g_options.Sheet;
}

int __cdecl OptionsSheetClosed(int reload) {
    // The host normally destroys the sheet first; one left open goes now,
    // while its pages' font still exists.
    if (g_options.Sheet && IsWindow(g_options.Sheet))
        DestroyWindow(g_options.Sheet);
    g_options.Sheet = nullptr;
    ReleaseTemplates();
    if (g_options.OwnsFont)
        DeleteObject(g_options.BoldFont);
    g_options.BoldFont = nullptr;
    if (g_options.HeaderTaken)
        OVKIT_DestroyDlgBmp(g_options.Owner, IDB_OPTIONS_HEADER, GetPluginInstance());
    g_options.HeaderTaken = false;
    if (reload)
        ORB_NotifyIniFileChanged(0);
    return HOST_DONE;
}
