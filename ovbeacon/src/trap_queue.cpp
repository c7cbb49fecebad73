#include "trap_queue.h"

#include <windows.h>
#include <deque>

namespace ovbeacon {

namespace {

struct TrapRecord {
    int code;
    std::string text;
};

SRWLOCK g_lock = SRWLOCK_INIT;
std::deque<TrapRecord>& Queue() {
    static std::deque<TrapRecord> queue;
    return queue;
}

} // namespace

void PushTrap(int code, const char* text) {
    AcquireSRWLockExclusive(&g_lock);
    Queue().push_back(TrapRecord{code, text});
    ReleaseSRWLockExclusive(&g_lock);
}

bool PopTrap(int* code, std::string* text) {
    AcquireSRWLockExclusive(&g_lock);
    bool any = !Queue().empty();
    if (any) {
        *code = Queue().front().code;
        text->swap(Queue().front().text);
        Queue().pop_front();
    }
    ReleaseSRWLockExclusive(&g_lock);
    return any;
}

} // namespace ovbeacon
