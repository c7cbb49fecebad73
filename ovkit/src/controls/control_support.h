// Drawing and window helpers shared by the library's custom controls (progress
// bar, popup, slider, clickable picture window). Private to ovkit.
#pragma once
#include "ovkit/ovkit_base.h"

namespace ovkit_detail {

// An off-screen bitmap of a given size selected into a memory DC. Painting
// goes there and reaches the screen in one blit.
class Offscreen {
  public:
    Offscreen(HDC target, int width, int height);
    ~Offscreen();
    Offscreen(const Offscreen&) = delete;
    Offscreen& operator=(const Offscreen&) = delete;

    // Null when the memory DC or bitmap could not be made.
    HDC dc() const { return dc_; }
    // Copies the picture to (0, 0) of the target DC.
    void BlitTo(HDC target) const;

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    int width_;
    int height_;
};

// A straight one-pixel line from (x1, y1) to (x2, y2), end point excluded.
void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
// Fills the rectangle with a system colour (COLOR_*).
void FillSys(HDC dc, const RECT& rect, int sysColour);

// Draws text centred at textX (TA_CENTER) with its top at textY, twice: once
// clipped to [area.left, splitX) with highlight behind and window-colour text,
// once clipped to [splitX, area.right) with button face behind and window-text
// colour. The way the progress bar and slider show their value.
void DrawSplitText(HDC dc, const RECT& area, int splitX, int textX, int textY, const char* text);

// Dispatches every message waiting in the calling thread's queue. A WM_QUIT
// taken on the way is posted again, so the caller's loop still sees it.
void PumpWaitingMessages();

// Centres the window on the screen.
void CentreOnScreen(HWND window);

// A bold (weight 700) copy of the window's font; null when it has none or
// the copy cannot be made (the caller deletes a non-null result).
HFONT MakeBoldCopy(HWND window);

// Paints the control for WM_PAINT (between BeginPaint and EndPaint) and for
// WM_PRINTCLIENT (into the given DC) with paint(window, dc). Returns true when
// the message was one of these two.
bool HandlePaint(HWND window, UINT message, WPARAM wParam, void (*paint)(HWND, HDC));

// The locked pointer of a movable block whose handle sits in the window's
// first extra long, or null. The block stays locked for the window's life.
void* ControlState(HWND window);

} // namespace ovkit_detail
