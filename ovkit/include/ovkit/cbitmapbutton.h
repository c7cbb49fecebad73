// CBitmapButton, a flat picture button that shows a tool-tip while the mouse
// rests on it, and CPopup, the tool-tip window.
#pragma once
#include "ovkit/cwindow.h"

#define OVKIT_CBITMAPBUTTON_CLASS "WinAWTCBitmap"

class CPopup;

class OVKIT_API CBitmapButton : public CWindow {
  public:
    // Key colour of the off-screen drawing: these pixels stay transparent.
    static const COLORREF kKeyColour = RGB(255, 0, 255);
    // Id of the hover timer, and its delay in milliseconds.
    static const UINT kHoverTimer = 0;
    static const UINT kHoverDelayMs = 500;

    // A visible child window "CBitmapButton" in the parent's window, with the
    // next child id; registers its class with the first button.
    explicit CBitmapButton(CWindow* parent);
    // Releases the capture when hovering, deletes an open popup and
    // unregisters the class with the last button.
    ~CBitmapButton() override;

    // The picture (not owned) and the cell of it that is drawn.
    void SetBitmap(void* bitmap, int x, int y, int width, int height);
    // The caption (copied, at most kCaptionMax characters; null clears it).
    void SetCaption(const char* caption);
    const char* GetCaption() const { return m_szCaption; }
    void SetToolTip(bool on) { m_bToolTip = on; }
    bool IsPressed() const { return m_bPressed; }
    bool IsHovering() const { return m_bHover; }
    CPopup* GetPopup() const { return m_pPopup; }

    ULONG_PTR OnLButtonDown(unsigned short keys, int x, int y) override;
    // Ends a press; a press that ends on the button calls OnCommand(0, 0),
    // which kinds of button override to act.
    ULONG_PTR OnLButtonUp(unsigned short keys, int x, int y) override;
    ULONG_PTR OnMouseMove(unsigned short keys, int x, int y) override;
    ULONG_PTR OnTimer(unsigned short id) override;
    ULONG_PTR OnPaint(void* dc) override;
    // Draws the button into the DC, magenta parts left as they were.
    virtual void Draw(void* dc);

    // The font captions are drawn with (the caller deletes it): unsmoothed,
    // since smoothed edges would blend with the key colour into fringes.
    static HFONT CreateCaptionFont();

    // Switches the captions of all bitmap buttons on (1, the start) or off.
    static int fText;
    static ATOM atomRegisteredClass;
    static int nUsageCount;

    static const int kCaptionMax = 99;

  protected:
    // Stops the timer, closes the popup, releases the mouse, clears hovering
    // and pressed and redraws.
    void EndHover();
    void ClosePopup();
    void DrawFace(HDC dc, int width, int height);

    HBITMAP m_hBitmap;
    RECT m_rcCell; // left, top, width, height of the picture's cell
    char m_szCaption[kCaptionMax + 1];
    bool m_bPressed;
    bool m_bHover;
    bool m_bToolTip;
    CPopup* m_pPopup;
};

class OVKIT_API CPopup : public CWindow {
  public:
    // Longest text kept; a longer one is cut.
    static const int kTextMax = 99;

    // A visible bordered child window "CPopup" at (x, y) in the parent's
    // window, as large as the text (measured on the parent's DC) plus 4
    // pixels in width.
    CPopup(CWindow* parent, int x, int y, const char* text);

    // Fills the client with yellow and draws the text at the top left.
    ULONG_PTR OnPaint(void* dc) override;

    const char* GetText() const { return m_szText; }

  protected:
    char m_szText[kTextMax + 1];
};
