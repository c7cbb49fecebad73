// Releasing what the fetch code holds for the whole engine.
#include "core/engine_state.h"
#include "fetch/fetch_state.h"
#include "fetch/title_cache.h"
#include "ovcore/serverlist.h"

void Fetch_ReleaseEngineResources(void) {
    // Ends a fetch the client never closed: its handle, copy file and lists.
    ORB_CloseFTP(nullptr, Fetch_State().handle, nullptr);
    SaveTitleCache();
    ServerList*& list = Engine_State().fetchServerList;
    ServerList_Free(list);
    list = nullptr;
    Fetch_State().fetched = FALSE;
}
