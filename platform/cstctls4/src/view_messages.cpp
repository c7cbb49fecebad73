// The view's own messages: buffers, lines, attributes, tab stops.
#include "view_messages.h"
#include <cstring>

namespace {
// Copies line into buffer (size bytes with the terminator), cut whole:
// never between a code and its byte. The length copied.
LRESULT CopyLine(const std::string& line, WPARAM size, LPARAM buffer) {
    char* out = (char*)buffer;
    if (!out || size == 0)
        return 0;
    size_t n = line.size() < size - 1 ? line.size() : size - 1;
    if (n < line.size() && n > 0 &&
        (line[n - 1] == CSTV_CODE_ATTRIBUTE || line[n - 1] == CSTV_CODE_TAB))
        --n;
    memcpy(out, line.data(), n);
    out[n] = 0;
    return (LRESULT)n;
}

void ShowBuffer(ViewState& view, int id) {
    if (view.Text())
        view.Buffers[view.Shown - 1].Top = view.Top;
    view.Shown = id;
    view.Top = view.Buffers[id - 1].Top;
    view.Current = 0;
    view.FindLine = view.FindColumn = -1;
    view.Selection = ViewSelection();
    UpdateScrollBars(view);
    InvalidateRect(view.Window, nullptr, TRUE);
    NotifyPage(view);
}

LRESULT NewBuffer(ViewState& view, HANDLE file) {
    if (!file || file == INVALID_HANDLE_VALUE)
        return 0;
    ViewBuffer buffer;
    buffer.Text.reset(new ViewText(file));
    buffer.Text->ReadMore();
    view.Buffers.push_back(std::move(buffer));
    ShowBuffer(view, (int)view.Buffers.size());
    return (LRESULT)view.Buffers.size();
}

bool KnownId(const ViewState& view, LPARAM id) {
    return id > 0 && id <= (LPARAM)view.Buffers.size();
}

LRESULT ReadMore(ViewState& view) {
    ViewText* text = view.Text();
    if (!text)
        return 0;
    long added = text->ReadMore();
    if (added > 0) {
        UpdateScrollBars(view);
        InvalidateRect(view.Window, nullptr, TRUE);
    }
    NotifyPage(view);
    return added;
}

LRESULT SetAttribute(ViewState& view, WPARAM n, const CstTextAttribute* attribute) {
    if (n < 1 || n > CSTV_ATTRIBUTES || !attribute)
        return 0;
    view.Attributes[n] = *attribute;
    view.Attributes[n].Face[sizeof attribute->Face - 1] = 0;
    if (view.AttributeFonts[n])
        DeleteObject(view.AttributeFonts[n]);
    view.AttributeFonts[n] = nullptr;
    InvalidateRect(view.Window, nullptr, TRUE);
    return 1;
}

LRESULT SetTabs(ViewState& view, WPARAM count, const LONG* positions) {
    if (count > CSTV_MAX_TABS)
        count = CSTV_MAX_TABS;
    view.Tabs.assign(count, 0);
    for (size_t i = 0; positions && i < count; ++i)
        view.Tabs[i] = positions[i];
    InvalidateRect(view.Window, nullptr, TRUE);
    return (LRESULT)view.Tabs.size();
}
} // namespace

bool HandleViewMessage(ViewState& view, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* result) {
    ViewText* text = view.Text();
    switch (message) {
    case CSTV_SETTABCOUNT:
        view.Tabs.resize(wParam > CSTV_MAX_TABS ? CSTV_MAX_TABS : wParam, 0);
        *result = (LRESULT)view.Tabs.size();
        return true;
    case CSTV_SETTABS:
        *result = SetTabs(view, wParam, (const LONG*)lParam);
        return true;
    case CSTV_GETLINE:
        *result = CopyLine(text ? text->PlainLine(view.Current) : std::string(), wParam, lParam);
        return true;
    case CSTV_GETRAWLINE:
        *result = CopyLine(text ? text->RawLine(view.Current) : std::string(), wParam, lParam);
        return true;
    case CSTV_READMORE:
        *result = ReadMore(view);
        return true;
    case CSTV_NEWBUFFER:
        *result = NewBuffer(view, (HANDLE)wParam);
        return true;
    case CSTV_SHOWBUFFER:
        *result = KnownId(view, lParam) ? (ShowBuffer(view, (int)lParam), 1) : 0;
        return true;
    case CSTV_REBIND:
        *result = KnownId(view, lParam) && wParam && (HANDLE)wParam != INVALID_HANDLE_VALUE;
        if (*result)
            view.Buffers[lParam - 1].Text->Rebind((HANDLE)wParam);
        return true;
    case CSTV_SETATTRIBUTE:
        *result = SetAttribute(view, wParam, (const CstTextAttribute*)lParam);
        return true;
    case CSTV_FIND:
        *result = FindText(view, wParam != 0, (const char*)lParam);
        return true;
    case CSTV_GETLINECOUNT:
        *result = view.LineCount();
        return true;
    case CSTV_SETCURLINE:
        *result = lParam >= 0 && lParam < view.LineCount();
        if (*result)
            view.Current = (long)lParam;
        return true;
    case CSTV_GETTOPLINE:
        *result = view.LineCount() ? view.Top + 1 : 0;
        return true;
    case CSTV_SETPAGELINES:
        view.PageLines = (long)wParam;
        InvalidateRect(view.Window, nullptr, TRUE);
        *result = 1;
        return true;
    }
    return false;
}
