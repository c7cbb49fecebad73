// The folder that a profile's remote logs are fetched into.
#pragma once
#include <stddef.h>
#include <windows.h>

// base (the data folder, or a path that ends where the profile's name ends),
// then name and ".ftp\". FALSE, out empty, when that does not fit size bytes.
BOOL Fetch_CopyFolderName(char* out, size_t size, const char* base, const char* name);
