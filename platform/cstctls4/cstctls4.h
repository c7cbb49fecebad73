// CSTCTLS4.dll: the custom-control library of the report viewer's text view,
// bound by ordinal at run time so that the plug-in loads without it. This
// header is the one both sides share.
//
// Calling convention: __stdcall (WINAPI). Ordinal 66 registers the window
// class "CstFVCSTCTLS4": a read-only, scrolling view of the text files a
// report run writes, drawn with GDI. The view is driven by the messages
// below; it tells its parent CSTV_NOTIFY_PAGE when the visible page may have
// changed.
//
// The text: lines ending in CR LF; inside a line, the byte 1 followed by a
// byte n switches to attribute n (1-16), and the byte 2 followed by a byte c
// (in the first line only) is a tab stop at column c. Neither pair is shown.
#pragma once
#include <windows.h>

#ifdef CSTCTLS4_BUILD
#define CSTCTLS4_API extern "C" __declspec(dllexport)
#else
#define CSTCTLS4_API extern "C"
#endif

#define CSTCTLS4_ORDINAL_REGISTER 66
#define CSTCTLS4_ORDINAL_UNREGISTER 67
#define CSTCTLS4_VIEW_CLASS "CstFVCSTCTLS4"

// Ordinal 66: registers the view class for the given module; 1 when it is
// registered (also when it already was), else 0.
CSTCTLS4_API int WINAPI CstRegisterControls(HINSTANCE client);
// Ordinal 67: unregisters it; 1 when it was registered.
CSTCTLS4_API int WINAPI CstUnregisterControls(HINSTANCE client);
typedef decltype(&CstRegisterControls) CstRegisterControlsProc;
typedef decltype(&CstUnregisterControls) CstUnregisterControlsProc;

// In-band codes of the text.
enum { CSTV_CODE_ATTRIBUTE = 1, CSTV_CODE_TAB = 2 };
enum { CSTV_ATTRIBUTES = 16, CSTV_MAX_TABS = 16 };

// How text of one attribute is drawn. The colour 0 keeps the default colour.
struct CstTextAttribute {
    char Face[32];
    BYTE PointSize;
    BYTE Style; // CSTV_STYLE_* bits
    BYTE PitchAndFamily;
    COLORREF Colour;
};
static_assert(sizeof(CstTextAttribute) == 40, "attribute definition layout");
enum {
    CSTV_STYLE_ITALIC = 1,
    CSTV_STYLE_BOLD = 2,
    CSTV_STYLE_UNDERLINE = 4,
    CSTV_STYLE_STRIKEOUT = 8,
};

// Messages of the view (WM_USER based; the numbers are fixed).
enum {
    CSTV_SETTABCOUNT = WM_USER + 4,   // (count, 0) -> the count kept
    CSTV_SETTABS = WM_USER + 6,       // (count, LONG* pixel positions) -> count kept
    CSTV_GETLINE = WM_USER + 10,      // (buffer size, char*) -> length of the plain line
    CSTV_READMORE = WM_USER + 13,     // (0, 0) -> lines added from the bound file
    CSTV_NEWBUFFER = WM_USER + 14,    // (file handle, 0) -> new buffer's id, shown; 0 failed
    CSTV_SHOWBUFFER = WM_USER + 15,   // (0, id) -> 1 shown, 0 unknown id
    CSTV_SETATTRIBUTE = WM_USER + 16, // (1-16, const CstTextAttribute*) -> 1, 0 bad number
    CSTV_FIND = WM_USER + 17,         // (1 go on / 0 from the top, text) -> CSTV_FIND_*
    CSTV_GETRAWLINE = WM_USER + 18,   // (buffer size, char*) -> length of the line with codes
    CSTV_GETLINECOUNT = WM_USER + 19, // (0, 0) -> lines
    CSTV_SETCURLINE = WM_USER + 20,   // (0, index) -> 1, 0 when past the end
    CSTV_GETTOPLINE = WM_USER + 21,   // (0, 0) -> top visible line + 1, 0 when empty
    CSTV_SETPAGELINES = WM_USER + 22, // (lines per page, 0) -> 1
    CSTV_REBIND = WM_USER + 23,       // (file handle, id) -> 1, 0 unknown id
};
enum { CSTV_FIND_FOUND = 0, CSTV_FIND_NOT_FOUND = 1, CSTV_FIND_END = 2 };
// Sent to the parent (wParam: the view's id, lParam: the view).
#define CSTV_NOTIFY_PAGE (WM_USER + 500)
