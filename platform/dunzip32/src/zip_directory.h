// Reading a zip archive's central directory: one member's record by index.
#pragma once
#include <windows.h>

struct ZipMember {
    DWORD method;
    DWORD flags;
    DWORD dosDateTime;
    DWORD crc32;
    DWORD compressedSize;
    DWORD uncompressedSize;
    DWORD externalAttributes;
    DWORD localHeaderOffset;
    char name[MAX_PATH]; // cut to MAX_PATH - 1 characters
};

// Counts the members of the open archive; returns a DUNZIP_* result.
int ZipCountMembers(HANDLE archive, DWORD* count);
// Reads member `index`'s directory record; returns a DUNZIP_* result.
int ZipFindMember(HANDLE archive, DWORD index, ZipMember* member);
// Reads exactly `count` bytes at `offset`; FALSE on a short or failed read.
BOOL ZipReadAt(HANDLE archive, ULONGLONG offset, void* buffer, DWORD count);
