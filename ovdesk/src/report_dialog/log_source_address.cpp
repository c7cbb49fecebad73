// Log-source addresses: a path with its type's scheme added, and an address
// split back into its path and type.
#include "report_dialog/log_source_address.h"

#include <cstdio>
#include <cstring>

#include "desk_services.h"
#include "report_dialog/report_pages.h"

namespace {
const char* const kPrefixes[] = {"file:///", "ftp://", "http://", "mailto:", "odbc:"};
} // namespace

int BuildLogSourceUrl(int type, const char* path, char* address) {
    for (const char* prefix : kPrefixes)
        if (strncmp(path, prefix, strlen(prefix)) == 0) {
            CopyBounded(address, MAX_PATH, path);
            return 1;
        }
    if (type < 0 || type > 4) {
        CopyBounded(address, MAX_PATH, path);
        return 1;
    }
    if (type >= 1 && type <= 3 &&
        (!strchr(path, type == 3 ? '@' : '/') || strchr(path, '\\') || path[0] == '/'))
        return 0;
    snprintf(address, MAX_PATH, "%s%s", kPrefixes[type == 4 ? 4 : type], path);
    return 1;
}

int SplitLogSourceUrl(char* path, const char* address) {
    static const int kTypes[] = {0, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i) {
        size_t n = strlen(kPrefixes[i]);
        if (_strnicmp(address, kPrefixes[i], n) == 0) {
            CopyBounded(path, MAX_PATH, address + n);
            return kTypes[i];
        }
    }
    CopyBounded(path, MAX_PATH, address);
    return 0;
}
