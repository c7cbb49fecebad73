// Small blocks of one table's items (a visit's sub-lists and the id and path arrays they point to)
// cut from a chunk arena, with a free list per size class (powers of two from 8 to 4096 bytes), so
// that a block given back when a visit closes or an item expires is taken again without the heap,
// and the table's blocks go with one release of the pool. Larger blocks, and every block of a null
// pool, are the heap's. A block the pool did not hand out (one made on the heap elsewhere, such as
// a period read back) is freed to the heap when given back.
#pragma once
#include <stddef.h>

struct BlockPool;

// A new, empty pool; null when memory is short.
BlockPool* BlockPool_Make();
// Frees the pool and every block it handed out. Null is ignored.
void BlockPool_Free(BlockPool* pool);

// A block of size bytes (uninitialised); null when memory is short.
void* BlockPool_Take(BlockPool* pool, size_t size);
// Gives back a block of size bytes (the size it was taken or last resized with). Null is ignored.
void BlockPool_Give(BlockPool* pool, void* block, size_t size);
// The block moved to newSize bytes, its first bytes kept as realloc does (null block: a new one);
// null when memory is short, the old block then left as it was.
void* BlockPool_Resize(BlockPool* pool, void* block, size_t oldSize, size_t newSize);
