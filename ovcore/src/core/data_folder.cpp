#include "core/data_folder.h"

BOOL DataFolder_Normalize(const char* folder, char* out) {
    size_t n = 0;
    size_t kept = 0; // leading characters that are never collapsed
    out[0] = 0;
    if (!folder || !folder[0])
        return TRUE;
    const char* p = folder;
    if (p[0] == '\\' && p[1] == '\\') { // \\server\share
        out[n++] = '\\';
        out[n++] = '\\';
        p += 2;
        kept = 2;
    }
    for (; *p; ++p) {
        if (*p == '\\' && n > kept && out[n - 1] == '\\')
            continue;
        if (n + 1 >= MAX_PATH) {
            out[0] = 0;
            return FALSE;
        }
        out[n++] = *p;
    }
    if (out[n - 1] != '\\') {
        if (n + 1 >= MAX_PATH) {
            out[0] = 0;
            return FALSE;
        }
        out[n++] = '\\';
    }
    out[n] = 0;
    return TRUE;
}
