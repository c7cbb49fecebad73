#include "ovcore/logsource.h"
#include <string.h>
#include "ovkit/text_copy.h"

namespace {
// Offset behind the last "\" or ":" of path (0 when none).
size_t NameStart(const char* path) {
    size_t start = 0;
    for (size_t i = 0; path[i]; i++)
        if (path[i] == '\\' || path[i] == ':')
            start = i + 1;
    return start;
}

} // namespace

void GetFileNameFromPath(const char* path, char* name) {
    size_t start = NameStart(path);
    OvkitCopyPart(name, MAX_PATH, path + start, strlen(path + start));
}

void GetFolderFromPath(const char* path, char* folder) {
    OvkitCopyPart(folder, MAX_PATH, path, NameStart(path));
}

void GetFileExtension(const char* path, char* ext) {
    const char* name = path + NameStart(path);
    const char* dot = strrchr(name, '.');
    OvkitCopyPart(ext, MAX_PATH, dot ? dot : "", dot ? strlen(dot) : 0);
}
