// Memory cut from chunks that are freed together: each request comes from the newest chunk (a
// new, larger one when it has no room left), and the chunks are filed by address so that a pointer
// can be told as the arena's own. A zero-filled ChunkArena is empty and ready.
#pragma once
#include <stddef.h>

#include "ovcore/ovcore_base.h"

struct ArenaChunk { // addresses, compared across allocations
    UINT_PTR begin;
    UINT_PTR end;
};

struct ChunkArena {
    char* cursor; // free room of the newest chunk
    char* limit;
    DWORD nextChunk;    // size of the next chunk; 0 until the first
    ArenaChunk* chunks; // by address, for Owns
    DWORD chunkCount, chunkRoom;
};

// size bytes from the arena (as aligned as size is, up to 8, when every size taken is a multiple of
// it); null when memory is short.
char* ChunkArena_Take(ChunkArena* arena, size_t size);
// 1 when at lies in one of the arena's chunks, else 0 (null: 0).
int ChunkArena_Owns(const ChunkArena* arena, const void* at);
// Frees every chunk; the arena is empty again.
void ChunkArena_Release(ChunkArena* arena);
