// The imaging library by name, as the engine binds it: BMP files in, GIF
// and JPEG files out, and its refusals. The files also go to OV_GRAPH_OUT,
// where the CTest that follows decodes them on the host and compares them
// with their BMP (exact-*.gif must match it pixel for pixel).
#include <gtest/gtest.h>

#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

#include "temp_install.h"
#include "vic32.h"

namespace {

struct Vic {
    HMODULE module = LoadLibraryA("VIC32.DLL");
    template <typename Fn> Fn At(const char* name) {
        return reinterpret_cast<Fn>(GetProcAddress(module, name));
    }
    decltype(&bmpinfo) info = At<decltype(&bmpinfo)>("bmpinfo");
    decltype(&allocimage) alloc = At<decltype(&allocimage)>("allocimage");
    decltype(&loadbmp) load = At<decltype(&loadbmp)>("loadbmp");
    decltype(&savegif) gif = At<decltype(&savegif)>("savegif");
    decltype(&savejpg) jpg = At<decltype(&savejpg)>("savejpg");
    decltype(&freeimage) release = At<decltype(&freeimage)>("freeimage");
    ~Vic() {
        if (module)
            FreeLibrary(module);
    }
};

std::string OutFolder() {
    std::string folder = ovtest::EnvironmentFolder("OV_GRAPH_OUT");
    return folder.empty() ? ".\\" : folder;
}

// A bottom-up 24-bit BMP (or 8-bit with a grey palette: colour's low byte).
bool WriteBmp(const std::string& path, int w, int h, int bits,
              const std::function<DWORD(int, int)>& colour, DWORD compression = BI_RGB) {
    int palette = bits == 8 ? 256 : 0;
    DWORD stride = ((DWORD)w * bits / 8 + 3) & ~3u;
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + palette * 4 +
                           stride * h);
    auto* head = (BITMAPFILEHEADER*)file.data();
    auto* info = (BITMAPINFOHEADER*)(file.data() + sizeof(BITMAPFILEHEADER));
    head->bfType = 0x4D42;
    head->bfOffBits = (DWORD)(file.size() - stride * h);
    head->bfSize = (DWORD)file.size();
    *info = {sizeof(BITMAPINFOHEADER), w, h, 1, (WORD)bits, compression};
    RGBQUAD* quads = (RGBQUAD*)(info + 1);
    for (int i = 0; i < palette; ++i)
        quads[i] = {(BYTE)i, (BYTE)(255 - i), (BYTE)(i / 2), 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = file.data() + head->bfOffBits + stride * (h - 1 - y) + x * bits / 8;
            DWORD c = colour(x, y);
            if (bits == 8)
                p[0] = (BYTE)c;
            else
                p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    return ovtest::WriteFileBytes(path, std::string(file.begin(), file.end()));
}

struct ImageCase {
    const char* name;
    int width, height, bits;
    std::function<DWORD(int, int)> colour;
};

TEST(Vic32, ConvertsBitmapsToGifAndJpegFiles) {
    Vic v;
    ASSERT_NE(v.module, nullptr);
    ASSERT_TRUE(v.info && v.alloc && v.load && v.gif && v.jpg && v.release);
    const COLORREF stripes[] = {RGB(255, 255, 255), RGB(78, 121, 167), RGB(242, 142, 43),
                                RGB(20, 20, 20), RGB(89, 161, 79)};
    const ImageCase cases[] = {
        // Few colours: the GIF keeps them exactly (odd width: padded rows).
        {"exact-stripes", 97, 41, 24, [&](int x, int y) { return stripes[(x / 24 + y / 12) % 5]; }},
        // More than 256 colours: the most used, the rest the nearest.
        {"gradient", 256, 160, 24, [](int x, int y) { return RGB(x, y, (x + y) / 2); }},
        // A palette file: every index of it.
        {"exact-palette", 64, 33, 8, [](int x, int y) { return (DWORD)((x * 4 + y) & 0xFF); }},
        // One pixel.
        {"exact-dot", 1, 1, 24, [](int, int) { return RGB(200, 10, 10); }},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string base = OutFolder() + c.name;
        ASSERT_TRUE(WriteBmp(base + ".bmp", c.width, c.height, c.bits, c.colour));
        BITMAPINFOHEADER info = {};
        ASSERT_EQ(v.info((base + ".bmp").c_str(), &info), VIC_OK);
        EXPECT_EQ(info.biWidth, c.width);
        EXPECT_EQ(info.biHeight, c.height);
        EXPECT_EQ(info.biBitCount, c.bits);
        VicImage image;
        ASSERT_EQ(v.alloc(&image, c.width, c.height, 24), VIC_OK);
        ASSERT_EQ(v.load((base + ".bmp").c_str(), &image), VIC_OK);
        EXPECT_EQ(v.gif((base + ".gif").c_str(), &image), VIC_OK);
        EXPECT_EQ(v.jpg((base + ".jpg").c_str(), &image, 50), VIC_OK);
        v.release(&image);
        EXPECT_EQ(image.pixels, nullptr);
        v.release(&image); // twice is harmless
    }
}

TEST(Vic32, RefusesWhatItCannotReadOrWrite) {
    Vic v;
    ASSERT_NE(v.module, nullptr);
    std::string folder = OutFolder();
    std::string text = folder + "not-a-bitmap.bmp", rle = folder + "rle.bmp",
                good = folder + "small.bmp";
    ASSERT_TRUE(ovtest::WriteFileBytes(text, "hello, this is text"));
    ASSERT_TRUE(WriteBmp(
        rle, 8, 8, 8, [](int, int) { return 1u; }, BI_RLE8));
    ASSERT_TRUE(WriteBmp(good, 8, 8, 24, [](int, int) { return 0u; }));
    BITMAPINFOHEADER info;
    EXPECT_EQ(v.info((folder + "missing.bmp").c_str(), &info), VIC_ERR_OPEN);
    EXPECT_EQ(v.info(text.c_str(), &info), VIC_ERR_FORMAT);
    EXPECT_EQ(v.info(rle.c_str(), &info), VIC_ERR_FORMAT);
    EXPECT_EQ(v.info(good.c_str(), nullptr), VIC_ERR_ARGUMENT);

    VicImage image;
    EXPECT_EQ(v.alloc(&image, 0, 8, 24), VIC_ERR_SIZE);
    EXPECT_EQ(v.alloc(&image, 8, 8, 16), VIC_ERR_SIZE);
    EXPECT_EQ(v.alloc(&image, VIC_MAX_EDGE + 1, 8, 24), VIC_ERR_SIZE);
    ASSERT_EQ(v.alloc(&image, 9, 8, 24), VIC_OK);
    EXPECT_EQ(v.load(good.c_str(), &image), VIC_ERR_SIZE); // not the file's size
    EXPECT_EQ(v.gif((folder + "no-such-folder\\x.gif").c_str(), &image), VIC_ERR_OPEN);
    EXPECT_EQ(v.jpg((folder + "no-such-folder\\x.jpg").c_str(), &image, 50), VIC_ERR_OPEN);
    EXPECT_EQ(v.gif(nullptr, &image), VIC_ERR_ARGUMENT);
    v.release(&image);
    EXPECT_EQ(v.gif((folder + "x.gif").c_str(), &image), VIC_ERR_ARGUMENT); // freed
    for (const std::string& path : {text, rle, good})
        DeleteFileA(path.c_str());
}

} // namespace
