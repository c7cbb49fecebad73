#include <gtest/gtest.h>
#include <windows.h>
#include "canvas.h"
#include "ovkit/cbitmapbutton.h"
#include "ovkit/ctoolbar.h"
#include <algorithm>
#include <string>

namespace {

class Clicker : public CBitmapButton {
  public:
    using CBitmapButton::CBitmapButton;
    int commands = 0;
    ULONG_PTR OnCommand(WPARAM, LPARAM) override {
        ++commands;
        return 0;
    }
};

bool ClassRegistered(const char* name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    return GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc) != FALSE;
}

// A window's rectangle in its parent's client coordinates.
RECT PlacedRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HBITMAP SolidBitmap(int w, int h, COLORREF colour) {
    ovkittest::Canvas canvas(w, h, colour);
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, w, h, canvas.dc(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    return copy;
}

} // namespace

// Guards against copying the popup text into its fixed field unbounded.
TEST(CPopup, LongTextIsCutAndWindowFitsTheText) {
    CWindow host;
    const std::string longText(150, 'x');
    CPopup popup(&host, 7, 9, longText.c_str());
    EXPECT_EQ(std::string(popup.GetText()), std::string(CPopup::kTextMax, 'x'));
    ASSERT_NE(popup.GetHandle(), nullptr);

    CPopup shortOne(&host, 7, 9, "Open");
    HDC dc = GetDC(host.GetHandle());
    SIZE extent;
    GetTextExtentPoint32A(dc, "Open", 4, &extent);
    ReleaseDC(host.GetHandle(), dc);
    RECT r = PlacedRect(shortOne.GetHandle());
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.top, 9);
    EXPECT_EQ(r.right - r.left, extent.cx + 4);
    EXPECT_EQ(r.bottom - r.top, extent.cy);
}

TEST(CBitmapButton, ClickHoverAndLeave) {
    CWindow top;
    CWindow bar(&top);
    auto* button = new Clicker(&bar);
    HWND hwnd = button->GetHandle();
    ASSERT_NE(hwnd, nullptr);
    MoveWindow(hwnd, 0, 0, 40, 50, FALSE);

    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->IsHovering());
    EXPECT_EQ(GetCapture(), hwnd);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->IsPressed());
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button->commands, 1);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_FALSE(button->IsHovering());
    EXPECT_NE(GetCapture(), hwnd);

    // A release without a press is no click; leaving ends the hover.
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 49));
    EXPECT_TRUE(button->IsHovering());
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(40, 5));
    EXPECT_FALSE(button->IsHovering());
    EXPECT_NE(GetCapture(), hwnd);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button->commands, 1);

    EXPECT_TRUE(ClassRegistered(OVKIT_CBITMAPBUTTON_CLASS));
    delete button;
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(ClassRegistered(OVKIT_CBITMAPBUTTON_CLASS));
    EXPECT_EQ(CBitmapButton::atomRegisteredClass, 0);
}

