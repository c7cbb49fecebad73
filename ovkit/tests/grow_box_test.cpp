#include <gtest/gtest.h>
#include <windows.h>
#include "canvas.h"
#include "ovkit/bevel_frame.h"
#include "ovkit/grow_box.h"

namespace {

HWND MakeStatic(HWND parent, int id, int x, int y, int w, int h) {
    return CreateWindowExA(0, "STATIC", "", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, x, y, w, h,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                           nullptr);
}

SIZE WindowSize(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

TEST(GrowBox, PaintDrawsDiagonalRidgesSixPixelsApart) {
    HWND grip = MakeStatic(nullptr, 0, 0, 0, 24, 24);
    ovkittest::Canvas canvas(24, 24, RGB(0, 255, 0));
    OVKIT_PaintGrowBox(grip, canvas.dc());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    // Ridge n covers x + y = 24 + 12n .. 27 + 12n: two light lines, two dark.
    const struct {
        int x, y;
        COLORREF colour;
    } pixels[] = {{12, 12, light}, {13, 12, light}, {13, 13, dark}, {14, 13, dark}, {14, 14, face},
                  {5, 5, face},    {15, 15, light}, {17, 16, dark}, {23, 23, face}};
    for (const auto& p : pixels)
        EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << p.x << "," << p.y;
    DestroyWindow(grip);
}

TEST(GrowBox, SubclassedGripIsSquareAndStaysPut) {
    HWND parent = MakeStatic(nullptr, 0, 0, 0, 200, 200);
    HWND grip = MakeStatic(parent, 7, 50, 60, 20, 30);
    const LONG_PTR original = GetWindowLongPtrA(grip, GWLP_WNDPROC);
    ASSERT_EQ(OVKIT_SubclassGrowBox(grip), 1);
    EXPECT_EQ(WindowSize(grip).cx, 30);
    EXPECT_EQ(WindowSize(grip).cy, 30);
    EXPECT_EQ(GetWindowLongPtrA(grip, GWLP_USERDATA), original);
    // A second subclassing is refused (it would make the grip call itself).
    EXPECT_EQ(OVKIT_SubclassGrowBox(grip), 0);
    EXPECT_EQ(SendMessageA(grip, WM_MOUSEMOVE, 0, 0), 1);

    SetWindowPos(grip, nullptr, 0, 0, 80, 90, SWP_NOZORDER);
    RECT r;
    GetWindowRect(grip, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 30);

    // At WM_DESTROY the previous procedure is put back.
    SendMessageA(grip, WM_DESTROY, 0, 0);
    EXPECT_EQ(GetWindowLongPtrA(grip, GWLP_WNDPROC), original);
    DestroyWindow(parent);
}

TEST(GrowBox, ShowHidesAndShowsTheItem) {
    HWND dialog = MakeStatic(nullptr, 0, 0, 0, 200, 200);
    HWND grip = MakeStatic(dialog, 7, 150, 150, 16, 16);
    EXPECT_EQ(OVKIT_ShowGrowBox(dialog, 7, SW_HIDE), 1);
    EXPECT_FALSE(IsWindowVisible(grip));
    EXPECT_EQ(OVKIT_ShowGrowBox(grip, 0, SW_SHOW), 1);
    EXPECT_TRUE(IsWindowVisible(grip));
    EXPECT_EQ(OVKIT_ShowGrowBox(dialog, 8, SW_SHOW), 0);
    DestroyWindow(dialog);
    EXPECT_EQ(OVKIT_ShowGrowBox(dialog, 0, SW_SHOW), 0);
}

TEST(BevelFrame, KindChoosesWhichSidesTakeWhichColour) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), grey = RGB(90, 90, 90);
    const COLORREF back = RGB(0, 255, 0);
    const struct {
        int kind;
        COLORREF leftTop, rightBottom;
    } cases[] = {{0, red, blue}, {1, blue, red}, {5, grey, grey}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ovkittest::Canvas canvas(20, 20, back);
        HBRUSH held = CreateSolidBrush(grey);
        HGDIOBJ old = SelectObject(canvas.dc(), held);
        RECT frame = {0, 0, 20, 20};
        OVKIT_DrawKarstPolygons(canvas.dc(), &frame, c.kind, 3, red, blue);
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), held);
        SelectObject(canvas.dc(), old);
        DeleteObject(held);
        EXPECT_EQ(canvas.At(1, 10), c.leftTop);
        EXPECT_EQ(canvas.At(10, 1), c.leftTop);
        EXPECT_EQ(canvas.At(18, 10), c.rightBottom);
        EXPECT_EQ(canvas.At(10, 18), c.rightBottom);
        EXPECT_EQ(canvas.At(10, 10), back);
        EXPECT_EQ(canvas.At(4, 10), back);
    }
}
