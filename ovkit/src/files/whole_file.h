// Reading a file whole, silently. Private to ovkit.
#pragma once
#include <windows.h>
#include <string>

// The file's bytes into out. False when it cannot be opened or read, or is
// larger than 64 MiB.
bool OvkitReadWholeFile(const char* path, std::string& out);
