// The banner text control "Ostrevane Custom Text": takes over a static
// control of its parent (text, place, alignment) and draws it in its own font.
#pragma once
#include <windows.h>

enum CustomTextFlags {
    CUSTOM_TEXT_BLINK = 1,
    CUSTOM_TEXT_BLINK_OFF = 2, // phase of the blink
    CUSTOM_TEXT_TRANSPARENT = 4,
};
enum { CUSTOM_TEXT_BLINK_TIMER = 10000, CUSTOM_TEXT_FIT_START = 48 };

// The creation parameter; owned by the caller and kept by the window.
struct CustomTextBlock {
    WORD SourceItem; // static control of the parent
    WORD FontIndex;  // 0 Arial, 1 Times New Roman, 2 System, 3 Small Fonts
    int Height;      // 0: fit to the control (the fitted height is stored here)
    int Italic;
    int Bold;
    COLORREF TextColor;       // 0: the window-text colour
    COLORREF BackgroundColor; // 0: the button-face colour
    HFONT Font;               // filled by the control
    HWND Source;              // filled
    LONG SourceStyle;         // filled
    WORD Flags;               // CustomTextFlags
};

// The largest height from CUSTOM_TEXT_FIT_START down to 1 at which text,
// broken into words within a 1000-pixel width, fits height; 1 when none
// does (the search stops there rather than asking for fonts of height 0 or
// less).
int FitCustomTextHeight(HDC dc, const CustomTextBlock& block, const char* text, int height);
