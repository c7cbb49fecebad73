#include "ovkit/bitmaps.h"
#include "packed_dib.h"
#include "files/whole_file.h"

HBITMAP OVKIT_CALL OVKIT_Load256ColorBitmap(const char* path, HPALETTE* palette) {
    if (palette)
        *palette = nullptr;
    std::string bytes;
    if (!path || !OvkitReadWholeFile(path, bytes) || bytes.size() < sizeof(BITMAPFILEHEADER))
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
