// The fetch lists: the files of the running fetch and of the last one.
#include "core/engine_state.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {
FetchList g_current = {};
FetchList g_previous = {};

const char kTemporaryPrefix[] = "ovf";
// A temporary file untouched this long belongs to no running fetch: one
// that runs holds its file open (so it cannot be deleted) or has only just
// made it.
const ULONGLONG kStaleAfter = 60ULL * 10000000ULL; // FILETIME units
} // namespace

FetchList* Fetch_CurrentList(void) {
    return &g_current;
}
FetchList* Fetch_PreviousList(void) {
    return &g_previous;
}

BOOL FetchList_Add(FetchList* list, const char* remoteName, const char* listing) {
    if (!remoteName)
        remoteName = "";
    if (!listing)
        listing = "";
    if (strlen(remoteName) >= FETCH_NAME_SIZE || strlen(listing) >= FETCH_LISTING_SIZE) {
        Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, remoteName);
        return FALSE;
    }
    FetchEntry* grown =
        (FetchEntry*)realloc(list->lpEntries, (list->dwCount + 1) * sizeof(FetchEntry));
    if (!grown)
        return FALSE;
    list->lpEntries = grown;
    FetchEntry* e = &grown[list->dwCount++];
    memset(e, 0, sizeof(*e));
    strcpy(e->szRemoteName, remoteName);
    strcpy(e->szListing, listing);
    return TRUE;
}

void FetchList_Clear(FetchList* list) {
    free(list->lpEntries);
    memset(list, 0, sizeof(*list));
}

DWORD FetchList_NextToTransfer(const FetchList* list, DWORD index) {
    while (index < list->dwCount && list->lpEntries[index].dwSkip)
        index++;
    return index;
}

ULONGLONG Fetch_FileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

void Fetch_RemoveStaleTemporaries(void) {
    const char* folder = Engine_State().dataFolder;
    char path[MAX_PATH];
    int n = snprintf(path, sizeof(path), "%s%s*.tmp", folder, kTemporaryPrefix);
    if (n < 0 || n >= (int)sizeof(path))
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ||
            Fetch_TimeNumber(now) - Fetch_TimeNumber(found.ftLastWriteTime) < kStaleAfter)
            continue;
        n = snprintf(path, sizeof(path), "%s%s", folder, found.cFileName);
        if (n > 0 && n < (int)sizeof(path))
            DeleteFileA(path); // fails for a file still open
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

BOOL Fetch_MakeTemporary(char* path) {
    if (GetTempFileNameA(Engine_State().dataFolder, kTemporaryPrefix, 0, path))
        return TRUE;
    path[0] = 0;
    return FALSE;
}
