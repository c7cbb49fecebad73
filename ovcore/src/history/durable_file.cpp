#include "history/durable_file.h"

#include <stdlib.h>
#include <string.h>

static int g_failAt;  // the write that fails, 0 none
static int g_written; // writes since DurableFile_FailWrite

void DurableFile_FailWrite(int n) {
    g_failAt = n;
    g_written = 0;
}

int DurableFile_WriteCount(void) {
    return g_written;
}

// Counts one disk write; 0 when the seam says this one fails.
static int SeamAllows(void) {
    ++g_written;
    return g_failAt == 0 || g_written != g_failAt;
}

int DurableFile_SideName(const char* path, const char* suffix, char* out) {
    const char* slash = strrchr(path, '\\');
    size_t folder = slash ? (size_t)(slash - path) + 1 : 0;
    if (strlen(path) + 1 + strlen(suffix) >= MAX_PATH)
        return 0;
    memcpy(out, path, folder);
    out[folder] = '~';
    strcpy(out + folder + 1, path + folder);
    strcat(out, suffix);
    return 1;
}

int DurableFile_Create(DurableFile* file, const char* path) {
    memset(file, 0, sizeof(*file));
    file->File = INVALID_HANDLE_VALUE;
    if (strlen(path) >= MAX_PATH || !DurableFile_SideName(path, ".tmp", file->TempPath))
        return 0;
    strcpy(file->FinalPath, path);
    file->Buffer = (BYTE*)malloc(DURABLE_BUFFER);
    if (!file->Buffer)
        return 0;
    file->File = CreateFileA(file->TempPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file->File == INVALID_HANDLE_VALUE) {
        free(file->Buffer);
        file->Buffer = nullptr;
        return 0;
    }
    return 1;
}

static int WriteAll(HANDLE handle, const void* data, DWORD size) {
    DWORD done = 0;
    if (!SeamAllows())
        return 0;
    return WriteFile(handle, data, size, &done, nullptr) && done == size;
}

static int FlushBuffer(DurableFile* file) {
    if (file->Buffered == 0)
        return 1;
    if (!WriteAll(file->File, file->Buffer, file->Buffered))
        file->Failed = 1;
    file->Buffered = 0;
    return !file->Failed;
}

int DurableFile_Write(DurableFile* file, const void* data, DWORD size) {
    const BYTE* bytes = (const BYTE*)data;
    while (!file->Failed && size > 0) {
        DWORD room = DURABLE_BUFFER - file->Buffered;
        DWORD n = size < room ? size : room;
        memcpy(file->Buffer + file->Buffered, bytes, n);
        file->Buffered += n;
        file->Position += n;
        bytes += n;
        size -= n;
        if (file->Buffered == DURABLE_BUFFER)
            FlushBuffer(file);
    }
    return !file->Failed;
}

int DurableFile_Patch(DurableFile* file, DWORD offset, const void* data, DWORD size) {
    if (file->Failed || offset + size > file->Position || !FlushBuffer(file))
        return 0;
    LONG high = 0;
    if (SetFilePointer(file->File, (LONG)offset, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !WriteAll(file->File, data, size))
        file->Failed = 1;
    high = 0;
    SetFilePointer(file->File, 0, &high, FILE_END);
    return !file->Failed;
}

static void CloseTemp(DurableFile* file) {
    if (file->File != INVALID_HANDLE_VALUE)
        CloseHandle(file->File);
    file->File = INVALID_HANDLE_VALUE;
    free(file->Buffer);
    file->Buffer = nullptr;
}

int DurableFile_Commit(DurableFile* file) {
    int ok = FlushBuffer(file) && FlushFileBuffers(file->File);
    CloseTemp(file);
    ok = ok && SeamAllows() &&
         MoveFileExA(file->TempPath, file->FinalPath,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileA(file->TempPath);
    return ok;
}

void DurableFile_Abandon(DurableFile* file) {
    CloseTemp(file);
    if (file->TempPath[0])
        DeleteFileA(file->TempPath);
}

int DurableFile_WriteWhole(const char* path, const void* data, DWORD size) {
    DurableFile file;
    if (!DurableFile_Create(&file, path))
        return 0;
    if (!DurableFile_Write(&file, data, size)) {
        DurableFile_Abandon(&file);
        return 0;
    }
    return DurableFile_Commit(&file);
}
