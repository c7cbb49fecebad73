// The viewer's walk through the view-report buffers.
#include <string.h>

#include "view_buffers.h"

LONG ViewBuffers_Select(ViewBufferSet* set, DWORD n) {
    ViewReportBuffer* b = ViewBuffers_At(set, n);
    if (!b)
        return 0;
    set->current = n;
    ViewBuffers_OpenFile(set, n);
    return b->attached;
}

LONG ViewBuffers_Previous(ViewBufferSet* set) {
    if (set->count == 0)
        return 0;
    return ViewBuffers_Select(set, set->current == 0 ? set->count - 1 : set->current - 1);
}

LONG ViewBuffers_Next(ViewBufferSet* set) {
    if (set->count == 0)
        return 0;
    return ViewBuffers_Select(set, set->current + 1 >= set->count ? 0 : set->current + 1);
}

const char* ViewBuffers_Description(const ViewBufferSet* set, DWORD n) {
    ViewReportBuffer* b = ViewBuffers_At(set, n);
    return b ? b->group : NULL;
}

ViewReportBuffer* ViewBuffers_Attach(ViewBufferSet* set, LONG value) {
    ViewReportBuffer* b = ViewBuffers_At(set, set->current);
    if (b)
        b->attached = value;
    return b;
}

HANDLE ViewBuffers_CurrentFile(ViewBufferSet* set) {
    if (!ViewBuffers_OpenFile(set, set->current))
        return INVALID_HANDLE_VALUE;
    return set->table[set->current]->file;
}

char* ViewBuffers_CurrentFileName(const ViewBufferSet* set, char* buffer) {
    ViewReportBuffer* b = ViewBuffers_At(set, set->current);
    lstrcpynA(buffer, b ? b->fileName : "", MAX_PATH);
    return buffer;
}
