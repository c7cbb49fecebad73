// The FTP client library (FTP4W32.DLL) as this system binds it: one table
// and one binder for the FTP browser and the engine alike. Header only; each
// caller loads (and frees) the library and initialises it itself.
#pragma once
#include <windows.h>

#include "ftp4w32.h"
#include "ovkit/dll_binding.h"

struct OvkitFtpApi {
#define OVKIT_FTP_SLOT(fn) decltype(&::fn) fn;
    FTP4W32_FUNCTIONS(OVKIT_FTP_SLOT)
#undef OVKIT_FTP_SLOT
};

// Fills *api from module, every function or none: false (and *api all null)
// when one is missing.
inline bool OvkitBindFtpClient(HMODULE module, OvkitFtpApi* api) {
    bool ok = true;
#define OVKIT_FTP_BIND(fn) ok = ok && OVKIT_BIND_MEMBER(module, *api, fn, "FTP4W32.DLL");
    FTP4W32_FUNCTIONS(OVKIT_FTP_BIND)
#undef OVKIT_FTP_BIND
    if (!ok)
        *api = OvkitFtpApi();
    return ok;
}
