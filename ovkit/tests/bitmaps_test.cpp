#include <gtest/gtest.h>
#include "../src/bitmaps/color_depth.h"
#include "../src/bitmaps/packed_dib.h"
#include "canvas.h"
#include "ovkit/bitmaps.h"
#include "ovkit/custom_controls.h"
#include "ovkit/resources.h"
#include "ovkit/startup.h"
#include "scratch_file.h"
#include "temp_install.h"
#include "wait_until.h"
#include <set>
#include <string>
#include <vector>

using ovkittest::Canvas;
using ovkittest::PaintedBitmap;

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

HINSTANCE Self() {
    return GetModuleHandleA(nullptr);
}

bool IsBitmap(HBITMAP b) {
    BITMAP info;
    return GetObjectA(b, sizeof info, &info) == sizeof info;
}

// The library's state (icons, pattern) for tests that draw with it.
class LibraryBitmaps : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(OvkitProcessAttach(Self())); }
    void TearDown() override {
        OvkitOverrideScreen(0, -1);
        OvkitProcessDetach();
    }
};

HWND Popup(int w = 100, int h = 100) {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, w, h, nullptr, nullptr, Self(),
                           nullptr);
}

} // namespace

TEST(ColorCount, ByScreenDepth) {
    const struct {
        int bits, count;
        bool more, fewer;
    } cases[] = {{1, 2, false, true},      {4, 16, false, true},      {8, 256, false, false},
                 {16, 65536, true, false}, {18, 262144, true, false}, {24, 16777216, true, false},
                 {32, -1, true, false},    {15, 0, false, false}};
    for (const auto& c : cases) {
        OvkitOverrideScreen(c.bits, 0);
        int bits = 0;
        EXPECT_EQ(OVKIT_GetNumSysColors(&bits), c.count) << c.bits;
        EXPECT_EQ(bits, c.bits);
        // Guards the 32-bit screen, whose count of -1 once read as "few colours".
        EXPECT_EQ(OvkitScreenMoreThan256(), c.more) << c.bits;
        EXPECT_EQ(OvkitScreenFewerThan256(), c.fewer) << c.bits;
    }
    OvkitOverrideScreen(32, 1);
    EXPECT_TRUE(OvkitScreenFewerThan256()) << "Force16Color";
    EXPECT_FALSE(OvkitScreenMoreThan256());
    OvkitOverrideScreen(0, -1);
}

// Guards the shared cache: one owner's release must not delete the bitmap
// another owner still draws.
TEST_F(LibraryBitmaps, CacheSharesABitmapUntilItsLastOwnerReleasesIt) {
    HWND a = Popup(), b = Popup();
    HPALETTE palette = reinterpret_cast<HPALETTE>(1);
    HBITMAP first = OVKIT_GetBitmapHandleFromCache(a, 1169, Self(), &palette);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(palette, nullptr) << "a 24-bit picture has no palette";
    EXPECT_EQ(OVKIT_GetBitmapHandleFromCache(b, 1169, Self(), nullptr), first);
    EXPECT_EQ(OVKIT_GetBitmapHandleFromCache(a, 1169, Self(), nullptr), first);
    OVKIT_DestroyDlgBmp(a, 1169, Self());
    EXPECT_TRUE(IsBitmap(first)) << "b still draws it";
    OVKIT_DestroyDlgBmp(a, 1169, Self());
    EXPECT_TRUE(IsBitmap(first)) << "a second release by a changes nothing";
    OVKIT_DestroyDlgBmp(b, 1169, Self());
    EXPECT_FALSE(IsBitmap(first));
    EXPECT_EQ(OVKIT_GetBitmapHandleFromCache(a, 4321, Self(), nullptr), nullptr);
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(LibraryBitmaps, SixteenColourScreenGetsTheStandardColours) {
    OvkitOverrideScreen(4, -1);
    HWND owner = Popup();
    HPALETTE palette = nullptr;
    HBITMAP bitmap = OVKIT_GetBitmapHandleFromCache(owner, 1169, Self(), &palette);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[17];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 17, entries), 16u);
    EXPECT_EQ(entries[9].peRed, 0xFF);
    EXPECT_EQ(entries[9].peGreen, 0);
    std::set<COLORREF> standard;
    for (const RGBQUAD& q : kStandardColors)
        standard.insert(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    Canvas canvas(16, 16);
    OVKIT_DrawBitmap(canvas.dc(), 0, 0, 16, 16, 0, 0, bitmap, SRCCOPY);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(standard.count(canvas.At(x, y)), 1u) << x << "," << y;
    OVKIT_DestroyDlgBmp(owner, 1169, Self());
    DestroyWindow(owner);
}

