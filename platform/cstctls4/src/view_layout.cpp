// Measures, fonts, scrolling and the parent's page notice of a text view.
#include "view_state.h"

bool ViewSelection::ColumnsOf(long n, long length, long* from, long* to) const {
    if (Empty() || n < FirstLine || n > LastLine)
        return false;
    *from = n == FirstLine ? FirstColumn : 0;
    *to = n == LastLine ? LastColumn : length;
    if (*to > length)
        *to = length;
    return *from < *to;
}

long VisibleLines(const ViewState& view) {
    RECT client;
    GetClientRect(view.Window, &client);
    long lines = (client.bottom - client.top) / (view.LineHeight > 0 ? view.LineHeight : 1);
    return lines > 0 ? lines : 1;
}

void NotifyPage(const ViewState& view) {
    HWND parent = GetParent(view.Window);
    if (parent)
        SendMessageA(parent, CSTV_NOTIFY_PAGE, (WPARAM)GetDlgCtrlID(view.Window),
                     (LPARAM)view.Window);
}

void UpdateScrollBars(ViewState& view) {
    RECT client;
    GetClientRect(view.Window, &client);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    info.nMax = view.LineCount() > 0 ? (int)view.LineCount() - 1 : 0;
    info.nPage = (UINT)VisibleLines(view);
    info.nPos = (int)view.Top;
    SetScrollInfo(view.Window, SB_VERT, &info, TRUE);
    long longest = view.Text() ? view.Text()->LongestLine() : 0;
    info.nMax = (int)(longest * view.CharWidth + 2 * VIEW_MARGIN);
    info.nPage = (UINT)(client.right - client.left);
    info.nPos = (int)view.Left;
    SetScrollInfo(view.Window, SB_HORZ, &info, TRUE);
}

void SetTopLine(ViewState& view, long top) {
    long last = view.LineCount() - VisibleLines(view);
    if (top > last)
        top = last;
    if (top < 0)
        top = 0;
    if (top == view.Top)
        return;
    view.Top = top;
    UpdateScrollBars(view);
    InvalidateRect(view.Window, nullptr, TRUE);
    NotifyPage(view);
}

void MeasureFont(ViewState& view) {
    HDC dc = GetDC(view.Window);
    HGDIOBJ old =
        SelectObject(dc, view.Display ? (HGDIOBJ)view.Display : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) {
        view.LineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        view.CharWidth = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 1;
    }
    if (view.LineHeight <= 0)
        view.LineHeight = 1;
    SelectObject(dc, old);
    ReleaseDC(view.Window, dc);
}

HFONT AttributeFont(ViewState& view, int n) {
    if (n < 1 || n > CSTV_ATTRIBUTES || !view.Attributes[n].Face[0])
        return view.Display;
    if (view.AttributeFonts[n])
        return view.AttributeFonts[n];
    const CstTextAttribute& a = view.Attributes[n];
    HDC dc = GetDC(view.Window);
    int height = -MulDiv(a.PointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(view.Window, dc);
    view.AttributeFonts[n] =
        CreateFontA(height, 0, 0, 0, (a.Style & CSTV_STYLE_BOLD) ? FW_BOLD : FW_NORMAL,
                    (a.Style & CSTV_STYLE_ITALIC) != 0, (a.Style & CSTV_STYLE_UNDERLINE) != 0,
                    (a.Style & CSTV_STYLE_STRIKEOUT) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, a.PitchAndFamily, a.Face);
    return view.AttributeFonts[n] ? view.AttributeFonts[n] : view.Display;
}

void FreeAttributeFonts(ViewState& view) {
    for (HFONT& font : view.AttributeFonts) {
        if (font)
            DeleteObject(font);
        font = nullptr;
    }
}

LONG NextTabStop(const ViewState& view, LONG x) {
    for (LONG stop : view.Tabs)
        if (stop > x)
            return stop;
    // Past the last stop (or with none): every eight average characters.
    LONG step = 8 * view.CharWidth;
    return (x / step + 1) * step;
}
