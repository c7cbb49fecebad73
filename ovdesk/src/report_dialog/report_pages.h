// The pages of the Create Report dialog and the state they share with it.
#pragma once
#include "report_dialog/create_report_dialog.h"

// Help contexts.
enum { HELP_CREATE_REPORT = 4036, HELP_MEMORIZE_NAME = 4175 };

enum ReportPageIndex {
    PAGE_RANGE = 0,
    PAGE_FORMAT = 1,
    PAGE_SAVEAS = 2,
    PAGE_STYLE = 3,
    PAGE_CONTENTS = 4,
    PAGE_COUNT = 5,
};

// Private messages of the dialog and its pages.
enum {
    WM_REPORT_SHOW_PAGE = 2024, // wParam: show command
    WM_SAVEAS_SET_KIND = 4024,  // wParam: destination kind
    // wParam: item; lParam: int* for the icon index (may be null); answer:
    // the icon index. ovkit's icon combo painter sends the same message.
    WM_COMBO_ICON_INDEX = 4025,
};

// The page windows of the open dialog (null when not made).
extern HWND g_ReportPages[PAGE_COUNT];
// The dialog's bold font, shared by the pages' captions.
extern HFONT g_ReportBoldFont;
// Destination kind of the Save-As text (DESTINATION_*).
extern WORD g_DestinationKind;

// The dialog's working copy of the profile, else the request's profile.
AnalysisProfile* GetReportWorkingProfile(ReportRunRequest* request);
// The range code of the Range page's combo selection.
int GetSelectedRangeCode(HWND page);

INT_PTR CALLBACK RangePageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FormatPageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SaveAsPageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StylePageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    ContentsPageDlg(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// What every page does with a message it did not handle: shows or hides
// itself for WM_REPORT_SHOW_PAGE (TRUE), else FALSE.
INT_PTR DefaultPageMessage(HWND page, UINT message, WPARAM wParam);
// Opens the plug-in's help file at context.
void ShowReportHelp(HWND window, DWORD context);
// Shows picture (ovkit's shared bitmap number) in a static item, and takes
// it away again.
void ShowDecorativePicture(HWND window, int item, int picture);
void RemoveDecorativePicture(HWND window, int item, int picture);
// Sets the bold font on each listed item of a window.
void SetBoldItems(HWND window, const int* ids, int count);
// The window's item text into buffer (size bytes, always terminated).
void GetItemTextBounded(HWND window, int id, char* buffer, int size);

// ---- Format page ------------------------------------------------------------
// 1 when the extension (with its dot) is one of [Defaults] DocumentTypes.
int IsDocumentTypeExtension(const char* extension);
// Rewrites the extension of path (size bytes) for format (FORMAT_*): the text
// after the last "." is replaced, except that HTML keeps a document-type
// extension; a name without "." gets the extension appended. 0 when the
// result would not fit (path unchanged), else 1.
int ChangeExtensionForFormat(char* path, size_t size, int format);
// Selects the format of the name's extension (kinds 0..4 only).
void SelectFormatByName(HWND page, const char* name);
// The format chosen on the page (FORMAT_*).
int GetSelectedFormat(HWND page);

// ---- Save As / Mail To page ------------------------------------------------
// Shows text in the page's path and address items for a destination kind.
void ShowSaveAsTarget(HWND page, int pathItem, int addressItem, const char* text, int kind);
// Reads the target of the page into text (MAX_PATH bytes); 0 after a box
// when the path or the mail address is empty, else 1.
int GetSaveAsTarget(HWND page, int pathItem, int addressItem, char* text, int kind);
// Selects kind in the kind combo, adapts the page and shows the definition's
// Save-As text.
void SetSaveAsPageTarget(int kind, const ReportDefinition* definition);
// Takes the event's FTP user name and password when they are not empty.
void CopyDefinitionLogin(ReportSettings* target, const ScheduleEvent* event);

// Answers WM_COMBO_ICON_INDEX with icon (through lParam when given, and as
// the message's result). TRUE.
INT_PTR AnswerComboIcon(HWND window, LPARAM out, int icon);
// The icon of item of the last memorized-definition listing: its output
// format's.
int DefinitionIcon(WPARAM item);

// ---- Style page -------------------------------------------------------------
// Selects text in the combo when it is listed; 1 when selected.
int SelectComboText(HWND window, int id, const char* text);

// ---- Icon combo items -------------------------------------------------------
void DrawIconComboItem(HWND owner, int comboId, const DRAWITEMSTRUCT* item, HFONT font);
