// The engine-wide install folder that every settings file and application
// path is built from.
#pragma once
#include <windows.h>

// Takes the folder part (through the last backslash) of a module file name of
// at most 255 characters; longer names are refused (FALSE, folder unchanged).
BOOL InstallFolder_SetFromFileName(const char* fileName);
// TRUE once a module has been given.
BOOL InstallFolder_IsSet(void);
// Sets the folder from the engine's own module when still unset.
void InstallFolder_EnsureSet(void);
// Writes folder part + tail into out (MAX_PATH characters). FALSE, with out
// empty, when the result would not fit.
BOOL InstallFolder_BuildPath(char* out, const char* tail);
// Forgets the folder, as in a freshly loaded engine.
void InstallFolder_Reset(void);
