// Folders of module files, for the settings and log files that live beside them.
#pragma once
#include <windows.h>
#include <cstddef>

// The module that holds ovkit's code: ovkit.dll, or the program that links
// the library statically.
HMODULE OvkitLibraryModule();
// Writes the folder of the module's file, ending in a backslash, into out
// (size bytes). Returns false (out empty) when the name cannot be read or
// does not fit.
bool OvkitModuleFolder(HMODULE module, char* out, size_t size);
// The same for the module that holds ovkit's code (the DLL, or the program
// that links the library statically), whether or not it is attached.
bool OvkitLibraryFolder(char* out, size_t size);
// Folder of the module, then the file name; false when it does not fit.
bool OvkitPathBesideModule(HMODULE module, const char* fileName, char* out, size_t size);
bool OvkitPathBesideLibrary(const char* fileName, char* out, size_t size);
