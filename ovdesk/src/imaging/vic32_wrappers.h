// The plug-in's binding of the imaging library VIC32.DLL: one wrapper per
// library function, under the library's own names but inside this
// namespace (never exported). A wrapper loads the library by name on its
// first call (a failed load is tried again on the next), looks its function
// up once and forwards its arguments; it returns VIC_ERR_MISSING (-4) when
// the library or the function is missing, and shows no message.
#pragma once
#include "vic32.h"

namespace ovimaging {

int WINAPI allocimage(VicImage* image, int width, int height, int bits);
int WINAPI copyimage(VicImage* source, VicImage* target);
// Does nothing when the library or the function is missing.
void WINAPI freeimage(VicImage* image);
int WINAPI gifinfo(const char* path, BITMAPINFOHEADER* info);
int WINAPI imagetodib(VicImage* image, HGLOBAL* dib);
int WINAPI jpeginfo(const char* path, BITMAPINFOHEADER* info);
int WINAPI loadgif(const char* path, VicImage* image);
int WINAPI loadgifpalette(const char* path, RGBQUAD* palette);
int WINAPI loadjpg(const char* path, VicImage* image);
int WINAPI victowinpal(VicImage* image, HPALETTE* palette);
int WINAPI viewimage(HDC dc, int x, int y, int width, int height, VicImage* image);
int WINAPI calchisto(VicImage* image, const RECT* area, DWORD* counts, int channel);
int WINAPI calchistorgb(VicImage* image, const RECT* area, DWORD* red, DWORD* green, DWORD* blue);

// Frees the library and forgets its functions (at the plug-in's shut-down).
void ReleaseLibrary(void);
// The library file to load ("VIC32.DLL"); another name lets tests see it
// missing. Releases the library first.
void SetLibraryName(const char* name);

} // namespace ovimaging
