// What the filter sheet's pages share: the filter being built or edited,
// the page table of the element pages, and the page protocol.
#pragma once
#include <windows.h>
#include <prsht.h>
#include <string>
#include "ovcore/ovcore.h"
#include "filter_wizard/filter_texts.h"

enum { MAX_FILTER_PAGES = 20 };

// Rows of the page table (the first 13 are used).
enum FilterPageRow {
    FP_RETURN_CODE = 0,
    FP_USER_ADDRESS,
    FP_DOMAIN,
    FP_DIRECTORY,
    FP_FILE,
    FP_ENTRY_PAGE,
    FP_REFERRER,
    FP_ADVERTISING,
    FP_BROWSER,
    FP_USERNAME,
    FP_DAY,
    FP_HOUR,
    FP_SUMMARY,
    FP_USED_ROWS,
    // The fixed pages are not in the table.
    FP_TYPE = 100,
    FP_TITLE,
    FP_ELEMENTS,
};

struct FilterPageEntry {
    int Index;
    HPROPSHEETPAGE Page; // while the page is in the sheet, else null
    HWND Window;         // the page's window once made, else null
    DLGPROC Procedure;
    UINT Template;
    DWORD Flag;        // element bit (0 for the summary)
    std::string Shown; // the list text the page showed last
};

// One filter sheet at a time.
struct FilterSheetState {
    ProfileFilter* Filter;    // being built (wizard) or the edited copy
    AnalysisProfile* Profile; // receives a new filter (wizard)
    HWND Sheet;
    int Wizard;
    int Result; // 1 until the sheet is cancelled
    HFONT BoldFont;
    std::string ProposedName; // the Title page's default name, while unchanged
};

FilterSheetState& FilterSheetData(void);
FilterPageEntry* FilterPageTable(void);

// Adds the pages of the elements the filter uses and removes the others,
// keeping the Summary last.
void SetUpElementPages(void);

// ---- The page protocol ------------------------------------------------------
// Common handling of a page's messages: picture, heading, page window,
// caption and wizard buttons on activation, Cancel. row: FP_*.
void FilterPageCommon(HWND page, UINT message, LPARAM lParam, int row);
// Notification code of a WM_NOTIFY, else 0.
UINT FilterNotifyCode(UINT message, LPARAM lParam);
// Next or Finish in the wizard, leaving a tab (and OK) when editing.
bool IsLeavingFilterPage(UINT code);
// Activation of the page.
bool IsShowingFilterPage(UINT code);
// Keeps the sheet on the page; TRUE.
BOOL RefuseFilterPage(HWND page, UINT code);
// Lets the sheet leave the page; TRUE.
BOOL AcceptFilterPage(HWND page);
// A box over the sheet.
int FilterMessage(HWND page, const char* text, const char* caption, UINT type);

// ---- Small helpers --------------------------------------------------------------
// The item's whole text, however long.
std::string FieldText(HWND page, int item);

// Shows text in a list field and remembers it as the row's shown text.
void ShowListText(HWND page, int item, int row, const std::string& text);
// True when the field's text differs from what the row showed.
bool ListTextChanged(HWND page, int item, int row, std::string* text);
// Replaces *list by the text's items (list mode).
void StoreList(const std::string& text, FilterString** list);
void SetCheck(HWND page, int item, DWORD on);
DWORD GetCheck(HWND page, int item);
bool IsInclude(void);

// ---- Pages ------------------------------------------------------------------------
INT_PTR CALLBACK FilterTypePage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK FilterTitlePage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK FilterElementsPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK ReturnCodePage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK UserAddressPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK DomainPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK DirectoryPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK FilePage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK EntryPagePage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK ReferrerPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK AdvertisingPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK BrowserPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK UsernamePage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK DayPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK HourPage(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK SummaryPage(HWND, UINT, WPARAM, LPARAM);
