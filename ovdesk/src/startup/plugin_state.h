// Start-up and shut-down of the plug-in and its module-wide state.
#pragma once
#include <windows.h>

// The start-up steps run at process attach. FALSE when the engine refused
// registration or the module directory does not fit (the load is refused;
// everything started is undone first).
BOOL StartUpPlugin(HINSTANCE instance);
// Undoes the start-up; safe to call twice.
void ShutDownPlugin(void);
// Process detach: heap frees only (the loader lock is held).
void DetachPlugin(void);

// Fills the module directory from the module's file name; the length of the
// directory part, or 0 when the name does not fit in MAX_PATH or has no
// backslash (the directory is then left empty).
int FindModuleDirectory(HINSTANCE instance);
// The same from a module file name of length characters (as GetModuleFileName
// gave it); a length of MAX_PATH or more means the name was cut.
int SetModuleDirectoryFromName(const char* name, DWORD length);
// Loads the language module named by [Language] Program (default ENGLISH)
// and fills the help paths.
void LoadLanguageModule(void);
const char* GetHelpPath(void);
const char* GetSecondHelpPath(void);
// The engine client slot, -1 while not registered.
short GetEngineClientSlot(void);

// Internal setters used by start-up and the tests.
void SetPluginInstance(HINSTANCE instance);
