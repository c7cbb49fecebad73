// Removing a profile's fetched copies with its listing-state file.
#include "fetch/copy_folder.h"
#include "fetch/fetch_state.h"
#include <string.h>

BOOL Fetch_IsInCopyFolder(const char* path, const char* folder) {
    size_t n = strlen(folder);
    return _strnicmp(path, folder, n) == 0 && path[n] && !strpbrk(path + n, "\\/") &&
           strcmp(path + n, ".") != 0 && strcmp(path + n, "..") != 0;
}

BOOL DeleteDownloadedFiles(const char* listPath) {
    char stem[MAX_PATH], folder[MAX_PATH];
    const char* dot = listPath ? strrchr(listPath, '.') : nullptr;
    if (!dot || (size_t)(dot - listPath) >= sizeof(stem))
        return FALSE;
    memcpy(stem, listPath, dot - listPath);
    stem[dot - listPath] = 0;
    if (!Fetch_CopyFolderName(folder, sizeof(folder), stem, ""))
        return FALSE;
    FetchList list = {};
    if (ReadFetchList(&list, listPath)) {
        // The list file is plain text: only files directly inside the
        // profile's copy folder are ever deleted.
        for (DWORD i = 0; i < list.dwCount; i++)
            if (Fetch_IsInCopyFolder(list.lpEntries[i].szLocalPath, folder))
                DeleteFileA(list.lpEntries[i].szLocalPath);
        FetchList_Clear(&list);
    }
    DeleteFileA(listPath);
    folder[strlen(folder) - 1] = 0;
    RemoveDirectoryA(folder); // only when empty
    return TRUE;
}
