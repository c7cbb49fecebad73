// The filter sheet: a wizard that builds a new filter page by page, or the
// property sheet of one filter; its page table and the element pages that
// come and go with the elements the filter uses.
#include "filter_wizard/filter_sheet.h"
#include "filter_wizard/filter_sheet_state.h"
#include "services/dialog_services.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstdio>

namespace {
FilterSheetState g_state;

FilterPageEntry g_pages[MAX_FILTER_PAGES] = {
    {0, nullptr, nullptr, ReturnCodePage, IDD_FW_RETURN_CODE, FILTER_RETURNCODES, {}},
    {1, nullptr, nullptr, UserAddressPage, IDD_FW_USER_ADDRESS, FILTER_USERS, {}},
    {2, nullptr, nullptr, DomainPage, IDD_FW_DOMAIN, FILTER_MULTIHOMEDOMAIN, {}},
    {3, nullptr, nullptr, DirectoryPage, IDD_FW_DIRECTORY, FILTER_DIRECTORY, {}},
    {4, nullptr, nullptr, FilePage, IDD_FW_FILE, FILTER_FILES, {}},
    {5, nullptr, nullptr, EntryPagePage, IDD_FW_ENTRY_PAGE, FILTER_ENTRYPAGE, {}},
    {6, nullptr, nullptr, ReferrerPage, IDD_FW_REFERRER, FILTER_REFERRER, {}},
    {7, nullptr, nullptr, AdvertisingPage, IDD_FW_ADVERTISING, FILTER_ADS, {}},
    {8, nullptr, nullptr, BrowserPage, IDD_FW_BROWSER, FILTER_BROWSER, {}},
    {9, nullptr, nullptr, UsernamePage, IDD_FW_USERNAME, FILTER_USERNAME, {}},
    {10, nullptr, nullptr, DayPage, IDD_FW_DAY, FILTER_DAYS, {}},
    {11, nullptr, nullptr, HourPage, IDD_FW_HOUR, FILTER_HOURS, {}},
    {12, nullptr, nullptr, SummaryPage, IDD_FW_SUMMARY, 0, {}},
};

// The order in which the set-up walks the elements.
const int kSetUpOrder[] = {FP_RETURN_CODE,  FP_DIRECTORY, FP_FILE,        FP_ENTRY_PAGE,
                           FP_REFERRER,     FP_DAY,       FP_HOUR,        FP_USERNAME,
                           FP_USER_ADDRESS, FP_DOMAIN,    FP_ADVERTISING, FP_BROWSER};

HPROPSHEETPAGE MakePage(DLGPROC procedure, UINT templateId, LPARAM row) {
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(templateId);
    if (!dialogTemplate)
        return nullptr;
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = GetPluginInstance();
    page.pResource = dialogTemplate;
    page.pfnDlgProc = procedure;
    page.lParam = row;
    return CreatePropertySheetPageA(&page);
}

void AddRow(int row) {
    FilterPageEntry& entry = g_pages[row];
    if (entry.Page)
        return;
    entry.Page = MakePage(entry.Procedure, entry.Template, row);
    if (entry.Page && !PropSheet_AddPage(g_state.Sheet, entry.Page)) {
        DestroyPropertySheetPage(entry.Page);
        entry.Page = nullptr;
    }
}

// The sheet destroys a removed page and its handle.
void RemoveRow(int row) {
    FilterPageEntry& entry = g_pages[row];
    if (!entry.Page)
        return;
    PropSheet_RemovePage(g_state.Sheet, -1, entry.Page);
    entry.Page = nullptr;
    entry.Window = nullptr;
}

void ClearTable() {
    for (FilterPageEntry& entry : g_pages) {
        entry.Page = nullptr;
        entry.Window = nullptr;
        entry.Shown.clear();
    }
}

int CALLBACK SheetCallback(HWND window, UINT code, LPARAM lParam) {
    if (code == PSCB_INITIALIZED) {
        g_state.Sheet = window;
        HWND tabs = PropSheet_GetTabControl(window);
        if (!g_state.Wizard && tabs) {
            LONG style = GetWindowLongA(tabs, GWL_STYLE);
            SetWindowLongA(tabs, GWL_STYLE, (style & ~TCS_MULTILINE) | TCS_RAGGEDRIGHT);
        }
    }
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

int MakeFixedPages(HPROPSHEETPAGE* handles) {
    int made = 0;
    if (g_state.Wizard) {
        handles[made++] = MakePage(FilterTypePage, IDD_FW_TYPE, FP_TYPE);
        handles[made++] = MakePage(FilterTitlePage, IDD_FW_TITLE, FP_TITLE);
        handles[made++] = MakePage(FilterElementsPage, IDD_FW_ELEMENTS, FP_ELEMENTS);
    } else {
        handles[made++] = MakePage(FilterElementsPage, IDD_FW_GENERAL, FP_ELEMENTS);
    }
    for (int i = 0; i < made; ++i)
        if (!handles[i]) {
            for (int j = 0; j < made; ++j)
                if (handles[j])
                    DestroyPropertySheetPage(handles[j]);
            return 0;
        }
    return made;
}
} // namespace

FilterSheetState& FilterSheetData(void) {
    return g_state;
}

FilterPageEntry* FilterPageTable(void) {
    return g_pages;
}

void SetUpElementPages(void) {
    if (!g_state.Sheet || !g_state.Filter)
        return;
    DWORD flags = g_state.Filter->dwFlags;
    bool elements = !(flags & ENABLE_DEFAULT);
    for (int row : kSetUpOrder) {
        if (elements && (flags & g_pages[row].Flag)) {
            if (!g_pages[row].Page) {
                RemoveRow(FP_SUMMARY);
                AddRow(row);
            }
        } else {
            RemoveRow(row);
        }
    }
    AddRow(FP_SUMMARY);
}

INT_PTR FilterSheet(HWND owner, ProfileFilter** filter, AnalysisProfile* profile, int wizard) {
    if (!filter || (wizard && (*filter || !profile)) || (!wizard && !*filter) || g_state.Sheet)
        return -1;
    g_state = FilterSheetState();
    ClearTable();
    g_state.Filter = *filter;
    g_state.Profile = profile;
    g_state.Wizard = wizard ? 1 : 0;
    g_state.Result = 1;
    HPROPSHEETPAGE handles[3] = {};
    int made = MakeFixedPages(handles);
    if (!made)
        return -1;
    char caption[FILTER_NAME_SIZE + 32];
    if (wizard)
        snprintf(caption, sizeof caption, "Add Filter");
    else
        snprintf(caption, sizeof caption,
                 (*filter)->Type == FILTER_EXCLUDE ? "Exclude Filter \"%s\""
                                                   : "Include Filter \"%s\"",
                 (*filter)->Name);
    g_state.BoldFont = MakeBoldFont(owner);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USECALLBACK | (wizard ? PSH_WIZARD : 0);
    header.hwndParent = owner;
    header.hInstance = GetPluginInstance();
    header.pszCaption = caption;
    header.nPages = made;
    header.phpage = handles;
    header.pfnCallback = SheetCallback;
    INT_PTR shown = PropertySheetA(&header);
    DeleteObject(g_state.BoldFont);
    int result = shown < 0 ? -1 : g_state.Result;
    if (wizard) {
        if (result != 1) {
            FreeOneFilter(g_state.Filter);
            g_state.Filter = nullptr;
        }
        *filter = g_state.Filter;
    }
    g_state = FilterSheetState();
    ClearTable();
    return result;
}
