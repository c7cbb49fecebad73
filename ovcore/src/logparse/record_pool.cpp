#include "logparse/record_pool.h"
#include <atomic>
#include <stdlib.h>
#include <string.h>

namespace {

const int kKept = 16;
// Larger buffers go back to the heap: one long line must not pin its memory.
const DWORD kLargestKeptLine = 8192;

// Records come back on any thread (the DNS ring frees them on its own), but
// the lock is held for a few instructions and is nearly never contended: a
// spin flag costs one atomic step each way, where Wine's slim reader/writer
// lock wakes its address on every release (a tenth of the reader's time).
class SpinLock {
  public:
    void Lock() {
        while (flag_.test_and_set(std::memory_order_acquire))
            SwitchToThread();
    }
    void Unlock() { flag_.clear(std::memory_order_release); }

  private:
    std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

struct Pool {
    SpinLock lock;
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
    g_pool.lock.Lock();
    HitRecord* rec = g_pool.count > 0 ? g_pool.records[--g_pool.count] : nullptr;
    g_pool.lock.Unlock();
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
    g_pool.lock.Lock();
    BOOL kept = g_pool.count < kKept;
    if (kept)
        g_pool.records[g_pool.count++] = rec;
    g_pool.lock.Unlock();
    return kept;
}
