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

// The size and depth of a GIF file (its colour table's bits) or of a JPEG
// file (8 bits a component: 8 grey, 24 colour), in info's biWidth,
// biHeight and biBitCount.
VIC32_API int WINAPI gifinfo(const char* path, BITMAPINFOHEADER* info);
VIC32_API int WINAPI jpeginfo(const char* path, BITMAPINFOHEADER* info);
// Reads a GIF's first frame or a baseline or progressive JPEG into image,
// which must be a 24-bit image allocated at the file's size.
VIC32_API int WINAPI loadgif(const char* path, VicImage* image);
VIC32_API int WINAPI loadjpg(const char* path, VicImage* image);
// Copies a GIF's global colour table into palette (room for 256 entries);
// the number of colours, or a negative VIC_ code.
VIC32_API int WINAPI loadgifpalette(const char* path, RGBQUAD* palette);
// Copies source's pixels into target, allocated at the same size (an 8-bit
// source into an 8- or 24-bit target, a 24-bit one into a 24-bit target).
VIC32_API int WINAPI copyimage(VicImage* source, VicImage* target);
// A packed bottom-up DIB of image (header, palette, rows) in movable global
// memory, which the caller frees with GlobalFree.
VIC32_API int WINAPI imagetodib(VicImage* image, HGLOBAL* dib);
// A logical palette of an 8-bit image's colours, which the caller deletes
// with DeleteObject.
VIC32_API int WINAPI victowinpal(VicImage* image, HPALETTE* palette);
// Draws image stretched to width x height at x, y of dc.
VIC32_API int WINAPI viewimage(HDC dc, int x, int y, int width, int height, VicImage* image);
// Counts per level 0..255 of channel (VIC_CHANNEL_) over area of image
// (the whole image when area is null) into counts[256].
VIC32_API int WINAPI calchisto(VicImage* image, const RECT* area, DWORD* counts, int channel);
// The same for red, green and blue at once (each 256 entries).
VIC32_API int WINAPI calchistorgb(VicImage* image, const RECT* area, DWORD* red, DWORD* green,
                                  DWORD* blue);

#define VIC_CHANNEL_GREY 0 // (red * 299 + green * 587 + blue * 114) / 1000
#define VIC_CHANNEL_RED 1
#define VIC_CHANNEL_GREEN 2
#define VIC_CHANNEL_BLUE 3
