// An image brought to at most 256 colours for a GIF file (private).
#pragma once
#include "vic32.h"

struct IndexedImage {
    BYTE* indices; // width x height, rows top-down (freed by FreeIndexed)
    RGBQUAD palette[256];
    int colours;
};

// VIC_OK or VIC_ERR_MEMORY.
int IndexImage(const VicImage* image, IndexedImage* out);
void FreeIndexed(IndexedImage* image);
