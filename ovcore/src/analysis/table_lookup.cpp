#include "table_lookup.h"

#include <stdlib.h>
#include <string.h>

#include "analysis_tables.h"

namespace {

const LONG kEmpty = -1;
const LONG kTomb = -2;
const DWORD kMinCapacity = 256;

struct Slot {
    DWORD hash;
    LONG item;
};

} // namespace

struct TableLookup {
    DWORD capacity; // power of two
    DWORD filled;   // live entries and tombstones
    Slot* slots;
};

DWORD HashItemName(const char* name) {
    DWORD h = 2166136261u;
    for (const unsigned char* p = (const unsigned char*)name; *p; ++p) {
        unsigned char c = *p;
        if (c >= 'A' && c <= 'Z') c = (unsigned char)(c + 32);
        h = (h ^ c) * 16777619u;
    }
    return h;
}

static TableLookup* NewLookup(DWORD capacity) {
    TableLookup* lookup = (TableLookup*)calloc(1, sizeof(TableLookup));
    if (!lookup) return nullptr;
    lookup->slots = (Slot*)malloc(capacity * sizeof(Slot));
    if (!lookup->slots) {
        free(lookup);
        return nullptr;
    }
    for (DWORD i = 0; i < capacity; ++i) lookup->slots[i].item = kEmpty;
    lookup->capacity = capacity;
    return lookup;
}

static void FreeLookup(TableLookup* lookup) {
    if (!lookup) return;
    free(lookup->slots);
    free(lookup);
}

static void PutSlot(TableLookup* lookup, DWORD hash, LONG item) {
    DWORD mask = lookup->capacity - 1;
    DWORD i = hash & mask;
    while (lookup->slots[i].item >= 0) i = (i + 1) & mask;
    if (lookup->slots[i].item == kEmpty) ++lookup->filled;
    lookup->slots[i].hash = hash;
    lookup->slots[i].item = item;
}

static int IsLive(const AnalysisItem* item) {
    return item && !item->ovDeleted && item->ovString;
}

// Capacity for n live entries at a load of at most one half.
static DWORD CapacityFor(DWORD n) {
    DWORD capacity = kMinCapacity;
    while (capacity / 2 < n + 1) capacity *= 2;
    return capacity;
}

int TableLookup_Build(AnalysisTable* table) {
    DWORD slots = table->ovCount + table->DeleteCount;
    TableLookup* lookup = NewLookup(CapacityFor(table->ovCount));
    if (!lookup) return 0;
    for (DWORD i = 0; i < slots && table->lpItems; ++i) {
        const AnalysisItem* item = table->lpItems[i];
        if (IsLive(item)) PutSlot(lookup, HashItemName(item->ovString), (LONG)i);
    }
    FreeLookup(table->lpLookup);
    table->lpLookup = lookup;
    return 1;
}

void TableLookup_Free(AnalysisTable* table) {
    FreeLookup(table->lpLookup);
    table->lpLookup = nullptr;
}

int TableLookup_Add(AnalysisTable* table, LONG item) {
    TableLookup* lookup = table->lpLookup;
    if (!lookup) return TableLookup_Build(table);
    if ((lookup->filled + 1) * 4 > lookup->capacity * 3) {
        // Too full (tombstones included): rebuild at a size for the live items.
        return TableLookup_Build(table);
    }
    PutSlot(lookup, HashItemName(table->lpItems[item]->ovString), item);
    return 1;
}

void TableLookup_Remove(AnalysisTable* table, LONG item) {
    TableLookup* lookup = table->lpLookup;
    if (!lookup) return;
    DWORD hash = HashItemName(table->lpItems[item]->ovString);
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
    const TableLookup* lookup = table->lpLookup;
    if (!lookup) return ANALYSIS_NO_ITEM;
    DWORD hash = HashItemName(name);
    DWORD mask = lookup->capacity - 1;
    for (DWORD i = hash & mask; lookup->slots[i].item != kEmpty; i = (i + 1) & mask) {
        const Slot& slot = lookup->slots[i];
        if (slot.item < 0 || slot.hash != hash) continue;
        const AnalysisItem* item = table->lpItems[slot.item];
        if (CompareItemNames(item->ovString, name) == 0 && visit(item, slot.item, data))
            return slot.item;
    }
    return ANALYSIS_NO_ITEM;
}
