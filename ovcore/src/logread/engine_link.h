// What log reading takes from the rest of the engine: the message display,
// the LogFileReloadSize setting, the data folder, the progress window and
// the cancel flag of the run, and the message pump used while unpacking.
#pragma once
#include "ovcore/ovcore_base.h"

// Shows text through the client's error display, titled "Ostrevane".
void LogRead_ShowError(const char* text);
// Bytes read from a log before it is reopened (default 1000000).
DWORD LogRead_GetReloadSize();
// The engine's datfiles folder (ends in a backslash); 0 when unknown or too long.
BOOL LogRead_GetDatfilesFolder(char* buffer, DWORD size);
// The run's progress window (may be null) and cancel flag.
HWND LogRead_GetProgressWindow();
BOOL LogRead_IsCancelled();
// Runs the calling thread's pending window messages.
void LogRead_PumpMessages();

// Set by the report run (and by tests) until the run's own state holds them.
void LogRead_SetDatfilesFolder(const char* folder);
void LogRead_SetProgressWindow(HWND window);
void LogRead_SetCancelFlag(const BOOL* flag);

// The engine text id (from the client's resource module, through the
// engine's text cache) into buffer, cut to size.
void LogRead_LoadText(UINT id, char* buffer, DWORD size);
