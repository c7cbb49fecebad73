// GSWDLL32.dll: the charting library, bound by ordinal.
//
// Calling convention: __stdcall (WINAPI). The engine relies only on ordinal 1
// returning 0 when the library started. The drawing comes with the report
// graphs; for now the library only starts and stops.
#pragma once
#include <windows.h>

#ifdef GSW_BUILD
#define GSW_API extern "C" __declspec(dllexport)
#else
#define GSW_API extern "C"
#endif

#define GSW_ORDINAL_OPEN 1
#define GSW_ORDINAL_CLOSE 2
#define GSW_ORDINAL_ATTACH 124
#define GSW_ORDINAL_DETACH 125

// Ordinal 1: starts the library (server name, locale "C"); 0 on success.
GSW_API int WINAPI GswOpen(const char* server, const char* locale);
// Ordinal 2: stops it.
GSW_API int WINAPI GswClose(void);
// Ordinal 124: attaches the calling program after a successful start.
GSW_API int WINAPI GswAttach(void);
// Ordinal 125: detaches it before the stop.
GSW_API int WINAPI GswDetach(void);
