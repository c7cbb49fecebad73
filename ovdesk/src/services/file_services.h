// File and path operations of the plug-in's dialogs. Path buffers hold
// MAX_PATH bytes; results are cut to fit.
#pragma once
#include <windows.h>

// Copies source to a new target in blocks of 2048 bytes; 1, or 0 after
// deleting the partial target.
int CopyFileContents(const char* source, const char* target);
// The whole file in a new global memory block, locked, and its size; null
// when it is missing (without a message) or cannot be read (with the
// message "Couldn't open file %s." when showMessage is set). The caller
// unlocks and frees the block (GlobalHandle of the result).
void* ReadWholeFile(const char* name, HGLOBAL* block, int showMessage, DWORD shareMode,
                    DWORD* size);
// Writes count bytes to file and stores the count written; 1 when all were
// written, else 0.
int WriteFileChunk(const char* name, HANDLE file, const void* data, DWORD count, DWORD* written);
// 1 when a file or folder matches path.
int FileIsPresent(const char* path);
// directory (the module's own when null) with a backslash ensured, then file.
void BuildModulePath(const char* directory, const char* file, char* path);
// The module's file name and its directory through the last "\" or ":".
void GetModulePathParts(HMODULE module, char* fullName, char* directory);
// The path through its last "\" or ":" (empty when none).
void GetDirectoryPart(const char* path, char* out);
// What follows the last "\" or ":" (the whole path when none).
void GetFileNamePart(const char* path, char* out);
// The extension of the file-name part with its dot (empty when none).
void GetFileExtension(const char* path, char* out);
