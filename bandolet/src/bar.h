// The bar's records: what each button is made of, and the bar a parent holds.
#pragma once
#include <windows.h>

#include "bandolet/bandolet.h"

namespace bandolet {

// Bitmap kinds, in the order of the creation lists.
enum BitmapKind { kHighlight, kLarge, kLarge16, kLargeDisabled, kSmall, kSmallDisabled, kShadow };
constexpr int kKindCount = 7;

// What a button is made of: the source a bar is built (and re-built) from.
struct ButtonSpec {
    UINT command;
    UINT bitmaps[kKindCount];
    HINSTANCE bitmapModule;
    UINT caption;
    HINSTANCE captionModule;
    UINT tooltip;
    HINSTANCE tooltipModule;
};

constexpr size_t kTextSize = 256;

struct BandoletButton {
    UINT command;
    HBITMAP normal;   // large or small, as the options say
    HBITMAP rest;     // highlight mode: the form shown when not hot
    HBITMAP shadow;   // shadows option
    HBITMAP disabled; // the disabled form
    RECT rect;
    char caption[kTextSize];
    char tooltip[kTextSize];
    bool separator;
    bool scroll; // one of the two scroll buttons
    bool hidden; // scrolled out
    bool enabled;
    bool pressed;
    bool autoRepeat;
    bool shared; // pictures belong to an added button's definition
};

enum : UINT_PTR { kTipTimer = 10000, kRepeatTimer = 10001, kTrackTimer = 10002 };

} // namespace bandolet

struct BandoletBar {
    DWORD options;
    HWND window;
    HWND parent;
    bandolet::ButtonSpec* specs; // the buttons asked for, separators included
    int specCount;
    UINT* commands; // the ids shown, without the library's own; zero-terminated
    bandolet::BandoletButton* buttons;
    int count; // buttons, scroll buttons included
    int bitmapWidth, bitmapHeight;
    int buttonWidth, buttonHeight;
    int textHeight;
    int marginLeft, marginTop;
    int scrollWidth; // of the scroll-button column, 0 without
    HFONT font;
    HBITMAP watermark;
    int watermarkWidth, watermarkHeight;
    HBRUSH pattern;
    HBITMAP patternBitmap;
    int minWidth;
    int height;
    int width;
    UINT leftmost;
    bool scrollBusy;
    bool scrollShown;
    char iniFile[MAX_PATH];
    int hot;     // -1 none
    int pressed; // -1 none
    int tipButton;
    HWND tooltip;
    bool tracking;
};
