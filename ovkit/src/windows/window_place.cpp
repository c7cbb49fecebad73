#include "ovkit/ui_helpers.h"
#include <initializer_list>

namespace {

// Sizes as the centring has always counted them: right - left + 1.
int CountedWidth(const RECT& r) {
    return r.right - r.left + 1;
}
int CountedHeight(const RECT& r) {
    return r.bottom - r.top + 1;
}

void MoveTo(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void OVKIT_CALL OVKIT_GetChildClientPosition(HWND parent, HWND child, RECT* out) {
    if (!out)
        return;
    GetWindowRect(child, out);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(out), 2);
}

void OVKIT_CALL OVKIT_CenterDialog(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return;
    int x = (GetSystemMetrics(SM_CXSCREEN) - CountedWidth(r)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - CountedHeight(r)) / 2;
    MoveTo(window, x < 0 ? 0 : x, y < 0 ? 0 : y);
}

void OVKIT_CALL OVKIT_CenterDialogInParent(HWND window) {
    RECT r, p;
    HWND parent = GetParent(window);
    if (!GetWindowRect(window, &r) || !parent || !GetWindowRect(parent, &p))
        return;
    POINT at = {p.left + (CountedWidth(p) - CountedWidth(r)) / 2,
                p.top + (CountedHeight(p) - CountedHeight(r)) / 2};
    // A child window is placed in its parent's client coordinates.
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
        ScreenToClient(parent, &at);
    MoveTo(window, at.x, at.y);
}

void OVKIT_CALL OVKIT_GetNonClientSizes(HWND window, int* width, int* height) {
    RECT w = {}, c = {};
    GetWindowRect(window, &w);
    GetClientRect(window, &c);
    if (width)
        *width = (w.right - w.left) - (c.right - c.left);
    if (height)
        *height = (w.bottom - w.top) - (c.bottom - c.top);
}

BOOL OVKIT_CALL OVKIT_DestroyWindowAndHandle(HWND* window) {
    if (!window)
        return FALSE;
    BOOL had = *window && IsWindow(*window);
    if (had)
        DestroyWindow(*window);
    *window = nullptr;
    return had;
}

void OVKIT_CALL OVKIT_MyPeekMessage() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void OVKIT_CALL OVKIT_DeleteBitmapObject(HGDIOBJ* first, HGDIOBJ* second) {
    for (HGDIOBJ* object : {first, second}) {
        if (object && *object) {
            DeleteObject(*object);
            *object = nullptr;
        }
    }
}
