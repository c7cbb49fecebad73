// Exports of the test-only DLL that changes strings it is given.
#pragma once
#include "ovkit/cstring.h"
#include "heapdll_ids.h"

#ifdef HEAPDLL_BUILD
#define HEAPDLL_EXPORT(type) extern "C" __declspec(dllexport) type WINAPI
#else
#define HEAPDLL_EXPORT(type) extern "C" type WINAPI
#endif

HEAPDLL_EXPORT(void) HeapDll_Append(CString* text, const char* tail);
HEAPDLL_EXPORT(void) HeapDll_Assign(CString* text, const char* value);
// Rebuilds the text through a string that lives and dies inside the DLL:
// "[" + text with "a" replaced by "A" + "]" + the length.
HEAPDLL_EXPORT(void) HeapDll_Rework(CString* text);
// Empties the text.
HEAPDLL_EXPORT(void) HeapDll_Empty(CString* text);
