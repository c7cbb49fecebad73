// FileInfo: the file list itself.
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include <stdlib.h>
#include <string.h>

namespace {

void FreeEntry(LogFileEntry* e) {
    HitRecord_Free(e->lpRecord);
    LogFile_Close(&e->logFile);
    LogFile_SetW3CMap(&e->logFile, nullptr);
    free(e);
}

LogFileEntry* NewEntry(const char* path) {
    LogFileEntry* e = (LogFileEntry*)calloc(1, sizeof(LogFileEntry));
    if (!e)
        return nullptr;
    strcpy(e->szPath, path);
    LogFile_Init(&e->logFile);
    e->wState = LOGREAD_RECORD;
    return e;
}

BOOL FileStamp(const char* path, ULONGLONG* size, DWORD* time) {
    if (strncmp(path, ZIPPED_PREFIX, ZIPPED_PREFIX_LEN) == 0)
        path += ZIPPED_PREFIX_LEN;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return FALSE;
    *size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    ULARGE_INTEGER t;
    t.LowPart = data.ftLastWriteTime.dwLowDateTime;
    t.HighPart = data.ftLastWriteTime.dwHighDateTime;
    *time = (DWORD)(t.QuadPart / 10000000ULL - 11644473600ULL);
    return TRUE;
}

BOOL Append(FileInfo* info, LogFileEntry* e) {
    LogFileEntry** grown =
        (LogFileEntry**)realloc(info->lpFiles, (info->wcNumFiles + 1) * sizeof(LogFileEntry*));
    if (!grown)
        return FALSE;
    info->lpFiles = grown;
    info->lpFiles[info->wcNumFiles++] = e;
    return TRUE;
}

} // namespace

void FileInfo_Init(FileInfo* info) {
    memset(info, 0, sizeof(*info));
    info->dwFirstTime = (DWORD)-1;
    info->iFirstFile = info->iLastFile = -1;
}

FileInfo* FileInfo_New() {
    FileInfo* info = (FileInfo*)malloc(sizeof(FileInfo));
    if (info)
        FileInfo_Init(info);
    return info;
}

void FileInfo_Clear(FileInfo* info) {
    if (!info)
        return;
    for (WORD i = 0; i < info->wcNumFiles; i++)
        FreeEntry(info->lpFiles[i]);
    free(info->lpFiles);
    FileInfo_Init(info);
}

void FileInfo_Free(FileInfo* info) {
    FileInfo_Clear(info);
    free(info);
}

FileInfo* FileInfo_AddFile(FileInfo* info, const char* path, DWORD fileTime, ULONGLONG size,
                           WORD serverIndex) {
    if (!info || !path || strlen(path) >= LOGFILE_PATH_MAX ||
        info->wcNumFiles >= FILEINFO_MAX_FILES)
        return nullptr;
    LogFileEntry* e = NewEntry(path);
    if (!e)
        return nullptr;
    if (fileTime == 0 && !FileStamp(path, &size, &fileTime))
        size = fileTime = 0;
    e->qwSize = size;
    e->dwFileTime = fileTime;
    e->wServerIndex = serverIndex;
    if (!Append(info, e)) {
        free(e);
        return nullptr;
    }
    return info;
}

BOOL FileInfo_FindFile(const FileInfo* info, const char* path) {
    for (WORD i = 0; info && i < info->wcNumFiles; i++)
        if (lstrcmpiA(info->lpFiles[i]->szPath, path) == 0)
            return TRUE;
    return FALSE;
}

BOOL FileInfo_CopyFrom(FileInfo* target, const FileInfo* source) {
    FileInfo_Clear(target);
    for (WORD i = 0; i < source->wcNumFiles; i++) {
        const LogFileEntry* s = source->lpFiles[i];
        LogFileEntry* e = NewEntry(s->szPath);
        if (!e || !Append(target, e)) {
            free(e);
            FileInfo_Clear(target);
            return FALSE;
        }
        e->qwSize = s->qwSize;
        e->dwFileTime = s->dwFileTime;
        e->qwStartPos = s->qwStartPos;
        e->qwEndPos = s->qwEndPos;
        e->dwFirstTime = s->dwFirstTime;
        e->dwLastTime = s->dwLastTime;
        e->wServerIndex = s->wServerIndex;
    }
    target->wcNumServers = source->wcNumServers;
    return TRUE;
}

WORD FileInfo_GetFileCount(const FileInfo* info) {
    return info ? info->wcNumFiles : 0;
}
WORD FileInfo_GetServerCount(const FileInfo* info) {
    return info ? info->wcNumServers : 0;
}

int FileInfo_GetFileServer(const FileInfo* info, int i) {
    if (!info || i < 0 || i >= info->wcNumFiles)
        return -1;
    return info->lpFiles[i]->wServerIndex;
}

LogFile* FileInfo_GetLogFile(FileInfo* info, int i) {
    if (!info || i < 0 || i >= info->wcNumFiles)
        return nullptr;
    return &info->lpFiles[i]->logFile;
}

BOOL FileInfo_IsFileOpen(const FileInfo* info, int i) {
    if (!info || i < 0 || i >= info->wcNumOpen || i >= info->wcNumFiles)
        return FALSE;
    return LogFile_IsOpen(&info->lpFiles[i]->logFile);
}

int FileInfo_GetFileRecord(const FileInfo* info, int i, HitRecord** record) {
    *record = nullptr;
    if (!info || i < 0 || i >= info->wcNumOpen || i >= info->wcNumFiles)
        return LOGREAD_NONE;
    *record = info->lpFiles[i]->lpRecord;
    return info->lpFiles[i]->wState;
}

ULONGLONG FileInfo_GetRecordCount(const FileInfo* info) {
    return info ? info->qwRecordsRead : 0;
}
