#include "copy_tree.h"

#include <windows.h>

namespace ovfiles {

bool CopyTree(const std::string& from, const std::string& to) {
    if (!CreateDirectoryA(to.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + name + "\\", to + name + "\\") && ok;
        else
            ok = CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE) && ok;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

} // namespace ovfiles
