#include "control_support.h"
#include "ovkit/bitmaps.h"

namespace ovkit_detail {

Offscreen::Offscreen(HDC target, int width, int height) : width_(width), height_(height) {
    dc_ = OVKIT_GetCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1, &old_);
    if (dc_)
        bitmap_ = static_cast<HBITMAP>(GetCurrentObject(dc_, OBJ_BITMAP));
}

Offscreen::~Offscreen() {
    OVKIT_DeleteBitmapAndHDC(&dc_, &bitmap_, &old_);
}

void Offscreen::BlitTo(HDC target) const {
    if (dc_)
        BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void FillSys(HDC dc, const RECT& rect, int sysColour) {
    FillRect(dc, &rect, GetSysColorBrush(sysColour));
}

namespace {

void DrawPart(HDC dc, RECT clip, int textX, int textY, const char* text, int back, int fore) {
    if (clip.right <= clip.left)
        return;
    SetBkColor(dc, GetSysColor(back));
    SetTextColor(dc, GetSysColor(fore));
    ExtTextOutA(dc, textX, textY, ETO_OPAQUE | ETO_CLIPPED, &clip, text, lstrlenA(text), nullptr);
}

} // namespace

void DrawSplitText(HDC dc, const RECT& area, int splitX, int textX, int textY, const char* text) {
    if (splitX < area.left)
        splitX = area.left;
    if (splitX > area.right)
        splitX = area.right;
    UINT oldAlign = SetTextAlign(dc, TA_CENTER | TA_TOP);
    RECT done = {area.left, area.top, splitX, area.bottom};
    RECT rest = {splitX, area.top, area.right, area.bottom};
    DrawPart(dc, done, textX, textY, text, COLOR_HIGHLIGHT, COLOR_WINDOW);
    DrawPart(dc, rest, textX, textY, text, COLOR_BTNFACE, COLOR_WINDOWTEXT);
    SetTextAlign(dc, oldAlign);
}

void PumpWaitingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CentreOnScreen(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT MakeBoldCopy(HWND window) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA logFont;
    if (!GetObjectA(font, sizeof logFont, &logFont))
        return nullptr;
    logFont.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&logFont);
}

bool HandlePaint(HWND window, UINT message, WPARAM wParam, void (*paint)(HWND, HDC)) {
    if (message == WM_PRINTCLIENT) {
        paint(window, reinterpret_cast<HDC>(wParam));
        return true;
    }
    if (message != WM_PAINT)
        return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    paint(window, dc);
    EndPaint(window, &ps);
    return true;
}

void* ControlState(HWND window) {
    HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(window, 0));
    if (!block)
        return nullptr;
    void* state = GlobalLock(block);
    GlobalUnlock(block);
    return state;
}

} // namespace ovkit_detail
