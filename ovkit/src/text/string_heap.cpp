#include "string_heap.h"

namespace ovkit {

namespace {

// Made on first use and never destroyed: strings in static objects may be
// freed during process shut-down after any other clean-up has run.
HANDLE TextHeap() {
    static HANDLE heap = nullptr;
    HANDLE current =
        static_cast<HANDLE>(InterlockedCompareExchangePointer(&heap, nullptr, nullptr));
    if (current)
        return current;
    HANDLE made = HeapCreate(0, 0, 0);
    if (!made)
        return nullptr;
    current = static_cast<HANDLE>(InterlockedCompareExchangePointer(&heap, made, nullptr));
    if (current) { // another thread won the race
        HeapDestroy(made);
        return current;
    }
    return made;
}

} // namespace

char* StringAlloc(SIZE_T n) {
    HANDLE heap = TextHeap();
    return heap ? static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, n)) : nullptr;
}

void StringFree(char* block) {
    if (block)
        HeapFree(TextHeap(), 0, block);
}

} // namespace ovkit
