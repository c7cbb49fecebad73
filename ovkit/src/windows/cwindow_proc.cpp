// CWindow's window procedure and the base handlers.
#include "ovkit/cwindow.h"
#include <windowsx.h>

namespace {

// Word-sized handler arguments packed back into a message.
LPARAM PackPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

} // namespace

ULONG_PTR CWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<ULONG_PTR>(DefWindowProcA(m_hWnd, message, wParam, lParam));
}

void CWindow::Layout() {}

bool CWindow::GetPreferedLayoutSize(SIZE*) {
    return false;
}

ULONG_PTR CWindow::OnCommand(WPARAM, LPARAM) {
    return 0;
}

ULONG_PTR CWindow::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    return DefaultProc(WM_SYSCOMMAND, wParam, lParam);
}

ULONG_PTR CWindow::OnDestroy() {
    return DefaultProc(WM_DESTROY, 0, 0);
}

ULONG_PTR CWindow::OnClose() {
    return DefaultProc(WM_CLOSE, 0, 0);
}

ULONG_PTR CWindow::OnSize(unsigned short type, unsigned short width, unsigned short height) {
    return DefaultProc(WM_SIZE, type, MAKELPARAM(width, height));
}

ULONG_PTR CWindow::OnContextMenu(int x, int y) {
    return DefaultProc(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), PackPoint(x, y));
}

ULONG_PTR CWindow::OnLButtonDown(unsigned short keys, int x, int y) {
    return DefaultProc(WM_LBUTTONDOWN, keys, PackPoint(x, y));
}

ULONG_PTR CWindow::OnLButtonUp(unsigned short keys, int x, int y) {
    return DefaultProc(WM_LBUTTONUP, keys, PackPoint(x, y));
}

ULONG_PTR CWindow::OnLButtonDblClk(unsigned short keys, int x, int y) {
    return DefaultProc(WM_LBUTTONDBLCLK, keys, PackPoint(x, y));
}

ULONG_PTR CWindow::OnRButtonDown(unsigned short keys, int x, int y) {
    return DefaultProc(WM_RBUTTONDOWN, keys, PackPoint(x, y));
}

ULONG_PTR CWindow::OnRButtonUp(unsigned short keys, int x, int y) {
    return DefaultProc(WM_RBUTTONUP, keys, PackPoint(x, y));
}

ULONG_PTR CWindow::OnMouseMove(unsigned short keys, int x, int y) {
    return DefaultProc(WM_MOUSEMOVE, keys, PackPoint(x, y));
}

ULONG_PTR CWindow::OnTimer(unsigned short) {
    return 0;
}

ULONG_PTR CWindow::OnPaint(void* dc) {
    return DefaultProc(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

ULONG_PTR CWindow::OnNotify(unsigned short, NMHDR*) {
    return 0;
}

ULONG_PTR CWindow::OnMove(int x, int y) {
    return DefaultProc(WM_MOVE, 0, PackPoint(x, y));
}

ULONG_PTR CWindow::OnWindowPosChanged(WINDOWPOS* position) {
    return DefaultProc(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(position));
}

ULONG_PTR CWindow::OnMessage(void* window, unsigned int message, WPARAM wParam, LPARAM lParam) {
    return static_cast<ULONG_PTR>(
        DefWindowProcA(static_cast<HWND>(window), message, wParam, lParam));
}

ULONG_PTR CWindow::OnEraseBackground(void* dc) {
    return DefaultProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

ULONG_PTR CWindow::OnHorzScroll(int, int) {
    return 0;
}

ULONG_PTR CWindow::OnVertScroll(int, int) {
    return 0;
}

LRESULT CWindow::Dispatch(CWindow* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          bool unsignedX) {
    const unsigned short keys = LOWORD(wParam);
    const int x = unsignedX ? LOWORD(lParam) : GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    ULONG_PTR result;
    switch (message) {
    case WM_DESTROY:
        result = object->OnDestroy();
        break;
    case WM_MOVE:
        result = object->OnMove(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SIZE:
        result = object->OnSize(LOWORD(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_PAINT:
        result = object->OnPaint(reinterpret_cast<void*>(wParam));
        break;
    case WM_CLOSE:
        result = object->OnClose();
        break;
    case WM_ERASEBKGND:
        result = object->OnEraseBackground(reinterpret_cast<void*>(wParam));
        break;
    case WM_WINDOWPOSCHANGED:
        result = object->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_CONTEXTMENU:
        result = object->OnContextMenu(GET_X_LPARAM(lParam), y);
        break;
    case WM_SYSCOMMAND:
        result = object->OnSysCommand(wParam, lParam);
        break;
    case WM_TIMER:
        result = object->OnTimer(LOWORD(wParam));
        break;
    case WM_HSCROLL:
        result = object->OnHorzScroll(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_VSCROLL:
        result = object->OnVertScroll(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_MOUSEMOVE:
        result = object->OnMouseMove(keys, x, y);
        break;
    case WM_LBUTTONDOWN:
        result = object->OnLButtonDown(keys, x, y);
        break;
    case WM_LBUTTONUP:
        result = object->OnLButtonUp(keys, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        result = object->OnLButtonDblClk(keys, x, y);
        break;
    case WM_RBUTTONDOWN:
        result = object->OnRButtonDown(keys, x, y);
        break;
    case WM_RBUTTONUP:
        result = object->OnRButtonUp(keys, x, y);
        break;
    default:
        result = object->OnMessage(window, message, wParam, lParam);
        break;
    }
    return static_cast<LRESULT>(result);
}

LRESULT CALLBACK CWindow::WinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        Forget(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    CWindow* object = FromHandle(window);
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    // Each control's object handles its own notifications and commands.
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        CWindow* control = header ? FromHandle(header->hwndFrom) : nullptr;
        if (!control)
            return DefWindowProcA(window, message, wParam, lParam);
        return static_cast<LRESULT>(control->OnNotify(LOWORD(wParam), header));
    }
    if (message == WM_COMMAND && lParam) {
        CWindow* control = FromHandle(reinterpret_cast<HWND>(lParam));
        if (!control)
            return DefWindowProcA(window, message, wParam, lParam);
        return static_cast<LRESULT>(control->OnCommand(wParam, lParam));
    }
    if (message == WM_COMMAND)
        return static_cast<LRESULT>(object->OnCommand(wParam, lParam));
    return Dispatch(object, window, message, wParam, lParam);
}
