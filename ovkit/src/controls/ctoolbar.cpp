// CToolbar: one band of a CBandolet, its layout, drawing and the drag of its
// gripper.
#include "ovkit/ctoolbar.h"

namespace {

const int kDragMarkWidth = 3;

// A component lighter by 20, held at white: a wrap past 255 would turn a
// light face black.
BYTE Lighter(BYTE component) {
    return (BYTE)(component > 235 ? 255 : component + 20);
}

COLORREF Lighter(COLORREF colour) {
    return RGB(Lighter(GetRValue(colour)), Lighter(GetGValue(colour)), Lighter(GetBValue(colour)));
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

CToolbar::CToolbar(CWindow* parent, CBandolet* container)
    : CWindow(parent), m_hBackground(nullptr), m_hComposite(nullptr), m_sizeComposite{0, 0},
      m_bDragging(false), m_bMovable(false), m_bVertical(false),
      m_pContainer(container), m_ptDrop{-1, -1}, m_nMarkX(0) {
    if (!m_hWnd)
        return;
    SetWindowTextA(m_hWnd, "CToolbar");
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, WS_CHILD | WS_VISIBLE);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

CToolbar::~CToolbar() {
    if (m_hComposite)
        DeleteObject(m_hComposite);
}

void CToolbar::SetBackground(HBITMAP bitmap) {
    m_hBackground = bitmap;
    m_sizeComposite = {0, 0};
}

void CToolbar::Layout() {
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int across = m_bVertical ? client.right : client.bottom;
    const int side = across - 4;
    int along = m_bVertical ? 0 : kGripperWidth;
    for (int i = 0; CWindow* child = GetChild(i); ++i) {
        if (m_bVertical)
            MoveWindow(child->GetHandle(), 2, along, side, side, TRUE);
        else
            MoveWindow(child->GetHandle(), along, 2, side, side, TRUE);
        along += across;
    }
}

void CToolbar::BuildComposite(HDC dc, int width, int height) {
    if (m_hComposite)
        DeleteObject(m_hComposite);
    m_hComposite = CreateCompatibleBitmap(dc, width, height);
    m_sizeComposite = {width, height};
    HDC composite = CreateCompatibleDC(dc);
    HGDIOBJ oldComposite = SelectObject(composite, m_hComposite);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    FillWith(composite, {0, 0, width, height}, face);
    const int patternWidth = width - kGripperWidth;
    BITMAP info;
    if (patternWidth > 0 && GetObjectA(m_hBackground, sizeof info, &info)) {
        // The picture, stretched and inverted, chooses between the face
        // colour and a lighter one.
        HDC pictureDc = CreateCompatibleDC(dc);
        HGDIOBJ oldPicture = SelectObject(pictureDc, m_hBackground);
        HDC maskDc = CreateCompatibleDC(dc);
        HBITMAP mask = CreateBitmap(patternWidth, height, 1, 1, nullptr);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        StretchBlt(maskDc, 0, 0, patternWidth, height, pictureDc, 0, 0, info.bmWidth, info.bmHeight,
                   NOTSRCCOPY);
        SelectObject(maskDc, oldMask);
        DeleteDC(maskDc);
        SelectObject(pictureDc, oldPicture);
        DeleteDC(pictureDc);

        HDC lightDc = CreateCompatibleDC(dc);
        HBITMAP light = CreateCompatibleBitmap(dc, patternWidth, height);
        HGDIOBJ oldLight = SelectObject(lightDc, light);
        FillWith(lightDc, {0, 0, patternWidth, height}, Lighter(face));
        MaskBlt(composite, kGripperWidth, 0, patternWidth, height, lightDc, 0, 0, mask, 0, 0,
                MAKEROP4(SRCCOPY, 0x00AA0029));
        SelectObject(lightDc, oldLight);
        DeleteObject(light);
        DeleteDC(lightDc);
        DeleteObject(mask);
    }
    SelectObject(composite, oldComposite);
    DeleteDC(composite);
}

void CToolbar::Draw(void* dc) {
    HDC target = static_cast<HDC>(dc);
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (m_hBackground) {
        if (m_sizeComposite.cx != client.right || m_sizeComposite.cy != client.bottom)
            BuildComposite(target, client.right, client.bottom);
        HDC composite = CreateCompatibleDC(target);
        HGDIOBJ old = SelectObject(composite, m_hComposite);
        BitBlt(target, 0, 0, client.right, client.bottom, composite, 0, 0, SRCCOPY);
        SelectObject(composite, old);
        DeleteDC(composite);
    } else {
        FillRect(target, &client, GetSysColorBrush(m_bVertical ? COLOR_BTNSHADOW : COLOR_BTNFACE));
    }
    if (!m_bVertical) {
        RECT bar1 = {2, client.top + 2, 5, client.bottom - 2};
        RECT bar2 = {6, client.top + 2, 9, client.bottom - 2};
        DrawEdge(target, &bar1, BDR_RAISEDINNER, BF_RECT | 0x1000);
        DrawEdge(target, &bar2, BDR_RAISEDINNER, BF_RECT | 0x1000);
    }
    ::DrawEdge(target, &client, m_bVertical ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

ULONG_PTR CToolbar::OnPaint(void*) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    Draw(dc);
    EndPaint(m_hWnd, &paint);
    Layout();
    return 0;
}

void CToolbar::DrawDragMark(int x) {
    HWND host = m_pContainer ? m_pContainer->GetHandle() : nullptr;
    if (!host)
        return;
    RECT area;
    GetClientRect(host, &area);
    area.left = x;
    area.right = x + kDragMarkWidth;
    HDC dc = GetDC(host);
    // A focus rectangle is XOR-drawn: drawing it again erases it.
    DrawFocusRect(dc, &area);
    ReleaseDC(host, dc);
}

// The mouse's x in the container's client coordinates.
static int ContainerX(HWND from, CBandolet* container, int x, int y) {
    POINT point = {x, y};
    if (container)
        MapWindowPoints(from, container->GetHandle(), &point, 1);
    return point.x;
}

ULONG_PTR CToolbar::OnLButtonDown(unsigned short, int x, int y) {
    if (!m_bMovable || x >= kGripperWidth)
        return 0;
    SetCapture(m_hWnd);
    m_bDragging = true;
    SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
    m_nMarkX = ContainerX(m_hWnd, m_pContainer, x, y);
    DrawDragMark(m_nMarkX);
    return 0;
}

ULONG_PTR CToolbar::OnMouseMove(unsigned short, int x, int y) {
    if (m_bDragging) {
        DrawDragMark(m_nMarkX);
        m_nMarkX = ContainerX(m_hWnd, m_pContainer, x, y);
        DrawDragMark(m_nMarkX);
    } else if (m_bMovable && x < kGripperWidth) {
        SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
    }
    return 0;
}

ULONG_PTR CToolbar::OnLButtonUp(unsigned short, int x, int y) {
    if (!m_bDragging)
        return 0;
    DrawDragMark(m_nMarkX);
    m_bDragging = false;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    POINT drop = {x, y};
    if (m_pContainer)
        MapWindowPoints(m_hWnd, m_pContainer->GetHandle(), &drop, 1);
    m_ptDrop = drop;
    if (m_pContainer)
        m_pContainer->Layout();
    return 0;
}
