// The five window classes of ovkit's custom controls.
#pragma once
#include <windows.h>

// Registers the classes in order; stops at the first failure. Returns -1 when
// all are registered, else the index (0..4) of the class that failed; the
// classes before it stay registered.
int OvkitRegisterWindowClasses(HINSTANCE instance);
// Unregisters all five (those not registered are skipped).
void OvkitUnregisterWindowClasses(HINSTANCE instance);
