// Images handed to GDI (a packed DIB, a logical palette, drawing into a
// DC), copied, and counted by level.
#include <stdlib.h>
#include <string.h>

#include "vic32.h"

namespace {

bool IsImage(const VicImage* image) {
    return image && image->pixels && image->width > 0 && image->height > 0 &&
           (image->bits == 8 || image->bits == 24);
}

// The image's header and palette, as GDI takes them (top-down rows).
struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

void FillHeader(const VicImage* image, DibHeader* dib, bool top_down) {
    memset(dib, 0, sizeof *dib);
    dib->header.biSize = sizeof dib->header;
    dib->header.biWidth = image->width;
    dib->header.biHeight = top_down ? -image->height : image->height;
    dib->header.biPlanes = 1;
    dib->header.biBitCount = (WORD)image->bits;
    dib->header.biCompression = BI_RGB;
    dib->header.biSizeImage = (DWORD)image->stride * (DWORD)image->height;
    if (image->bits == 8) {
        dib->header.biClrUsed = (DWORD)image->colours;
        memcpy(dib->colours, image->palette, sizeof(RGBQUAD) * (size_t)image->colours);
    }
}

void PixelRgb(const VicImage* image, int x, int y, BYTE* red, BYTE* green, BYTE* blue) {
    const BYTE* row = image->pixels + (size_t)y * (size_t)image->stride;
    if (image->bits == 8) {
        const RGBQUAD& c = image->palette[row[x]];
        *red = c.rgbRed, *green = c.rgbGreen, *blue = c.rgbBlue;
    } else {
        *blue = row[x * 3], *green = row[x * 3 + 1], *red = row[x * 3 + 2];
    }
}

// The area clipped to the image; false when nothing is left or it is bad.
bool ClipArea(const VicImage* image, const RECT* area, RECT* clipped) {
    *clipped = {0, 0, image->width, image->height};
    if (area) {
        clipped->left = area->left > 0 ? area->left : 0;
        clipped->top = area->top > 0 ? area->top : 0;
        clipped->right = area->right < image->width ? area->right : image->width;
        clipped->bottom = area->bottom < image->height ? area->bottom : image->height;
    }
    return clipped->left < clipped->right && clipped->top < clipped->bottom;
}

int Histogram(const VicImage* image, const RECT* area, DWORD* counts[4]) {
    RECT r;
    if (!IsImage(image) || !ClipArea(image, area, &r))
        return VIC_ERR_ARGUMENT;
    for (int c = 0; c < 4; ++c)
        if (counts[c])
            memset(counts[c], 0, 256 * sizeof(DWORD));
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            BYTE red, green, blue;
            PixelRgb(image, x, y, &red, &green, &blue);
            if (counts[VIC_CHANNEL_GREY])
                ++counts[VIC_CHANNEL_GREY][(red * 299 + green * 587 + blue * 114) / 1000];
            if (counts[VIC_CHANNEL_RED])
                ++counts[VIC_CHANNEL_RED][red];
            if (counts[VIC_CHANNEL_GREEN])
                ++counts[VIC_CHANNEL_GREEN][green];
            if (counts[VIC_CHANNEL_BLUE])
                ++counts[VIC_CHANNEL_BLUE][blue];
        }
    return VIC_OK;
}

} // namespace

VIC32_API int WINAPI copyimage(VicImage* source, VicImage* target) {
    if (!IsImage(source) || !IsImage(target))
        return VIC_ERR_ARGUMENT;
    if (source->width != target->width || source->height != target->height ||
        source->bits > target->bits)
        return VIC_ERR_SIZE;
    if (source->bits == target->bits) {
        for (int y = 0; y < source->height; ++y)
            memcpy(target->pixels + (size_t)y * (size_t)target->stride,
                   source->pixels + (size_t)y * (size_t)source->stride,
                   (size_t)source->width * (size_t)(source->bits / 8));
        if (source->bits == 8) {
            memcpy(target->palette, source->palette, sizeof source->palette);
            target->colours = source->colours;
        }
        return VIC_OK;
    }
    for (int y = 0; y < source->height; ++y) {
        BYTE* out = target->pixels + (size_t)y * (size_t)target->stride;
        for (int x = 0; x < source->width; ++x, out += 3)
            PixelRgb(source, x, y, &out[2], &out[1], &out[0]);
    }
    return VIC_OK;
}

VIC32_API int WINAPI imagetodib(VicImage* image, HGLOBAL* dib) {
    if (!IsImage(image) || !dib)
        return VIC_ERR_ARGUMENT;
    *dib = NULL;
    DibHeader head;
    FillHeader(image, &head, false);
    size_t palette = sizeof(RGBQUAD) * (size_t)head.header.biClrUsed;
    size_t size = sizeof head.header + palette + head.header.biSizeImage;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    BYTE* out = memory ? (BYTE*)GlobalLock(memory) : NULL;
    if (!out) {
        if (memory)
            GlobalFree(memory);
        return VIC_ERR_MEMORY;
    }
    memcpy(out, &head, sizeof head.header + palette);
    BYTE* rows = out + sizeof head.header + palette;
    // A DIB's rows run bottom-up.
    for (int y = 0; y < image->height; ++y)
        memcpy(rows + (size_t)(image->height - 1 - y) * (size_t)image->stride,
               image->pixels + (size_t)y * (size_t)image->stride, (size_t)image->stride);
    GlobalUnlock(memory);
    *dib = memory;
    return VIC_OK;
}

VIC32_API int WINAPI victowinpal(VicImage* image, HPALETTE* palette) {
    if (!IsImage(image) || !palette || image->bits != 8 || image->colours < 1 ||
        image->colours > 256)
        return VIC_ERR_ARGUMENT;
    *palette = NULL;
    struct {
        WORD version, count;
        PALETTEENTRY entries[256];
    } logical = {0x300, (WORD)image->colours, {}};
    for (int i = 0; i < image->colours; ++i)
        logical.entries[i] = {image->palette[i].rgbRed, image->palette[i].rgbGreen,
                              image->palette[i].rgbBlue, 0};
    *palette = CreatePalette((const LOGPALETTE*)&logical);
    return *palette ? VIC_OK : VIC_ERR_MEMORY;
}

VIC32_API int WINAPI viewimage(HDC dc, int x, int y, int width, int height, VicImage* image) {
    if (!dc || !IsImage(image) || width < 1 || height < 1)
        return VIC_ERR_ARGUMENT;
    DibHeader head;
    FillHeader(image, &head, true);
    int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
    int lines = StretchDIBits(dc, x, y, width, height, 0, 0, image->width, image->height,
                              image->pixels, (const BITMAPINFO*)&head, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, old_mode);
    return lines > 0 ? VIC_OK : VIC_ERR_WRITE;
}

VIC32_API int WINAPI calchisto(VicImage* image, const RECT* area, DWORD* counts, int channel) {
    if (!counts || channel < VIC_CHANNEL_GREY || channel > VIC_CHANNEL_BLUE)
        return VIC_ERR_ARGUMENT;
    DWORD* all[4] = {};
    all[channel] = counts;
    return Histogram(image, area, all);
}

VIC32_API int WINAPI calchistorgb(VicImage* image, const RECT* area, DWORD* red, DWORD* green,
                                  DWORD* blue) {
    if (!red || !green || !blue)
        return VIC_ERR_ARGUMENT;
    DWORD* all[4] = {NULL, red, green, blue};
    return Histogram(image, area, all);
}
