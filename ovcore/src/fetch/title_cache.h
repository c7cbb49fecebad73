// The cache of page titles: in memory, and in "title.wdb" of the data folder
// between runs (three lines per entry: URL, title, expiry time).
#pragma once
#include <windows.h>

// Longest title kept, without its terminator.
#define TITLE_MAX 80

struct TitleCacheEntry {
    DWORD inUse;
    DWORD expiry; // seconds since 1970
    char* url;    // heap
    char* title;  // heap, or null: the page had no title
};
#if !defined(_WIN64)
static_assert(sizeof(TitleCacheEntry) == 16, "TitleCacheEntry layout");
#endif

// Builds the cache from the file (TitleCacheSize entries, none when 0); a
// cache already in place is kept.
void LoadTitleCache(void);
// Writes the cache file and frees the cache; nothing without a cache.
void SaveTitleCache(void);
// 1 and the title (TITLE_MAX + 1 bytes; empty when the page had none) for
// an unexpired entry of url; else 0.
BOOL FindCachedTitle(const char* url, char* title);
// Stores url with title (or none), expiring after the cache's lifespan.
void AddCachedTitle(const char* url, const char* title);
