// The text view's window procedure: painting, scrolling, keys and the mouse.
#include "view_window.h"
#include "view_messages.h"
#include <windowsx.h>

namespace {
ViewState* Create(HWND window) {
    ViewState* view = new ViewState();
    view->Window = window;
    SetWindowLongPtrA(window, 0, (LONG_PTR)view);
    MeasureFont(*view);
    UpdateScrollBars(*view);
    return view;
}

void Destroy(HWND window, ViewState* view) {
    SetWindowLongPtrA(window, 0, 0);
    FreeAttributeFonts(*view);
    delete view;
}

int ScrollCode(int bar, WPARAM wParam, const ViewState& view, long position, long page) {
    SCROLLINFO info = {sizeof info, SIF_TRACKPOS};
    GetScrollInfo(view.Window, bar, &info);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        return (int)position - 1;
    case SB_LINEDOWN:
        return (int)position + 1;
    case SB_PAGEUP:
        return (int)(position - page);
    case SB_PAGEDOWN:
        return (int)(position + page);
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return 0x7FFFFFFF;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return info.nTrackPos;
    }
    return (int)position;
}

void ScrollLeft(ViewState& view, long left) {
    long longest = view.Text() ? view.Text()->LongestLine() * view.CharWidth : 0;
    if (left > longest)
        left = longest;
    if (left < 0)
        left = 0;
    if (left == view.Left)
        return;
    view.Left = left;
    UpdateScrollBars(view);
    InvalidateRect(view.Window, nullptr, TRUE);
}

void Paint(ViewState& view) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(view.Window, &ps);
    RECT client;
    GetClientRect(view.Window, &client);
    // Drawn off screen first: no flicker while the report grows.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        PaintView(view, memory, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    } else {
        PaintView(view, dc, client);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    EndPaint(view.Window, &ps);
}

void KeyDown(ViewState& view, WPARAM key) {
    long page = VisibleLines(view);
    bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_UP:
        SetTopLine(view, view.Top - 1);
        break;
    case VK_DOWN:
        SetTopLine(view, view.Top + 1);
        break;
    case VK_PRIOR:
        SetTopLine(view, view.Top - page);
        break;
    case VK_NEXT:
        SetTopLine(view, view.Top + page);
        break;
    case VK_HOME:
        control ? SetTopLine(view, 0) : ScrollLeft(view, 0);
        break;
    case VK_END:
        SetTopLine(view, view.LineCount());
        break;
    case VK_LEFT:
        ScrollLeft(view, view.Left - view.CharWidth * 4);
        break;
    case VK_RIGHT:
        ScrollLeft(view, view.Left + view.CharWidth * 4);
        break;
    case 'C':
        if (control)
            CopySelection(view);
        break;
    case 'A':
        if (control && view.LineCount()) {
            view.Selection = {0, 0, view.LineCount() - 1, 0x7FFFFFFF};
            InvalidateRect(view.Window, nullptr, TRUE);
        }
        break;
    }
}

// Mouse selection works on whole lines: from the line pressed to the line
// under the mouse.
void SelectLines(ViewState& view, LPARAM point) {
    long line = view.Top + GET_Y_LPARAM(point) / view.LineHeight;
    if (line >= view.LineCount())
        line = view.LineCount() - 1;
    if (line < 0 || view.Anchor < 0)
        return;
    view.Selection.FirstLine = line < view.Anchor ? line : view.Anchor;
    view.Selection.LastLine = line < view.Anchor ? view.Anchor : line;
    view.Selection.FirstColumn = 0;
    view.Selection.LastColumn = 0x7FFFFFFF;
    view.Current = line;
    InvalidateRect(view.Window, nullptr, TRUE);
}

LRESULT Mouse(ViewState& view, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        SetFocus(view.Window);
        SetCapture(view.Window);
        if (!(wParam & MK_SHIFT) || view.Anchor < 0)
            view.Anchor = view.Top + GET_Y_LPARAM(lParam) / view.LineHeight;
        SelectLines(view, lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == view.Window)
            SelectLines(view, lParam);
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        return 0;
    case WM_MOUSEWHEEL:
        SetTopLine(view, view.Top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
        return 0;
    }
    return 0;
}
} // namespace

ViewState* GetViewState(HWND window) {
    return (ViewState*)GetWindowLongPtrA(window, 0);
}

LRESULT CALLBACK TextViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        Create(window);
    ViewState* view = GetViewState(window);
    if (!view)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (HandleViewMessage(*view, message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_NCDESTROY:
        Destroy(window, view);
        break;
    case WM_SETFONT:
        view->Display = (HFONT)wParam;
        MeasureFont(*view);
        UpdateScrollBars(*view);
        if (LOWORD(lParam))
            InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return (LRESULT)view->Display;
    case WM_PAINT:
        Paint(*view);
        return 0;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(window, &client);
        PaintView(*view, (HDC)wParam, client);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        UpdateScrollBars(*view);
        SetTopLine(*view, view->Top);
        NotifyPage(*view);
        break;
    case WM_VSCROLL:
        SetTopLine(*view, ScrollCode(SB_VERT, wParam, *view, view->Top, VisibleLines(*view)));
        return 0;
    case WM_HSCROLL: {
        RECT client;
        GetClientRect(window, &client);
        ScrollLeft(*view, ScrollCode(SB_HORZ, wParam, *view, view->Left, client.right));
        return 0;
    }
    case WM_KEYDOWN:
        KeyDown(*view, wParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
        return Mouse(*view, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
