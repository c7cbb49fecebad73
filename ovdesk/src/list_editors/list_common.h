// What the intranet and ad-views list editors share: their files, their
// list views, the selection checks and the fonts of their labels.
#pragma once
#include <windows.h>
#include <string>

namespace lists {

// <module directory><name>: the install folder's list file.
std::string ListFilePath(const char* name);
// The whole file; false when it cannot be read (a missing file included).
bool ReadListFile(const char* name, std::string* text);
// Creates the file afresh with text. On failure "Can not create Data file"
// (caption "Error Updating  File") and false.
bool WriteListFile(HWND owner, const char* name, const std::string& text);

// The line that starts at *at (ended by CR, LF or CR LF; over-long lines
// are not cut here); *at moves past its end. False at the end of text.
bool NextLine(const std::string& text, size_t* at, std::string* line);
// text from line index `first` on (lines counted as NextLine counts them),
// each line ended by CR LF: the lines a reader did not take, kept so that
// a rewrite does not lose them.
std::string LinesFrom(const std::string& text, int first);

// Inserts a row at index with the text of column 0 and, when given, of
// column 1 (empty texts allowed); the row's index.
int InsertRow(HWND list, int index, const char* first, const char* second);
// Selects and focuses exactly the row (none when index < 0) and scrolls it
// into view.
void SelectRow(HWND list, int index);
// The row that Delete or Edit works on: -1 after the box that says why not
// (an empty list: emptyCaption / emptyText; no row chosen).
int ChosenRow(HWND dialog, HWND list, int count, const char* emptyCaption, const char* emptyText);
// Runs the plug-in's dialog templateId modally over dialog; its result, 0
// when the template cannot be loaded.
INT_PTR RunChild(HWND dialog, UINT templateId, DLGPROC procedure);
// The row to select after a refresh: the one whose text in column 0 is
// wanted (then forgotten), else previous when still a row, else the first.
int RowAfterRefresh(HWND list, std::string* wanted, int previous);

// A bold font set on each item of ids (count of them); delete it when the
// dialog goes.
HFONT MakeLabelsBold(HWND dialog, const int* ids, int count);
void ShowHelpTopic(HWND window, DWORD topic);
// An OK refusal: the text (formatted with field) in a box with the product
// name as caption, and the focus back on the item.
void RefuseField(HWND dialog, int item, const char* format, const char* field);

} // namespace lists
