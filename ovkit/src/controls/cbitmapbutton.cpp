// CBitmapButton: hover, press and the tool-tip of a flat picture button.
#include "ovkit/cbitmapbutton.h"

int CBitmapButton::fText = 1;
ATOM CBitmapButton::atomRegisteredClass = 0;
int CBitmapButton::nUsageCount = 0;

CBitmapButton::CBitmapButton(CWindow* parent)
    : CWindow(parent, nullptr), m_hBitmap(nullptr), m_rcCell{0, 0, 0, 0}, m_szCaption{},
      m_bPressed(false), m_bHover(false), m_bToolTip(false), m_pPopup(nullptr) {
    RegisterKind(OVKIT_CBITMAPBUTTON_CLASS, &atomRegisteredClass);
    ++nUsageCount;
    CreateBoundChild(OVKIT_CBITMAPBUTTON_CLASS, "CBitmapButton", WS_CHILD | WS_VISIBLE,
                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     parent ? parent->GetHandle() : nullptr);
}

CBitmapButton::~CBitmapButton() {
    if (m_bHover && GetCapture() == m_hWnd)
        ReleaseCapture();
    ClosePopup();
    // The window goes before its class can be unregistered.
    DestroyOwnWindow();
    ReleaseKind(OVKIT_CBITMAPBUTTON_CLASS, &atomRegisteredClass, &nUsageCount);
}

void CBitmapButton::SetBitmap(void* bitmap, int x, int y, int width, int height) {
    m_hBitmap = static_cast<HBITMAP>(bitmap);
    m_rcCell = {x, y, width, height};
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CBitmapButton::SetCaption(const char* caption) {
    lstrcpynA(m_szCaption, caption ? caption : "", sizeof m_szCaption);
}

void CBitmapButton::ClosePopup() {
    delete m_pPopup;
    m_pPopup = nullptr;
}

void CBitmapButton::EndHover() {
    KillTimer(m_hWnd, kHoverTimer);
    ClosePopup();
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    m_bHover = false;
    m_bPressed = false;
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

ULONG_PTR CBitmapButton::OnMouseMove(unsigned short, int x, int y) {
    if (!m_bHover) {
        SetCapture(m_hWnd);
        m_bHover = true;
        InvalidateRect(m_hWnd, nullptr, FALSE);
        SetTimer(m_hWnd, kHoverTimer, kHoverDelayMs, nullptr);
        return 0;
    }
    RECT client;
    GetClientRect(m_hWnd, &client);
    POINT point = {x, y};
    if (!PtInRect(&client, point))
        EndHover();
    return 0;
}

ULONG_PTR CBitmapButton::OnTimer(unsigned short) {
    KillTimer(m_hWnd, kHoverTimer);
    CWindow* host = m_pParent ? m_pParent->GetParent() : nullptr;
    if (!m_bToolTip || !m_szCaption[0] || m_pPopup || !host)
        return 0;
    RECT bounds;
    GetWindowRect(m_hWnd, &bounds);
    POINT corner = {bounds.left, bounds.bottom};
    ScreenToClient(host->GetHandle(), &corner);
    m_pPopup = new CPopup(host, corner.x, corner.y + 4, m_szCaption);
    return 0;
}

ULONG_PTR CBitmapButton::OnLButtonDown(unsigned short, int, int) {
    m_bPressed = true;
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return 0;
}

ULONG_PTR CBitmapButton::OnLButtonUp(unsigned short, int, int) {
    const bool wasPressed = m_bPressed;
    EndHover();
    if (wasPressed)
        OnCommand(0, 0);
    return 0;
}

ULONG_PTR CBitmapButton::OnPaint(void*) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    Draw(dc);
    EndPaint(m_hWnd, &paint);
    return 0;
}
