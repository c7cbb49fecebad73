// The state of one text view window and the steps its messages share.
#pragma once
#include "cstctls4.h"
#include "view_text.h"
#include <memory>
#include <string>
#include <vector>

struct ViewBuffer {
    std::unique_ptr<ViewText> Text;
    long Top = 0; // where the view stood when another buffer was shown
};

// A range of plain-text columns over lines [FirstLine, LastLine].
struct ViewSelection {
    long FirstLine = -1, FirstColumn = 0;
    long LastLine = -1, LastColumn = 0; // LastColumn is past the end
    bool Empty() const { return FirstLine < 0; }
    // The selected columns [from, to) of line n; false when none.
    bool ColumnsOf(long n, long length, long* from, long* to) const;
};

struct ViewState {
    HWND Window = nullptr;
    std::vector<ViewBuffer> Buffers; // id = index + 1
    int Shown = 0;                   // id of the buffer shown, 0 none
    long Top = 0;                    // first visible line
    long Left = 0;                   // horizontal scroll, pixels
    long Current = 0;                // line of CSTV_GETLINE and CSTV_GETRAWLINE
    long PageLines = 0;              // printer page length (page marks); 0 none
    CstTextAttribute Attributes[CSTV_ATTRIBUTES + 1] = {};
    HFONT AttributeFonts[CSTV_ATTRIBUTES + 1] = {};
    std::vector<LONG> Tabs;  // pixel positions
    HFONT Display = nullptr; // WM_SETFONT's font (not owned)
    int LineHeight = 16;
    int CharWidth = 8;
    long FindLine = -1, FindColumn = -1; // the last find
    ViewSelection Selection;
    long Anchor = -1; // line where a mouse selection began

    ViewText* Text() const {
        return Shown > 0 && Shown <= (int)Buffers.size() ? Buffers[Shown - 1].Text.get() : nullptr;
    }
    long LineCount() const { return Text() ? Text()->LineCount() : 0; }
};

enum { VIEW_MARGIN = 2 };

ViewState* GetViewState(HWND window);
// Lines that fit in the client area (at least 1).
long VisibleLines(const ViewState& view);
// Scrolls so that top is the first line (clamped); tells the parent.
void SetTopLine(ViewState& view, long top);
void UpdateScrollBars(ViewState& view);
void NotifyPage(const ViewState& view);
// Measures the display font.
void MeasureFont(ViewState& view);
// The font of attribute n (the display font when n has no face).
HFONT AttributeFont(ViewState& view, int n);
void FreeAttributeFonts(ViewState& view);
// The next tab stop right of x (pixels from the line's start).
LONG NextTabStop(const ViewState& view, LONG x);

void PaintView(ViewState& view, HDC dc, const RECT& area);
// CSTV_FIND.
LRESULT FindText(ViewState& view, bool goOn, const char* text);
// Copies the selected plain text to the clipboard.
void CopySelection(const ViewState& view);
