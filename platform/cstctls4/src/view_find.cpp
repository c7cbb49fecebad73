// Finding text in a view (case-insensitive) and copying the selection.
#include "view_state.h"
#include <cctype>

namespace {
std::string Lower(std::string s) {
    for (char& c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

void ShowFound(ViewState& view, long line, long column, long length) {
    view.FindLine = line;
    view.FindColumn = column;
    view.Current = line;
    view.Selection.FirstLine = view.Selection.LastLine = line;
    view.Selection.FirstColumn = column;
    view.Selection.LastColumn = column + length;
    long visible = VisibleLines(view);
    if (line < view.Top || line >= view.Top + visible)
        SetTopLine(view, line - visible / 2);
    InvalidateRect(view.Window, nullptr, TRUE);
}
} // namespace

LRESULT FindText(ViewState& view, bool goOn, const char* text) {
    ViewText* buffer = view.Text();
    if (!buffer || !text || !text[0])
        return CSTV_FIND_NOT_FOUND;
    std::string needle = Lower(text);
    bool fromTop = !goOn || view.FindLine < 0;
    long line = fromTop ? 0 : view.FindLine;
    size_t column = fromTop ? 0 : (size_t)view.FindColumn + 1;
    for (; line < buffer->LineCount(); ++line, column = 0) {
        std::string plain = Lower(buffer->PlainLine(line));
        size_t at = column <= plain.size() ? plain.find(needle, column) : std::string::npos;
        if (at != std::string::npos) {
            ShowFound(view, line, (long)at, (long)needle.size());
            return CSTV_FIND_FOUND;
        }
    }
    // Going on past the end: "end reached" only when the text is there above.
    long searched = fromTop ? 0 : view.FindLine;
    view.FindLine = view.FindColumn = -1;
    for (line = 0; line <= searched && line < buffer->LineCount(); ++line)
        if (Lower(buffer->PlainLine(line)).find(needle) != std::string::npos)
            return CSTV_FIND_END;
    return CSTV_FIND_NOT_FOUND;
}

void CopySelection(const ViewState& view) {
    ViewText* buffer = view.Text();
    if (!buffer || view.Selection.Empty())
        return;
    std::string out;
    for (long n = view.Selection.FirstLine; n <= view.Selection.LastLine; ++n) {
        std::string plain = buffer->PlainLine(n);
        long from = 0, to = 0;
        if (view.Selection.ColumnsOf(n, (long)plain.size(), &from, &to))
            out.append(plain, (size_t)from, (size_t)(to - from));
        if (n < view.Selection.LastLine)
            out += "\r\n";
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, out.size() + 1);
    if (!block)
        return;
    memcpy(GlobalLock(block), out.c_str(), out.size() + 1);
    GlobalUnlock(block);
    if (OpenClipboard(view.Window)) {
        EmptyClipboard();
        if (SetClipboardData(CF_TEXT, block))
            block = nullptr;
        CloseClipboard();
    }
    if (block)
        GlobalFree(block);
}
