// Showing a page, a local file or a URL in the user's web browser: first a
// running browser is asked over DDE, else a browser program found on the
// machine is started with the address.
#pragma once
#include "ovkit/ovkit_base.h"

// Opens the address (a URL or a file path) in a browser. 1 when a browser took
// it; 0 after "Unable to detect your browser." or "Unable to launch your
// browser." in a message box owned by window.
OVKIT_EXPORT(BOOL) OVKIT_ShowHTMDocument(HWND window, const char* address);

// Finds a browser program: [Browser] Path of the library's OSTREVAN.INI, then
// the registry, the browsers' own settings files and fixed install paths.
// path holds MAX_PATH bytes; name (may be null) gets the display name and
// holds 64 bytes. 1 when found; 0 after "Unable to detect your browser." in a
// box owned by window.
OVKIT_EXPORT(BOOL) OVKIT_DetectBrowser(HWND window, char* path, char* name);

// Reads one string value (the default value when name is null or empty) into
// out (size bytes, emptied first, always terminated). 1 when read; 0 when the
// key cannot be opened or the value read.
OVKIT_EXPORT(BOOL)
OVKIT_FindRegistryStringData(HKEY root, const char* subKey, const char* name, char* out,
                             DWORD size);
