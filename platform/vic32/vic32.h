// VIC32.DLL: the imaging library, bound by name at run time.
//
// Calling convention: __stdcall (WINAPI), undecorated names. Every function
// but freeimage returns 0 on success or a negative VIC_ code. An image is
// allocated by allocimage and freed by freeimage; the library owns its
// pixels.
#pragma once
#include <windows.h>

#ifdef VIC32_BUILD
#define VIC32_API extern "C" __declspec(dllexport)
#else
#define VIC32_API extern "C"
#endif

#define VIC_OK 0
#define VIC_ERR_OPEN (-1)    // the file could not be opened or read
#define VIC_ERR_FORMAT (-2)  // not a file of the kind, or a kind not handled
#define VIC_ERR_SIZE (-3)    // sizes or depths that do not fit
#define VIC_ERR_MISSING (-4) // kept for bindings: the library or function is missing
#define VIC_ERR_MEMORY (-5)
#define VIC_ERR_WRITE (-6)
#define VIC_ERR_ARGUMENT (-7)

#define VIC_MAX_EDGE 16384

// An image: rows top-down, stride bytes apart; 24 bits a pixel (blue,
// green, red) or 8 (an index into the palette's colours entries).
struct VicImage {
    BYTE* pixels;
    int width, height;
    int bits;
    int stride;
    RGBQUAD palette[256];
    int colours;
};
#ifndef _WIN64
static_assert(sizeof(VicImage) == 1048, "VicImage keeps its 32-bit layout");
#endif

// The size and depth of a BMP file (info's biWidth, biHeight and biBitCount
// are what callers read; biHeight is positive).
VIC32_API int WINAPI bmpinfo(const char* path, BITMAPINFOHEADER* info);
// Allocates image's pixels for width x height at bits (8 or 24), white.
VIC32_API int WINAPI allocimage(VicImage* image, int width, int height, int bits);
// Reads an uncompressed BMP of 8, 24 or 32 bits into image, which must be
// allocated at the file's size (8-bit files into 8- or 24-bit images,
// others into 24-bit ones).
VIC32_API int WINAPI loadbmp(const char* path, VicImage* image);
// Writes image as a GIF (LZW, at most 256 colours: a 24-bit image takes
// its most used colours, the others the nearest of them).
VIC32_API int WINAPI savegif(const char* path, VicImage* image);
// Writes image as a baseline JPEG of quality 1..100.
VIC32_API int WINAPI savejpg(const char* path, VicImage* image, int quality);
// Frees image's pixels (nothing when it has none).
VIC32_API void WINAPI freeimage(VicImage* image);
