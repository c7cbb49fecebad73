// The plug-in's imaging wrappers over small GIF and JPEG fixtures made by
// the library itself, and their clean failure without the library.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

#include "imaging/vic32_wrappers.h"
#include "startup/plugin_state.h"
#include "msgbox_watcher.h"
#include "temp_install.h"

namespace {

const int kWidth = 8, kHeight = 6;

// An 8 x 6 picture: the left half red, the right half blue.
void Paint(VicImage* image) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            BYTE* p = image->pixels + y * image->stride + x * 3;
            p[0] = x < kWidth / 2 ? 0 : 255, p[1] = 0, p[2] = x < kWidth / 2 ? 255 : 0;
        }
}

bool Near(const BYTE* bgr, int blue, int green, int red, int tolerance) {
    return abs(bgr[0] - blue) <= tolerance && abs(bgr[1] - green) <= tolerance &&
           abs(bgr[2] - red) <= tolerance;
}

class ImagingWrappers : public ::testing::Test {
  protected:
    void SetUp() override {
        ovimaging::SetLibraryName("VIC32.DLL");
        // The fixtures are written through the library's own encoders.
        HMODULE vic = LoadLibraryA("VIC32.DLL");
        ASSERT_TRUE(vic);
        auto gif = reinterpret_cast<decltype(&savegif)>(GetProcAddress(vic, "savegif"));
        auto jpg = reinterpret_cast<decltype(&savejpg)>(GetProcAddress(vic, "savejpg"));
        ASSERT_EQ(ovimaging::allocimage(&picture_, kWidth, kHeight, 24), VIC_OK);
        Paint(&picture_);
        ASSERT_EQ(gif(gif_.c_str(), &picture_), VIC_OK);
        ASSERT_EQ(jpg(jpeg_.c_str(), &picture_, 95), VIC_OK);
        FreeLibrary(vic);
        ASSERT_EQ(ovimaging::allocimage(&loaded_, kWidth, kHeight, 24), VIC_OK);
        ASSERT_EQ(ovimaging::allocimage(&grey_, kWidth, kHeight, 8), VIC_OK);
    }
    void TearDown() override {
        ovimaging::freeimage(&picture_);
        ovimaging::freeimage(&loaded_);
        ovimaging::freeimage(&grey_);
        ovimaging::SetLibraryName("VIC32.DLL");
        ovimaging::ReleaseLibrary();
    }

    struct Case {
        const char* name;
        std::function<int()> call;
        int expected; // with the library
    };
    std::vector<Case> Cases() {
        return {
            {"gifinfo", [this] { return ovimaging::gifinfo(gif_.c_str(), &info_); }, VIC_OK},
            {"jpeginfo", [this] { return ovimaging::jpeginfo(jpeg_.c_str(), &info_); }, VIC_OK},
            {"jpeginfo of a GIF", [this] { return ovimaging::jpeginfo(gif_.c_str(), &info_); },
             VIC_ERR_FORMAT},
            {"loadgif", [this] { return ovimaging::loadgif(gif_.c_str(), &loaded_); }, VIC_OK},
            {"loadjpg", [this] { return ovimaging::loadjpg(jpeg_.c_str(), &loaded_); }, VIC_OK},
            {"loadjpg of a missing file",
             [this] { return ovimaging::loadjpg((root_.Root() + "none.jpg").c_str(), &loaded_); },
             VIC_ERR_OPEN},
            {"loadgifpalette",
             [this] {
                 // The count of colours on success.
                 int colours = ovimaging::loadgifpalette(gif_.c_str(), palette_);
                 return colours > 0 ? VIC_OK : colours;
             },
             VIC_OK},
            {"copyimage", [this] { return ovimaging::copyimage(&picture_, &loaded_); }, VIC_OK},
            {"copyimage to a smaller depth",
             [this] { return ovimaging::copyimage(&picture_, &grey_); }, VIC_ERR_SIZE},
            {"imagetodib",
             [this] {
                 HGLOBAL dib = NULL;
                 int result = ovimaging::imagetodib(&picture_, &dib);
                 if (dib)
                     GlobalFree(dib);
                 return result;
             },
             VIC_OK},
            {"victowinpal",
             [this] {
                 HPALETTE palette = NULL;
                 int result = ovimaging::victowinpal(&grey_, &palette);
                 if (palette)
                     DeleteObject(palette);
                 return result;
             },
             VIC_OK},
            {"viewimage",
             [this] {
                 HDC dc = CreateCompatibleDC(NULL);
                 HBITMAP bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
                 HGDIOBJ old = SelectObject(dc, bitmap);
                 int result = ovimaging::viewimage(dc, 0, 0, kWidth, kHeight, &picture_);
                 SelectObject(dc, old);
                 DeleteObject(bitmap);
                 DeleteDC(dc);
                 return result;
             },
             VIC_OK},
            {"calchisto",
             [this] { return ovimaging::calchisto(&picture_, NULL, red_, VIC_CHANNEL_RED); },
             VIC_OK},
            {"calchistorgb",
             [this] { return ovimaging::calchistorgb(&picture_, NULL, red_, green_, blue_); },
             VIC_OK},
        };
    }

    ovtest::TempInstall root_;
    std::string gif_ = root_.Path("two.gif"), jpeg_ = root_.Path("two.jpg");
    VicImage picture_ = {}, loaded_ = {}, grey_ = {};
    BITMAPINFOHEADER info_ = {};
    RGBQUAD palette_[256] = {};
    DWORD red_[256] = {}, green_[256] = {}, blue_[256] = {};
};

