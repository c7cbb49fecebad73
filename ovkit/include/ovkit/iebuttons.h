// The browser-style button bar ("Ostrevane IEButtons"): flat picture buttons
// with captions that light up under the mouse, sink when pressed, show a
// quick-help text after a delay and send WM_COMMAND to the bar's parent.
#pragma once
#include "ovkit/ovkit_base.h"

// Button states.
enum : WORD {
    OVKIT_IEB_NORMAL = 0,
    OVKIT_IEB_HOT = 1,
    OVKIT_IEB_PRESSED = 2,
    OVKIT_IEB_DISABLED = 3
};
// No hot button.
enum : WORD { OVKIT_IEB_NONE = 0xFFFF };
// wParam 0 disables, 1 enables; LOWORD(lParam) the command id. Returns 0.
#define OVKIT_IEB_ENABLE (WM_USER + 2007)
// LOWORD(lParam) the command id. 1 enabled, 0 disabled, -1 no such button.
#define OVKIT_IEB_ISENABLED (WM_USER + 2009)

// One button. Its caption string (caption id in module) is also its
// quick-help text.
struct IEButton {
    WORD commandId;
    WORD captionId;
    HINSTANCE module;
    RECT rect;  // filled by the bar
    WORD state; // OVKIT_IEB_*
    WORD flags; // bit 0: a press in progress
};

// The creation record: the caller's, and kept by the bar while it lives.
// The picture holds one cell per button side by side, in three rows: normal,
// (unused), disabled.
struct IEButtonsBar {
    WORD placeholderId; // dialog item whose place the bar takes (hidden)
    WORD pictureId;     // for screens of 256 colours or more
    WORD pictureId16;   // for fewer colours
    HINSTANCE module;   // holds the pictures
    HBITMAP picture;    // filled by the bar, from the library's bitmap cache
    HPALETTE palette;
    WORD buttonCount;
    WORD widthDivisions; // the parent's client width is divided into these
    IEButton* buttons;
    // Filled by the bar.
    int buttonWidth;
    int barHeight;
    int cellWidth;
    int cellHeight;
    int pictureX;
    int pictureY;
    HCURSOR hand;
    WORD hotButton; // index, or OVKIT_IEB_NONE
    HWND quickHelp;
    HFONT captionFont;
    WORD backgroundId; // a picture under the buttons (faint), 0 for none
    HINSTANCE backgroundModule;
    HBITMAP background;
    WORD quickHelpTimer; // non-zero while the quick-help timer runs
    WORD quickHelpButton;
    POINT quickHelpPoint;
};
#ifndef _WIN64
static_assert(sizeof(IEButton) == 28, "IEButton layout");
static_assert(sizeof(IEButtonsBar) == 92, "IEButtonsBar layout");
#endif

// Creates a bar (class "Ostrevane IEButtons") with the record as creation
// data; unused is not read. Null when it cannot be made (the picture missing:
// after a message box).
OVKIT_EXPORT(HWND)
OVKIT_CreateToolbarWindow(const char* name, DWORD style, int x, int y, int width, int height,
                          HWND parent, UINT id, WORD unused, IEButtonsBar* record);
