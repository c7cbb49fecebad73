// The imaging library's wrappers: a loader holding the module and one cached
// address per function, freed by ReleaseLibrary (never by a destructor,
// which would run under the loader lock).
#include "imaging/vic32_wrappers.h"

#include "ovkit/dll_binding.h"
#include "ovkit/strutil.h"

namespace ovimaging {
namespace {

enum Function {
    kAllocImage,
    kCopyImage,
    kFreeImage,
    kGifInfo,
    kImageToDib,
    kJpegInfo,
    kLoadGif,
    kLoadGifPalette,
    kLoadJpg,
    kVicToWinPal,
    kViewImage,
    kCalcHisto,
    kCalcHistoRgb,
    kFunctionCount
};

const char* const kNames[kFunctionCount] = {
    "allocimage", "copyimage", "freeimage",      "gifinfo", "imagetodib",
    "jpeginfo",   "loadgif",   "loadgifpalette", "loadjpg", "victowinpal",
    "viewimage",  "calchisto", "calchistorgb",
};

// Plain data only: nothing here runs at unload.
struct Loader {
    HMODULE module;
    FARPROC functions[kFunctionCount];
    char name[MAX_PATH];
};
Loader g_loader = {NULL, {}, "VIC32.DLL"};

// The function's address, loading the library first when needed; null when
// either is missing.
template <typename Fn> Fn Bound(Function which) {
    if (!g_loader.module)
        g_loader.module = LoadLibraryA(g_loader.name);
    if (!g_loader.module)
        return nullptr;
    if (!g_loader.functions[which])
        g_loader.functions[which] = OvkitProcAddress<FARPROC>(g_loader.module, kNames[which]);
    return reinterpret_cast<Fn>(g_loader.functions[which]);
}

} // namespace

int WINAPI allocimage(VicImage* image, int width, int height, int bits) {
    auto fn = Bound<decltype(&::allocimage)>(kAllocImage);
    return fn ? fn(image, width, height, bits) : VIC_ERR_MISSING;
}

int WINAPI copyimage(VicImage* source, VicImage* target) {
    auto fn = Bound<decltype(&::copyimage)>(kCopyImage);
    return fn ? fn(source, target) : VIC_ERR_MISSING;
}

void WINAPI freeimage(VicImage* image) {
    if (auto fn = Bound<decltype(&::freeimage)>(kFreeImage))
        fn(image);
}

int WINAPI gifinfo(const char* path, BITMAPINFOHEADER* info) {
    auto fn = Bound<decltype(&::gifinfo)>(kGifInfo);
    return fn ? fn(path, info) : VIC_ERR_MISSING;
}

int WINAPI imagetodib(VicImage* image, HGLOBAL* dib) {
    auto fn = Bound<decltype(&::imagetodib)>(kImageToDib);
    return fn ? fn(image, dib) : VIC_ERR_MISSING;
}

int WINAPI jpeginfo(const char* path, BITMAPINFOHEADER* info) {
    auto fn = Bound<decltype(&::jpeginfo)>(kJpegInfo);
    return fn ? fn(path, info) : VIC_ERR_MISSING;
}

int WINAPI loadgif(const char* path, VicImage* image) {
    auto fn = Bound<decltype(&::loadgif)>(kLoadGif);
    return fn ? fn(path, image) : VIC_ERR_MISSING;
}

int WINAPI loadgifpalette(const char* path, RGBQUAD* palette) {
    auto fn = Bound<decltype(&::loadgifpalette)>(kLoadGifPalette);
    return fn ? fn(path, palette) : VIC_ERR_MISSING;
}

int WINAPI loadjpg(const char* path, VicImage* image) {
    auto fn = Bound<decltype(&::loadjpg)>(kLoadJpg);
    return fn ? fn(path, image) : VIC_ERR_MISSING;
}

int WINAPI victowinpal(VicImage* image, HPALETTE* palette) {
    auto fn = Bound<decltype(&::victowinpal)>(kVicToWinPal);
    return fn ? fn(image, palette) : VIC_ERR_MISSING;
}

int WINAPI viewimage(HDC dc, int x, int y, int width, int height, VicImage* image) {
    auto fn = Bound<decltype(&::viewimage)>(kViewImage);
    return fn ? fn(dc, x, y, width, height, image) : VIC_ERR_MISSING;
}

int WINAPI calchisto(VicImage* image, const RECT* area, DWORD* counts, int channel) {
    auto fn = Bound<decltype(&::calchisto)>(kCalcHisto);
    return fn ? fn(image, area, counts, channel) : VIC_ERR_MISSING;
}

int WINAPI calchistorgb(VicImage* image, const RECT* area, DWORD* red, DWORD* green, DWORD* blue) {
    auto fn = Bound<decltype(&::calchistorgb)>(kCalcHistoRgb);
    return fn ? fn(image, area, red, green, blue) : VIC_ERR_MISSING;
}

void ReleaseLibrary(void) {
    if (g_loader.module)
        FreeLibrary(g_loader.module);
    g_loader.module = NULL;
    for (FARPROC& function : g_loader.functions)
        function = NULL;
}

void SetLibraryName(const char* name) {
    ReleaseLibrary();
    OVKIT_BufCopy(g_loader.name, name ? name : "VIC32.DLL", (int)sizeof g_loader.name);
}

} // namespace ovimaging
