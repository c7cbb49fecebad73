// The registered data folder text.
#pragma once
#include <windows.h>

// Copies folder into out (MAX_PATH characters) with doubled backslashes
// collapsed (a leading "\\" of a network path stays) and a closing backslash
// added when missing. FALSE, with out empty, when it does not fit.
BOOL DataFolder_Normalize(const char* folder, char* out);
