// The module that holds the engine's code (ovcore.dll, or the program the
// engine is linked into).
#pragma once
#include <windows.h>

HINSTANCE Engine_Instance(void);
// Writes the engine module's folder (with trailing backslash) into folder
// (MAX_PATH characters); FALSE when it cannot be found.
BOOL Engine_ModuleFolder(char* folder);
