// The clickable picture window ("Ostrevane Clickable"): a bitmap with hot
// rectangles, an optional caption line, quick-help popups over the items, and
// pages that follow one another. While open, the owner is disabled and the
// window holds the mouse capture.
#pragma once
#include "ovkit/ovkit_base.h"
#include "ovkit/popup.h"

// Item ids with a fixed meaning.
enum : WORD { OVKIT_CLICK_PREVIOUS = 5100, OVKIT_CLICK_CLOSE = 5101, OVKIT_CLICK_NEXT = 5102 };

// Item flags.
enum : WORD {
    OVKIT_ITEM_CLOSE = 1,          // close after the click
    OVKIT_ITEM_TO_GRANDPARENT = 2, // report to the owner's parent instead of the owner
};

// Page flags.
enum : DWORD {
    OVKIT_PAGE_SET_UP = 1, // set by the window while the page is shown
    OVKIT_PAGE_ERASE = 2,  // erase in the button-face colour
    OVKIT_PAGE_BACKGROUND_DRAWN = 4,
    OVKIT_PAGE_CAPTION_LINE = 8, // show a caption line below the picture
};

// Sent to the owner (or its parent): wParam the item id, lParam the low word
// of the clickable window's handle.
enum : UINT { OVKIT_CLICKABLE_CLICKED = 3032 };

#pragma pack(push, 1)
struct OvkitClickItem {
    WORD helpId; // help string id; 0: use helpText
    DWORD unused;
    const char* helpText; // help text when helpId is 0 (may be null)
    WORD id;
    RECT hot;   // picture client coordinates
    WORD flags; // OVKIT_ITEM_*
};

// Pages of one menu lie one after another in an array; a page with an empty
// title ends the array on either side. Fields marked "filled" belong to the
// window while the page is shown.
struct OvkitClickPage {
    char title[256];
    WORD itemCount;
    OvkitClickItem* items;
    WORD bitmapId;
    HINSTANCE bitmapModule;
    HBITMAP bitmap;   // filled
    HPALETTE palette; // filled
    HWND popup;       // filled
    HCURSOR hand;     // filled
    SHORT hoverIndex; // filled: -1 none
    DWORD flags;      // OVKIT_PAGE_*
    WORD captionControlId;
    WORD captionStringId;
    HINSTANCE captionModule;
    HFONT captionFont; // filled
    WORD hoverTimer;   // filled: non-zero while the hover timer runs
    WORD hoverHelpId;  // filled
    HINSTANCE helpModule;
    const char* hoverHelpText; // filled
    LONG anchorX;              // filled
    LONG anchorY;              // filled
    OvkitPopupRecord popupRecord;
};
#pragma pack(pop)
#if !defined(_WIN64)
static_assert(sizeof(OvkitClickItem) == 30, "clickable item layout");
static_assert(sizeof(OvkitClickPage) == 590, "clickable page layout");
#endif

// Creates the window (with the library's module) for the first page record of
// an array that has an empty-titled record before and after it; the window
// then sets the page up. unused is not read. Returns the window; null when it
// could not be made.
OVKIT_EXPORT(HWND)
OVKIT_CreateClickableWindow(const char* title, DWORD style, int x, int y, int width, int height,
                            HWND owner, HMENU menuOrId, LPARAM unused, OvkitClickPage* firstPage);