TEST(Reduce16, ErrorIsCarriedAlongTheRow) {
    // A 4 x 3 grey picture: 200 maps to light grey, and the carried error
    // (damped) pulls the third pixel down to grey.
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + DibRowBytes(4, 24) * 3, 200);
    BITMAPINFOHEADER* h = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    *h = BITMAPINFOHEADER{sizeof *h, 4, 3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> out = DibReduceTo16Colors(h);
    ASSERT_FALSE(out.empty());
    const BITMAPINFOHEADER* o = reinterpret_cast<const BITMAPINFOHEADER*>(out.data());
    EXPECT_EQ(o->biBitCount, 4);
    const BYTE* row = DibBits(o);
    EXPECT_EQ(row[0], 0x77);
    EXPECT_EQ(row[1] >> 4, 8);
    h->biWidth = 2;
    EXPECT_TRUE(DibReduceTo16Colors(h).empty()) << "under 3 x 3 pixels";
}

TEST(BitmapDrawing, TransparentKeyShowsTheBackground) {
    HBITMAP picture = PaintedBitmap(4, 4, [](int x, int) { return x < 2 ? kMagenta : kBlue; });
    Canvas canvas(8, 8);
    canvas.Fill(kGreen);
    EXPECT_TRUE(
        OVKIT_DrawTransparentBitmap(canvas.dc(), picture, nullptr, 2, 2, 0, 0, 4, 4, kMagenta));
    EXPECT_EQ(canvas.At(2, 3), kGreen);
    EXPECT_EQ(canvas.At(5, 3), kBlue);
    EXPECT_EQ(canvas.At(7, 7), kGreen);
    DeleteObject(picture);
}

TEST(BitmapDrawing, SubliminalPaintsTheBrushWhereThePictureIsWhite) {
    HBITMAP picture =
        PaintedBitmap(4, 4, [](int x, int) { return x < 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); });
    Canvas canvas(4, 4);
    canvas.Fill(kBlue);
    HBRUSH red = CreateSolidBrush(kRed);
    EXPECT_TRUE(
        OVKIT_DrawSubliminal(canvas.dc(), canvas.dc(), 0, 0, 0, 0, 4, 4, picture, nullptr, red));
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(3, 3), kBlue);
    DeleteObject(red);
    DeleteObject(picture);
}

TEST(BitmapDrawing, OffScreenBitmapIsInColour) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = nullptr;
    HDC work = OVKIT_GetCompatibleBitmap(screen, 10, 5, &old);
    ASSERT_NE(work, nullptr);
    BITMAP info;
    GetObjectA(GetCurrentObject(work, OBJ_BITMAP), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
    HBITMAP none = nullptr;
    OVKIT_DeleteBitmapAndHDC(&work, &none, &old);
    EXPECT_EQ(work, nullptr);
    EXPECT_EQ(old, nullptr);
    ReleaseDC(nullptr, screen);
}

TEST(BitmapDrawing, LoadsABmpFileWithItsPalette) {
    // A 4 x 4 picture of 8 bits with a two-colour table.
    std::string file(14 + 40 + 8 + 16, '\0');
    BITMAPFILEHEADER* head = reinterpret_cast<BITMAPFILEHEADER*>(&file[0]);
    head->bfType = 0x4D42;
    head->bfSize = static_cast<DWORD>(file.size());
    head->bfOffBits = 14 + 40 + 8;
    BITMAPINFOHEADER* info = reinterpret_cast<BITMAPINFOHEADER*>(&file[14]);
    *info = BITMAPINFOHEADER{40, 4, 4, 1, 8, BI_RGB, 16, 0, 0, 2, 2};
    file[54 + 2] = '\xFF'; // colour 0 red
    file[58 + 0] = '\xFF'; // colour 1 blue
    file[62 + 3] = 1;
    ovkittest::ScratchFile scratch;
    ASSERT_TRUE(ovtest::WriteFileBytes(scratch.Path(), file));
    HPALETTE palette = nullptr;
    HBITMAP bitmap = OVKIT_Load256ColorBitmap(scratch.Path(), &palette);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_NE(palette, nullptr);
    Canvas canvas(4, 4);
    OVKIT_DrawBitmap(canvas.dc(), 0, 0, 4, 4, 0, 0, bitmap, SRCCOPY);
    EXPECT_EQ(canvas.At(0, 3), kRed);
    EXPECT_EQ(canvas.At(3, 3), kBlue) << "bottom-up rows";
    DeleteObject(bitmap);
    DeleteObject(palette);
    EXPECT_EQ(OVKIT_Load256ColorBitmap("c:\\nowhere\\none.bmp", nullptr), nullptr);
    ASSERT_TRUE(ovtest::WriteFileBytes(scratch.Path(), file.substr(0, 60)));
    EXPECT_EQ(OVKIT_Load256ColorBitmap(scratch.Path(), nullptr), nullptr) << "cut short";
}

