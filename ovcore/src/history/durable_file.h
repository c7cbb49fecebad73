// A file written beside its final name and put in place only when whole: the
// content goes to "~<name>.tmp" in the same folder through a buffer, is
// flushed to disk, and then replaces the old file in one rename. Until the
// rename the old file is untouched; a failed or abandoned write leaves it as
// it was.
#pragma once
#include <windows.h>

#define DURABLE_BUFFER 65536

struct DurableFile {
    HANDLE File;
    char FinalPath[MAX_PATH];
    char TempPath[MAX_PATH];
    DWORD Position; // bytes accepted so far: the offset of the next write
    DWORD Buffered;
    int Failed;
    BYTE* Buffer;
};

// Makes the temporary file. 1, or 0 (nothing left behind).
int DurableFile_Create(DurableFile* file, const char* path);
// Appends bytes. 1, or 0 once any write has failed (later writes fail too).
int DurableFile_Write(DurableFile* file, const void* data, DWORD size);
// Overwrites bytes already written (at offset, within the file). 1/0.
int DurableFile_Patch(DurableFile* file, DWORD offset, const void* data, DWORD size);
// Flushes and replaces the final file. 1, or 0 (the old file kept, the
// temporary one removed).
int DurableFile_Commit(DurableFile* file);
// Drops the temporary file; the old file stays.
void DurableFile_Abandon(DurableFile* file);

// Writes a whole file durably in one go. 1/0.
int DurableFile_WriteWhole(const char* path, const void* data, DWORD size);

// The temporary name of path ("~<name>.tmp" beside it), or a marker name
// with another suffix. 1, or 0 when it does not fit.
int DurableFile_SideName(const char* path, const char* suffix, char* out);

// Test seam: the n-th disk write from now (1 the next; each buffer flush,
// patch and final rename counts) fails as a full disk would; 0 turns it
// off. DurableFile_WriteCount gives the writes made since the last call to
// DurableFile_FailWrite.
void DurableFile_FailWrite(int n);
int DurableFile_WriteCount(void);
