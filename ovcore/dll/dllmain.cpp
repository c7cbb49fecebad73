// ovcore.dll entry: kept small; registration does the start-up work.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
