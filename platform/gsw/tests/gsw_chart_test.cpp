// The charting library through its ordinals, as the engine binds it: every
// chart kind flat and in 3D, the bitmap and metafile exports, and refusals.
// The pictures also go to OV_GRAPH_OUT, where the CTest that follows decodes
// them on the host.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "gsw.h"
#include "temp_install.h"

namespace {

struct Gsw {
    HMODULE module = LoadLibraryA("GSWDLL32.dll");
    template <typename Fn> Fn At(WORD ordinal) {
        return reinterpret_cast<Fn>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
    }
    decltype(&GswOpenGraph) open = At<decltype(&GswOpenGraph)>(GSW_ORDINAL_OPEN_GRAPH);
    decltype(&GswCloseGraph) close = At<decltype(&GswCloseGraph)>(GSW_ORDINAL_CLOSE_GRAPH);
    decltype(&GswExport) exportTo = At<decltype(&GswExport)>(GSW_ORDINAL_EXPORT);
    decltype(&GswReset) reset = At<decltype(&GswReset)>(GSW_ORDINAL_RESET);
    decltype(&GswSetData) data = At<decltype(&GswSetData)>(GSW_ORDINAL_SET_DATA);
    decltype(&GswSetLabels) labels = At<decltype(&GswSetLabels)>(GSW_ORDINAL_SET_LABELS);
    decltype(&GswSetLegend) legend = At<decltype(&GswSetLegend)>(GSW_ORDINAL_SET_LEGEND);
    decltype(&GswSetTitle) title = At<decltype(&GswSetTitle)>(GSW_ORDINAL_SET_TITLE);
    decltype(&GswSetXTitle) xTitle = At<decltype(&GswSetXTitle)>(GSW_ORDINAL_SET_X_TITLE);
    decltype(&GswSetYTitle) yTitle = At<decltype(&GswSetYTitle)>(GSW_ORDINAL_SET_Y_TITLE);
    decltype(&GswSetStyle) style = At<decltype(&GswSetStyle)>(GSW_ORDINAL_SET_STYLE);
    ~Gsw() {
        if (module)
            FreeLibrary(module);
    }
};

std::string OutFolder() {
    std::string folder = ovtest::EnvironmentFolder("OV_GRAPH_OUT");
    return folder.empty() ? ".\\" : folder;
}

// A 24-bit BMP file's pixels as 0x00RRGGBB, rows top-down; empty when the
// file is not one.
struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    size_t Count(DWORD rgb) const {
        size_t n = 0;
        for (DWORD p : pixels)
            n += p == rgb;
        return n;
    }
    size_t NotWhite() const { return pixels.size() - Count(0xFFFFFF); }
};

