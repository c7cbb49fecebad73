// The private heap that holds every CString text of this module.
//
// Each deliverable owns its heap; a heap of our own (rather than the shared C
// runtime's) makes a text freed by the wrong module fail visibly instead of
// passing by chance.
#pragma once
#include <windows.h>

namespace ovkit {

// Zero-filled block of n bytes, or null.
char* StringAlloc(SIZE_T n);
// Frees a block from StringAlloc; null is allowed.
void StringFree(char* block);

} // namespace ovkit
