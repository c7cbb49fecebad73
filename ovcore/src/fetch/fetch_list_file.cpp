// The listing-state file of a fetch: what was fetched last time.
#include "fetch/fetch_state.h"
#include <stdio.h>
#include <string.h>

namespace {

// One line cut to size - 1 characters (the rest of a longer line is
// dropped), without its line end. FALSE at the end of the file.
BOOL ReadLine(FILE* file, char* out, DWORD size) {
    char line[1024];
    if (!fgets(line, sizeof(line), file))
        return FALSE;
    size_t length = strlen(line);
    // A line longer than the buffer: drop the rest of it.
    if (length && line[length - 1] != '\n' && !feof(file))
        for (int c = fgetc(file); c != EOF && c != '\n'; c = fgetc(file)) {
        }
    line[strcspn(line, "\r\n")] = 0;
    lstrcpynA(out, line, (int)size);
    return TRUE;
}

} // namespace

namespace {

BOOL EveryLineKnown(const FetchList* list) {
    for (DWORD i = 0; i < list->dwCount; i++)
        if (!list->lpEntries[i].szListing[0])
            return FALSE;
    return TRUE;
}

} // namespace

BOOL Fetch_WriteArrived(const FetchList* list, DWORD arrived, const char* path) {
    FILE* file = fopen(path, "w");
    if (!file)
        return FALSE;
    BOOL complete = arrived >= list->dwCount && EveryLineKnown(list);
    fprintf(file, "%s\n", complete ? list->szHeader : "");
    for (DWORD i = 0; i < list->dwCount; i++) {
        const FetchEntry* e = &list->lpEntries[i];
        // A line only for a copy that is whole: "Detect" trusts it next time.
        BOOL whole = i < arrived || e->dwSkip;
        fprintf(file, "%s\n%s\n%s\n", e->szLocalPath, e->szRemoteName, whole ? e->szListing : "");
    }
    return fclose(file) == 0;
}

BOOL WriteFetchList(const FetchList* list, const char* path) {
    return Fetch_WriteArrived(list, list->dwCount, path);
}

BOOL ReadFetchList(FetchList* list, const char* path) {
    FetchList_Clear(list);
    FILE* file = fopen(path, "r");
    if (!file)
        return FALSE;
    ReadLine(file, list->szHeader, sizeof(list->szHeader));
    FetchEntry e;
    while (ReadLine(file, e.szLocalPath, sizeof(e.szLocalPath)) &&
           ReadLine(file, e.szRemoteName, sizeof(e.szRemoteName)) &&
           ReadLine(file, e.szListing, sizeof(e.szListing))) {
        if (!e.szRemoteName[0] || !FetchList_Add(list, e.szRemoteName, e.szListing))
            continue;
        strcpy(list->lpEntries[list->dwCount - 1].szLocalPath, e.szLocalPath);
    }
    fclose(file);
    return TRUE;
}
