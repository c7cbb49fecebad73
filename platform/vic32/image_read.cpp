// GIF and JPEG files: their size, their colour table and their pixels,
// decoded by stb_image from the file's bytes.
#include <stdlib.h>
#include <string.h>

#include "vic32.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include "stb_image.h"
#pragma GCC diagnostic pop

namespace {

enum class Kind { Gif, Jpeg };

// A whole file in memory (files beyond 64 MB are refused).
struct FileBytes {
    BYTE* data = nullptr;
    DWORD size = 0;
    ~FileBytes() { free(data); }
    int Read(const char* path) {
        if (!path)
            return VIC_ERR_ARGUMENT;
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE)
            return VIC_ERR_OPEN;
        DWORD high = 0;
        size = GetFileSize(file, &high);
        int result = VIC_OK;
        if (high || size > 64u * 1024 * 1024)
            result = VIC_ERR_SIZE;
        else if (!(data = (BYTE*)malloc(size ? size : 1)))
            result = VIC_ERR_MEMORY;
        DWORD got = 0;
        if (result == VIC_OK && (!ReadFile(file, data, size, &got, NULL) || got != size))
            result = VIC_ERR_OPEN;
        CloseHandle(file);
        return result;
    }
};

bool IsKind(const FileBytes& file, Kind kind) {
    if (kind == Kind::Gif)
        return file.size >= 13 && memcmp(file.data, "GIF8", 4) == 0;
    return file.size >= 3 && file.data[0] == 0xFF && file.data[1] == 0xD8 && file.data[2] == 0xFF;
}

int Info(const char* path, BITMAPINFOHEADER* info, Kind kind) {
    if (!info)
        return VIC_ERR_ARGUMENT;
    FileBytes file;
    int result = file.Read(path);
    if (result != VIC_OK)
        return result;
    int width = 0, height = 0, components = 0;
    if (!IsKind(file, kind) ||
        !stbi_info_from_memory(file.data, (int)file.size, &width, &height, &components))
        return VIC_ERR_FORMAT;
    memset(info, 0, sizeof *info);
    info->biSize = sizeof *info;
    info->biWidth = width;
    info->biHeight = height;
    info->biPlanes = 1;
    // A GIF's depth is its colour table's; a JPEG's is 8 bits a component.
    info->biBitCount = kind == Kind::Gif ? (WORD)((file.data[10] & 7) + 1) : (WORD)(components * 8);
    return VIC_OK;
}

int Load(const char* path, VicImage* image, Kind kind) {
    if (!image || !image->pixels)
        return VIC_ERR_ARGUMENT;
    FileBytes file;
    int result = file.Read(path);
    if (result != VIC_OK)
        return result;
    if (!IsKind(file, kind))
        return VIC_ERR_FORMAT;
    int width = 0, height = 0, components = 0;
    BYTE* rgb = stbi_load_from_memory(file.data, (int)file.size, &width, &height, &components, 3);
    if (!rgb)
        return VIC_ERR_FORMAT;
    if (width != image->width || height != image->height || image->bits != 24) {
        stbi_image_free(rgb);
        return VIC_ERR_SIZE;
    }
    for (int y = 0; y < height; ++y) {
        const BYTE* in = rgb + (size_t)y * (size_t)width * 3;
        BYTE* out = image->pixels + (size_t)y * (size_t)image->stride;
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            out[0] = in[2], out[1] = in[1], out[2] = in[0];
    }
    stbi_image_free(rgb);
    return VIC_OK;
}

} // namespace

VIC32_API int WINAPI gifinfo(const char* path, BITMAPINFOHEADER* info) {
    return Info(path, info, Kind::Gif);
}

VIC32_API int WINAPI jpeginfo(const char* path, BITMAPINFOHEADER* info) {
    return Info(path, info, Kind::Jpeg);
}

VIC32_API int WINAPI loadgif(const char* path, VicImage* image) {
    return Load(path, image, Kind::Gif);
}

VIC32_API int WINAPI loadjpg(const char* path, VicImage* image) {
    return Load(path, image, Kind::Jpeg);
}

VIC32_API int WINAPI loadgifpalette(const char* path, RGBQUAD* palette) {
    if (!palette)
        return VIC_ERR_ARGUMENT;
    FileBytes file;
    int result = file.Read(path);
    if (result != VIC_OK)
        return result;
    if (!IsKind(file, Kind::Gif) || !(file.data[10] & 0x80))
        return VIC_ERR_FORMAT;
    int colours = 2 << (file.data[10] & 7);
    if (file.size < 13u + (DWORD)colours * 3)
        return VIC_ERR_FORMAT;
    const BYTE* table = file.data + 13;
    for (int i = 0; i < colours; ++i, table += 3)
        palette[i] = {table[2], table[1], table[0], 0};
    return colours;
}
