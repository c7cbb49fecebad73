// Library start-up and shut-down of ovkit, called from its DllMain (and by
// tests, which link the library statically).
#pragma once
#include "ovkit/ovkit_base.h"

// Registers the library's window classes and keeps the module handle.
// Returns TRUE on success, FALSE when the library must not load.
BOOL OvkitProcessAttach(HINSTANCE instance);
// Unregisters the classes and frees the resource cache.
void OvkitProcessDetach();
// The module handle given at attach (the test executable when linked statically).
OVKIT_EXPORT(HINSTANCE) OVKIT_GetInstance();
