// JPEG files: baseline, encoded by stb_image_write from the image's rows
// turned to red, green, blue.
#include <stdlib.h>

#include "vic32.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include "stb_image_write.h"
#pragma GCC diagnostic pop

namespace {

struct FileOut {
    HANDLE handle;
    bool ok;
};

void Write(void* context, void* data, int size) {
    FileOut* f = (FileOut*)context;
    DWORD written = 0;
    f->ok =
        f->ok && WriteFile(f->handle, data, (DWORD)size, &written, NULL) && written == (DWORD)size;
}

// The image as packed red, green, blue rows; null when memory is short.
BYTE* RgbRows(const VicImage* image) {
    BYTE* rgb = (BYTE*)malloc((size_t)image->width * (size_t)image->height * 3);
    for (int y = 0; rgb && y < image->height; ++y) {
        const BYTE* in = image->pixels + (size_t)y * (size_t)image->stride;
        BYTE* out = rgb + (size_t)y * (size_t)image->width * 3;
        for (int x = 0; x < image->width; ++x, out += 3) {
            if (image->bits == 8) {
                const RGBQUAD& c = image->palette[in[x]];
                out[0] = c.rgbRed, out[1] = c.rgbGreen, out[2] = c.rgbBlue;
            } else {
                out[0] = in[x * 3 + 2], out[1] = in[x * 3 + 1], out[2] = in[x * 3];
            }
        }
    }
    return rgb;
}

} // namespace

VIC32_API int WINAPI savejpg(const char* path, VicImage* image, int quality) {
    if (!path || !image || !image->pixels || image->width > 65535 || image->height > 65535)
        return VIC_ERR_ARGUMENT;
    BYTE* rgb = RgbRows(image);
    if (!rgb)
        return VIC_ERR_MEMORY;
    FileOut f = {
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL),
        true};
    int result = VIC_OK;
    if (f.handle == INVALID_HANDLE_VALUE) {
        result = VIC_ERR_OPEN;
    } else {
        int q = quality < 1 ? 1 : quality > 100 ? 100 : quality;
        f.ok = stbi_write_jpg_to_func(Write, &f, image->width, image->height, 3, rgb, q) && f.ok;
        if (!CloseHandle(f.handle) || !f.ok) {
            DeleteFileA(path);
            result = VIC_ERR_WRITE;
        }
    }
    free(rgb);
    return result;
}