Picture ReadBmp(const std::string& path) {
    Picture p;
    std::string file = ovtest::ReadFileBytes(path);
    std::vector<BYTE> bytes(file.begin(), file.end());
    size_t got = bytes.size();
    if (got < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B')
        return p;
    auto* info = (BITMAPINFOHEADER*)(bytes.data() + sizeof(BITMAPFILEHEADER));
    auto* head = (BITMAPFILEHEADER*)bytes.data();
    if (info->biBitCount != 24 || info->biHeight <= 0)
        return p;
    p.width = info->biWidth, p.height = info->biHeight;
    DWORD stride = ((DWORD)p.width * 3 + 3) & ~3u;
    if (head->bfOffBits + stride * p.height > got)
        return Picture();
    for (int y = p.height - 1; y >= 0; --y) {
        const BYTE* row = bytes.data() + head->bfOffBits + stride * y;
        for (int x = 0; x < p.width; ++x)
            p.pixels.push_back((DWORD)row[3 * x + 2] << 16 | (DWORD)row[3 * x + 1] << 8 |
                               row[3 * x]);
    }
    return p;
}

struct KindCase {
    const char* name;
    int style, flags;
    bool pie;
};

const KindCase kKinds[] = {
    {"bars-3d", GSW_STYLE_BAR_3D, 0x0008, false},
    {"bars", GSW_STYLE_BAR, 0x0008, false},
    {"stacked-bars", GSW_STYLE_BAR, 0x2008, false},
    {"z-bars-3d", GSW_STYLE_BAR_3D, 0x0408, false},
    {"pie-3d", GSW_STYLE_PIE_3D, 0x9800, true},
    {"pie", GSW_STYLE_PIE, 0x9800, true},
    {"area-3d", GSW_STYLE_AREA_3D, 0x000C, false},
    {"area", GSW_STYLE_AREA, 0x000C, false},
    {"line-3d", GSW_STYLE_LINE_3D, 0x000C, false},
    {"line", GSW_STYLE_LINE, 0x200C, false},
    {"side-bars-3d", GSW_STYLE_BAR_3D, 0x0A08, false},
    {"side-stacked-bars", GSW_STYLE_BAR, 0x2A08, false},
};

const DWORD kSeries = 0x3060C0; // the colour the charts are asked for

// Describes a chart of twelve points with long labels (open already).
void Describe(Gsw& g, const KindCase& k) {
    const char* labels[12] = {"1. /index.html",
                              "2. /products/coffee.html",
                              "3. /about.html",
                              "4. /contact.html",
                              "5. /news/2024-spring.html",
                              "6. /",
                              "7. /a",
                              "8. /b",
                              "9. /c",
                              "10. /d",
                              "11. /e",
                              "12. /f"};
    double values[12] = {1200, 950, 700, 640, 500, 420, 300, 220, 150, 90, 40, 0};
    g.reset();
    g.title("Most requested pages");
    if (!k.pie)
        g.labels(12, labels);
    g.data(k.pie ? GSW_PALETTE_COLOURS : kSeries, 12, values);
    g.legend(k.pie ? 12 : 0, labels);
    g.yTitle("Hits");
    g.xTitle("Page");
    g.style(k.style, k.flags, 0);
}

TEST(GswChart, DrawsEveryKindFlatAndIn3DAsABitmap) {
    Gsw g;
    ASSERT_NE(g.module, nullptr);
    ASSERT_TRUE(g.open && g.close && g.exportTo && g.reset && g.data && g.labels && g.legend &&
                g.title && g.xTitle && g.yTitle && g.style);
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.name);
        char error[256];
        int chart = g.open(0, 0, 0, 0, 480, 288, 1000.0, 4595, 259, error);
        ASSERT_GT(chart, 0) << error;
        Describe(g, k);
        std::string path = OutFolder() + "chart-" + k.name + ".bmp";
        ASSERT_EQ(g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, GSW_EXPORT_BITMAP, 0, path.c_str()), 0);
        EXPECT_EQ(g.close(chart), 0);
        Picture p = ReadBmp(path);
        ASSERT_EQ(p.width, 480);
        ASSERT_EQ(p.height, 288);
        // Something is drawn, and not everything: a chart on white.
        EXPECT_GT(p.NotWhite(), p.pixels.size() / 20);
        EXPECT_GT(p.Count(0xFFFFFF), p.pixels.size() / 4);
        // The series is in its colour; a pie's slices take the palette.
        if (!k.pie)
            EXPECT_GT(p.Count(kSeries), 200u);
        else
            EXPECT_EQ(p.Count(kSeries), 0u);
    }
}

