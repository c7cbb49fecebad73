// GIF files: a global colour table and one image, its indices packed with
// variable-length LZW codes.
#include <stdlib.h>
#include <string.h>

#include "gif_palette.h"

namespace {

const int kMaxCode = 4095;

// Codes packed least significant bit first, into a growing buffer.
struct CodeWriter {
    BYTE* bytes = NULL;
    size_t length = 0, capacity = 0;
    DWORD pending = 0;
    int pendingBits = 0;
    bool failed = false;

    void Byte(BYTE b) {
        if (length == capacity) {
            size_t grown = capacity ? capacity * 2 : 65536;
            BYTE* bigger = (BYTE*)realloc(bytes, grown);
            if (!bigger) {
                failed = true;
                return;
            }
            bytes = bigger, capacity = grown;
        }
        bytes[length++] = b;
    }
    void Code(int code, int size) {
        pending |= (DWORD)code << pendingBits;
        pendingBits += size;
        while (pendingBits >= 8) {
            Byte((BYTE)pending);
            pending >>= 8;
            pendingBits -= 8;
        }
    }
    void Flush() {
        if (pendingBits > 0)
            Byte((BYTE)pending);
        pending = 0, pendingBits = 0;
    }
};

// Compresses count indices with minimum code size minSize into out.
bool Compress(const BYTE* indices, size_t count, int minSize, CodeWriter& out) {
    WORD(*next)[256] = (WORD(*)[256])calloc(kMaxCode + 1, sizeof *next);
    if (!next)
        return false;
    const int clear = 1 << minSize, end = clear + 1;
    int size = minSize + 1, last = end;
    out.Code(clear, size);
    int current = indices[0];
    for (size_t i = 1; i < count; ++i) {
        BYTE k = indices[i];
        if (next[current][k]) {
            current = next[current][k];
            continue;
        }
        out.Code(current, size);
        next[current][k] = (WORD)++last;
        if (last >= (1 << size))
            ++size;
        if (last == kMaxCode) {
            out.Code(clear, size);
            memset(next, 0, (kMaxCode + 1) * sizeof *next);
            size = minSize + 1;
            last = end;
        }
        current = k;
    }
    out.Code(current, size);
    out.Code(end, size);
    out.Flush();
    free(next);
    return !out.failed;
}

struct FileOut {
    HANDLE handle;
    bool ok = true;
    void Put(const void* data, size_t size) {
        DWORD written = 0;
        ok = ok && WriteFile(handle, data, (DWORD)size, &written, NULL) && written == size;
    }
    void Word(int value) {
        BYTE b[2] = {(BYTE)value, (BYTE)(value >> 8)};
        Put(b, 2);
    }
};

int TableBits(int colours) {
    int bits = 1;
    while ((1 << bits) < colours)
        ++bits;
    return bits;
}

void WriteGif(FileOut& f, const IndexedImage& indexed, int width, int height,
              const CodeWriter& codes, int tableBits, int minSize) {
    f.Put("GIF89a", 6);
    f.Word(width);
    f.Word(height);
    BYTE screen[3] = {(BYTE)(0x80 | ((tableBits - 1) << 4) | (tableBits - 1)), 0, 0};
    f.Put(screen, 3);
    for (int i = 0; i < (1 << tableBits); ++i) {
        const RGBQUAD& c = indexed.palette[i < indexed.colours ? i : 0];
        BYTE rgb[3] = {c.rgbRed, c.rgbGreen, c.rgbBlue};
        f.Put(rgb, 3);
    }
    f.Put(",", 1);
    f.Word(0);
    f.Word(0);
    f.Word(width);
    f.Word(height);
    BYTE flags[2] = {0, (BYTE)minSize};
    f.Put(flags, 2);
    for (size_t at = 0; at < codes.length; at += 255) {
        BYTE block = (BYTE)(codes.length - at < 255 ? codes.length - at : 255);
        f.Put(&block, 1);
        f.Put(codes.bytes + at, block);
    }
    f.Put("\0;", 2);
}

} // namespace

VIC32_API int WINAPI savegif(const char* path, VicImage* image) {
    if (!path || !image || !image->pixels || image->width > 65535 || image->height > 65535)
        return VIC_ERR_ARGUMENT;
    IndexedImage indexed;
    int result = IndexImage(image, &indexed);
    if (result != VIC_OK)
        return result;
    int tableBits = TableBits(indexed.colours), minSize = tableBits < 2 ? 2 : tableBits;
    CodeWriter codes;
    if (!Compress(indexed.indices, (size_t)image->width * (size_t)image->height, minSize, codes))
        result = VIC_ERR_MEMORY;
    if (result == VIC_OK) {
        FileOut f{
            CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL)};
        if (f.handle == INVALID_HANDLE_VALUE) {
            result = VIC_ERR_OPEN;
        } else {
            WriteGif(f, indexed, image->width, image->height, codes, tableBits, minSize);
            if (!CloseHandle(f.handle) || !f.ok) {
                DeleteFileA(path);
                result = VIC_ERR_WRITE;
            }
        }
    }
    free(codes.bytes);
    FreeIndexed(&indexed);
    return result;
}
