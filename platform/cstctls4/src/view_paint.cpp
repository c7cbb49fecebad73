// Draws the visible lines of a text view: attribute fonts and colours, tab
// stops, the selection and the printer's page ends.
#include "view_state.h"

namespace {
struct LineDraw {
    ViewState& View;
    HDC Dc;
    int Y;
    int Origin;  // x of the line's start
    int X;       // where the next text goes
    long Column; // plain column of the pending text's start
    long SelFrom, SelTo;
    COLORREF Default;
};

// Draws text (its plain columns start at d.Column), the selected part
// highlighted, and moves d.X past it.
void DrawRun(LineDraw& d, const std::string& text) {
    size_t at = 0;
    while (at < text.size()) {
        long column = d.Column + (long)at;
        bool selected = column >= d.SelFrom && column < d.SelTo;
        long edge = selected ? d.SelTo : (column < d.SelFrom ? d.SelFrom : (long)0x7FFFFFFF);
        size_t count = text.size() - at;
        if (edge - column < (long)count)
            count = (size_t)(edge - column);
        COLORREF text_colour = GetTextColor(d.Dc);
        if (selected) {
            SetBkMode(d.Dc, OPAQUE);
            SetBkColor(d.Dc, GetSysColor(COLOR_HIGHLIGHT));
            SetTextColor(d.Dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        TextOutA(d.Dc, d.X, d.Y, text.data() + at, (int)count);
        SIZE size = {};
        GetTextExtentPoint32A(d.Dc, text.data() + at, (int)count, &size);
        d.X += size.cx;
        if (selected) {
            SetBkMode(d.Dc, TRANSPARENT);
            SetTextColor(d.Dc, text_colour);
        }
        at += count;
    }
    d.Column += (long)text.size();
}

void DrawLine(LineDraw& d, const std::string& raw) {
    std::string pending;
    auto flush = [&] {
        DrawRun(d, pending);
        pending.clear();
    };
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == CSTV_CODE_ATTRIBUTE && i + 1 < raw.size()) {
            flush();
            int n = (BYTE)raw[++i];
            SelectObject(d.Dc, AttributeFont(d.View, n));
            COLORREF colour = n >= 1 && n <= CSTV_ATTRIBUTES ? d.View.Attributes[n].Colour : 0;
            SetTextColor(d.Dc, colour ? colour : d.Default);
        } else if (c == CSTV_CODE_TAB) {
            ++i;
        } else if (c == '\t') {
            flush();
            d.X = d.Origin + NextTabStop(d.View, d.X - d.Origin);
            ++d.Column;
        } else {
            pending += c;
        }
    }
    flush();
}

void DrawPageEnd(const ViewState& view, HDC dc, int y, const RECT& area) {
    HPEN pen = CreatePen(PS_DOT, 1, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, area.left, y + view.LineHeight - 1, nullptr);
    LineTo(dc, area.right, y + view.LineHeight - 1);
    SelectObject(dc, old);
    DeleteObject(pen);
}
} // namespace

void PaintView(ViewState& view, HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    ViewText* text = view.Text();
    if (!text)
        return;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont =
        SelectObject(dc, view.Display ? (HGDIOBJ)view.Display : GetStockObject(DEFAULT_GUI_FONT));
    COLORREF normal = GetSysColor(COLOR_WINDOWTEXT);
    long visible = VisibleLines(view) + 1;
    for (long i = 0; i < visible && view.Top + i < text->LineCount(); ++i) {
        long n = view.Top + i;
        int y = (int)(i * view.LineHeight);
        if (y > area.bottom)
            break;
        if (y + view.LineHeight < area.top)
            continue;
        std::string raw = text->RawLine(n);
        LineDraw d{view, dc, y,     VIEW_MARGIN - (int)view.Left, VIEW_MARGIN - (int)view.Left, 0,
                   0,    0,  normal};
        view.Selection.ColumnsOf(n, (long)ViewText::Plain(raw).size(), &d.SelFrom, &d.SelTo);
        SelectObject(dc, view.Display ? (HGDIOBJ)view.Display : GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, normal);
        DrawLine(d, raw);
        if (view.PageLines > 0 && (n + 1) % view.PageLines == 0)
            DrawPageEnd(view, dc, y, area);
    }
    SelectObject(dc, oldFont);
}
