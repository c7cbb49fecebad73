// The files the report writer produced during a run: "+name" for a file the
// writer reported with value 1, "-name" for any other; "-" files are deleted
// once they were mailed or uploaded.
#pragma once
#include <windows.h>

struct ProcessedFileList {
    char** Entries; // heap texts; a freed entry is null
    WORD Count;
    WORD Capacity;
};

// Appends an entry for path (only its bare file name is kept). 1, or 0 when
// memory runs out (the list is unchanged).
int AddProcessedFile(ProcessedFileList* list, const char* path, int value);
// 1 when the list holds the bare file name of path (without case), whatever
// its mark: the writer names a page only once it finished it.
int HasProcessedFile(const ProcessedFileList* list, const char* path);
// "<folder of outputFile><entry name>" into path (MAX_PATH). 1, or 0 when it
// does not fit.
int ProcessedFilePath(const char* outputFile, const char* entry, char* path);
// After a mail or upload: deletes the "-" entries' files (in the folder of
// outputFile), then frees every entry and the array.
void ClearProcessedFiles(ProcessedFileList* list, const char* outputFile);
// Frees what is left (entries already freed are skipped).
void FreeProcessedFiles(ProcessedFileList* list);
