#include "control_fixture.h"
#include "ovkit/popup.h"
#include <algorithm>
#include <cmath>
#include <string>

namespace {

using PopupWindowTest = ovtest::ControlTest;

// The relative luminance of a colour and the contrast ratio of two, as
// readability guidelines measure them (7 or more reads well).
double Luminance(COLORREF c) {
    auto linear = [](int v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) +
           0.0722 * linear(GetBValue(c));
}

double Contrast(COLORREF a, COLORREF b) {
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

RECT WindowRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

TEST_F(PopupWindowTest, StaysOnTheScreen) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        int x, y, flags;
        bool rightEdge, bottomEdge, leftZero, topZero;
    } cases[] = {
        {screenWidth - 10, 100, 0, true, false, false, false},
        {100, screenHeight - 3, OVKIT_POPUP_CENTRE_Y, false, true, false, false},
        {-40, -40, OVKIT_POPUP_NOT_NEGATIVE, false, false, true, true},
        {5, 5, OVKIT_POPUP_CENTRE_X | OVKIT_POPUP_NOT_NEGATIVE, false, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " flags " << c.flags);
        OvkitPopupRecord record;
        HWND popup = OVKIT_CreatePopupWindow(parent_->window(), 0, "Quick help text", c.x, c.y,
                                             c.flags, &record);
        ASSERT_NE(popup, nullptr);
        RECT rect = WindowRect(popup);
        EXPECT_GT(rect.right - rect.left, 5);
        if (c.rightEdge) {
            EXPECT_EQ(rect.right, screenWidth);
        }
        if (c.bottomEdge) {
            EXPECT_EQ(rect.bottom, screenHeight);
        }
        if (c.leftZero) {
            EXPECT_EQ(rect.left, 0);
        }
        if (c.topZero) {
            EXPECT_EQ(rect.top, 0);
        }
        EXPECT_TRUE(IsWindowVisible(popup));
        EXPECT_EQ(GetWindow(popup, GW_OWNER), parent_->window());
        DestroyWindow(popup);
    }
}

TEST_F(PopupWindowTest, FillsTheRecordAndClosesOnItsTimer) {
    OvkitPopupRecord record;
    std::string longText(400, 'x');
    HWND popup =
        OVKIT_CreatePopupWindow(parent_->window(), 0, longText.c_str(), 10, 10, 0, &record);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(std::string(record.text), std::string(255, 'x')); // bounded copy
    EXPECT_EQ(record.font, OvkitGetLibraryFont());
    EXPECT_EQ(record.brush, OvkitGetPatternBrush());
    EXPECT_NE(record.timerFlag, 0);
    SendMessageA(popup, WM_TIMER, OVKIT_POPUP_CLOSE_TIMER, 0);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(record.timerFlag, 0);
}

TEST_F(PopupWindowTest, DrawsShadowFrameAndPatternFace) {
    OvkitPopupRecord record;
    HWND popup = OVKIT_CreatePopupWindow(parent_->window(), 0, "Help", 10, 10, 0, &record);
    ovtest::ClientPicture picture(popup);
    const int w = picture.width(), h = picture.height();
    EXPECT_EQ(picture.At(0, 0), RGB(0, 0, 0));         // frame
    EXPECT_EQ(picture.At(w - 1, h - 1), RGB(0, 0, 0)); // shadow corner
    EXPECT_EQ(picture.At(w - 2, h - 2), RGB(0, 0, 0)); // frame corner
    // The face is a pattern of two light colours (no text in row 1), and
    // the text, the darkest thing inside the frame, reads well on both.
    // Guards black text on a black-and-white dither.
    const COLORREF faceA = picture.At(1, 1), faceB = picture.At(2, 1);
    EXPECT_NE(faceA, faceB);
    COLORREF text = faceA;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x)
            if (Luminance(picture.At(x, y)) < Luminance(text))
                text = picture.At(x, y);
    for (int x = 1; x < w - 2; ++x) {
        EXPECT_GE(Contrast(picture.At(x, 1), text), 7.0) << x;
    }
    EXPECT_GE(Contrast(faceA, text), 7.0);
    EXPECT_GE(Contrast(faceB, text), 7.0);
    DestroyWindow(popup);
}

TEST_F(PopupWindowTest, DestroyPopupStopsTheOwnersHoverTimerAndClearsBoth) {
    OvkitPopupRecord record;
    HWND popup = OVKIT_CreatePopupWindow(parent_->window(), 0, "Help", 10, 10, 0, &record);
    WORD hover = 1;
    SetTimer(parent_->window(), OVKIT_HOVER_TIMER, 10, nullptr);
    OVKIT_DestroyPopup(parent_->window(), &popup, &hover);
    EXPECT_EQ(popup, nullptr);
    EXPECT_EQ(hover, 0);
    EXPECT_FALSE(KillTimer(parent_->window(), OVKIT_HOVER_TIMER)); // already stopped
    OVKIT_DestroyPopup(parent_->window(), nullptr, nullptr);       // nothing to do
}

} // namespace
