// The Language page's state, shared by the page and its Add, Restore and
// Find/Replace dialogs (one page at a time, on the user-interface thread).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "language_editor/language_text.h"

namespace langedit {

struct EditorItem {
    std::string Title;
    std::string Key; // empty for a folder
    HTREEITEM Handle;
    bool Modified;
};

struct EditorState {
    HWND Page = nullptr;
    HWND Tree = nullptr;
    HIMAGELIST Images = nullptr;
    bool Filled = false;
    std::vector<std::string> Languages; // combo entries' names, in order
    std::string Default;                // the default language's name
    LanguageText Text;
    std::string Path; // the loaded .RPL file
    bool Modified = false;
    std::vector<EditorItem> Items; // LANG.TRE order
    bool Showing = false;          // the content field is being filled
    std::string Shown;             // the value the content field shows
    HWND Find = nullptr;           // the modeless Find/Replace dialog
    bool StopSearch = false;
};
EditorState& State(void);

// Picture indices in the image list.
enum { PICTURE_FOLDER_OPEN, PICTURE_TEXT, PICTURE_TEXT_EDITED, PICTURE_FOLDER_CLOSED };

// Index of the selected tree item, -1 when none.
int SelectedItem(void);
void SelectItem(int index);
// Shows the selected item's value in the content field.
void ShowSelectedValue(void);
// Stores value as an edit of item index (marked, modified); false when the
// item has no pair in the text or the value holds "}".
bool StoreEdit(int index, const std::string& value);
// Writes the text to the current file; "Cannot save file" on failure.
bool SaveLanguage(void);
// Reads the file as the current text; false (nothing changed) when it
// cannot be read.
bool LoadLanguage(const std::string& path);
void ClearMarks(void);
// Marks item index as edited (its picture, the modified flag).
void MarkEdited(int index);
// The save question; the button answered.
int AskToSave(UINT buttons);
int EditorMessage(const char* text, const char* caption, UINT type);

// The dialogs.
void RunAddDialog(void);
void RunRestoreDialog(void);
void OpenFindDialog(void);
void CloseFindDialog(void);

} // namespace langedit
