// Functions of a library loaded by name at run time, each typed by its own
// declaration (decltype(&Function)): the one binder of every library and
// program of the system. Header only, so nothing crosses a DLL boundary.
//
// Loading and freeing the library stays with its caller; these only resolve.
// A name that is missing leaves its slot null and is said once in the
// debugger output ("LIBRARY lacks NAME").
#pragma once
#include <windows.h>

// The function exported as name (or as an ordinal, MAKEINTRESOURCEA) by
// module, as the pointer type Fn. Null when module is null or lacks it.
template <class Fn> inline Fn OvkitProcAddress(HMODULE module, LPCSTR name) {
    return module ? reinterpret_cast<Fn>(GetProcAddress(module, name)) : nullptr;
}

// Points *slot at name in module (library names the module in the debugger
// line). Returns whether it was found; *slot is null when not.
template <class Fn>
inline bool OvkitBind(HMODULE module, Fn* slot, const char* name, const char* library) {
    *slot = OvkitProcAddress<Fn>(module, name);
    if (*slot)
        return true;
    OutputDebugStringA(library);
    OutputDebugStringA(" lacks ");
    OutputDebugStringA(name);
    OutputDebugStringA("\n");
    return false;
}

// The same for a function exported by ordinal only.
template <class Fn> inline bool OvkitBindOrdinal(HMODULE module, Fn* slot, WORD ordinal) {
    *slot = OvkitProcAddress<Fn>(module, MAKEINTRESOURCEA(ordinal));
    return *slot != nullptr;
}

// Binds the member fn of the table api to the export of the same name; for
// the lists of functions (X(fn) macros) a library is bound from. Yields
// whether it was found.
#define OVKIT_BIND_MEMBER(module, api, fn, library) OvkitBind(module, &(api).fn, #fn, library)
