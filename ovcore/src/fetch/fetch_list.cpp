// The fetch lists: the files of the running fetch and of the last one.
#include "core/engine_state.h"
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include <stdlib.h>
#include <string.h>

namespace {
FetchList g_current = {};
FetchList g_previous = {};
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

BOOL Fetch_MakeTemporary(char* path) {
    if (GetTempFileNameA(Engine_State().dataFolder, "ovf", 0, path))
        return TRUE;
    path[0] = 0;
    return FALSE;
}