TEST_F(LibraryBitmaps, StaticBitmapsTableOfTwentyAndTheirPainting) {
    HWND parent = Popup(400, 400);
    std::vector<HWND> statics;
    for (int i = 0; i < 21; ++i)
        statics.push_back(CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BITMAP, 0, 0, 8, 4, parent,
                                          nullptr, Self(), nullptr));
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(OVKIT_SubclassStaticBitmap(statics[i])) << i;
    EXPECT_FALSE(OVKIT_SubclassStaticBitmap(statics[20]));
    DestroyWindow(statics[3]);
    EXPECT_TRUE(OVKIT_SubclassStaticBitmap(statics[20])) << "the freed entry is reused";
    EXPECT_NE(OVKIT_GetSubclassedWndProc(statics[20]), nullptr);

    HWND shown = statics[0];
    HBITMAP picture = PaintedBitmap(8, 4, [](int x, int) { return x < 4 ? kMagenta : kBlue; });
    SendMessageA(shown, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    RECT client;
    GetClientRect(shown, &client);
    Canvas canvas(8, 4);
    SendMessageA(shown, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNFACE)) << "magenta shows the button face";
    EXPECT_EQ(canvas.At(6, 1), kBlue);

    SendMessageA(shown, WM_RBUTTONUP, 0, 0);
    MSG msg;
    EXPECT_TRUE(ovtest::WaitUntil(
        [&] { return PeekMessageA(&msg, parent, 6029, 6029, PM_REMOVE) != FALSE; }));
    EXPECT_EQ(reinterpret_cast<HWND>(msg.wParam), shown);

    OVKIT_UnsubclassWindow(shown);
    EXPECT_EQ(OVKIT_GetSubclassDataPtr(shown), nullptr);
    DestroyWindow(parent);
    DeleteObject(picture);
}

TEST_F(LibraryBitmaps, CustomButtonsAreDrawnAsIconOverCaption) {
    HWND parent = Popup(400, 400);
    std::vector<HWND> buttons;
    for (int i = 0; i < 51; ++i)
        buttons.push_back(CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW, 0, 0, 60, 60,
                                          parent, nullptr, Self(), nullptr));
    for (int i = 0; i < 50; ++i)
        ASSERT_NE(OVKIT_CreateCustomButton(buttons[i], 105, Self()), nullptr) << i;
    EXPECT_EQ(OVKIT_CreateCustomButton(buttons[50], 105, Self()), nullptr);
    EXPECT_EQ(OVKIT_GetButtonInfoPtr(buttons[50]), nullptr);

    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.rcItem = {0, 0, 60, 60};
    Canvas unentered(60, 60);
    item.hwndItem = buttons[50];
    item.hDC = unentered.dc();
    OVKIT_DrawCustomButton(&item, nullptr);
    EXPECT_EQ(unentered.Count(RGB(255, 255, 255)), 3600) << "drawn by nobody";

    // An empty caption centres the icon vertically: find the icon's rows.
    Canvas canvas(60, 60);
    item.hwndItem = buttons[0];
    item.hDC = canvas.dc();
    OVKIT_DrawCustomButton(&item, nullptr);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0)) << "black frame";
    int top = 60, bottom = -1;
    for (int y = 4; y < 56; ++y)
        for (int x = 4; x < 56; ++x)
            if (canvas.At(x, y) != GetSysColor(COLOR_BTNFACE)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(top - 14, 45 - bottom) << "icon rows " << top << ".." << bottom;

    Canvas pressed(60, 60);
    item.hDC = pressed.dc();
    OVKIT_DrawCustomButton(&item, buttons[0]);
    EXPECT_NE(pressed.At(1, 1), canvas.At(1, 1)) << "the bevel sinks";

    OVKIT_DestroyCustomButton(buttons[0]);
    EXPECT_EQ(OVKIT_GetButtonInfoPtr(buttons[0]), nullptr);
    DestroyWindow(parent);
}

TEST_F(LibraryBitmaps, PrepareKarstFramesTheBitmap) {
    HWND dialog = Popup(200, 200);
    HWND item = CreateWindowExA(0, "STATIC", "", WS_CHILD, 10, 10, 50, 30, dialog,
                                reinterpret_cast<HMENU>(5), Self(), nullptr);
    HBITMAP small = PaintedBitmap(20, 100, [](int, int) { return kRed; });
    OVKIT_PrepareKarst(dialog, 5, small);
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.right - r.left, 22);
    EXPECT_EQ(r.bottom - r.top, 30) << "clipped to the old height";
    EXPECT_EQ(r.left, 10 + (50 - 22) / 2);
    DeleteObject(small);
    DestroyWindow(dialog);
}

TEST_F(LibraryBitmaps, FancyBitmapIsStretchedAndReleasedWithItsControl) {
    HWND parent = Popup(100, 100);
    HWND control =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 32, 32, parent, nullptr, Self(), nullptr);
    ASSERT_TRUE(OVKIT_SubclassFancyBitmap(control, 1169, Self()));
    HBITMAP picture = OVKIT_GetBitmapHandleFromCache(control, 1169, Self(), nullptr);
    ASSERT_NE(picture, nullptr);
    Canvas source(16, 16), stretched(32, 32);
    OVKIT_DrawBitmap(source.dc(), 0, 0, 16, 16, 0, 0, picture, SRCCOPY);
    ASSERT_TRUE(OVKIT_Stretch256ColorBitmap(control, stretched.dc(), 1169, Self()));
    EXPECT_EQ(stretched.At(31, 31), source.At(15, 15));
    EXPECT_EQ(stretched.At(0, 1), source.At(0, 0));
    DestroyWindow(control);
    EXPECT_FALSE(IsBitmap(picture)) << "the control was its only owner";
    DestroyWindow(parent);
}
