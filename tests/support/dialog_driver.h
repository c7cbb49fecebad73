// Drives dialogs and property sheets from a test, headless under the null
// graphics driver: find a control, type into it, click it, choose in a combo
// or list, press a property sheet's buttons, walk the tab order, and run a
// modal dialog with steps inside its own message loop.
//
// Every action sends the messages a user's input would cause (the control's
// state and the parent's notification), so a hidden or never-painted dialog
// behaves as a shown one. Message boxes are read and answered by
// MsgBoxWatcher (msgbox_watcher.h).
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace ovtest {

// ---- Controls ---------------------------------------------------------------
// The control of id in dialog; a failing test expectation when missing.
HWND Control(HWND dialog, int id);
std::string ItemText(HWND dialog, int id);
// Sets the text of an edit (EN_CHANGE reaches the dialog as typing would).
void SetText(HWND dialog, int id, const std::string& text);
// A click on a button: a check box or radio button changes state as the
// user's click would, then the dialog gets BN_CLICKED.
void Click(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
// Selects the combo entry with this text (exact) and sends CBN_SELCHANGE;
// false when there is no such entry.
bool SelectCombo(HWND dialog, int id, const std::string& text);
std::string ComboSelection(HWND dialog, int id);
std::vector<std::string> ComboEntries(HWND dialog, int id);
// The same for a list box (single selection); index -1 clears it.
bool SelectListIndex(HWND dialog, int id, int index);
std::vector<std::string> ListEntries(HWND dialog, int id);
// List-view: the cell's text, the row count, and selecting exactly one row
// (LVN_ITEMCHANGED reaches the dialog).
std::string ListViewText(HWND list, int item, int column);
int ListViewCount(HWND list);
void ListViewSelect(HWND list, int item);
// The ids of the dialog's controls in tab order, from the first tab stop.
std::vector<int> TabOrder(HWND dialog);

// ---- Property sheets ----------------------------------------------------------
// The page shown now.
HWND CurrentPage(HWND sheet);
// The resource id of a page's dialog template is unknown to its window: the
// caption of the page shown names it.
std::string CurrentPageCaption(HWND sheet);
// Presses Next, Back, Finish, OK or Cancel (PSBTN_*), as the user would.
void PressSheetButton(HWND sheet, int button);
// Shows the page at index (the tab the user chose); false when refused.
bool SelectSheetPage(HWND sheet, int index);
int SheetPageCount(HWND sheet);
// The captions of every tab of the sheet, in order.
std::vector<std::string> SheetTabs(HWND sheet);

// ---- Modal dialogs ------------------------------------------------------------
// Runs action once, after a short delay, inside whatever message loop this
// thread is in then (a modal dialog's, for one).
void Later(const std::function<void()>& action);
// Runs action with the dialog once a visible dialog of this thread with this
// caption exists (polled inside whatever message loop runs then); a test
// failure when none appears within timeoutMs.
void WhenDialogShown(const char* caption, const std::function<void(HWND)>& action,
                     DWORD timeoutMs = 5000);
// The window of this thread with this caption (shown or not yet), or null.
HWND FindThreadDialog(const char* caption);
// The newest visible top-level dialog or sheet of this thread, or null.
HWND FindThreadTopDialog();
// Runs open (which shows a modal dialog and returns its result) while steps
// runs in the dialog's loop with the dialog's window, once a top-level
// dialog of this thread exists. When steps leaves the dialog open, it is
// cancelled so that the test cannot hang. With captionPrefix, only a
// dialog whose caption begins with it counts (other dialogs on the way are
// left alone). Returns open's result.
INT_PTR RunModal(const std::function<INT_PTR()>& open, const std::function<void(HWND)>& steps,
                 DWORD timeoutMs = 10000, const char* captionPrefix = nullptr);

} // namespace ovtest
