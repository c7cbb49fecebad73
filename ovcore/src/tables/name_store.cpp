#include "name_store.h"

#include <stdlib.h>

#include "table_lookup.h"

namespace {

const DWORD kFirstChunk = 4096;
const DWORD kLargestChunk = 256 * 1024;
const DWORD kMinCapacity = 256;

struct Entry {
    const char* name; // null: empty
    DWORD hash;
    DWORD length;
};

// Equal bytes, eight a step (both have length bytes and their NUL).
bool SameBytes(const char* a, const char* b, size_t length) {
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        unsigned long long x, y;
        memcpy(&x, a + i, 8);
        memcpy(&y, b + i, 8);
        if (x != y)
            return false;
    }
    for (; i < length; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

struct Chunk { // addresses, compared across allocations
    UINT_PTR begin;
    UINT_PTR end;
};

} // namespace

struct NameStore {
    LONG holders;
    char* cursor; // free room of the newest chunk
    char* limit;
    DWORD nextChunk;
    Chunk* chunks; // by address, for Owns
    DWORD chunkCount, chunkRoom;
    Entry* slots; // open addressing, a power of two
    DWORD capacity, count;
};

NameStore* NameStore_Make() {
    NameStore* store = (NameStore*)calloc(1, sizeof(NameStore));
    if (!store)
        return nullptr;
    store->holders = 1;
    store->nextChunk = kFirstChunk;
    return store;
}

void NameStore_Hold(NameStore* store) {
    if (store)
        ++store->holders;
}

void NameStore_Release(NameStore* store) {
    if (!store || --store->holders > 0)
        return;
    for (DWORD i = 0; i < store->chunkCount; ++i)
        free((void*)store->chunks[i].begin);
    free(store->chunks);
    free(store->slots);
    free(store);
}

// Files a chunk by its address. 1/0.
static int AddChunk(NameStore* store, char* begin, size_t size) {
    if (store->chunkCount == store->chunkRoom) {
        DWORD room = store->chunkRoom ? store->chunkRoom * 2 : 16;
        Chunk* grown = (Chunk*)realloc(store->chunks, room * sizeof(Chunk));
        if (!grown)
            return 0;
        store->chunks = grown;
        store->chunkRoom = room;
    }
    DWORD at = store->chunkCount;
    while (at > 0 && store->chunks[at - 1].begin > (UINT_PTR)begin) {
        store->chunks[at] = store->chunks[at - 1];
        --at;
    }
    store->chunks[at] = {(UINT_PTR)begin, (UINT_PTR)begin + size};
    ++store->chunkCount;
    return 1;
}

// size bytes, 4-aligned, from the newest chunk or a new one; null when memory is short.
static char* Allocate(NameStore* store, size_t size) {
    if ((size_t)(store->limit - store->cursor) < size) {
        size_t chunk = store->nextChunk > size ? store->nextChunk : size;
        char* begin = (char*)malloc(chunk);
        if (!begin || !AddChunk(store, begin, chunk)) {
            free(begin);
            return nullptr;
        }
        store->cursor = begin;
        store->limit = begin + chunk;
        if (store->nextChunk < kLargestChunk)
            store->nextChunk *= 2;
    }
    char* at = store->cursor;
    store->cursor += size;
    return at;
}

static void PutEntry(Entry* slots, DWORD capacity, const Entry& entry) {
    DWORD mask = capacity - 1;
    DWORD i = entry.hash & mask;
    while (slots[i].name)
        i = (i + 1) & mask;
    slots[i] = entry;
}

// Room for one more entry at a load of at most three quarters. 1/0.
static int Reserve(NameStore* store) {
    if ((store->count + 1) * 4 <= store->capacity * 3)
        return 1;
    DWORD capacity = store->capacity ? store->capacity * 2 : kMinCapacity;
    Entry* slots = (Entry*)calloc(capacity, sizeof(Entry));
    if (!slots)
        return 0;
    for (DWORD i = 0; i < store->capacity; ++i)
        if (store->slots[i].name)
            PutEntry(slots, capacity, store->slots[i]);
    free(store->slots);
    store->slots = slots;
    store->capacity = capacity;
    return 1;
}

const char* NameStore_Intern(NameStore* store, const char* name) {
    if (NameStore_Owns(store, name))
        return name;
    size_t length;
    DWORD hash = HashItemNameLength(name, &length);
    if (store->capacity) {
        DWORD mask = store->capacity - 1;
        for (DWORD i = hash & mask; store->slots[i].name; i = (i + 1) & mask) {
            const Entry& e = store->slots[i];
            if (e.hash == hash && e.length == length && SameBytes(e.name, name, length))
                return e.name;
        }
    }
    if (!Reserve(store))
        return nullptr;
    size_t size = (sizeof(DWORD) + length + 1 + 3) & ~(size_t)3;
    char* at = Allocate(store, size);
    if (!at)
        return nullptr;
    memcpy(at, &hash, sizeof hash);
    memcpy(at + sizeof hash, name, length + 1);
    PutEntry(store->slots, store->capacity, {at + sizeof hash, hash, (DWORD)length});
    ++store->count;
    return at + sizeof hash;
}

int NameStore_Owns(const NameStore* store, const char* name) {
    if (!store || !name)
        return 0;
    UINT_PTR at = (UINT_PTR)name;
    DWORD lo = 0, hi = store->chunkCount;
    while (lo < hi) {
        DWORD mid = (lo + hi) / 2;
        if (store->chunks[mid].end <= at)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < store->chunkCount && store->chunks[lo].begin <= at;
}
