#include "ovkit/bitmaps.h"
#include "windows/subclass_table.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

void PaintStaticImage(HWND control, HDC dc) {
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (image)
        OVKIT_DrawTransparentBitmap(dc, image, nullptr, 0, 0, 0, 0, client.right, client.bottom,
                                    kMagenta);
}

UINT ParentMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return OVKIT_WM_STATIC_LBUTTONDOWN;
    case WM_MBUTTONDOWN:
        return OVKIT_WM_STATIC_MBUTTONDOWN;
    case WM_RBUTTONDOWN:
        return OVKIT_WM_STATIC_RBUTTONDOWN;
    case WM_LBUTTONUP:
        return OVKIT_WM_STATIC_LBUTTONUP;
    case WM_MBUTTONUP:
        return OVKIT_WM_STATIC_MBUTTONUP;
    case WM_RBUTTONUP:
        return OVKIT_WM_STATIC_RBUTTONUP;
    default:
        return 0;
    }
}

LRESULT CALLBACK StaticBitmapProc(HWND control, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        PaintStaticImage(control, BeginPaint(control, &paint));
        EndPaint(control, &paint);
        return 0;
    }
    if (message == WM_PRINTCLIENT) {
        PaintStaticImage(control, reinterpret_cast<HDC>(w));
        return 0;
    }
    if (UINT report = ParentMessage(message)) {
        PostMessageA(GetParent(control), report, reinterpret_cast<WPARAM>(control), 0);
        return 0;
    }
    return OvkitCallSaved(control, message, w, l);
}

LRESULT CALLBACK FancyBitmapProc(HWND control, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_PAINT: {
        LRESULT result = OvkitCallSaved(control, message, w, l);
        OVKIT_SubclassEntry* e = OVKIT_GetSubclassDataPtr(control);
        HDC dc = GetDC(control);
        if (e && dc)
            OVKIT_Stretch256ColorBitmap(control, dc, static_cast<UINT>(e->data[0]),
                                        reinterpret_cast<HINSTANCE>(e->data[1]));
        ReleaseDC(control, dc);
        return result;
    }
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(w) == control)
            return 0;
        InvalidateRect(control, nullptr, FALSE);
        return 0;
    case WM_QUERYNEWPALETTE:
        InvalidateRect(control, nullptr, FALSE);
        return TRUE;
    case WM_NCDESTROY:
        // The control's use of the cached picture ends with it.
        if (OVKIT_SubclassEntry* e = OVKIT_GetSubclassDataPtr(control))
            OVKIT_DestroyDlgBmp(control, static_cast<UINT>(e->data[0]),
                                reinterpret_cast<HINSTANCE>(e->data[1]));
        return OvkitCallSaved(control, message, w, l);
    default:
        return OvkitCallSaved(control, message, w, l);
    }
}

} // namespace

BOOL OVKIT_CALL OVKIT_SubclassStaticBitmap(HWND control) {
    return OvkitSubclass(control, StaticBitmapProc, 0, 0) != nullptr;
}

BOOL OVKIT_CALL OVKIT_SubclassFancyBitmap(HWND control, UINT id, HINSTANCE module) {
    return OvkitSubclass(control, FancyBitmapProc, static_cast<LONG_PTR>(id),
                         reinterpret_cast<LONG_PTR>(module)) != nullptr;
}
