// Bounded reads of registry text values for the log finders.
#pragma once
#include <windows.h>

// Value name of key (or of its subkey, when subkey is not null) into text
// (size bytes); false when the key or value is missing, is not text or does
// not fit.
bool ReadRegistryText(HKEY key, const char* subkey, const char* name, char* text, DWORD size);
