#include <gtest/gtest.h>
#include "ovkit/value_classes.h"
#include <string>

namespace {

HICON MakeIcon() {
    BYTE andMask[32 * 4];
    BYTE xorMask[32 * 4];
    memset(andMask, 0xFF, sizeof andMask);
    memset(xorMask, 0, sizeof xorMask);
    return CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
}

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}

std::string ItemText(HMENU menu, int position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

} // namespace

TEST(CPointRect, CoordinatesFollowTheirConstructors) {
    CPoint packed(0xFFFF0001ul);
    EXPECT_EQ(packed.x, 1);
    EXPECT_EQ(packed.y, 65535);
    SIZE size = {3, 4};
    CPoint p(10, 20);
    p += size;
    EXPECT_TRUE(p == CPoint(13, 24));
    p -= CPoint(3, 4);
    EXPECT_TRUE(p == CPoint(10, 20));
    EXPECT_TRUE(-p == CPoint(-10, -20));
    EXPECT_TRUE(p + size != p);
    EXPECT_TRUE(CPoint(size) == CPoint(3, 4));

    CRect r(10, 20, 5, 7); // left, top, height, width
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 17);
    EXPECT_EQ(r.bottom, 25);
    EXPECT_EQ(r.Width(), 7);
    EXPECT_EQ(r.Height(), 5);
    EXPECT_TRUE(r.TopLeft() == CPoint(10, 20));
    CRect zero;
    EXPECT_EQ(zero.right, 0);
    SetRect(r, 1, 2, 3, 4); // usable as a RECT* for Windows calls
    EXPECT_EQ(r.Width(), 2);
}

TEST(CPointRect, WindowRectangleInScreenCoordinates) {
    HWND window =
        CreateWindowA("STATIC", "", WS_POPUP, 5, 6, 30, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CRect r(window);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
    DestroyWindow(window);
}

TEST(CWaitCursorScope, ShowsTheHourglassAndRestoresTheCursor) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(arrow);
    {
        CWaitCursor hourglass;
        EXPECT_EQ(GetCursor(), wait);
        SetCursor(arrow); // as a dialog would
        hourglass.Restore();
        EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(GetCursor(), arrow);
}

TEST(CIconOwnership, DetachKeepsTheIconAndCopiesOwnTheirOwn) {
    HICON raw = MakeIcon();
    ASSERT_NE(raw, nullptr);
    {
        CIcon icon(raw);
        EXPECT_EQ(icon.IsValid(), 1);
        EXPECT_EQ(static_cast<HICON>(icon), raw);
        {
            CIcon copy(icon);
            EXPECT_NE(static_cast<HICON>(copy), raw);
            EXPECT_TRUE(IconAlive(copy));
            CIcon assigned;
            assigned = icon;
            EXPECT_NE(static_cast<HICON>(assigned), raw);
        }
        EXPECT_TRUE(IconAlive(raw)); // the copies destroyed only their own icons
    }
    EXPECT_FALSE(IconAlive(raw));

    HICON kept = MakeIcon();
    {
        CIcon icon(kept);
        EXPECT_EQ(icon.Detach(), kept);
        EXPECT_EQ(icon.IsValid(), 0);
    }
    EXPECT_TRUE(IconAlive(kept));
    DestroyIcon(kept);

    CIcon system(nullptr, 32512); // IDI_APPLICATION
    EXPECT_EQ(system.IsValid(), 1);
}

TEST(CMenuOwnership, CopiesDuplicateTheMenuTree) {
    CMenuObj menu;
    ASSERT_EQ(menu.CreatePopupMenu(), 1);
    HMENU sub = ::CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 201, "Inner");
    AppendMenuA(menu, MF_STRING, 101, "First");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP | MF_STRING | MF_GRAYED, reinterpret_cast<UINT_PTR>(sub), "Sub");
    HMENU original = menu;
    HMENU copied = nullptr;
    {
        CMenuObj copy(menu);
        copied = copy;
        ASSERT_NE(copied, nullptr);
        EXPECT_NE(copied, original);
        ASSERT_EQ(GetMenuItemCount(copied), 3);
        EXPECT_EQ(ItemText(copied, 0), "First");
        EXPECT_EQ(GetMenuItemID(copied, 0), 101u);
        EXPECT_NE(GetMenuState(copied, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
        EXPECT_NE(GetMenuState(copied, 2, MF_BYPOSITION) & MF_GRAYED, 0u);
        HMENU copiedSub = copy.GetSubMenu(2);
        ASSERT_NE(copiedSub, nullptr);
        EXPECT_NE(copiedSub, sub);
        EXPECT_EQ(ItemText(copiedSub, 0), "Inner");

        CMenuObj assigned;
        assigned = menu;
        EXPECT_NE(static_cast<HMENU>(assigned), original);
        EXPECT_EQ(GetMenuItemCount(assigned), 3);
    }
    EXPECT_FALSE(IsMenu(copied));
    EXPECT_TRUE(IsMenu(original));
    EXPECT_TRUE(IsMenu(sub));

    HMENU detached = menu.Detach();
    EXPECT_EQ(menu.IsValid(), 0);
    EXPECT_TRUE(IsMenu(detached));
    DestroyMenu(detached);

    CMenuObj missing(GetModuleHandleA(nullptr), 4321);
    EXPECT_EQ(missing.IsValid(), 0);
    CMenuObj emptyCopy(missing);
    EXPECT_EQ(emptyCopy.IsValid(), 0);
}
