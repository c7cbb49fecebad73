// What the profile sheet's pages share: the sheet's state, the page
// protocol (activation, wizard buttons, leaving, Cancel) and small helpers.
#pragma once
#include <windows.h>
#include <prsht.h>
#include "ovcore/ovcore.h"

enum { SHEET_PAGE_ROWS = 10 };

// The sheet's rows, in order.
enum SheetRow {
    ROW_SITE = 0,
    ROW_TITLE_URL,
    ROW_SERVERS,
    ROW_DNS,
    ROW_HOME_PAGE,
    ROW_FILTERS,
    ROW_DATABASE,
    ROW_REMOTE,
    ROW_SWIFTMERE,
    ROW_ROWMERE,
};

// One sheet at a time; every page reads and writes it.
struct ProfileSheetState {
    AnalysisProfile* Profile; // the caller's working copy, written in place
    int Wizard;               // 1 new-profile wizard, 0 edit
    int Result;               // 1 until a page is cancelled
    AnalysisProfile** Loaded;
    DWORD LoadedCount;
    const AnalysisProfile* Unedited; // the stored profile when editing, else null
    DWORD Protocol;                  // SERVER_PROTOCOL_*
    DWORD Cluster;
    int HomeProtocol;           // 0 file, 1 FTP, 2 HTTP
    char HomeAddress[MAX_PATH]; // without its prefix
    int DatabaseDropped;        // the history database was dropped in this sheet
    int OfferOdbcDatabase;      // the Database page is the ODBC template
    HFONT BoldFont;
    HWND Sheet;
    HPROPSHEETPAGE Pages[SHEET_PAGE_ROWS]; // null for a page left out
    char Titles[SHEET_PAGE_ROWS][128];     // wizard titles, made once
    int Centred;
};

ProfileSheetState& SheetState(void);

// ---- The page protocol ----------------------------------------------------
// Common handling of a page's messages: the picture and heading at
// WM_INITDIALOG, activation (wizard buttons and title, page last shown),
// Cancel. Returns TRUE when the message was fully handled.
BOOL SheetPageCommon(HWND page, UINT message, LPARAM lParam, SheetRow row);
// The notification code of a WM_NOTIFY from the sheet (0 for other messages).
UINT SheetNotifyCode(UINT message, LPARAM lParam);
// True for the notifications on which a page validates and writes: Next and
// Finish in the wizard, leaving the tab (also for OK) when editing.
bool IsLeaving(UINT code);
// The same for a sheet of its own that is (or is not) a wizard.
bool IsLeavingPage(bool wizard, UINT code);
// Keeps the sheet on page (a refusal), in the answer code asks for.
// Always TRUE.
BOOL RefuseLeaving(HWND page, UINT code);
// Accepts leaving: in edit mode Cancel becomes Close. Always TRUE.
BOOL AcceptLeaving(HWND page);
BOOL AcceptLeavingPage(HWND page, bool wizard);
// A box of the sheet (caption and text), answered by the user.
int SheetMessage(HWND page, const char* text, const char* caption, UINT type);
// Asks whether to drop the history database after a change that makes it
// stale; asks once per sheet, and only for a profile that keeps one.
void OfferDatabaseDrop(HWND page, const char* change);

// ---- Small helpers --------------------------------------------------------
// (Bounded item texts: GetItemTextBounded of report_dialog/report_pages.h;
// bounded copies: ovkit/text_copy.h.)
// The combo's selection, or fallback when none.
int ComboIndex(HWND page, int item, int fallback);
void FillCombo(HWND page, int item, const char* const* texts, int count, int selected);
// Opens the second help file at context.
void ShowSecondHelp(HWND window, DWORD context);

// ---- Pages ----------------------------------------------------------------
INT_PTR CALLBACK SiteConfigurationPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TitleUrlPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ServerListPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DnsLookupPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HomePagePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FiltersPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DatabasePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RemoteReportsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SwiftmerePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RowmerePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The 37 log-file format names of the Title, URL and List of Servers pages.
enum { LOG_FORMAT_NAMES = 37 };
extern const char* const kLogFormatNames[LOG_FORMAT_NAMES];
