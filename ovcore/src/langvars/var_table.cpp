// The variable table: (name, value) pairs of one language file, sorted by
// byte order of the names (stable, so equal names keep the file's order).
#include "langvars/var_table.h"
#include "langvars/var_file.h"
#include "ovcore/langvars.h"
#include <algorithm>
#include <string.h>

namespace langvars {
namespace {

std::vector<VarPair> g_pairs;
std::string g_loadedPath; // empty while nothing is loaded
FileStamp g_loadedStamp = {};

bool NameLess(const VarPair& a, const VarPair& b) {
    return CompareNames(a.name.c_str(), b.name.c_str()) < 0;
}

} // namespace

int CompareNames(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    while (*x && *x == *y) {
        ++x;
        ++y;
    }
    return int(*x) - int(*y);
}

const char* FindValue(const char* name) {
    if (!name)
        return nullptr;
    VarPair key;
    key.name = name;
    auto it = std::lower_bound(g_pairs.begin(), g_pairs.end(), key, NameLess);
    if (it == g_pairs.end() || CompareNames(it->name.c_str(), name) != 0)
        return nullptr;
    return it->value.c_str();
}

void Clear() {
    g_pairs.clear();
    g_loadedPath.clear();
}

int Count() {
    return int(g_pairs.size());
}

// Installs the pairs of a file just read as the table.
void Install(std::vector<VarPair>&& pairs, const std::string& path, const FileStamp& stamp) {
    g_pairs = std::move(pairs);
    std::stable_sort(g_pairs.begin(), g_pairs.end(), NameLess);
    g_loadedPath = path;
    g_loadedStamp = stamp;
}

bool IsLoaded(const char* path) {
    if (g_loadedPath.empty() || _stricmp(g_loadedPath.c_str(), path) != 0)
        return false;
    WIN32_FILE_ATTRIBUTE_DATA now;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &now))
        return false;
    FileStamp stamp = {(unsigned long long)now.nFileSizeHigh << 32 | now.nFileSizeLow,
                       (unsigned long long)now.ftLastWriteTime.dwHighDateTime << 32 |
                           now.ftLastWriteTime.dwLowDateTime};
    return stamp == g_loadedStamp;
}

} // namespace langvars

ORB_EXPORT(int) fetchvar_GetVarData(const char* name, char* value, int size) {
    if (!value || size <= 0)
        return 0;
    value[0] = '\0';
    const char* found = langvars::FindValue(name);
    if (!found)
        return 0;
    lstrcpynA(value, found, size);
    return 1;
}
