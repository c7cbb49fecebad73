// The options sheet's pages and what they share: the page protocol of
// ovkit's modeless sheet (PSN_SETACTIVE, PSN_APPLY on OK, PSN_HELP), the
// page last shown, and the list editors the pages open.
#pragma once
#include <windows.h>
#include <prsht.h>
#include "ovcore/ovcore.h"

// The sheet's rows, in order; a row's number is the page number the sheet
// remembers (the Language page has none).
enum OptionsRow {
    OPT_ROW_FILE_TYPES = 0,
    OPT_ROW_DOMAINS,
    OPT_ROW_GENERAL,
    OPT_ROW_OFFICE,
    OPT_ROW_COOKIES,
    OPT_ROW_LOG_CACHE,
    OPT_ROW_REALTIME,
    OPT_ROW_ODBC,
    OPT_ROW_LANGUAGE,
    OPTIONS_ROWS
};

// ---- The page protocol ------------------------------------------------------
// The bold heading font of the open sheet: the owner's font at weight 700,
// else that of page's font (null when none can be made).
HFONT GetOptionsBoldFont(HWND page);
// The page the next sheet opens on.
void SetOptionsLastPage(int row);
// What every page does with a message: the bold heading at WM_INITDIALOG,
// and on PSN_SETACTIVE the page's number becomes the page last shown (row
// OPTIONS_ROWS: a page without a number).
void OptionsPageCommon(HWND page, UINT message, LPARAM lParam, int row);
// The notification code of a WM_NOTIFY from the sheet (0 for other messages).
UINT OptionsNotifyCode(UINT message, LPARAM lParam);
// Answers the sheet's notification with result (DWLP_MSGRESULT); TRUE.
BOOL OptionsAnswer(HWND page, LONG_PTR result);
// Makes the sheet show page.
void OptionsShowThisPage(HWND page);
// OK refused on page: the sheet stays open. Answer last, after any box:
// the page's notifications meanwhile (PSN_SETACTIVE) overwrite the answer.
// TRUE.
BOOL OptionsRefuseApply(HWND page);
// A setting was written before OK (a list editor closed with OK): the
// sheet's Cancel becomes Close.
void OptionsCancelToClose(HWND page);
// Opens the help file (the second one when second) at topic.
void OptionsHelp(HWND page, DWORD topic, bool second = false);
// A box of the sheet, through the plug-in's message sink (caption null:
// "Ostrevane").
int OptionsMessage(HWND page, const char* text, const char* caption, UINT type);

// Reads an edit's number; false when the text is not a whole number.
bool ReadItemNumber(HWND page, int item, int* value);

// ---- Pages --------------------------------------------------------------------
INT_PTR CALLBACK FileTypesOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DomainsOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK GeneralOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OfficeOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CookiesOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LogCacheOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RealtimeOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OdbcOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// The Language page is the report-language editor's page.
INT_PTR CALLBACK LanguageOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// ---- List editors (modal) -------------------------------------------------------
// The file types of [Defaults] key, titled title. 1 when OK wrote the list,
// 0 when cancelled (nothing written), -1 when it could not be shown.
int EditFileTypeList(HWND owner, const char* key, const char* title);
// The words of [Defaults] key, titled title; results as above.
int EditWordList(HWND owner, const char* key, const char* title);
// One file type (a copy the caller owns): adding gives "Add File Type".
// 1 when OK stored the extension and type into *type, else 0.
int EditFileType(HWND owner, FileType* type, bool adding);
