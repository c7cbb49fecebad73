// Thin file helpers for the engine's clients: 64-bit size and seek over an
// open file handle, and an existence test by path.
#pragma once
#include "ovcore/ovcore_base.h"

// What FileSize64 and FileSeek64 answer when the call fails.
#define FILEAPI_FAILED ((ULONGLONG)-1)

// Size in bytes of the open file, or FILEAPI_FAILED.
ORB_EXPORT(ULONGLONG) FileSize64(HANDLE file);
// Moves the file pointer by offset from origin (FILE_BEGIN, FILE_CURRENT or
// FILE_END); the new position, or FILEAPI_FAILED (pointer unchanged).
ORB_EXPORT(ULONGLONG) FileSeek64(HANDLE file, LONGLONG offset, DWORD origin);
// 1 when path names an existing file or folder, else 0 (also for null).
ORB_EXPORT(BOOL) FileExists(const char* path);
