#include <gtest/gtest.h>

#include "bandolet/bandolet.h"
#include "options.h"

using namespace bandolet;

namespace {
constexpr Display kTrueColour = {true, false};
constexpr Display k256 = {false, false};
constexpr Display k16 = {false, true};
} // namespace

TEST(ToolbarOptions, NormalisesInItsOrder) {
    struct Case {
        const char* what;
        DWORD in;
        Display display;
        DWORD out;
    } cases[] = {
        {"defaults kept", 0x54E, kTrueColour, 0x54E},
        {"both sizes: small dropped", 0x3, kTrueColour, 0x2},
        {"nothing to show: large", 0x8, kTrueColour, 0xA},
        {"small: no highlight", 0x81 | 0x4, kTrueColour, 0x5},
        {"256 colours: no watermark", 0x54E, k256, 0x50E},
        {"16 colours: no small, highlight or watermark", 0x5 | 0xC0, k16, 0x4},
        {"16 colours, small only: large instead", 0x1, k16, 0x2},
        {"no large: no shadows", 0x104, kTrueColour, 0x4},
        {"high bits kept", 0x80000802, kTrueColour, 0x80000802},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.out, NormaliseOptions(c.in, c.display));
    }
}

TEST(ToolbarOptions, CommandsToggleAndApplyTheirOwnOrder) {
    struct Case {
        const char* what;
        DWORD old;
        UINT command;
        DWORD out;
    } cases[] = {
        {"small chosen: large dropped, shadows go", 0x54E, 19000, 0x44D},
        {"large chosen back: small dropped", 0x44D, 19001, 0x44E},
        {"large off, no small, no text: text on", 0x0A, 19001, 0x0C},
        {"text off on a text-only bar: large", 0x04, 19002, 0x02},
        {"text preset", 0x7FF, 19012, 0x404},
        {"restore defaults", 0x2B1 | 0x80000000, 19013, 0x8000054E},
        {"frame toggled", 0x54E, 19005, 0x55E},
        {"highlight refused with small", 0x45, 19008, 0x45},
        {"not an option command", 0x54E, 19015, 0x54E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.out, ApplyOptionCommand(c.old, c.command, kTrueColour));
    }
}

// A colour count of -1 at 32 bits per pixel turned the watermark off.
TEST(ToolbarOptions, ThisDisplayCountsAsMoreThan256Colours) {
    HDC dc = GetDC(nullptr);
    int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(nullptr, dc);
    if (bits < 16)
        GTEST_SKIP() << "display of " << bits << " bits";
    EXPECT_TRUE(CurrentDisplay().more256);
    EXPECT_FALSE(CurrentDisplay().few16);
}
