// Images: their allocation and release.
#include <stdlib.h>
#include <string.h>

#include "vic32.h"

VIC32_API int WINAPI allocimage(VicImage* image, int width, int height, int bits) {
    if (!image)
        return VIC_ERR_ARGUMENT;
    memset(image, 0, sizeof *image);
    if (width < 1 || height < 1 || width > VIC_MAX_EDGE || height > VIC_MAX_EDGE ||
        (bits != 8 && bits != 24))
        return VIC_ERR_SIZE;
    int stride = (width * (bits / 8) + 3) & ~3;
    image->pixels = (BYTE*)malloc((size_t)stride * (size_t)height);
    if (!image->pixels)
        return VIC_ERR_MEMORY;
    memset(image->pixels, 0xFF, (size_t)stride * (size_t)height);
    image->width = width;
    image->height = height;
    image->bits = bits;
    image->stride = stride;
    if (bits == 8) {
        image->colours = 256;
        for (int i = 0; i < 256; ++i)
            image->palette[i] = {(BYTE)i, (BYTE)i, (BYTE)i, 0};
    }
    return VIC_OK;
}

VIC32_API void WINAPI freeimage(VicImage* image) {
    if (!image)
        return;
    free(image->pixels);
    image->pixels = NULL;
    image->width = image->height = image->stride = 0;
}
