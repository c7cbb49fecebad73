// Services of the plug-in that every dialog and run uses: texts, dialog
// templates and TEXT resources of the language module, modeless dialogs, the
// message pump, fonts and centring, date and time texts, the file dialog,
// and the one message sink for boxes.
#pragma once
#include <windows.h>
#include <ctime>

#define OVDESK_CAPTION "Ostrevane"

// ---- Module state -----------------------------------------------------------
// The plug-in's own instance (null before start-up).
HINSTANCE GetPluginInstance(void);
// The module texts, templates and TEXT resources come from: the language
// module, or the plug-in's own instance when none was loaded.
HINSTANCE GetLanguageModule(void);
// The plug-in's folder with its closing backslash ("" before start-up).
const char* GetModuleDirectory(void);
// "<module directory>ovdesk\datfiles\", created on first use (failure to
// create is not an error: callers then fail to open their files).
const char* GetDataFilesFolder(void);
// Nonzero when the engine bound its network libraries at registration.
DWORD GetEngineNetworkWord(void);

// ---- Texts and resources ----------------------------------------------------
enum { LOADTEXT_SLOTS = 5, LOADTEXT_SLOT_SIZE = 400, LOADTEXT_MAX_CHARS = 255 };
// String id of the language module into buffer (size bytes, at most 255
// characters); an empty string when the id does not exist. Returns buffer.
char* LoadText(UINT id, char* buffer, size_t size);
// The same into static slot 0..4 (reused by the next call for that slot).
const char* LoadTextSlot(UINT id, int slot);
// The RT_DIALOG template of id from the language module (cached), or null.
const DLGTEMPLATE* GetDialogTemplate(UINT id);
// A heap copy of the RT_DIALOG resource of id and its size, or null. Free
// with FreeResourceCopy.
void* LoadDialogResource(UINT id, DWORD* size);
// A zero-terminated heap copy of the "TEXT" resource id and its size, or
// null. Free with FreeResourceCopy.
char* GetTextResource(UINT id, DWORD* size);
void FreeResourceCopy(void* copy);

// ---- Dialogs and windows ----------------------------------------------------
// Creates a modeless dialog from template id with the plug-in's instance;
// the owner (when a window) is disabled until CloseModelessDialog. Null when
// the template or the window cannot be made.
HWND RunModelessDialog(HWND owner, DLGPROC procedure, UINT templateId, LPARAM param,
                       int showCommand);
// Re-enables the owner, destroys *dialog when it still exists and clears it;
// 0 when the dialog was already gone, else 1.
int CloseModelessDialog(HWND owner, HWND* dialog);
// Removes and dispatches every pending message of the thread; nonzero when
// a WM_QUIT was seen (it is posted again).
int PumpMessages(void);
// The pump as the engine calls it between slices of work.
extern "C" __declspec(dllexport) int CALLBACK PeekMessageCallback(void);
// A bold copy of the dialog's font set on items 30001..30009; the caller
// deletes it (unless it is the dialog's own font, returned when no copy
// could be made).
extern "C" __declspec(dllexport) HFONT CALLBACK PrepWindowFonts(HWND dialog);
// Centres the window on the screen, keeping its size and z-order.
void CenterWindowOnScreen(HWND window);
void CALLBACK CenterOnScreen(HWND window);

// ---- Message sink -----------------------------------------------------------
// Every box of the plug-in goes through here. When unattended (a scheduled,
// remote or headless run is under way) nothing is shown: the caption and the
// text are appended to the scheduler log and the default button (IDOK, or
// IDNO/IDCANCEL for questions) is returned.
int DeskMessageBox(HWND owner, const char* text, const char* caption, UINT type);
// Nested: each SetDeskUnattended(TRUE) needs its SetDeskUnattended(FALSE).
void SetDeskUnattended(BOOL unattended);
BOOL IsDeskUnattended(void);

// ---- Date and time texts ([intl] order and separators) ----------------------
// Each text buffer holds at least this many bytes; texts are cut to fit.
enum { DATE_TEXT_SIZE = 12 };
// The engine's FormatUtcDateTime and FormatLocalDateTime follow rules of
// their own (an unknown date order writes nothing there).
namespace desk {
// Time and date texts of value in UTC; both "N/A" when it cannot be converted.
void FormatUtcTimeTexts(char* timeText, char* dateText, time_t value);
// The same in local time.
void FormatLocalTimeTexts(char* timeText, char* dateText, time_t value);
} // namespace desk
// Parses a time and a date text: hour, minute, second start at 0, month
// (0..11), day and year (since 1900) at today's; fields missing keep those
// values; a year of four digits is read as written, one of two digits below
// 70 counts from 2000.
void ParseDateTimeText(const char* timeText, const char* dateText, int* hour, int* minute,
                       int* second, int* month, int* day, int* year);
// 1 when the date text has month 1..12, day 1..31 (1..29 in February) and a
// year of two digits or from 1970 to 2105.
int IsValidDateText(const char* dateText);
// 1 when the time text has hour < 24, minute < 60 and second < 60.
int IsValidTimeText(const char* timeText);

// ---- Files ------------------------------------------------------------------
// Common open (open nonzero) or save dialog. fullName and folder (MAX_PATH,
// in and out), fileTitle (MAX_PATH, out); filter uses 0x01 between its parts.
// Returns the dialog's result (nonzero when a name was chosen).
int FileNameDialog(HWND owner, char* fullName, char* folder, char* fileTitle, const char* filter,
                   const char* title, int open);
// Cuts path at the last "." of its file-name part (when there is one) and
// appends ending; size is the buffer's size. 0 when the result does not fit
// (path unchanged), else 1.
int ReplaceFileExtension(char* path, size_t size, const char* ending);
