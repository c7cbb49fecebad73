// The resource cache behind texts, dialog templates and TEXT resources.
#pragma once
#include <windows.h>

enum { RESOURCE_CACHE_SIZE = 1000 };

// Finds or loads resource id of type in module. Out arguments may be null.
// With copy non-null, *copy receives a fresh zero-terminated heap copy
// (size + 1 bytes; free with FreeResourceCopy), made from the resource even
// when the entry was first cached without one. 1 when found or loaded, 0
// otherwise (also once the cache is full).
int FindCachedResource(HMODULE module, UINT id, LPCSTR type, HGLOBAL* loaded, const void** locked,
                       char** copy, DWORD* size);
// Entries in use.
int GetResourceCacheCount(void);
