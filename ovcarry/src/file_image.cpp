#include "file_image.h"
#include <string.h>

bool FileImage::Holds(DWORD offset, DWORD width) const {
    return offset <= Size() && width <= Size() - offset;
}

BYTE FileImage::Byte(DWORD offset) const {
    return Holds(offset, 1) ? (BYTE)Bytes[offset] : 0;
}

WORD FileImage::Word(DWORD offset) const {
    return Holds(offset, 2) ? (WORD)(Byte(offset) | Byte(offset + 1) << 8) : 0;
}

DWORD FileImage::Dword(DWORD offset) const {
    return Holds(offset, 4) ? (DWORD)Word(offset) | (DWORD)Word(offset + 2) << 16 : 0;
}

void FileImage::Text(DWORD offset, DWORD width, char* out, DWORD outSize) const {
    if (outSize == 0)
        return;
    out[0] = '\0';
    if (offset >= Size())
        return;
    DWORD room = Size() - offset;
    if (width > room)
        width = room;
    if (width > outSize - 1)
        width = outSize - 1;
    const char* from = Bytes.data() + offset;
    const char* end = (const char*)memchr(from, 0, width);
    DWORD length = end ? (DWORD)(end - from) : width;
    memcpy(out, from, length);
    out[length] = '\0';
}

bool ReadFileImage(const char* path, FileImage* image, DWORD limit) {
    image->Bytes.clear();
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0, size = GetFileSize(file, &high), got = 0;
    bool ok = high == 0 && size != INVALID_FILE_SIZE && size <= limit;
    if (ok) {
        image->Bytes.resize(size);
        ok = size == 0 || (ReadFile(file, &image->Bytes[0], size, &got, nullptr) && got == size);
    }
    CloseHandle(file);
    if (!ok)
        image->Bytes.clear();
    return ok;
}
