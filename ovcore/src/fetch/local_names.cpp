// Local copy names of fetched files: 8.3 names in the copy folder.
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include <stdio.h>
#include <string.h>

namespace {

const unsigned kMaxCounter = 9999;

// The file name behind the remote name's last "/" (else its last "\").
const char* RemoteFileName(const char* remote) {
    const char* slash = strrchr(remote, '/');
    if (!slash)
        slash = strrchr(remote, '\\');
    return slash ? slash + 1 : remote;
}

BOOL IsTaken(const FetchList* list, DWORD self, const char* path) {
    for (DWORD i = 0; i < list->dwCount; i++)
        if (i != self && lstrcmpiA(list->lpEntries[i].szLocalPath, path) == 0)
            return TRUE;
    return FALSE;
}

// Base: before the first "."; extension: behind the last "." (none without one).
BOOL NameEntry(FetchList* list, DWORD index, const char* folder) {
    FetchEntry* e = &list->lpEntries[index];
    const char* name = RemoteFileName(e->szRemoteName);
    const char* lastDot = strrchr(name, '.');
    int baseLength = (int)strcspn(name, ".");
    const char* ext = lastDot ? lastDot + 1 : "";
    char path[FETCH_PATH_SIZE];
    int written = snprintf(path, sizeof(path), "%s%.*s.%.3s", folder,
                           baseLength < 8 ? baseLength : 8, name, ext);
    for (unsigned counter = 0; written < (int)sizeof(path) && IsTaken(list, index, path);
         counter++) {
        if (counter > kMaxCounter)
            return FALSE;
        written = snprintf(path, sizeof(path), "%s%.*s%04u.%.3s", folder,
                           baseLength < 4 ? baseLength : 4, name, counter, ext);
    }
    if (written >= (int)sizeof(path))
        return FALSE;
    strcpy(e->szLocalPath, path);
    return TRUE;
}

} // namespace

BOOL MakeLocalCopyNames(FetchList* list, const char* folder) {
    for (DWORD i = 0; i < list->dwCount; i++) {
        if (list->lpEntries[i].szLocalPath[0])
            continue;
        if (!NameEntry(list, i, folder)) {
            Fetch_SetErrorId(IDS_FETCH_NAME_TOO_LONG, list->lpEntries[i].szRemoteName);
            return FALSE;
        }
    }
    return TRUE;
}
