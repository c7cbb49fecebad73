// Writes what the screen shows (Wine's desktop, read through the screen DC)
// as a 24-bit BMP file.
#pragma once
#include <windows.h>

// Returns false when the picture could not be read or the file not written.
bool WriteScreenBmp(const char* path);
