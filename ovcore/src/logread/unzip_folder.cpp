// The temporary unzip folder of a profile and its index file OV_ZIP.INI.
#include "ovcore/logsource.h"
#include "logread/engine_link.h"
#include <stdio.h>
#include <string.h>

namespace {

// Size and last-write time of a file; 0 when it cannot be examined.
BOOL FileStamp(const char* path, DWORD* size, DWORD* time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    *size = data.nFileSizeLow;
    ULARGE_INTEGER t;
    t.LowPart = data.ftLastWriteTime.dwLowDateTime;
    t.HighPart = data.ftLastWriteTime.dwHighDateTime;
    *time = (DWORD)(t.QuadPart / 10000000ULL - 11644473600ULL);
    return TRUE;
}

} // namespace

BOOL GetTempUnzipFolder(const char* profileName, char* folder, DWORD size) {
    char datfiles[MAX_PATH];
    char name[MAX_PATH];
    if (!LogRead_GetDatfilesFolder(datfiles, sizeof(datfiles)))
        return FALSE;
    GetFileNameFromPath(profileName, name);
    char* dot = strrchr(name, '.');
    if (dot)
        *dot = 0;
    int n = snprintf(folder, size, "%s%s.ZIP\\", datfiles, name);
    if (n < 0 || (DWORD)n >= size) {
        folder[0] = 0;
        return FALSE;
    }
    return TRUE;
}

int GetUnzippedFileName(const char* profileName, const char* archivePath, const char* memberName,
                        char* localPath, DWORD memberIndex) {
    char folder[MAX_PATH], index[MAX_PATH], key[MAX_PATH + 16], stampKey[MAX_PATH + 24];
    localPath[0] = 0;
    if (!GetTempUnzipFolder(profileName, folder, sizeof(folder)) ||
        snprintf(index, sizeof(index), "%sOV_ZIP.INI", folder) >= (int)sizeof(index))
        return -1;
    snprintf(key, sizeof(key), "%s%lu", memberName, (unsigned long)memberIndex);
    snprintf(stampKey, sizeof(stampKey), "%sStamp", key);

    DWORD size = 0, time = 0;
    FileStamp(archivePath, &size, &time);
    char stamp[32], stored[32];
    snprintf(stamp, sizeof(stamp), "%lu %lu", (unsigned long)size, (unsigned long)time);

    char found[MAX_PATH];
    GetPrivateProfileStringA(archivePath, key, "", found, sizeof(found), index);
    GetPrivateProfileStringA(archivePath, stampKey, "", stored, sizeof(stored), index);
    DWORD copySize, copyTime;
    if (found[0] && strcmp(stored, stamp) == 0 && FileStamp(found, &copySize, &copyTime)) {
        strcpy(localPath, found);
        return 1;
    }
    // A changed archive or a lost copy is unpacked again, into its old name when it had one.
    if (!found[0]) {
        UINT n = GetPrivateProfileIntA("Main", "NumUnzippedFiles", 0, index) + 1;
        if (snprintf(found, sizeof(found), "%sUNZIP%u.LOG", folder, n) >= (int)sizeof(found))
            return -1;
        char number[16];
        snprintf(number, sizeof(number), "%lu", (unsigned long)n);
        WritePrivateProfileStringA("Main", "NumUnzippedFiles", number, index);
    }
    if (!WritePrivateProfileStringA(archivePath, key, found, index) ||
        !WritePrivateProfileStringA(archivePath, stampKey, stamp, index))
        return -1;
    strcpy(localPath, found);
    return 0;
}

void ShowUnzipError(HWND, UINT stringId, const char* archivePath) {
    char format[256], text[MAX_PATH + 256];
    LogRead_LoadText(stringId, format, sizeof(format));
    snprintf(text, sizeof(text), format, archivePath);
    LogRead_ShowError(text);
}

ORB_EXPORT(int) ORB_DeleteFiles(const char* folder, const char* pattern) {
    char pattern_path[MAX_PATH], path[MAX_PATH];
    if (snprintf(pattern_path, sizeof(pattern_path), "%s%s", folder, pattern) >=
        (int)sizeof(pattern_path))
        return -1;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern_path, &found);
    if (find == INVALID_HANDLE_VALUE)
        return -1;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (snprintf(path, sizeof(path), "%s%s", folder, found.cFileName) < (int)sizeof(path))
            DeleteFileA(path);
    } while (FindNextFileA(find, &found));
    return FindClose(find);
}

ORB_EXPORT(int) ORB_DeleteTempZIPFiles(const char* profileName) {
    char folder[MAX_PATH];
    if (!profileName || !GetTempUnzipFolder(profileName, folder, sizeof(folder)))
        return -1;
    return ORB_DeleteFiles(folder, "*.*");
}
