#include "block_pool.h"

#include <stdlib.h>
#include <string.h>

#include "chunk_arena.h"

namespace {

const size_t kSmallest = 8;
const int kClasses = 10; // 8 to 4096 bytes

// The size class of size bytes, or -1 past the largest.
int ClassOf(size_t size) {
    size_t room = kSmallest;
    for (int c = 0; c < kClasses; ++c, room *= 2)
        if (size <= room)
            return c;
    return -1;
}

} // namespace

struct BlockPool {
    ChunkArena arena;
    void* freeList[kClasses]; // each free block holds the next one's address
};

BlockPool* BlockPool_Make() {
    return (BlockPool*)calloc(1, sizeof(BlockPool));
}

void BlockPool_Free(BlockPool* pool) {
    if (!pool)
        return;
    ChunkArena_Release(&pool->arena);
    free(pool);
}

void* BlockPool_Take(BlockPool* pool, size_t size) {
    int c = pool ? ClassOf(size) : -1;
    if (c < 0)
        return malloc(size);
    void* block = pool->freeList[c];
    if (block) {
        memcpy(&pool->freeList[c], block, sizeof(void*));
        return block;
    }
    return ChunkArena_Take(&pool->arena, kSmallest << c);
}

void BlockPool_Give(BlockPool* pool, void* block, size_t size) {
    if (!block)
        return;
    int c = pool ? ClassOf(size) : -1;
    if (c < 0 || !ChunkArena_Owns(&pool->arena, block)) {
        free(block);
        return;
    }
    memcpy(block, &pool->freeList[c], sizeof(void*));
    pool->freeList[c] = block;
}

void* BlockPool_Resize(BlockPool* pool, void* block, size_t oldSize, size_t newSize) {
    if (!pool || (ClassOf(newSize) < 0 && !ChunkArena_Owns(&pool->arena, block)))
        return realloc(block, newSize);
    void* moved = BlockPool_Take(pool, newSize);
    if (!moved)
        return nullptr;
    if (block)
        memcpy(moved, block, oldSize < newSize ? oldSize : newSize);
    BlockPool_Give(pool, block, oldSize);
    return moved;
}
