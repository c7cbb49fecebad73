// Starting an HTTP fetch: the fetch list of the source's paths.
#include "fetch/fetch_ids.h"
#include "fetch/fetch_state.h"
#include "fetch/http_fetch.h"
#include "fetch/remote_start.h"
#include <string.h>

namespace {

// One entry per "|"- or blank-separated path of the source, carrying the
// previous list's copy name; copies of paths no longer listed are deleted.
BOOL BuildHttpFetchList(const char* host, const char* paths, const char* folder) {
    FetchList* list = Fetch_CurrentList();
    const FetchList* previous = Fetch_PreviousList();
    FetchList_Clear(list);
    char text[SERVERINFO_PATH_SIZE];
    lstrcpynA(text, paths, sizeof(text));
    for (char* piece = strtok(text, "| "); piece; piece = strtok(nullptr, "| ")) {
        char remote[FETCH_NAME_SIZE];
        if (!RemoteFetch_Format(remote, sizeof(remote), piece[0] == '/' ? "%s%s" : "%s/%s", host,
                                piece) ||
            !FetchList_Add(list, remote, "HTTP"))
            return FALSE;
        const char* copy = RemoteFetch_PreviousCopy(previous, remote);
        if (copy && Fetch_IsInCopyFolder(copy, folder))
            strcpy(list->lpEntries[list->dwCount - 1].szLocalPath, copy);
    }
    RemoteFetch_DropUnlisted(folder);
    return TRUE;
}

} // namespace

BOOL HttpFetch_Open(const AnalysisProfile* profile, const char* name) {
    static FetchTarget t;
    char paths[SERVERINFO_PATH_SIZE];
    RemoteStart start =
        RemoteFetch_Begin(profile, name, SERVER_PROTOCOL_HTTP, &t, paths, sizeof(paths));
    if (start != REMOTE_START_TRANSFER)
        return start == REMOTE_START_CURRENT;
    RemoteFetch_SendLogin(IDS_FETCH_HTTP_LOGIN, t.user, t.host);
    RemoteFetch_SendLoginDone();
    if (!BuildHttpFetchList(t.host, paths, t.copyFolder) || !RemoteFetch_PrepareList(&t))
        return FALSE;
    return HttpTransfer_Start(&t);
}
