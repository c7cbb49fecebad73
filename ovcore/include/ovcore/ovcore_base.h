// Platform settings and export conventions of the engine library.
// Every ovcore header includes this one first.
#pragma once
#include "ovkit/ovkit_base.h"

#ifdef OVCORE_BUILD
#define OVCORE_API __declspec(dllexport)
#else
#define OVCORE_API
#endif

// Engine exports use the Windows calling convention unless declared otherwise.
#define ORB_CALL WINAPI
// Exported C functions: ORB_EXPORT(type) Name(args);
#define ORB_EXPORT(type) extern "C" OVCORE_API type ORB_CALL

// The engine's 16-bit status results.
#define ORB_OK 0
#define ORB_FAIL ((short)-1)
