// The date variables of log paths ("%yy%", "%Mon%", "%date-N%", ...).
#pragma once
#include <windows.h>
#include <time.h>

// Copies text into out (size bytes) with every variable replaced by the
// reference time (at first now; "%date-N%" sets it to now minus N days)
// formatted in local time. Unknown "%...%" texts stay. FALSE when the result
// does not fit (out is then undefined).
BOOL ExpandPathVariables(const char* text, char* out, DWORD size, time_t now);
