#include "logread/temp_files.h"
#include "logread/engine_link.h"
#include <stdlib.h>
#include <string.h>

BOOL TempFileList_Add(TempFileList* list, const char* localPath) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(localPath, GetFileExInfoStandard, &data))
        return TRUE; // nothing to read from this member
    if (strlen(localPath) + ZIPPED_PREFIX_LEN >= sizeof(((TempFileRecord*)0)->szPath))
        return TRUE;
    TempFileRecord* r = (TempFileRecord*)calloc(1, sizeof(TempFileRecord));
    TempFileRecord** grown =
        r ? (TempFileRecord**)realloc(list->items, (list->count + 1) * sizeof(*grown)) : nullptr;
    if (!grown) {
        free(r);
        return FALSE;
    }
    strcpy(r->szPath, ZIPPED_PREFIX);
    strcat(r->szPath, localPath);
    r->dwSize = data.nFileSizeLow;
    ULARGE_INTEGER t;
    t.LowPart = data.ftLastWriteTime.dwLowDateTime;
    t.HighPart = data.ftLastWriteTime.dwHighDateTime;
    r->dwFileTime = (DWORD)(t.QuadPart / 10000000ULL - 11644473600ULL);
    list->items = grown;
    list->items[list->count++] = r;
    return TRUE;
}

void TempFileList_Clear(TempFileList* list) {
    FreeTempFileList(list->items, list->count);
    list->items = nullptr;
    list->count = 0;
}

void FreeTempFileList(TempFileRecord** list, DWORD count) {
    if (!list)
        return;
    for (DWORD i = 0; i < count; i++)
        free(list[i]);
    free(list);
}

void UnpackProgress_Start(UnpackProgress* p, const char* archivePath) {
    if (p->started)
        return;
    p->started = TRUE;
    HWND window = LogRead_GetProgressWindow();
    if (!window)
        return;
    char name[MAX_PATH];
    GetFileNameFromPath(archivePath, name);
    SendMessageA(window, WM_USER, 0, 0);
    SendMessageA(window, WM_USER + 20, 0, (LPARAM)name);
}

BOOL UnpackProgress_Report(DWORD percent) {
    HWND window = LogRead_GetProgressWindow();
    if (window)
        SendMessageA(window, WM_USER, percent > 100 ? 100 : percent, 0);
    LogRead_PumpMessages();
    return !LogRead_IsCancelled();
}

void UnpackProgress_End(UnpackProgress* p) {
    HWND window = LogRead_GetProgressWindow();
    if (p->started && window)
        SendMessageA(window, WM_USER, 100, 0);
}

BOOL EnsureTempUnzipFolder(const char* profileName) {
    char folder[MAX_PATH];
    if (!GetTempUnzipFolder(profileName, folder, sizeof(folder)))
        return FALSE;
    return CreateDirectoryA(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
