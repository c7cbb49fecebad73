// Platform settings and the export conventions of the ovkit library.
// Every ovkit header includes this one first.
#pragma once
#ifndef STRICT
#define STRICT
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// OVKIT_BUILD is defined while ovkit's own sources compile: they export.
// Callers link the import library (or the static library in tests) and need
// no dllimport: calls go through the import thunks.
#ifdef OVKIT_BUILD
#define OVKIT_API __declspec(dllexport)
#else
#define OVKIT_API
#endif

// Exported C functions use the Windows calling convention.
#define OVKIT_CALL WINAPI
// Exported C functions: OVKIT_EXPORT(type) Name(args);
#define OVKIT_EXPORT(type) extern "C" OVKIT_API type OVKIT_CALL

#define OVKIT_CAPTION "Ostrevane User Interface DLL"
