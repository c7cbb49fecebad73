// The run's list of files written by the report writer.
#include "report_run/processed_files.h"
#include "report_run/file_names.h"
#include <cstdlib>
#include <cstring>

namespace {
int Grow(ProcessedFileList* list) {
    if (list->Count < list->Capacity)
        return 1;
    if (list->Capacity >= 0x8000)
        return 0;
    WORD capacity = list->Capacity ? (WORD)(list->Capacity * 2) : 16;
    char** entries = (char**)realloc(list->Entries, capacity * sizeof(char*));
    if (!entries)
        return 0;
    list->Entries = entries;
    list->Capacity = capacity;
    return 1;
}
} // namespace

int AddProcessedFile(ProcessedFileList* list, const char* path, int value) {
    if (!path || !Grow(list))
        return 0;
    const char* name = FileNamePart(path);
    size_t length = strlen(name);
    char* entry = (char*)malloc(length + 2);
    if (!entry)
        return 0;
    entry[0] = value == 1 ? '+' : '-';
    memcpy(entry + 1, name, length + 1);
    list->Entries[list->Count++] = entry;
    return 1;
}

int HasProcessedFile(const ProcessedFileList* list, const char* path) {
    const char* name = FileNamePart(path);
    for (WORD i = 0; i < list->Count; ++i)
        if (list->Entries[i] && lstrcmpiA(list->Entries[i] + 1, name) == 0)
            return 1;
    return 0;
}

int ProcessedFilePath(const char* outputFile, const char* entry, char* path) {
    const char* name = FileNamePart(outputFile);
    size_t folder = (size_t)(name - outputFile);
    size_t length = strlen(entry);
    if (folder + length + 1 > MAX_PATH)
        return 0;
    memcpy(path, outputFile, folder);
    memcpy(path + folder, entry, length + 1);
    return 1;
}

void ClearProcessedFiles(ProcessedFileList* list, const char* outputFile) {
    char path[MAX_PATH];
    for (WORD i = 0; i < list->Count; ++i) {
        char* entry = list->Entries[i];
        if (entry && entry[0] == '-' && ProcessedFilePath(outputFile, entry + 1, path))
            DeleteFileA(path);
    }
    FreeProcessedFiles(list);
}

void FreeProcessedFiles(ProcessedFileList* list) {
    for (WORD i = 0; i < list->Count; ++i)
        free(list->Entries[i]);
    free(list->Entries);
    list->Entries = nullptr;
    list->Count = 0;
    list->Capacity = 0;
}
