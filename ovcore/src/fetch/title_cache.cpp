// The page-title cache and its file.
#include "fetch/title_cache.h"
#include "core/engine_state.h"
#include "ovcore/netsettings.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

namespace {

TitleCacheEntry* g_cache = nullptr;
DWORD g_size = 0;

DWORD Now() {
    return (DWORD)time(nullptr);
}

// No file before the engine knows its data folder.
BOOL CachePath(char* path, DWORD size) {
    if (!Engine_State().dataFolder[0])
        return FALSE;
    int n = snprintf(path, size, "%stitle.wdb", Engine_State().dataFolder);
    return n > 0 && (DWORD)n < size;
}

char* Copy(const char* text) {
    return text ? _strdup(text) : nullptr;
}

BOOL SameUrl(const char* a, const char* b) {
    return a && b && lstrcmpiA(a, b) == 0;
}

// The slot for url: its own entry, else an expired one, else a free one,
// else the one that expires first.
TitleCacheEntry* SlotFor(const char* url, DWORD now) {
    for (DWORD i = 0; i < g_size; i++)
        if (g_cache[i].inUse && SameUrl(g_cache[i].url, url))
            return &g_cache[i];
    for (DWORD i = 0; i < g_size; i++)
        if (g_cache[i].inUse && g_cache[i].expiry < now)
            return &g_cache[i];
    for (DWORD i = 0; i < g_size; i++)
        if (!g_cache[i].inUse)
            return &g_cache[i];
    TitleCacheEntry* first = &g_cache[0];
    for (DWORD i = 1; i < g_size; i++)
        if (g_cache[i].expiry < first->expiry)
            first = &g_cache[i];
    return first;
}

void Store(TitleCacheEntry* e, const char* url, const char* title, DWORD expiry) {
    if (!SameUrl(e->url, url)) {
        free(e->url);
        e->url = Copy(url);
    }
    free(e->title);
    e->title = Copy(title);
    e->inUse = TRUE;
    e->expiry = expiry;
}

BOOL ReadLine(FILE* file, char* line, int size) {
    if (!fgets(line, size, file))
        return FALSE;
    line[strcspn(line, "\r\n")] = 0;
    return TRUE;
}

} // namespace

void LoadTitleCache(void) {
    if (g_cache) {
        OutputDebugStringA(
            "Ostrevane Warning: LoadTitleCache called with a title_cache still in place\r\n");
        return;
    }
    int size = NetSettings_Get()->TitleCacheSize;
    if (size <= 0)
        return;
    g_cache = (TitleCacheEntry*)calloc((size_t)size, sizeof(TitleCacheEntry));
    g_size = g_cache ? (DWORD)size : 0;
    char path[MAX_PATH];
    FILE* file = g_cache && CachePath(path, sizeof(path)) ? fopen(path, "r") : nullptr;
    if (!file)
        return;
    char url[301], title[301], expiry[301];
    for (DWORD i = 0;
         i < g_size && ReadLine(file, url, sizeof(url)) && ReadLine(file, title, sizeof(title)) &&
         ReadLine(file, expiry, sizeof(expiry));
         i++) {
        title[TITLE_MAX] = 0;
        Store(&g_cache[i], url, title[0] ? title : nullptr, strtoul(expiry, nullptr, 10));
    }
    fclose(file);
}

void SaveTitleCache(void) {
    if (!g_cache)
        return;
    char path[MAX_PATH];
    FILE* file = CachePath(path, sizeof(path)) ? fopen(path, "w") : nullptr;
    for (DWORD i = 0; i < g_size; i++) {
        TitleCacheEntry& e = g_cache[i];
        if (file && e.inUse)
            fprintf(file, "%s\n%s\n%lu\n", e.url ? e.url : "", e.title ? e.title : "",
                    (unsigned long)e.expiry);
        free(e.url);
        free(e.title);
    }
    if (file)
        fclose(file);
    free(g_cache);
    g_cache = nullptr;
    g_size = 0;
}

BOOL FindCachedTitle(const char* url, char* title) {
    DWORD now = Now();
    for (DWORD i = 0; i < g_size; i++) {
        const TitleCacheEntry& e = g_cache[i];
        if (e.inUse && e.expiry >= now && SameUrl(e.url, url)) {
            lstrcpynA(title, e.title ? e.title : "", TITLE_MAX + 1);
            return TRUE;
        }
    }
    return FALSE;
}

void AddCachedTitle(const char* url, const char* title) {
    if (!g_size || !url)
        return;
    DWORD now = Now();
    Store(SlotFor(url, now), url, title, now + (DWORD)NetSettings_Get()->TitleCacheLifespan);
}
