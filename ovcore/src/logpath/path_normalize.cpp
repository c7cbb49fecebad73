// Relative log paths and their date variables.
#include "ovcore/logpath.h"
#include "logpath/path_variables.h"
#include <string.h>

namespace {

BOOL StartsWith(const char* text, const char* a, const char* b) {
    return strncmp(text, a, strlen(a)) == 0 || strncmp(text, b, strlen(b)) == 0;
}

// Length of the base folder's parent with its separator: the folder less a
// trailing separator, cut behind its last "\", "/" or ":".
size_t ParentLength(const char* base) {
    size_t length = strlen(base);
    if (length && (base[length - 1] == '\\' || base[length - 1] == '/'))
        length--;
    size_t parent = 0;
    for (size_t i = 0; i < length; i++)
        if (base[i] == '\\' || base[i] == '/' || base[i] == ':')
            parent = i + 1;
    return parent;
}

// base[0..baseLength) + rest into out; FALSE when it does not fit.
BOOL Join(char* out, DWORD size, const char* base, size_t baseLength, const char* rest) {
    size_t restLength = strlen(rest);
    if (baseLength + restLength >= size)
        return FALSE;
    memcpy(out, base, baseLength);
    memcpy(out + baseLength, rest, restLength + 1);
    return TRUE;
}

// The path made full against the base folder into out; FALSE when it does
// not fit or a relative path has no base.
BOOL MakeFull(const char* path, const char* base, char* out, DWORD size) {
    if (StartsWith(path, "..\\", "../"))
        return base && Join(out, size, base, ParentLength(base), path + 3);
    if (StartsWith(path, ".\\", "./"))
        return base && Join(out, size, base, strlen(base), path + 2);
    return Join(out, size, "", 0, path);
}

} // namespace

BOOL NormalizeLogPathAt(char* path, DWORD size, const char* baseFolder, time_t now) {
    if (!path || size == 0)
        return FALSE;
    char full[MAX_PATH];
    char expanded[MAX_PATH];
    DWORD bound = size < MAX_PATH ? size : MAX_PATH;
    if (!MakeFull(path, baseFolder, full, bound) ||
        !ExpandPathVariables(full, expanded, bound, now))
        return FALSE;
    strcpy(path, expanded);
    return TRUE;
}

ORB_EXPORT(char*) NormalizeLogPath(char* path, const char* baseFolder) {
    NormalizeLogPathAt(path, MAX_PATH, baseFolder, time(nullptr));
    return path;
}
