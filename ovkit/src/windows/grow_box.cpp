// The grow box: painting, showing and the subclassed grip.
#include "ovkit/grow_box.h"

namespace {

// Distance between two ridges.
const int kRidgeStep = 6;

void PaintRidges(HDC dc, RECT area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, light);
    const int height = area.bottom - area.top;
    for (int ridge = 0; ridge < height; ++ridge) {
        for (int k = 0; k < 4; ++k) {
            SelectObject(dc, k < 2 ? light : dark);
            MoveToEx(dc, area.right, area.top + k, nullptr);
            LineTo(dc, area.left + k, area.bottom);
        }
        area.top += kRidgeStep;
        area.left += kRidgeStep;
    }
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
}

WNDPROC StoredProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK GrowBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = StoredProc(window);
    switch (message) {
    case WM_ERASEBKGND:
        OVKIT_PaintGrowBox(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        OVKIT_PaintGrowBox(window, dc);
        EndPaint(window, &paint);
        return 1;
    }
    case WM_WINDOWPOSCHANGING:
        reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOSIZE | SWP_NOMOVE;
        return 0;
    case WM_MOUSEMOVE:
        SetCursor(LoadCursorA(nullptr, IDC_SIZENWSE));
        return 1;
    case WM_DESTROY: {
        LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        return result;
    }
    default:
        return CallWindowProcA(previous, window, message, wParam, lParam);
    }
}

} // namespace

OVKIT_EXPORT(void) OVKIT_PaintGrowBox(HWND window, HDC dc) {
    RECT client;
    if (GetClientRect(window, &client))
        PaintRidges(dc, client);
}

OVKIT_EXPORT(int) OVKIT_ShowGrowBox(HWND dialog, int itemId, int showCommand) {
    HWND grip = itemId ? GetDlgItem(dialog, itemId) : dialog;
    if (!grip || !IsWindow(grip))
        return 0;
    ShowWindow(grip, showCommand);
    UpdateWindow(grip);
    HWND host = itemId ? dialog : GetParent(grip);
    if (host) {
        RECT around;
        GetWindowRect(grip, &around);
        MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&around), 2);
        InflateRect(&around, 4, 4);
        RedrawWindow(host, &around, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
    }
    return 1;
}

OVKIT_EXPORT(int) OVKIT_SubclassGrowBox(HWND window) {
    if (!IsWindow(window))
        return 0;
    // A second subclassing would store the grip's own procedure as the one
    // to call on, and every message would recurse.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == GrowBoxProc)
        return 0;
    RECT bounds;
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int side = width > height ? width : height;
    SetWindowPos(window, nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LONG_PTR previous = GetWindowLongPtrA(window, GWLP_WNDPROC);
    SetWindowLongPtrA(window, GWLP_USERDATA, previous);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GrowBoxProc));
    return 1;
}
