// The walk over one kind's definition files, in the order the folder gives.
#pragma once
#include <windows.h>

// Called with the full path and the bare file name; nonzero stops the walk.
typedef int (*DefinitionVisitor)(const char* path, const char* name, void* context);
// The visitor's value that stopped the walk, or 0.
int WalkDefinitionFiles(int kind, DefinitionVisitor visit, void* context);
// The [General] Description of a file (size bytes; empty when none).
void ReadDefinitionDescription(const char* path, char* description, DWORD size);
