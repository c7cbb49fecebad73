#include "fetch/copy_folder.h"

#include <stdio.h>

BOOL Fetch_CopyFolderName(char* out, size_t size, const char* base, const char* name) {
    int n = snprintf(out, size, "%s%s.ftp\\", base, name);
    if (n >= 0 && (size_t)n < size)
        return TRUE;
    if (size)
        out[0] = 0;
    return FALSE;
}
