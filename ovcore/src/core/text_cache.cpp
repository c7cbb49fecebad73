#include "core/text_cache.h"

#include <stdlib.h>
#include <string.h>

#include "core/engine_state.h"
#include "ovcore/registration.h"

#define TEXT_CACHE_SLOTS (ORB_LAST_STRING_ID - ORB_FIRST_STRING_ID + 1)
// Longest string-table text kept.
#define TEXT_MAX_STRING 511

static char* g_texts[TEXT_CACHE_SLOTS];

void TextCache_Clear(void) {
    for (int i = 0; i < TEXT_CACHE_SLOTS; ++i) {
        free(g_texts[i]);
        g_texts[i] = NULL;
    }
}

static char** SlotOf(UINT id) {
    if (id < ORB_FIRST_STRING_ID || id > ORB_LAST_STRING_ID)
        return NULL;
    return &g_texts[id - ORB_FIRST_STRING_ID];
}

static char* CopyOf(const char* bytes, size_t length) {
    // Two zero bytes past the copy, so text of either width ends.
    char* copy = static_cast<char*>(calloc(length + 2, 1));
    if (copy)
        memcpy(copy, bytes, length);
    return copy;
}

ORB_EXPORT(const char*) LoadCachedString(UINT id) {
    char** slot = SlotOf(id);
    if (!slot)
        return ORB_STRING_NOT_FOUND;
    if (*slot)
        return *slot;
    char text[TEXT_MAX_STRING + 1];
    int length = LoadStringA(Engine_State().clientResources, id, text, sizeof(text));
    if (length <= 0)
        return ORB_STRING_NOT_FOUND;
    *slot = CopyOf(text, (size_t)length);
    return *slot ? *slot : ORB_STRING_NOT_FOUND;
}

ORB_EXPORT(const char*) LoadTextResource(UINT id) {
    char** slot = SlotOf(id);
    if (!slot)
        return ORB_STRING_NOT_FOUND;
    if (*slot)
        return *slot;
    HMODULE module = Engine_State().clientResources;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "TEXT");
    if (!found)
        return ORB_STRING_NOT_FOUND;
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : NULL;
    if (!bytes || size == 0)
        return ORB_STRING_NOT_FOUND;
    *slot = CopyOf(bytes, size);
    return *slot ? *slot : ORB_STRING_NOT_FOUND;
}
