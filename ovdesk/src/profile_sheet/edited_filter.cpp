// The filter that the profile sheet's filter page keeps while it edits one.
#include "startup/startup_parts.h"
#include <cstdlib>

void* g_EditedFilter = nullptr;

void FreeEditedFilter(void) {
    free(g_EditedFilter);
    g_EditedFilter = nullptr;
}
