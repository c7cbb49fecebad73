// Texts of the language module.
#include "desk_services.h"

namespace {
char g_slots[LOADTEXT_SLOTS][LOADTEXT_SLOT_SIZE];
}

char* LoadText(UINT id, char* buffer, size_t size) {
    if (!buffer || size == 0)
        return buffer;
    int limit = size > LOADTEXT_MAX_CHARS ? LOADTEXT_MAX_CHARS + 1 : (int)size;
    // LoadString leaves the buffer alone for a missing id: never hand back stale text.
    buffer[0] = '\0';
    if (LoadStringA(GetLanguageModule(), id, buffer, limit) <= 0)
        buffer[0] = '\0';
    return buffer;
}

const char* LoadTextSlot(UINT id, int slot) {
    if (slot < 0 || slot >= LOADTEXT_SLOTS)
        slot = 0;
    return LoadText(id, g_slots[slot], sizeof g_slots[slot]);
}
