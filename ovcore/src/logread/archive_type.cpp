#include "ovcore/logsource.h"
#include <string.h>

namespace {
const DWORD kProbe = 256;

DWORD ReadAt(HANDLE file, LONGLONG offset, BYTE* buffer) {
    LARGE_INTEGER at;
    at.QuadPart = offset;
    DWORD got = 0;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
        !ReadFile(file, buffer, kProbe, &got, nullptr))
        return 0;
    return got;
}

// Zip archives (also self-extracting ones) end in a directory: two or more
// "PK" marks in the last 256 bytes.
BOOL HasZipTail(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return FALSE;
    BYTE tail[kProbe];
    DWORD got = ReadAt(file, size.QuadPart > kProbe ? size.QuadPart - kProbe : 0, tail);
    int marks = 0;
    for (DWORD i = 0; i + 1 < got; i++)
        if (tail[i] == 'P' && tail[i + 1] == 'K')
            marks++;
    return marks >= 2;
}
} // namespace

int DetectArchiveType(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ARCHIVE_NONE;
    BYTE head[kProbe];
    DWORD got = ReadAt(file, 0, head);
    int kind = ARCHIVE_NONE;
    if (got >= 3 && head[0] == 0x1F && head[1] == 0x8B && head[2] == 0x08)
        kind = ARCHIVE_GZIP;
    else if (got >= 2 && ((head[0] == 'P' && head[1] == 'K') || (head[0] == 'M' && head[1] == 'Z')))
        kind = HasZipTail(file) ? ARCHIVE_ZIP : ARCHIVE_NONE;
    CloseHandle(file);
    return kind;
}
