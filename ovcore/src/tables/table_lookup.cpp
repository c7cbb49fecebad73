#include "table_lookup.h"

#include <stdlib.h>
#include <string.h>

#include "analysis_tables.h"
#include "block_pool.h"
#include "item_tail.h"
#include "name_store.h"
#include "top_list_heap.h"

namespace {

const LONG kEmpty = -1;
const LONG kTomb = -2;
const DWORD kMinCapacity = 256;

struct Slot {
    DWORD hash;
    LONG item;
};

} // namespace

// Items are carved from blocks that live as long as the table, so that a
// million names cost a few hundred allocations instead of a million. The
// items follow the header, each ItemStride(tail) bytes.
struct ItemBlock {
    ItemBlock* next;
    DWORD used;
    DWORD capacity;
};
static const size_t kBlockHeader = (sizeof(ItemBlock) + 7) & ~(size_t)7;

struct TableLookup {
    DWORD capacity; // power of two; 0 while the hash is dropped
    DWORD filled;   // live entries and tombstones
    Slot* slots;
    ItemBlock* blocks; // newest first
    TopListHeap* topHeap;
    BlockPool* itemBlocks; // the items' sub-lists, made on first use
    NameStore* names;      // held: the store whose names items may point at
    char* spareName;       // a dropped name's buffer
    size_t spareSize;      // at least the length of the name it held, plus one
    BYTE tail;             // ItemTail of every item
};

namespace {

const unsigned long long kOnes = 0x0101010101010101ull;
const unsigned long long kHighs = 0x8080808080808080ull;

// The eight bytes at p with A-Z folded to lower case (bytes from 0x80 up
// stay as they are).
unsigned long long FoldedWord(unsigned long long v) {
    unsigned long long low7 = v & ~kHighs;
    unsigned long long fromA = low7 + kOnes * (0x80 - 'A');
    unsigned long long pastZ = low7 + kOnes * (0x80 - 'Z' - 1);
    unsigned long long upper = (fromA ^ pastZ) & ~v & kHighs;
    return v | (upper >> 2);
}

// Mask of the bytes before the first NUL of v (all of them when none).
unsigned long long BytesBeforeNul(unsigned long long v) {
    unsigned long long zero = (v - kOnes) & ~v & kHighs;
    if (!zero)
        return ~0ull;
    int bits = __builtin_ctzll(zero) - 7; // the NUL byte's first bit
    return bits ? (~0ull >> (64 - bits)) : 0;
}

DWORD MixDown(unsigned long long h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 29;
    return DWORD(h);
}

} // namespace

DWORD HashItemName(const char* name) {
    size_t length;
    return HashItemNameLength(name, &length);
}

DWORD HashItemNameLength(const char* name, size_t* length) {
    // Eight bytes a step. A word is read whole only when it cannot reach
    // into the next page; near a page end the bytes are taken one by one.
    unsigned long long h = 0x9e3779b97f4a7c15ull;
    const char* p = name;
    for (;;) {
        unsigned long long v = 0;
        if (((UINT_PTR)p & 4095) <= 4096 - 8) {
            memcpy(&v, p, 8);
        } else {
            for (int i = 0; i < 8; ++i) {
                unsigned long long c = (unsigned char)p[i];
                v |= c << (8 * i);
                if (!c)
                    break;
            }
        }
        unsigned long long keep = BytesBeforeNul(v);
        h = (h ^ FoldedWord(v & keep)) * 0x9e3779b97f4a7c15ull;
        h ^= h >> 29;
        if (keep != ~0ull) {
            *length = (size_t)(p - name) + __builtin_popcountll(keep) / 8;
            return MixDown(h);
        }
        p += 8;
    }
}

static TableLookup* SideState(AnalysisTable* table) {
    if (!table->lpLookup)
        table->lpLookup = (TableLookup*)calloc(1, sizeof(TableLookup));
    return table->lpLookup;
}

static void DropHash(TableLookup* lookup) {
    free(lookup->slots);
    lookup->slots = nullptr;
    lookup->capacity = lookup->filled = 0;
}

