// CPopup: the yellow tool-tip window of the bitmap buttons.
#include "ovkit/cbitmapbutton.h"

CPopup::CPopup(CWindow* parent, int x, int y, const char* text) : CWindow(parent, nullptr) {
    lstrcpynA(m_szText, text ? text : "", sizeof m_szText);
    HWND parentWindow = parent ? parent->GetHandle() : nullptr;
    SIZE extent = {0, 0};
    HDC dc = GetDC(parentWindow);
    GetTextExtentPoint32A(dc, m_szText, lstrlenA(m_szText), &extent);
    ReleaseDC(parentWindow, dc);
    CreateBoundChild(OVKIT_CWINDOW_CLASS, "CPopup", WS_CHILD | WS_VISIBLE | WS_BORDER, x, y,
                     extent.cx + 4, extent.cy, parentWindow);
}

ULONG_PTR CPopup::OnPaint(void*) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT client;
    GetClientRect(m_hWnd, &client);
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    FillRect(dc, &client, yellow);
    DeleteObject(yellow);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, m_szText, -1, &client, DT_LEFT | DT_TOP | DT_NOPREFIX);
    EndPaint(m_hWnd, &paint);
    return 0;
}
