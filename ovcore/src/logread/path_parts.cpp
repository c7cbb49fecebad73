#include "ovcore/logsource.h"
#include <string.h>

namespace {
// Offset behind the last "\" or ":" of path (0 when none).
size_t NameStart(const char* path) {
    size_t start = 0;
    for (size_t i = 0; path[i]; i++)
        if (path[i] == '\\' || path[i] == ':')
            start = i + 1;
    return start;
}

void CopyCut(char* target, const char* source, size_t length) {
    if (length >= MAX_PATH)
        length = MAX_PATH - 1;
    memcpy(target, source, length);
    target[length] = 0;
}
} // namespace

void GetFileNameFromPath(const char* path, char* name) {
    size_t start = NameStart(path);
    CopyCut(name, path + start, strlen(path + start));
}

void GetFolderFromPath(const char* path, char* folder) {
    CopyCut(folder, path, NameStart(path));
}

void GetFileExtension(const char* path, char* ext) {
    const char* name = path + NameStart(path);
    const char* dot = strrchr(name, '.');
    CopyCut(ext, dot ? dot : "", dot ? strlen(dot) : 0);
}
