#include "control_fixture.h"
#include "ovkit/slider.h"

using ovtest::ClientPicture;
using ovtest::PostMouse;

namespace {

const int kWidth = 110;
const int kHeight = 24;

class SliderTest : public ovtest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        slider_ = OVKIT_CreateSliderControl(parent_->window(), 10, 10, kWidth, kHeight, "Realtime");
        ASSERT_NE(slider_, nullptr);
    }
    int Value() { return static_cast<int>(SendMessageA(slider_, OVKIT_SLIDER_GETVALUE, 0, 0)); }
    // The thumb's left edge: the first black column of the top row (the
    // track starts 4 pixels lower).
    int ThumbLeft() {
        ClientPicture picture(slider_);
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.At(x, 1) == RGB(0, 0, 0))
                return x;
        }
        return -1;
    }
    void Drag(int from, int to) {
        PostMouse(slider_, WM_LBUTTONDOWN, from, 8);
        PostMouse(slider_, WM_MOUSEMOVE, (from + to) / 2, 8);
        PostMouse(slider_, WM_MOUSEMOVE, to, 8);
        PostMouse(slider_, WM_LBUTTONUP, to, 8);
        ovtest::PumpMessages();
    }
    HWND slider_ = nullptr;
};

TEST_F(SliderTest, StoredValuePlacesTheThumb) {
    const struct {
        int value;
        int thumbLeft;
    } cases[] = {
        {50, 50},           // (110 - 10) x 50 / 100
        {1, 0},             // 1 is the left edge
        {100, kWidth - 10}, // the highest position
        {250, kWidth - 10}, // stored as given, drawn at the highest position
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        SendMessageA(slider_, OVKIT_SLIDER_SETVALUE, c.value, 0);
        EXPECT_EQ(Value(), c.value);
        EXPECT_EQ(ThumbLeft(), c.thumbLeft);
    }
}

TEST_F(SliderTest, DraggingSetsTheValueFromOneToHundred) {
    const struct {
        int from, to, value;
    } cases[] = {
        {50, -30, 1},   // far left
        {50, 500, 100}, // far right
        {20, 60, 55},   // thumb centred under x 60: left edge 55
        {80, 80, 75},   // a click beside the thumb moves it under the cursor
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        SendMessageA(slider_, OVKIT_SLIDER_SETVALUE, 50, 0);
        Drag(c.from, c.to);
        EXPECT_EQ(Value(), c.value);
    }
}

// Guards: the drag loop waited only for the button to come up, so a lost
// capture or a cancelled mode left the slider following the mouse, with the
// cursor still confined.
TEST_F(SliderTest, DragEndsOnCancelModeAndFreesTheCursor) {
    RECT before;
    GetClipCursor(&before);
    const UINT enders[] = {WM_CANCELMODE, WM_CAPTURECHANGED};
    for (UINT ender : enders) {
        SCOPED_TRACE(ender);
        SendMessageA(slider_, OVKIT_SLIDER_SETVALUE, 50, 0);
        PostMouse(slider_, WM_LBUTTONDOWN, 55, 8);
        PostMessageA(slider_, ender, 0, 0);
        PostMouse(slider_, WM_MOUSEMOVE, 0, 8);
        PostMouse(slider_, WM_LBUTTONUP, 0, 8);
        ovtest::PumpMessages();
        EXPECT_EQ(Value(), 50);
        RECT after;
        GetClipCursor(&after);
        EXPECT_TRUE(EqualRect(&before, &after));
    }
}

TEST_F(SliderTest, DrawsTrackTicksAndValueSplit) {
    SendMessageA(slider_, OVKIT_SLIDER_SETVALUE, 50, 0); // thumb from 50 to 59
    ClientPicture picture(slider_);
    // Track from x 5 to 105, y 4 to 18; ticks every 8 pixels below it.
    EXPECT_EQ(picture.At(5, 4), RGB(0, 0, 0));
    EXPECT_EQ(picture.At(104, 17), RGB(0, 0, 0));
    EXPECT_EQ(picture.At(5 + 8, kHeight - 3), ovtest::Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(picture.At(5 + 8 + 1, kHeight - 3), ovtest::Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(picture.At(5 + 12, kHeight - 3), ovtest::Sys(COLOR_BTNFACE));
    // Inside the track: highlight up to the value's share, button face after.
    SendMessageA(slider_, OVKIT_SLIDER_SETVALUE, 60, 0);
    ClientPicture split(slider_);
    EXPECT_EQ(split.At(20, 6), ovtest::Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(split.At(90, 6), ovtest::Sys(COLOR_BTNFACE));
}

TEST_F(SliderTest, DestroyFreesTheFont) {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(slider_, WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    DestroyWindow(slider_);
    EXPECT_FALSE(IsWindow(slider_));
    EXPECT_EQ(GetObjectType(font), 0u); // the handle no longer names a font
    EXPECT_EQ(OVKIT_CreateSliderControl(reinterpret_cast<HWND>(0x1234), 0, 0, 10, 10, "x"),
              nullptr);
}

} // namespace
