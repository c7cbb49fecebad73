#include "ovcore/fileapi.h"

ORB_EXPORT(ULONGLONG) FileSize64(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return FILEAPI_FAILED;
    return (ULONGLONG)size.QuadPart;
}

ORB_EXPORT(ULONGLONG) FileSeek64(HANDLE file, LONGLONG offset, DWORD origin) {
    LARGE_INTEGER distance, position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(file, distance, &position, origin))
        return FILEAPI_FAILED;
    return (ULONGLONG)position.QuadPart;
}

ORB_EXPORT(BOOL) FileExists(const char* path) {
    return path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