static void PutSlot(TableLookup* lookup, DWORD hash, LONG item) {
    DWORD mask = lookup->capacity - 1;
    DWORD i = hash & mask;
    while (lookup->slots[i].item >= 0)
        i = (i + 1) & mask;
    if (lookup->slots[i].item == kEmpty)
        ++lookup->filled;
    lookup->slots[i].hash = hash;
    lookup->slots[i].item = item;
}

static int IsLive(const AnalysisItem* item) {
    return item && !item->ovDeleted && item->ovString;
}

// Capacity for n live entries at a load of at most one half.
static DWORD CapacityFor(DWORD n) {
    DWORD capacity = kMinCapacity;
    while (capacity / 2 < n + 1)
        capacity *= 2;
    return capacity;
}

// Live entries and tombstones fill three quarters: time to remake the hash
// at a size for the live items.
static bool TooFull(const TableLookup* lookup) {
    return (lookup->filled + 1) * 4 > lookup->capacity * 3;
}

// Files the live entries of the old slots anew: their hashes are kept, so
// that no item or name is read.
static void MoveSlots(TableLookup* lookup, const Slot* old, DWORD oldCapacity) {
    for (DWORD i = 0; i < oldCapacity; ++i)
        if (old[i].item >= 0)
            PutSlot(lookup, old[i].hash, old[i].item);
}

// A fresh slot array for the table's live items; from the old slots when
// there are any, else from the items themselves.
static int Rehash(AnalysisTable* table, TableLookup* lookup) {
    DWORD capacity = CapacityFor(table->ovCount);
    Slot* slots = (Slot*)malloc(capacity * sizeof(Slot));
    if (!slots)
        return 0;
    for (DWORD i = 0; i < capacity; ++i)
        slots[i].item = kEmpty;
    Slot* old = lookup->slots;
    DWORD oldCapacity = lookup->capacity;
    lookup->slots = slots;
    lookup->capacity = capacity;
    lookup->filled = 0;
    if (old) {
        MoveSlots(lookup, old, oldCapacity);
        free(old);
        return 1;
    }
    DWORD count = table->ovCount + table->DeleteCount;
    for (DWORD i = 0; i < count && table->lpItems; ++i) {
        const AnalysisItem* item = table->lpItems[i];
        if (IsLive(item))
            PutSlot(lookup, TableLookup_NameHash(table, item->ovString), (LONG)i);
    }
    return 1;
}

int TableLookup_Build(AnalysisTable* table) {
    TableLookup* lookup = SideState(table);
    if (!lookup)
        return 0;
    DropHash(lookup);
    return Rehash(table, lookup);
}

void TableLookup_DropHash(AnalysisTable* table) {
    if (table->lpLookup)
        DropHash(table->lpLookup);
}

void TableLookup_Free(AnalysisTable* table) {
    TableLookup* lookup = table->lpLookup;
    if (!lookup)
        return;
    DropHash(lookup);
    while (lookup->blocks) {
        ItemBlock* next = lookup->blocks->next;
        free(lookup->blocks);
        lookup->blocks = next;
    }
    TopListHeap_Free(lookup->topHeap);
    BlockPool_Free(lookup->itemBlocks);
    NameStore_Release(lookup->names);
    free(lookup->spareName);
    free(lookup);
    table->lpLookup = nullptr;
}

AnalysisItem* TableLookup_NewItem(AnalysisTable* table) {
    TableLookup* lookup = SideState(table);
    if (!lookup)
        return nullptr;
    ItemBlock* block = lookup->blocks;
    size_t stride = ItemStride(lookup->tail);
    if (!block || block->used == block->capacity) {
        DWORD capacity = block ? block->capacity * 2 : 64;
        if (capacity > 16384)
            capacity = 16384;
        ItemBlock* grown = (ItemBlock*)malloc(kBlockHeader + capacity * stride);
        if (!grown)
            return nullptr;
        grown->next = block;
        grown->used = 0;
        grown->capacity = capacity;
        lookup->blocks = block = grown;
    }
    AnalysisItem* item = (AnalysisItem*)((char*)block + kBlockHeader + block->used++ * stride);
    memset(item, 0, stride);
    item->ovTail = lookup->tail;
    return item;
}

int TableLookup_SetItemTail(AnalysisTable* table, int tail) {
    TableLookup* lookup = SideState(table);
    if (!lookup || (lookup->blocks && lookup->tail != tail))
        return 0;
    lookup->tail = (BYTE)tail;
    return 1;
}

