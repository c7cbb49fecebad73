// The filter clipboard of the profile sheet's Filters page: a copy of one
// filter, kept for the life of the plug-in so that it can be pasted into
// another profile later.
#include "startup/startup_parts.h"
#include "ovcore/ovcore.h"

void* g_EditedFilter = nullptr;

void FreeEditedFilter(void) {
    FreeOneFilter((ProfileFilter*)g_EditedFilter);
    g_EditedFilter = nullptr;
}
