// The engine's cached texts (string ids 5500-5749), loaded from the client's
// resource module and shared by LoadCachedString and LoadTextResource.
#pragma once
#include <windows.h>

// Frees every cached text.
void TextCache_Clear(void);
