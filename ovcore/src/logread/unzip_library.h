// The binding of DUNZIP32.dll, made at first use.
#pragma once
#include "dunzip32.h"

// The library's entry, or null when the library or its entry is missing.
DUNZIP_ENTRY Dunzip_GetEntry();
