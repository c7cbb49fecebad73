// Path operations shared by the plug-in's areas.
#include "desk_services.h"
#include <cstring>

int ReplaceFileExtension(char* path, size_t size, const char* ending) {
    // Only the file-name part may hold the extension's dot: a dot in a folder name is not one.
    char* name = path;
    for (char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    char* dot = strrchr(name, '.');
    size_t keep = dot ? (size_t)(dot - path) : strlen(path);
    size_t add = strlen(ending);
    if (keep + add + 1 > size)
        return 0;
    memcpy(path + keep, ending, add + 1);
    return 1;
}
