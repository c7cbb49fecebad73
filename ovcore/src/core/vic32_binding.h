// The imaging library VIC32.DLL, bound by name on first use for the graph
// images.
#pragma once
#include "vic32.h"

struct Vic32Binding {
    decltype(&bmpinfo) BmpInfo;
    decltype(&allocimage) AllocImage;
    decltype(&loadbmp) LoadBmp;
    decltype(&savegif) SaveGif;
    decltype(&savejpg) SaveJpg;
    decltype(&freeimage) FreeImage;
};

// The bound functions, all of them, or null when the library or one of its
// functions is missing (the missing name is logged once per load attempt).
const Vic32Binding* Vic32_Get(void);
// Frees the library (at the engine's end of use).
void Vic32_Release(void);
// The library file to load ("VIC32.DLL"); another name lets tests see it missing.
void Vic32_SetLibraryName(const char* name);
