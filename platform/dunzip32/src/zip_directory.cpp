#include "zip_directory.h"
#include "dunzip32.h"
#include <string.h>
#include <stdlib.h>

namespace {

const DWORD kEndRecordSize = 22;
const DWORD kMaxCommentSpan = 65535 + kEndRecordSize;
const DWORD kCentralHeaderSize = 46;
const DWORD kMaxDirectorySize = 64 * 1024 * 1024;

DWORD U16(const BYTE* p) {
    return p[0] | (p[1] << 8);
}
DWORD U32(const BYTE* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24);
}

struct Directory {
    BYTE* bytes;
    DWORD size;
    DWORD entries;
};

// Finds the end-of-directory record in the archive's tail and loads the directory.
int LoadDirectory(HANDLE archive, Directory* dir) {
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(archive, &fileSize) || fileSize.QuadPart < kEndRecordSize)
        return DUNZIP_BAD_ARCHIVE;
    DWORD span = fileSize.QuadPart < kMaxCommentSpan ? (DWORD)fileSize.QuadPart : kMaxCommentSpan;
    BYTE* tail = (BYTE*)malloc(span);
    if (!tail || !ZipReadAt(archive, fileSize.QuadPart - span, tail, span)) {
        free(tail);
        return DUNZIP_CANNOT_OPEN;
    }
    int result = DUNZIP_BAD_ARCHIVE;
    for (DWORD i = span - kEndRecordSize + 1; i-- > 0;) {
        const BYTE* e = tail + i;
        if (U32(e) != 0x06054b50)
            continue;
        ULONGLONG endPos = fileSize.QuadPart - span + i;
        dir->entries = U16(e + 10);
        dir->size = U32(e + 12);
        DWORD offset = U32(e + 16);
        if ((ULONGLONG)offset + dir->size > endPos || dir->size > kMaxDirectorySize)
            break;
        dir->bytes = (BYTE*)malloc(dir->size ? dir->size : 1);
        if (!dir->bytes || !ZipReadAt(archive, offset, dir->bytes, dir->size)) {
            free(dir->bytes);
            dir->bytes = nullptr;
            result = DUNZIP_CANNOT_OPEN;
            break;
        }
        result = DUNZIP_OK;
        break;
    }
    free(tail);
    return result;
}

// Walks the directory to entry `index` (or to its end when index is -1).
// Returns DUNZIP_OK with *found set, DUNZIP_NO_MEMBER, or DUNZIP_BAD_ARCHIVE.
int WalkDirectory(const Directory& dir, DWORD index, DWORD* walked, const BYTE** found) {
    DWORD pos = 0;
    DWORD n = 0;
    while (n < dir.entries) {
        if (dir.size - pos < kCentralHeaderSize || U32(dir.bytes + pos) != 0x02014b50)
            return DUNZIP_BAD_ARCHIVE;
        const BYTE* h = dir.bytes + pos;
        DWORD length = kCentralHeaderSize + U16(h + 28) + U16(h + 30) + U16(h + 32);
        if (dir.size - pos < length)
            return DUNZIP_BAD_ARCHIVE;
        if (n == index) {
            *found = h;
            return DUNZIP_OK;
        }
        pos += length;
        n++;
    }
    *walked = n;
    return index == (DWORD)-1 ? DUNZIP_OK : DUNZIP_NO_MEMBER;
}

void FillMember(const BYTE* h, ZipMember* m) {
    m->flags = U16(h + 8);
    m->method = U16(h + 10);
    m->dosDateTime = (U16(h + 14) << 16) | U16(h + 12);
    m->crc32 = U32(h + 16);
    m->compressedSize = U32(h + 20);
    m->uncompressedSize = U32(h + 24);
    m->externalAttributes = U32(h + 38);
    m->localHeaderOffset = U32(h + 42);
    DWORD nameLength = U16(h + 28);
    if (nameLength >= sizeof(m->name))
        nameLength = sizeof(m->name) - 1;
    memcpy(m->name, h + kCentralHeaderSize, nameLength);
    m->name[nameLength] = 0;
}

} // namespace

BOOL ZipReadAt(HANDLE archive, ULONGLONG offset, void* buffer, DWORD count) {
    LARGE_INTEGER at;
    at.QuadPart = (LONGLONG)offset;
    DWORD read = 0;
    return SetFilePointerEx(archive, at, nullptr, FILE_BEGIN) &&
           ReadFile(archive, buffer, count, &read, nullptr) && read == count;
}

int ZipCountMembers(HANDLE archive, DWORD* count) {
    Directory dir = {};
    int result = LoadDirectory(archive, &dir);
    if (result == DUNZIP_OK) {
        const BYTE* unused = nullptr;
        result = WalkDirectory(dir, (DWORD)-1, count, &unused);
    }
    free(dir.bytes);
    return result;
}

int ZipFindMember(HANDLE archive, DWORD index, ZipMember* member) {
    Directory dir = {};
    int result = LoadDirectory(archive, &dir);
    if (result == DUNZIP_OK) {
        const BYTE* h = nullptr;
        DWORD walked = 0;
        result = WalkDirectory(dir, index, &walked, &h);
        if (result == DUNZIP_OK)
            FillMember(h, member);
    }
    free(dir.bytes);
    return result;
}
