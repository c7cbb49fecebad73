#include "ovkit/bitmaps.h"
#include "packed_dib.h"
#include <vector>

namespace {

bool ReadWhole(const char* path, std::vector<BYTE>& bytes) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE && size < (64u << 20);
    if (ok) {
        bytes.resize(size);
        DWORD read = 0;
        ok = ReadFile(file, bytes.data(), size, &read, nullptr) && read == size;
    }
    CloseHandle(file);
    return ok;
}

} // namespace

HBITMAP OVKIT_CALL OVKIT_Load256ColorBitmap(const char* path, HPALETTE* palette) {
    if (palette)
        *palette = nullptr;
    std::vector<BYTE> bytes;
    if (!path || !ReadWhole(path, bytes) || bytes.size() < sizeof(BITMAPFILEHEADER))
        return nullptr;
    const BITMAPFILEHEADER* file = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
    if (file->bfType != 0x4D42)
        return nullptr;
    const BITMAPINFOHEADER* picture =
        reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof *file);
    if (!DibIsComplete(picture, bytes.size() - sizeof *file))
        return nullptr;
    HPALETTE made = palette ? DibPalette(picture) : nullptr;
    HBITMAP bitmap = DibToDeviceBitmap(picture, made);
    if (!bitmap) {
        if (made)
            DeleteObject(made);
        return nullptr;
    }
    if (palette)
        *palette = made;
    return bitmap;
}
