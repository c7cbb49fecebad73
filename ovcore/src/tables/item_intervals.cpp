#include "tables/item_intervals.h"

#include <stdlib.h>
#include <string.h>

namespace {

bool InlineEmpty(const ItemIntervals* iv) {
    return iv->InlineHits == 0 && iv->InlineUsers == 0;
}

// Block sizes go up in fours, so that a run counted day by day grows each
// block a few times at most.
DWORD BlockSizeFor(DWORD k) {
    DWORD size = (k + 4) & ~3u;
    return size < ANALYSIS_INTERVALS ? size : ANALYSIS_INTERVALS;
}

// A block of at least k + 1 intervals, the counters kept (the inline ones
// moved in when there was no block). 1/0.
int GrowBlock(ItemIntervals* iv, DWORD k) {
    DWORD old = iv->BlockSize;
    DWORD size = BlockSizeFor(k > iv->InlineAt || old ? k : iv->InlineAt);
    if (size <= old)
        return 1;
    DWORD* block = (DWORD*)calloc(2 * size, sizeof(DWORD));
    if (!block)
        return 0;
    if (old) {
        memcpy(block, iv->Block, old * sizeof(DWORD));
        memcpy(block + size, iv->Block + old, old * sizeof(DWORD));
        free(iv->Block);
    } else {
        block[iv->InlineAt] = iv->InlineHits;
        block[size + iv->InlineAt] = iv->InlineUsers;
        iv->InlineAt = 0;
    }
    iv->Block = block;
    iv->BlockSize = (BYTE)size;
    return 1;
}

} // namespace

DWORD ItemIntervals_At(const ItemIntervals* iv, int users, DWORD k) {
    if (iv->BlockSize) {
        if (k >= iv->BlockSize)
            return 0;
        return iv->Block[users ? iv->BlockSize + k : k];
    }
    if (k != iv->InlineAt)
        return 0;
    return users ? iv->InlineUsers : iv->InlineHits;
}

DWORD* ItemIntervals_Slot(ItemIntervals* iv, int users, DWORD k) {
    if (k >= ANALYSIS_INTERVALS)
        return nullptr;
    if (!iv->BlockSize) {
        if (InlineEmpty(iv))
            iv->InlineAt = (BYTE)k;
        if (k == iv->InlineAt)
            return users ? &iv->InlineUsers : &iv->InlineHits;
    }
    if (k >= iv->BlockSize && !GrowBlock(iv, k))
        return nullptr;
    return &iv->Block[users ? iv->BlockSize + k : k];
}

int ItemIntervals_Add(ItemIntervals* dst, const ItemIntervals* src) {
    if (!src->BlockSize) {
        if (InlineEmpty(src))
            return 1;
        DWORD* hits = ItemIntervals_Slot(dst, 0, src->InlineAt);
        if (!hits)
            return 0;
        *hits += src->InlineHits;
        // The same interval: its users' counter is there now.
        *ItemIntervals_Slot(dst, 1, src->InlineAt) += src->InlineUsers;
        return 1;
    }
    DWORD n = src->BlockSize;
    if (!GrowBlock(dst, n - 1))
        return 0;
    for (DWORD k = 0; k < n; ++k) {
        dst->Block[k] += src->Block[k];
        dst->Block[dst->BlockSize + k] += src->Block[n + k];
    }
    return 1;
}

void ItemIntervals_Load(const ItemIntervals* iv, DWORD* hits, DWORD* users) {
    memset(hits, 0, ANALYSIS_INTERVALS * sizeof(DWORD));
    memset(users, 0, ANALYSIS_INTERVALS * sizeof(DWORD));
    if (iv->BlockSize) {
        memcpy(hits, iv->Block, iv->BlockSize * sizeof(DWORD));
        memcpy(users, iv->Block + iv->BlockSize, iv->BlockSize * sizeof(DWORD));
        return;
    }
    hits[iv->InlineAt] = iv->InlineHits;
    users[iv->InlineAt] = iv->InlineUsers;
}

int ItemIntervals_Store(ItemIntervals* iv, const DWORD* hits, const DWORD* users) {
    ItemIntervals_Free(iv);
    // From the highest interval down, so that the block is made once.
    for (DWORD k = ANALYSIS_INTERVALS; k-- > 0;) {
        if (hits[k] == 0 && users[k] == 0)
            continue;
        DWORD* h = ItemIntervals_Slot(iv, 0, k);
        if (!h) {
            ItemIntervals_Free(iv);
            return 0;
        }
        *h = hits[k];
        *ItemIntervals_Slot(iv, 1, k) = users[k];
    }
    return 1;
}

void ItemIntervals_Free(ItemIntervals* iv) {
    if (iv->BlockSize)
        free(iv->Block);
    memset(iv, 0, sizeof(*iv));
}
