#include "logparse/record_pool.h"
#include <stdlib.h>
#include <string.h>

namespace {

const int kKept = 16;
// Larger buffers go back to the heap: one long line must not pin its memory.
const DWORD kLargestKeptLine = 8192;

// Records come back on any thread (the DNS ring frees them on its own).
struct Pool {
    SRWLOCK lock = SRWLOCK_INIT;
    HitRecord* records[kKept] = {};
    int count = 0;
    ~Pool() {
        for (int i = 0; i < count; ++i) {
            free(records[i]->lpLine);
            free(records[i]);
        }
        count = 0;
    }
};

Pool g_pool;

HitRecord* Pop() {
    AcquireSRWLockExclusive(&g_pool.lock);
    HitRecord* rec = g_pool.count > 0 ? g_pool.records[--g_pool.count] : nullptr;
    ReleaseSRWLockExclusive(&g_pool.lock);
    return rec;
}

} // namespace

HitRecord* RecordPool_Take() {
    HitRecord* rec = Pop();
    if (!rec)
        return HitRecord_New();
    char* line = rec->lpLine;
    DWORD size = rec->dwLineSize;
    memset(rec, 0, sizeof(*rec));
    rec->lpLine = line;
    rec->dwLineSize = line ? size : 0;
    return rec;
}

BOOL RecordPool_Keep(HitRecord* rec) {
    if (rec->lpLine && rec->dwLineSize > kLargestKeptLine)
        return FALSE;
    AcquireSRWLockExclusive(&g_pool.lock);
    BOOL kept = g_pool.count < kKept;
    if (kept)
        g_pool.records[g_pool.count++] = rec;
    ReleaseSRWLockExclusive(&g_pool.lock);
    return kept;
}
