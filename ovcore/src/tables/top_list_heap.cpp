#include "top_list_heap.h"

#include <stdlib.h>
#include <string.h>

#include "table_lookup.h"

namespace {

struct Entry {
    DWORD hits; // the member's hits when the entry was made
    DWORD seq;  // the member's place in the list: higher is nearer the head
    LONG item;
};

} // namespace

struct TopListHeap {
    Entry* entries;
    DWORD count, capacity;
    DWORD* seqOf; // by item number: the seq of its membership, 0 when none
    DWORD seqSize;
    DWORD nextSeq;
    DWORD members;
    LONG head;  // the list head after the last change the heap saw
    bool stale; // a change could not be followed: made again before use
};

namespace {

bool Before(const Entry& a, const Entry& b) {
    return a.hits < b.hits || (a.hits == b.hits && a.seq > b.seq);
}

void SiftUp(TopListHeap* h, DWORD i) {
    Entry e = h->entries[i];
    while (i > 0) {
        DWORD parent = (i - 1) / 2;
        if (!Before(e, h->entries[parent]))
            break;
        h->entries[i] = h->entries[parent];
        i = parent;
    }
    h->entries[i] = e;
}

void SiftDown(TopListHeap* h, DWORD i) {
    Entry e = h->entries[i];
    for (;;) {
        DWORD child = 2 * i + 1;
        if (child >= h->count)
            break;
        if (child + 1 < h->count && Before(h->entries[child + 1], h->entries[child]))
            ++child;
        if (!Before(h->entries[child], e))
            break;
        h->entries[i] = h->entries[child];
        i = child;
    }
    h->entries[i] = e;
}

void PopTop(TopListHeap* h) {
    h->entries[0] = h->entries[--h->count];
    if (h->count > 0)
        SiftDown(h, 0);
}

bool PushEntry(TopListHeap* h, DWORD hits, DWORD seq, LONG item) {
    if (h->count == h->capacity) {
        DWORD capacity = h->capacity ? h->capacity * 2 : 64;
        Entry* grown = (Entry*)realloc(h->entries, capacity * sizeof(Entry));
        if (!grown)
            return false;
        h->entries = grown;
        h->capacity = capacity;
    }
    h->entries[h->count] = {hits, seq, item};
    SiftUp(h, h->count++);
    return true;
}

bool SetSeq(TopListHeap* h, LONG item, DWORD seq) {
    if ((DWORD)item >= h->seqSize) {
        DWORD size = h->seqSize ? h->seqSize : 256;
        while (size <= (DWORD)item)
            size *= 2;
        DWORD* grown = (DWORD*)realloc(h->seqOf, size * sizeof(DWORD));
        if (!grown)
            return false;
        for (DWORD i = h->seqSize; i < size; ++i)
            grown[i] = 0;
        h->seqOf = grown;
        h->seqSize = size;
    }
    h->seqOf[item] = seq;
    return true;
}

DWORD SeqOf(const TopListHeap* h, LONG item) {
    return item >= 0 && (DWORD)item < h->seqSize ? h->seqOf[item] : 0;
}

// Adds a member with the next seq. false when memory is short.
bool AddMember(TopListHeap* h, AnalysisTable* table, LONG item) {
    DWORD seq = ++h->nextSeq;
    if (!SetSeq(h, item, seq) || !PushEntry(h, table->lpItems[item]->ovTotalByHits, seq, item))
        return false;
    ++h->members;
    return true;
}

void Clear(TopListHeap* h) {
    if (h->seqOf)
        memset(h->seqOf, 0, h->seqSize * sizeof(DWORD));
    h->count = h->members = 0;
}

// Makes the heap again from the list (tail first, so that the head gets the
// highest seq). false when memory is short or the list looks broken.
bool Rebuild(TopListHeap* h, AnalysisTable* table) {
    Clear(h);
    h->stale = true; // until the walk is through
    DWORD slots = table->ovCount + table->DeleteCount;
    DWORD steps = 0;
    for (LONG i = table->TopTableListTail; i >= 0; i = table->lpItems[i]->ovPrevLink) {
        if ((DWORD)i >= slots || ++steps > slots || !AddMember(h, table, i))
            return false;
    }
    h->head = table->TopTableListHead;
    h->stale = false;
    return true;
}

bool InStep(const TopListHeap* h, const AnalysisTable* table) {
    return !h->stale && h->members == table->TopCount && h->head == table->TopTableListHead &&
           h->count <= 4 * h->members + 64;
}

TopListHeap* HeapOf(AnalysisTable* table) {
    TopListHeap** slot = TableLookup_TopListHeap(table, 0);
    return slot ? *slot : nullptr;
}

// The list walk the heap stands in for.
LONG WalkForWeakest(AnalysisTable* table) {
    LONG weakest = ANALYSIS_NO_ITEM;
    for (LONG i = table->TopTableListHead; i >= 0; i = table->lpItems[i]->ovNextLink) {
        if (weakest < 0 ||
            table->lpItems[i]->ovTotalByHits < table->lpItems[weakest]->ovTotalByHits)
            weakest = i;
    }
    return weakest;
}

} // namespace

void TopListHeap_Pushed(AnalysisTable* table, LONG item) {
    TopListHeap* h = HeapOf(table);
    if (!h)
        return;
    if (!AddMember(h, table, item))
        h->stale = true;
    h->head = table->TopTableListHead;
}

void TopListHeap_Unlinked(AnalysisTable* table, LONG item) {
    TopListHeap* h = HeapOf(table);
    if (!h)
        return;
    if (SeqOf(h, item)) {
        SetSeq(h, item, 0);
        --h->members;
    } else {
        h->stale = true;
    }
    h->head = table->TopTableListHead;
}

LONG TopListHeap_Weakest(AnalysisTable* table) {
    if (table->TopTableListHead < 0)
        return ANALYSIS_NO_ITEM;
    TopListHeap** slot = TableLookup_TopListHeap(table, 1);
    if (slot && !*slot)
        *slot = (TopListHeap*)calloc(1, sizeof(TopListHeap));
    TopListHeap* h = slot ? *slot : nullptr;
    if (!h || (!InStep(h, table) && !Rebuild(h, table)))
        return WalkForWeakest(table);
    while (h->count > 0) {
        Entry top = h->entries[0];
        if (SeqOf(h, top.item) != top.seq) {
            PopTop(h); // no longer a member
            continue;
        }
        DWORD hits = table->lpItems[top.item]->ovTotalByHits;
        if (hits == top.hits)
            return top.item;
        if (hits < top.hits) {
            // Hits only grow while counting; anything else is not the heap's
            // to judge.
            h->stale = true;
            return WalkForWeakest(table);
        }
        h->entries[0].hits = hits;
        SiftDown(h, 0);
    }
    h->stale = true; // members without entries
    return WalkForWeakest(table);
}

void TopListHeap_Free(TopListHeap* heap) {
    if (!heap)
        return;
    free(heap->entries);
    free(heap->seqOf);
    free(heap);
}