TEST_F(ImagingWrappers, EachWrapperReachesTheLibrary) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.call(), c.expected);
    }
}

TEST_F(ImagingWrappers, ReadsGifAndJpegFiles) {
    ASSERT_EQ(ovimaging::gifinfo(gif_.c_str(), &info_), VIC_OK);
    EXPECT_EQ(info_.biWidth, kWidth);
    EXPECT_EQ(info_.biHeight, kHeight);
    ASSERT_EQ(ovimaging::jpeginfo(jpeg_.c_str(), &info_), VIC_OK);
    EXPECT_EQ(info_.biWidth, kWidth);
    EXPECT_EQ(info_.biHeight, kHeight);
    EXPECT_EQ(info_.biBitCount, 24);

    // A GIF keeps its two colours exactly; a JPEG comes back near them.
    ASSERT_EQ(ovimaging::loadgif(gif_.c_str(), &loaded_), VIC_OK);
    EXPECT_TRUE(Near(loaded_.pixels, 0, 0, 255, 0));
    EXPECT_TRUE(Near(loaded_.pixels + (kWidth - 1) * 3, 255, 0, 0, 0));
    ASSERT_EQ(ovimaging::loadjpg(jpeg_.c_str(), &loaded_), VIC_OK);
    EXPECT_TRUE(Near(loaded_.pixels, 0, 0, 255, 48));
    EXPECT_TRUE(Near(loaded_.pixels + 5 * loaded_.stride + (kWidth - 1) * 3, 255, 0, 0, 48));

    int colours = ovimaging::loadgifpalette(gif_.c_str(), palette_);
    ASSERT_GE(colours, 2);
    bool red = false;
    for (int i = 0; i < colours; ++i)
        red = red ||
              (palette_[i].rgbRed == 255 && palette_[i].rgbGreen == 0 && palette_[i].rgbBlue == 0);
    EXPECT_TRUE(red);
}

TEST_F(ImagingWrappers, DrawsAndCountsThePicture) {
    // Stretched to twice its size into a 24-bit DIB section.
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof bmi.bmiHeader, 2 * kWidth, -2 * kHeight, 1, 24, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    ASSERT_TRUE(bitmap);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(ovimaging::viewimage(dc, 0, 0, 2 * kWidth, 2 * kHeight, &picture_), VIC_OK);
    GdiFlush();
    const int stride = (2 * kWidth * 3 + 3) & ~3;
    const BYTE* row = (const BYTE*)bits + 11 * stride;
    EXPECT_TRUE(Near(row + 7 * 3, 0, 0, 255, 0));
    EXPECT_TRUE(Near(row + 8 * 3, 255, 0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    ASSERT_EQ(ovimaging::calchistorgb(&picture_, NULL, red_, green_, blue_), VIC_OK);
    EXPECT_EQ(red_[255], 24u);
    EXPECT_EQ(red_[0], 24u);
    EXPECT_EQ(green_[0], 48u);
    RECT left = {0, 0, kWidth / 2, kHeight};
    ASSERT_EQ(ovimaging::calchisto(&picture_, &left, blue_, VIC_CHANNEL_BLUE), VIC_OK);
    EXPECT_EQ(blue_[0], 24u);
    EXPECT_EQ(blue_[255], 0u);

    HGLOBAL dib = NULL;
    ASSERT_EQ(ovimaging::imagetodib(&picture_, &dib), VIC_OK);
    const BITMAPINFOHEADER* head = (const BITMAPINFOHEADER*)GlobalLock(dib);
    EXPECT_EQ(head->biWidth, kWidth);
    EXPECT_EQ(head->biHeight, kHeight);
    EXPECT_TRUE(Near((const BYTE*)(head + 1), 0, 0, 255, 0));
    GlobalUnlock(dib);
    GlobalFree(dib);
}

// Without the library every wrapper answers -4, freeimage does nothing,
// nothing is shown, and the library is found once it is there again.
TEST_F(ImagingWrappers, WithoutTheLibraryEveryWrapperFailsCleanly) {
    ovtest::MsgBoxWatcher boxes;
    ovimaging::SetLibraryName("NOVIC32.DLL");
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.call(), VIC_ERR_MISSING);
    }
    VicImage untouched = picture_;
    ovimaging::freeimage(&untouched);
    EXPECT_EQ(untouched.pixels, picture_.pixels);
    EXPECT_EQ(boxes.Count(), 0u);

    ovimaging::SetLibraryName("VIC32.DLL");
    EXPECT_EQ(ovimaging::gifinfo(gif_.c_str(), &info_), VIC_OK);
}

} // namespace

namespace {

// Guards against the library being left to a static destructor: the
// plug-in's shut-down frees it.
TEST_F(ImagingWrappers, ThePluginsShutDownFreesTheLibrary) {
    ovimaging::ReleaseLibrary();
    if (GetModuleHandleA("VIC32.DLL"))
        GTEST_SKIP() << "another part of this process holds VIC32.DLL";
    ASSERT_EQ(ovimaging::gifinfo(gif_.c_str(), &info_), VIC_OK);
    EXPECT_NE(GetModuleHandleA("VIC32.DLL"), nullptr);
    ShutDownPlugin();
    EXPECT_EQ(GetModuleHandleA("VIC32.DLL"), nullptr);
}

} // namespace
