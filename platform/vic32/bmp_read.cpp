// BMP files: their header and their uncompressed pixels.
#include <string.h>

#include "vic32.h"

namespace {

struct BmpFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~BmpFile() {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    bool Read(void* out, DWORD size) {
        DWORD got = 0;
        return ReadFile(handle, out, size, &got, NULL) && got == size;
    }
};

// Opens path and reads its two headers; a VIC_ code.
int ReadHeaders(const char* path, BmpFile& file, BITMAPFILEHEADER& head, BITMAPINFOHEADER& info) {
    if (!path)
        return VIC_ERR_ARGUMENT;
    file.handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file.handle == INVALID_HANDLE_VALUE)
        return VIC_ERR_OPEN;
    if (!file.Read(&head, sizeof head) || !file.Read(&info, sizeof info))
        return VIC_ERR_FORMAT;
    if (head.bfType != 0x4D42 || info.biSize < sizeof info || info.biPlanes != 1)
        return VIC_ERR_FORMAT;
    if (info.biCompression != BI_RGB ||
        (info.biBitCount != 8 && info.biBitCount != 24 && info.biBitCount != 32))
        return VIC_ERR_FORMAT;
    LONG height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    if (info.biWidth < 1 || height < 1 || info.biWidth > VIC_MAX_EDGE || height > VIC_MAX_EDGE)
        return VIC_ERR_SIZE;
    return VIC_OK;
}

// The file's palette (8-bit files), behind the info header.
bool ReadPalette(BmpFile& file, const BITMAPINFOHEADER& info, RGBQUAD* palette, int* colours) {
    DWORD count = info.biClrUsed ? info.biClrUsed : 256;
    if (count > 256)
        return false;
    SetFilePointer(file.handle, (LONG)(sizeof(BITMAPFILEHEADER) + info.biSize), NULL, FILE_BEGIN);
    *colours = (int)count;
    return file.Read(palette, count * sizeof(RGBQUAD));
}

void StoreRow(const BYTE* row, const BITMAPINFOHEADER& info, const RGBQUAD* palette,
              VicImage* image, int y) {
    BYTE* out = image->pixels + (size_t)y * (size_t)image->stride;
    if (image->bits == 8) {
        memcpy(out, row, (size_t)image->width);
        return;
    }
    int step = info.biBitCount / 8;
    for (int x = 0; x < image->width; ++x, out += 3) {
        if (info.biBitCount == 8) {
            const RGBQUAD& c = palette[row[x]];
            out[0] = c.rgbBlue, out[1] = c.rgbGreen, out[2] = c.rgbRed;
        } else {
            memcpy(out, row + x * step, 3);
        }
    }
}

} // namespace

VIC32_API int WINAPI bmpinfo(const char* path, BITMAPINFOHEADER* info) {
    BmpFile file;
    BITMAPFILEHEADER head;
    BITMAPINFOHEADER read;
    if (!info)
        return VIC_ERR_ARGUMENT;
    int result = ReadHeaders(path, file, head, read);
    if (result == VIC_OK) {
        *info = read;
        info->biHeight = read.biHeight < 0 ? -read.biHeight : read.biHeight;
    }
    return result;
}

VIC32_API int WINAPI loadbmp(const char* path, VicImage* image) {
    BmpFile file;
    BITMAPFILEHEADER head;
    BITMAPINFOHEADER info;
    if (!image || !image->pixels)
        return VIC_ERR_ARGUMENT;
    int result = ReadHeaders(path, file, head, info);
    if (result != VIC_OK)
        return result;
    LONG height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    if (image->width != info.biWidth || image->height != height ||
        (image->bits == 8 && info.biBitCount != 8))
        return VIC_ERR_SIZE;
    RGBQUAD palette[256] = {};
    int colours = 0;
    if (info.biBitCount == 8 && !ReadPalette(file, info, palette, &colours))
        return VIC_ERR_FORMAT;
    if (image->bits == 8) {
        memcpy(image->palette, palette, sizeof palette);
        image->colours = colours;
    }
    DWORD stride = ((DWORD)info.biWidth * info.biBitCount / 8 + 3) & ~3u;
    BYTE* row = (BYTE*)LocalAlloc(LMEM_FIXED, stride);
    if (!row)
        return VIC_ERR_MEMORY;
    SetFilePointer(file.handle, (LONG)head.bfOffBits, NULL, FILE_BEGIN);
    for (LONG i = 0; i < height && result == VIC_OK; ++i) {
        if (!file.Read(row, stride))
            result = VIC_ERR_FORMAT;
        else // bottom-up unless the height is negative
            StoreRow(row, info, palette, image, info.biHeight < 0 ? i : height - 1 - i);
    }
    LocalFree(row);
    return result;
}
