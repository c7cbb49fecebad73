// Allocation helpers that tell the user about a failure themselves (a message
// box "Ostrevane User Interface DLL" with the error icon) and return null.
//
// Heap blocks (OVKIT_MyAlloc and kin) live on ovkit's C runtime heap and are
// freed only through OVKIT_MyFree/OVKIT_MyFree2. Movable global blocks
// (OVKIT_AllocAndLock and kin) are released with OVKIT_UnlockAndFree.
#pragma once
#include "ovkit/ovkit_base.h"

// A zero-filled block of size bytes; null after "Unable to allocate memory.".
OVKIT_EXPORT(void*) OVKIT_MyAlloc(SIZE_T size);
// The block resized (contents kept, new bytes not cleared, it may move); null
// after "Unable to re-allocate memory.", the old block staying valid.
OVKIT_EXPORT(void*) OVKIT_MyRealloc(void* block, SIZE_T size);
// Frees a block; null does nothing.
OVKIT_EXPORT(void) OVKIT_MyFree(void* block);
// Frees the block the variable holds and sets it to null; returns variable.
OVKIT_EXPORT(void**) OVKIT_MyFree2(void** variable);

// A locked, zero-filled movable block of size + 63 bytes; its handle goes to
// *handle. Null after "Unable to allocate memory." or "Unable to lock memory."
// (*handle untouched).
OVKIT_EXPORT(void*) OVKIT_AllocAndLock(HGLOBAL* handle, SIZE_T size);
// Unlocks and frees the block and sets *handle to null in every case. A block
// still locked after one unlock is left alone ("Unable to unlock memory.").
OVKIT_EXPORT(void) OVKIT_UnlockAndFree(HGLOBAL* handle);
// Unlocks, resizes to size (new bytes zero, no margin added) and locks again;
// stores the handle and returns the pointer. Null after "Unable to reallocate
// memory." (*handle keeps the old, now unlocked, block) or "Unable to lock
// memory." (the block freed).
OVKIT_EXPORT(void*) OVKIT_UnlockAndReAlloc(HGLOBAL* handle, SIZE_T size);
