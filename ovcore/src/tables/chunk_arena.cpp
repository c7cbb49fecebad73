#include "chunk_arena.h"

#include <stdlib.h>
#include <string.h>

static const DWORD kFirstChunk = 4096;
static const DWORD kLargestChunk = 256 * 1024;

// Files a chunk by its address. 1/0.
static int AddChunk(ChunkArena* arena, char* begin, size_t size) {
    if (arena->chunkCount == arena->chunkRoom) {
        DWORD room = arena->chunkRoom ? arena->chunkRoom * 2 : 16;
        ArenaChunk* grown = (ArenaChunk*)realloc(arena->chunks, room * sizeof(ArenaChunk));
        if (!grown)
            return 0;
        arena->chunks = grown;
        arena->chunkRoom = room;
    }
    DWORD at = arena->chunkCount;
    while (at > 0 && arena->chunks[at - 1].begin > (UINT_PTR)begin) {
        arena->chunks[at] = arena->chunks[at - 1];
        --at;
    }
    arena->chunks[at] = {(UINT_PTR)begin, (UINT_PTR)begin + size};
    ++arena->chunkCount;
    return 1;
}

char* ChunkArena_Take(ChunkArena* arena, size_t size) {
    if ((size_t)(arena->limit - arena->cursor) < size) {
        if (!arena->nextChunk)
            arena->nextChunk = kFirstChunk;
        size_t chunk = arena->nextChunk > size ? arena->nextChunk : size;
        char* begin = (char*)malloc(chunk);
        if (!begin || !AddChunk(arena, begin, chunk)) {
            free(begin);
            return nullptr;
        }
        arena->cursor = begin;
        arena->limit = begin + chunk;
        if (arena->nextChunk < kLargestChunk)
            arena->nextChunk *= 2;
    }
    char* at = arena->cursor;
    arena->cursor += size;
    return at;
}

int ChunkArena_Owns(const ChunkArena* arena, const void* at) {
    if (!arena || !at)
        return 0;
    UINT_PTR p = (UINT_PTR)at;
    DWORD lo = 0, hi = arena->chunkCount;
    while (lo < hi) {
        DWORD mid = (lo + hi) / 2;
        if (arena->chunks[mid].end <= p)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < arena->chunkCount && arena->chunks[lo].begin <= p;
}

void ChunkArena_Release(ChunkArena* arena) {
    for (DWORD i = 0; i < arena->chunkCount; ++i)
        free((void*)arena->chunks[i].begin);
    free(arena->chunks);
    memset(arena, 0, sizeof *arena);
}