char* TableLookup_CopyName(AnalysisTable* table, const char* name) {
    TableLookup* lookup = table->lpLookup;
    size_t size = strlen(name) + 1;
    if (!lookup || !lookup->spareName || lookup->spareSize < size)
        return _strdup(name);
    char* copy = lookup->spareName;
    lookup->spareName = nullptr;
    memcpy(copy, name, size);
    return copy;
}

void TableLookup_DropName(AnalysisTable* table, char* name) {
    TableLookup* lookup = table->lpLookup;
    if (!name || TableLookup_IsStoredName(table, name))
        return;
    if (!lookup || lookup->spareName) {
        free(name);
        return;
    }
    lookup->spareName = name;
    lookup->spareSize = strlen(name) + 1;
}

int TableLookup_KeepStore(AnalysisTable* table, NameStore* store) {
    TableLookup* lookup = SideState(table);
    if (!lookup || !store)
        return 0;
    if (!lookup->names) {
        NameStore_Hold(store);
        lookup->names = store;
    }
    return lookup->names == store;
}

int TableLookup_IsStoredName(const AnalysisTable* table, const char* name) {
    return table->lpLookup && NameStore_Owns(table->lpLookup->names, name);
}

DWORD TableLookup_NameHash(const AnalysisTable* table, const char* name) {
    return TableLookup_IsStoredName(table, name) ? NameStore_HashOf(name) : HashItemName(name);
}

TopListHeap** TableLookup_TopListHeap(AnalysisTable* table, int create) {
    TableLookup* lookup = create ? SideState(table) : table->lpLookup;
    return lookup ? &lookup->topHeap : nullptr;
}

BlockPool* TableLookup_BlockPool(AnalysisTable* table, int create) {
    TableLookup* lookup = create ? SideState(table) : table->lpLookup;
    if (lookup && create && !lookup->itemBlocks)
        lookup->itemBlocks = BlockPool_Make();
    return lookup ? lookup->itemBlocks : nullptr;
}

int TableLookup_HasHash(const AnalysisTable* table) {
    return table->lpLookup && table->lpLookup->capacity > 0;
}

int TableLookup_Add(AnalysisTable* table, LONG item) {
    TableLookup* lookup = table->lpLookup;
    if (!TableLookup_HasHash(table))
        return TableLookup_Build(table);
    if (TooFull(lookup) && !Rehash(table, lookup))
        return 0;
    PutSlot(lookup, TableLookup_NameHash(table, table->lpItems[item]->ovString), item);
    return 1;
}

void TableLookup_Remove(AnalysisTable* table, LONG item) {
    TableLookup* lookup = table->lpLookup;
    if (!TableLookup_HasHash(table))
        return;
    DWORD hash = TableLookup_NameHash(table, table->lpItems[item]->ovString);
    DWORD mask = lookup->capacity - 1;
    for (DWORD i = hash & mask; lookup->slots[i].item != kEmpty; i = (i + 1) & mask) {
        if (lookup->slots[i].item == item) {
            lookup->slots[i].item = kTomb;
            return;
        }
    }
}

LONG TableLookup_Find(const AnalysisTable* table, const char* name, TableMatchFn visit,
                      void* data) {
    if (!TableLookup_HasHash(table))
        return ANALYSIS_NO_ITEM;
    return TableLookup_FindHashed(table, name, HashItemName(name), visit, data);
}

LONG TableLookup_FindHashed(const AnalysisTable* table, const char* name, DWORD hash,
                            TableMatchFn visit, void* data) {
    const TableLookup* lookup = table->lpLookup;
    if (!TableLookup_HasHash(table))
        return ANALYSIS_NO_ITEM;
    DWORD mask = lookup->capacity - 1;
    for (DWORD i = hash & mask; lookup->slots[i].item != kEmpty; i = (i + 1) & mask) {
        const Slot& slot = lookup->slots[i];
        if (slot.item < 0 || slot.hash != hash)
            continue;
        const AnalysisItem* item = table->lpItems[slot.item];
        bool same = item->ovString == name || CompareItemNames(item->ovString, name) == 0;
        if (same && visit(item, slot.item, data))
            return slot.item;
    }
    return ANALYSIS_NO_ITEM;
}
