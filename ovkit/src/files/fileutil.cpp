#include "ovkit/fileutil.h"
#include "ovkit/ovassert.h"
#include "fileread.h"
#include "ovkit/memory.h"
#include <cstdio>
#include <string>

namespace {

const DWORD kPiece = 32768;
// The block holds the file and 63 more bytes, and its size is a 32-bit word.
const DWORD kLargestFile = 0xFFFFFFFFu - 63;
const DWORD kCreateWrite = OF_CREATE | OF_WRITE;
const DWORD kCopyReadStyle = OF_READ | OF_SHARE_DENY_NONE;

void ShowFileError(const char* format, const char* path) {
    char text[1024];
    std::snprintf(text, sizeof text, format, path);
    MessageBoxA(nullptr, text, OVKIT_CAPTION, MB_OK | MB_ICONERROR);
}

// Opens the file as OpenFile would for this style word: the same access,
// sharing and creation, without its 128-byte path limit.
HANDLE OpenLikeOpenFile(const char* path, UINT style) {
    DWORD access;
    switch (style & 0x03) {
    case OF_WRITE:
        access = GENERIC_WRITE;
        break;
    case OF_READWRITE:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        access = GENERIC_READ;
        break;
    }
    DWORD share;
    switch (style & 0x70) {
    case OF_SHARE_EXCLUSIVE:
        share = 0;
        break;
    case OF_SHARE_DENY_WRITE:
        share = FILE_SHARE_READ;
        break;
    case OF_SHARE_DENY_READ:
        share = FILE_SHARE_WRITE;
        break;
    default: // deny none and compatibility mode
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }
    DWORD creation = OPEN_EXISTING;
    if (style & OF_CREATE) {
        creation = CREATE_ALWAYS;
        access |= GENERIC_WRITE;
    }
    return CreateFileA(path, access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Reads up to want bytes; false on a failed read. *got < want at end of file.
bool ReadPiece(HANDLE file, char* into, DWORD want, DWORD* got) {
    *got = 0;
    return want == 0 || ReadFile(file, into, want, got, nullptr);
}

// Fills data with up to size bytes; false on a failed read. *done gets the
// bytes read, fewer when the file shrank since its size was taken.
bool ReadAll(HANDLE file, char* data, DWORD size, DWORD* done) {
    DWORD pieces = size / kPiece; // 32-bit count: files past 2 GB count right
    DWORD total = 0;
    for (DWORD i = 0; i <= pieces; ++i) {
        DWORD want = i < pieces ? kPiece : size % kPiece;
        DWORD got;
        if (!ReadPiece(file, data + total, want, &got))
            return false;
        total += got;
        if (got < want)
            break;
    }
    *done = total;
    return true;
}

bool WriteAll(HANDLE file, const char* data, DWORD length) {
    DWORD pieces = length / kPiece;
    for (DWORD i = 0; i <= pieces; ++i) {
        DWORD want = i < pieces ? kPiece : length % kPiece;
        DWORD put = 0;
        if (want &&
            (!WriteFile(file, data + DWORD_PTR(i) * kPiece, want, &put, nullptr) || put != want))
            return false;
    }
    return true;
}

} // namespace

char* ReadOpenedFile(HANDLE file, DWORD expected, HGLOBAL* handle, DWORD* size, const char* path) {
    *size = expected;
    char* data = static_cast<char*>(OVKIT_AllocAndLock(handle, expected));
    if (data && !ReadAll(file, data, expected, size)) {
        ShowFileError("Unable to read from %s.", path);
        OVKIT_UnlockAndFree(handle);
        data = nullptr;
    }
    return data;
}

BOOL OVKIT_CALL OVKIT_FindFile(const char* name, WIN32_FIND_DATAA* found) {
    OV_ASSERT(name && found);
    if (!found)
        return FALSE;
    ZeroMemory(found, sizeof *found);
    if (!name)
        return FALSE;
    HANDLE search = FindFirstFileA(name, found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    return TRUE;
}

char* OVKIT_CALL OVKIT_ReadEntireFile(const char* path, HGLOBAL* handle, BOOL showErrors,
                                      UINT style, DWORD* size) {
    OV_ASSERT(path && handle && size);
    if (!path || !handle || !size)
        return nullptr;
    WIN32_FIND_DATAA found;
    if (!OVKIT_FindFile(path, &found))
        return nullptr;
    HANDLE file = OpenLikeOpenFile(path, style);
    if (file == INVALID_HANDLE_VALUE) {
        if (showErrors)
            ShowFileError("Unable to open %s.", path);
        return nullptr;
    }
    char* data = nullptr;
    if (found.nFileSizeHigh == 0 && found.nFileSizeLow <= kLargestFile)
        data = ReadOpenedFile(file, found.nFileSizeLow, handle, size, path);
    else
        ShowFileError("Unable to read from %s.", path); // no block can hold it
    CloseHandle(file);
    return data;
}

BOOL OVKIT_CALL OVKIT_WriteEntireFile(const char* path, const void* data, DWORD length) {
    OV_ASSERT(path && (data || length == 0));
    if (!path || (!data && length))
        return FALSE;
    HANDLE file = OpenLikeOpenFile(path, kCreateWrite);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    bool written = WriteAll(file, static_cast<const char*>(data), length);
    if (!written)
        ShowFileError("Unable to write to %s.", path);
    CloseHandle(file);
    return written;
}

BOOL OVKIT_CALL OVKIT_MyCopyFile(const char* source, const char* destination) {
    HGLOBAL block = nullptr;
    DWORD size = 0;
    char* data = OVKIT_ReadEntireFile(source, &block, TRUE, kCopyReadStyle, &size);
    if (!data)
        return FALSE;
    BOOL copied = size > 0 && OVKIT_WriteEntireFile(destination, data, size);
    OVKIT_UnlockAndFree(&block);
    return copied;
}

int OVKIT_CALL OVKIT_CountFiles(const char* folder, const char* pattern) {
    std::string name = std::string(folder ? folder : "") + (pattern ? pattern : "");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}