// The metafile holds the same drawing: played back into a bitmap it covers
// about as much as the bitmap export.
TEST(GswChart, AMetafileExportPlaysBackAsTheSameChart) {
    Gsw g;
    ASSERT_NE(g.module, nullptr);
    char error[256];
    int chart = g.open(0, 0, 0, 0, 480, 288, 1000.0, 4595, 259, error);
    ASSERT_GT(chart, 0);
    Describe(g, kKinds[0]);
    std::string wmf = OutFolder() + "chart-bars-3d.wmf", bmp = OutFolder() + "chart-check.bmp";
    ASSERT_EQ(g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, GSW_EXPORT_METAFILE, 0, wmf.c_str()), 0);
    ASSERT_EQ(g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, GSW_EXPORT_BITMAP, 0, bmp.c_str()), 0);
    g.close(chart);

    std::string file = ovtest::ReadFileBytes(wmf);
    std::vector<BYTE> bytes(file.begin(), file.end());
    UINT got = (UINT)bytes.size();
    ASSERT_GT(got, 22u);
    EXPECT_EQ(*(DWORD*)bytes.data(), 0x9AC6CDD7u); // a placeable metafile
    HMETAFILE metafile = SetMetaFileBitsEx(got - 22, bytes.data() + 22);
    ASSERT_NE(metafile, nullptr);

    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 480, -288, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 480, 288, WHITENESS);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, 480, 288, NULL);
    EXPECT_TRUE(PlayMetaFile(dc, metafile));
    GdiFlush();
    size_t played = 0, series = 0;
    for (int i = 0; i < 480 * 288; ++i) {
        DWORD p = ((DWORD*)bits)[i] & 0xFFFFFF;
        played += p != 0xFFFFFF;
        series += p == kSeries;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteMetaFile(metafile);
    size_t drawn = ReadBmp(bmp).NotWhite();
    EXPECT_GT(played, drawn * 8 / 10);
    EXPECT_LT(played, drawn * 12 / 10);
    EXPECT_GT(series, 200u);
    DeleteFileA(bmp.c_str());
}

TEST(GswChart, RefusesWhatItCannotDrawOrWrite) {
    Gsw g;
    ASSERT_NE(g.module, nullptr);
    std::string path = OutFolder() + "refused.bmp";
    char error[256] = "";
    // Nothing open: nothing to write.
    EXPECT_EQ(g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, GSW_EXPORT_BITMAP, 0, path.c_str()), -1);
    EXPECT_EQ(g.open(0, 0, 0, 0, 10, 288, 1000.0, 4595, 259, error), 0);
    EXPECT_STRNE(error, "");
    EXPECT_EQ(g.open(0, 0, 0, 0, 480, 90000, 1000.0, 4595, 259, error), 0);
    int chart = g.open(0, 0, 0, 0, 480, 288, 1000.0, 4595, 259, error);
    ASSERT_GT(chart, 0);
    Describe(g, kKinds[0]);
    EXPECT_EQ(g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, 3, 0, path.c_str()), -1); // no such kind
    std::string nowhere = OutFolder() + "no-such-folder\\chart.bmp";
    EXPECT_EQ(g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, GSW_EXPORT_BITMAP, 0, nowhere.c_str()), -1);
    EXPECT_EQ(g.close(chart + 1), -1);
    EXPECT_EQ(g.close(chart), 0);
    EXPECT_EQ(g.close(chart), -1); // closed once
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

// More points and longer texts than the library keeps are cut, not
// written past: sixty values of 300-character labels still draw.
TEST(GswChart, CutsPointsAndTextsToWhatItKeeps) {
    Gsw g;
    ASSERT_NE(g.module, nullptr);
    char error[256];
    int chart = g.open(0, 0, 0, 0, 480, 288, 1000.0, 4595, 259, error);
    ASSERT_GT(chart, 0);
    std::string longText(300, 'x');
    std::vector<const char*> labels(60, longText.c_str());
    std::vector<double> values(60, 5.0);
    g.reset();
    g.title(longText.c_str());
    g.labels(60, labels.data());
    g.legend(60, labels.data());
    g.data(kSeries, 60, values.data());
    g.style(GSW_STYLE_BAR, 0x0008, 0);
    std::string path = OutFolder() + "chart-many.bmp";
    ASSERT_EQ(g.exportTo(0, 0, 0, 0, 0, 0, 0, 0, GSW_EXPORT_BITMAP, 0, path.c_str()), 0);
    g.close(chart);
    Picture p = ReadBmp(path);
    EXPECT_GT(p.Count(kSeries), 100u);
}

} // namespace
