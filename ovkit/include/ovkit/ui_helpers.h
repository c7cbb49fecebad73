// Small drawing and window helpers shared by the plug-in, the toolbar library
// and ovkit's own controls.
#pragma once
#include "ovkit/ovkit_base.h"

// OVKIT_FloatingText flags.
enum {
    OVKIT_FT_WRAP = 0x01,   // word-wrapped, centred horizontally; else one line centred both ways
    OVKIT_FT_ARIAL = 0x02,  // Arial; else Times New Roman
    OVKIT_FT_BOLD = 0x04,   // weight 700; else 400
    OVKIT_FT_SHADOW = 0x08, // the text first drawn 1 pixel right and down in the shadow colour
    OVKIT_FT_DELETE = 0x10, // the font deleted afterwards (null returned)
};
// Draws text in rect, transparent, without clipping or prefix processing.
// Without a font, the largest of 36, 34, ... pixels whose text fits the
// rectangle is made. Returns the font used (the caller's to delete), null when
// OVKIT_FT_DELETE is set or no font of more than 2 pixels fits (nothing drawn).
// The DC's font, text colour and background mode are restored.
OVKIT_EXPORT(HFONT)
OVKIT_FloatingText(HFONT font, HDC dc, const RECT* rect, const char* text, UINT flags,
                   COLORREF colour, COLORREF shadow);

// The child's window rectangle in the parent's client coordinates.
OVKIT_EXPORT(void) OVKIT_GetChildClientPosition(HWND parent, HWND child, RECT* out);
// A new font: the window's font at weight 700 (the caller deletes it); the
// window's own font when it has none or it cannot be read.
OVKIT_EXPORT(HFONT) OVKIT_GetBoldFaceFont(HWND window);
// Moves the window to the centre of the screen (size unchanged; a window larger
// than the screen goes to 0).
OVKIT_EXPORT(void) OVKIT_CenterDialog(HWND window);
// Centres the window over its parent (size unchanged), also where that puts
// it partly outside the parent.
OVKIT_EXPORT(void) OVKIT_CenterDialogInParent(HWND window);
// A black 1-pixel outline of rect; the inside is not filled.
OVKIT_EXPORT(void) OVKIT_DrawBlackFrame(HDC dc, const RECT* rect);
// Window size less client size in each direction.
OVKIT_EXPORT(void) OVKIT_GetNonClientSizes(HWND window, int* width, int* height);
// Destroys *window when it is a window and clears the variable. 1 when a
// window was destroyed, 0 when there was none.
OVKIT_EXPORT(BOOL) OVKIT_DestroyWindowAndHandle(HWND* window);
// Removes, translates and dispatches every message waiting for the thread.
OVKIT_EXPORT(void) OVKIT_MyPeekMessage();
// Deletes each GDI object that is set and clears its variable.
OVKIT_EXPORT(void) OVKIT_DeleteBitmapObject(HGDIOBJ* first, HGDIOBJ* second);

// Owner-drawn icon combo boxes. The message a combo box sends its parent to ask
// for an item's icon: wParam the item index, lParam an int* for the icon
// number (0..4 of the library's icon set).
#define OVKIT_WM_GETCOMBOICON (WM_USER + 3001)
// Copies the text of item index (-1: the selection) of the combo box (item id
// of dialog, or dialog itself when id is 0) into buffer, cut to size - 1
// characters. 1 when copied; 0 when nothing is selected, the item does not
// exist or its text is empty (buffer empty).
OVKIT_EXPORT(BOOL)
OVKIT_GetSelectedComboText(HWND dialog, int id, char* buffer, int size, int index);
// Item height: the font's text height, at least 36; width 1024. The id is not read.
OVKIT_EXPORT(void)
OVKIT_MeasureCustomComboBox(HWND window, UINT unusedId, MEASUREITEMSTRUCT* item, HFONT font);
// Draws one item (dialog and id are not read): selection or window colours, the item's icon at (2,
// 2), the text from x = 36 in one line centred vertically, the focus rectangle.
OVKIT_EXPORT(void)
OVKIT_DrawCustomComboBox(HWND unusedDialog, UINT unusedId, const DRAWITEMSTRUCT* item, HFONT font);

// Date texts of the local time, with English day and month names. Each
// buffer holds OVKIT_DATE_TEXT_SIZE bytes; the texts are cut to fit.
#define OVKIT_DATE_TEXT_SIZE 64
// "Sunday, January 5, 2026 at 09:07"
OVKIT_EXPORT(void) OVKIT_GetDateTime(char* buffer);
// "Sunday, January 5, 2026"
OVKIT_EXPORT(void) OVKIT_GetDate(char* buffer);
// "09:07"
OVKIT_EXPORT(void) OVKIT_GetTime(char* buffer);
// "%02d:%02d:%02d" hours, minutes, seconds of a span (negative spans as 0).
OVKIT_EXPORT(void) OVKIT_GetASCIIElapsedTime(long seconds, char* buffer);
