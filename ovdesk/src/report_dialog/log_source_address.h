// Log-source addresses of the dialogs: a path with its type's scheme.
#pragma once
#include "desk_types.h"

// Log-source address of a path: the type's prefix added (0 file, 1 FTP,
// 2 HTTP, 3 mail, 4 ODBC). 1 on success, 0 for a path the type rejects.
// An address that already has a scheme is copied as it is.
int BuildLogSourceUrl(int type, const char* path, char* address);
// The path of an address without its scheme (MAX_PATH bytes); the type.
int SplitLogSourceUrl(char* path, const char* address);
