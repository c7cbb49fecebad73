// The charting library GSWDLL32.dll, bound by ordinal when first started.
#pragma once
#include <windows.h>

// The matching stop of InitGSWLibrary: mode 1 from ACP_DeRegister, mode 0
// from the end of a report run.
void ReleaseGSWLibrary(int mode);

// The library file to load ("GSWDLL32.dll"); another name lets tests see a
// failed start.
void GswBinding_SetLibraryName(const char* name);

// The started library, or null when graphing is off.
HMODULE GswBinding_Library(void);
