// CSTCTLS4.dll: the custom-control library of the report viewer's text view,
// bound by ordinal at run time so that the plug-in loads without it.
//
// Calling convention: __stdcall (WINAPI). The stand-in registers the control
// class "CstFVCSTCTLS4" as a plain read-only multi-line view; the viewer's
// messages come with the viewer.
#pragma once
#include <windows.h>

#ifdef CSTCTLS4_BUILD
#define CSTCTLS4_API extern "C" __declspec(dllexport)
#else
#define CSTCTLS4_API extern "C"
#endif

#define CSTCTLS4_ORDINAL_REGISTER 66
#define CSTCTLS4_ORDINAL_UNREGISTER 67
#define CSTCTLS4_VIEW_CLASS "CstFVCSTCTLS4"

// Ordinal 66: registers the view class for the given module; 1 when it is
// registered (also when it already was), else 0.
CSTCTLS4_API int WINAPI CstRegisterControls(HINSTANCE client);
// Ordinal 67: unregisters it; 1 when it was registered.
CSTCTLS4_API int WINAPI CstUnregisterControls(HINSTANCE client);
