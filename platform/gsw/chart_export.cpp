// The chart written out: a 24-bit BMP drawn in a DIB section, or a
// placeable Windows metafile.
#include <stdlib.h>
#include <string.h>

#include "chart.h"

namespace {

#pragma pack(push, 2)
struct PlaceableHeader {
    DWORD key;
    WORD handle;
    SHORT left, top, right, bottom;
    WORD inch; // units per inch
    DWORD reserved;
    WORD checksum; // XOR of the ten words before it
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == 22, "a placeable metafile header is 22 bytes");

const DWORD kPlaceableKey = 0x9AC6CDD7;

bool WriteParts(const char* path, const void* a, DWORD aSize, const void* b, DWORD bSize,
                const void* c, DWORD cSize) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, a, aSize, &written, NULL) && written == aSize &&
              WriteFile(file, b, bSize, &written, NULL) && written == bSize &&
              (!cSize || (WriteFile(file, c, cSize, &written, NULL) && written == cSize));
    ok = CloseHandle(file) && ok;
    if (!ok)
        DeleteFileA(path);
    return ok;
}

} // namespace

int ExportChartBitmap(const Chart& chart, const char* path) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = chart.width;
    info.biHeight = chart.height; // bottom-up, as a BMP file stores it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    DWORD stride = ((DWORD)chart.width * 3 + 3) & ~3u;
    info.biSizeImage = stride * (DWORD)chart.height;
    HDC dc = CreateCompatibleDC(NULL);
    void* bits = NULL;
    HBITMAP bitmap =
        dc ? CreateDIBSection(dc, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, NULL, 0) : NULL;
    bool ok = bitmap && bits;
    if (ok) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        ok = DrawChart(chart, dc, dc) == 1;
        GdiFlush();
        BITMAPFILEHEADER head = {};
        head.bfType = 0x4D42; // "BM"
        head.bfOffBits = sizeof head + sizeof info;
        head.bfSize = head.bfOffBits + info.biSizeImage;
        ok = ok && WriteParts(path, &head, sizeof head, &info, sizeof info, bits, info.biSizeImage);
        SelectObject(dc, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (dc)
        DeleteDC(dc);
    return ok ? 0 : -1;
}

static bool WritePlaceable(const Chart& chart, HMETAFILE metafile, const char* path) {
    UINT size = GetMetaFileBitsEx(metafile, 0, NULL);
    BYTE* bits = size ? (BYTE*)malloc(size) : NULL;
    bool ok = bits && GetMetaFileBitsEx(metafile, size, bits) == size;
    if (ok) {
        PlaceableHeader head = {};
        head.key = kPlaceableKey;
        head.right = (SHORT)chart.width;
        head.bottom = (SHORT)chart.height;
        head.inch = 96;
        const WORD* words = (const WORD*)&head;
        for (int i = 0; i < 10; ++i)
            head.checksum ^= words[i];
        ok = WriteParts(path, &head, sizeof head, bits, size, NULL, 0);
    }
    free(bits);
    return ok;
}

int ExportChartMetafile(const Chart& chart, const char* path) {
    HDC measure = CreateCompatibleDC(NULL);
    HDC dc = measure ? CreateMetaFileA(NULL) : NULL;
    bool ok = dc != NULL;
    if (ok) {
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowOrgEx(dc, 0, 0, NULL);
        SetWindowExtEx(dc, chart.width, chart.height, NULL);
        ok = DrawChart(chart, dc, measure) == 1;
        HMETAFILE metafile = CloseMetaFile(dc);
        ok = ok && metafile && WritePlaceable(chart, metafile, path);
        if (metafile)
            DeleteMetaFile(metafile);
    }
    if (measure)
        DeleteDC(measure);
    return ok ? 0 : -1;
}