TEST(CBitmapButton, RestingMouseOpensTheCaptionBelowTheButtonInTheGrandparent) {
    CWindow top;
    MoveWindow(top.GetHandle(), 0, 0, 400, 300, FALSE);
    CWindow bar(&top);
    MoveWindow(bar.GetHandle(), 20, 30, 200, 60, FALSE);
    CBitmapButton button(&bar);
    MoveWindow(button.GetHandle(), 10, 5, 40, 50, FALSE);
    button.SetCaption("Open");

    // Without tool-tips nothing opens.
    SendMessageA(button.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(button.GetHandle(), WM_TIMER, CBitmapButton::kHoverTimer, 0);
    EXPECT_EQ(button.GetPopup(), nullptr);
    SendMessageA(button.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(-1, 5));

    button.SetToolTip(true);
    SendMessageA(button.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(button.GetHandle(), WM_TIMER, CBitmapButton::kHoverTimer, 0);
    CPopup* popup = button.GetPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_STREQ(popup->GetText(), "Open");
    EXPECT_EQ(GetParent(popup->GetHandle()), top.GetHandle());
    RECT buttonRect = PlacedRect(button.GetHandle());
    MapWindowPoints(bar.GetHandle(), top.GetHandle(), reinterpret_cast<POINT*>(&buttonRect), 2);
    RECT popupRect = PlacedRect(popup->GetHandle());
    EXPECT_EQ(popupRect.left, buttonRect.left);
    EXPECT_EQ(popupRect.top, buttonRect.bottom + 4);
    // A second rest does not open a second popup; leaving closes it.
    SendMessageA(button.GetHandle(), WM_TIMER, CBitmapButton::kHoverTimer, 0);
    EXPECT_EQ(button.GetPopup(), popup);
    HWND popupWindow = popup->GetHandle();
    SendMessageA(button.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 5));
    EXPECT_EQ(button.GetPopup(), nullptr);
    EXPECT_FALSE(IsWindow(popupWindow));
}

TEST(CBitmapButton, DrawShowsThePictureAndLeavesKeyColourTransparent) {
    CWindow top;
    CWindow bar(&top);
    CBitmapButton button(&bar);
    MoveWindow(button.GetHandle(), 0, 0, 40, 40, FALSE);
    HBITMAP picture = SolidBitmap(8, 8, RGB(0, 0, 255));
    button.SetBitmap(picture, 0, 0, 8, 8);
    const int savedText = CBitmapButton::fText;
    CBitmapButton::fText = 0;
    ovkittest::Canvas canvas(40, 40, RGB(0, 255, 0));
    button.Draw(canvas.dc());
    CBitmapButton::fText = savedText;
    // The picture is a 32-pixel square at x = (40 - 34) / 2 + 2 = 5, y = 4.
    EXPECT_EQ(canvas.At(5, 4), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(36, 35), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(37, 20), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(20, 37), RGB(0, 255, 0));
    DeleteObject(picture);
}

// The caption is drawn on the key colour without smoothing: every pixel
// below the picture is the background or the caption's colour (on a desktop
// that smooths text, smoothed letters showed magenta fringes), and the
// caption font asks for no smoothing whatever the desktop does. Guards
// magenta fringes around smoothed caption letters.
TEST(CBitmapButton, CaptionLeavesNoKeyColouredFringe) {
    HFONT font = CBitmapButton::CreateCaptionFont();
    LOGFONTA description = {};
    ASSERT_NE(0, GetObjectA(font, sizeof description, &description));
    EXPECT_EQ(NONANTIALIASED_QUALITY, description.lfQuality);
    DeleteObject(font);

    CWindow top;
    CWindow bar(&top);
    CBitmapButton button(&bar);
    MoveWindow(button.GetHandle(), 0, 0, 80, 60, FALSE);
    button.SetCaption("Open Weekly");
    const int savedText = CBitmapButton::fText;
    CBitmapButton::fText = 1;
    const COLORREF background = RGB(0, 128, 0);
    ovkittest::Canvas canvas(80, 60, background);
    button.Draw(canvas.dc());
    CBitmapButton::fText = savedText;
    const COLORREF caption = GetSysColor(COLOR_HIGHLIGHT);
    int captionPixels = 0, others = 0;
    for (int y = 36; y < 60; ++y)
        for (int x = 0; x < 80; ++x) {
            const COLORREF at = canvas.At(x, y);
            captionPixels += at == caption;
            others += at != caption && at != background;
        }
    EXPECT_GT(captionPixels, 20);
    EXPECT_EQ(0, others);
}

TEST(CToolbar, ChildrenStandInARowAfterTheGripper) {
    CWindow top;
    CToolbar toolbar(&top, nullptr);
    ASSERT_NE(toolbar.GetHandle(), nullptr);
    EXPECT_EQ(GetWindowLongA(toolbar.GetHandle(), GWL_STYLE) & WS_THICKFRAME, 0);
    MoveWindow(toolbar.GetHandle(), 0, 0, 200, 30, FALSE);
    CBitmapButton first(&toolbar);
    CBitmapButton second(&toolbar);
    toolbar.Layout();
    RECT a = PlacedRect(first.GetHandle());
    RECT b = PlacedRect(second.GetHandle());
    EXPECT_EQ(a.left, 15);
    EXPECT_EQ(a.top, 2);
    EXPECT_EQ(a.right - a.left, 26);
    EXPECT_EQ(a.bottom - a.top, 26);
    EXPECT_EQ(b.left, 45);

    toolbar.SetVertical(true);
    MoveWindow(toolbar.GetHandle(), 0, 0, 30, 200, FALSE);
    toolbar.Layout();
    a = PlacedRect(first.GetHandle());
    b = PlacedRect(second.GetHandle());
    EXPECT_EQ(a.left, 2);
    EXPECT_EQ(a.top, 0);
    EXPECT_EQ(b.top, 30);
}

TEST(CBandolet, DraggedGripperSetsTheBandWidths) {
    CWindow top;
    MoveWindow(top.GetHandle(), 0, 0, 500, 200, FALSE);
    auto* bands = new CBandolet(&top);
    MoveWindow(bands->GetHandle(), 10, 0, 300, 30, FALSE);
    CToolbar first(&top, bands), second(&top, bands), third(&top, bands);
    bands->AddBand(&first, "one");
    bands->AddBand(&second, "two");
    bands->AddBand(&third, "three");
    first.SetMovable(true);

    const struct {
        int dropX; // in the container's coordinates
        int widths[3];
    } cases[] = {
        {400, {270, 15, 15}}, // beyond the right edge: later bands keep their grippers
        {100, {100, 15, 185}},
        {-5, {15, 15, 270}}, // before the band's own start: collapsed to its gripper
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dropX);
        HWND hwnd = first.GetHandle();
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(first.IsDragging());
        POINT drop = {c.dropX, 5};
        MapWindowPoints(bands->GetHandle(), hwnd, &drop, 1);
        SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
        EXPECT_FALSE(first.IsDragging());
        EXPECT_EQ(first.GetDropPosition().x, c.dropX);
        int left = 10;
        CToolbar* all[3] = {&first, &second, &third};
        for (int i = 0; i < 3; ++i) {
            RECT r = PlacedRect(all[i]->GetHandle());
            EXPECT_EQ(r.left, left) << i;
            EXPECT_EQ(r.right - r.left, c.widths[i]) << i;
            EXPECT_EQ(r.bottom - r.top, 30) << i;
            left = r.right;
        }
    }
    // A press beyond the gripper or on a fixed band starts no drag.
    SendMessageA(first.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    EXPECT_FALSE(first.IsDragging());
    SendMessageA(second.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(second.IsDragging());
    delete bands;
    EXPECT_FALSE(ClassRegistered(OVKIT_CBANDOLET_CLASS));
}

TEST(CToolbar, DrawFillsGrippersAndBackground) {
    CWindow top;
    CToolbar toolbar(&top, nullptr);
    MoveWindow(toolbar.GetHandle(), 0, 0, 60, 20, FALSE);
    ovkittest::Canvas canvas(60, 20, RGB(0, 255, 0));
    toolbar.Draw(canvas.dc());
    EXPECT_EQ(canvas.At(30, 10), GetSysColor(COLOR_BTNFACE));
    // The gripper bars' thin edges: highlight on their left column.
    EXPECT_EQ(canvas.At(2, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(6, 10), GetSysColor(COLOR_BTNHIGHLIGHT));

    // A black background picture, inverted, lightens the band right of the
    // gripper: by 20 a component, held at 255. Guards a band that a light
    // face (0xF5 + 20 wrapped to 0x09) turned black.
    HBITMAP black = SolidBitmap(4, 4, RGB(0, 0, 0));
    toolbar.SetBackground(black);
    toolbar.Draw(canvas.dc());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto lighter = [](int c) { return std::min(c + 20, 255); };
    EXPECT_EQ(canvas.At(30, 10),
              RGB(lighter(GetRValue(face)), lighter(GetGValue(face)), lighter(GetBValue(face))));
    EXPECT_EQ(canvas.At(12, 10), face);
    DeleteObject(black);
}
