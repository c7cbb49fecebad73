#include "name_store.h"

#include <stdlib.h>

#include "chunk_arena.h"
#include "table_lookup.h"

namespace {

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

} // namespace

struct NameStore {
    LONG holders;
    ChunkArena names;
    Entry* slots; // open addressing, a power of two
    DWORD capacity, count;
};

NameStore* NameStore_Make() {
    NameStore* store = (NameStore*)calloc(1, sizeof(NameStore));
    if (!store)
        return nullptr;
    store->holders = 1;
    return store;
}

void NameStore_Hold(NameStore* store) {
    if (store)
        ++store->holders;
}

void NameStore_Release(NameStore* store) {
    if (!store || --store->holders > 0)
        return;
    ChunkArena_Release(&store->names);
    free(store->slots);
    free(store);
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
    char* at = ChunkArena_Take(&store->names, size);
    if (!at)
        return nullptr;
    memcpy(at, &hash, sizeof hash);
    memcpy(at + sizeof hash, name, length + 1);
    PutEntry(store->slots, store->capacity, {at + sizeof hash, hash, (DWORD)length});
    ++store->count;
    return at + sizeof hash;
}

int NameStore_Owns(const NameStore* store, const char* name) {
    return store && ChunkArena_Owns(&store->names, name);
}
