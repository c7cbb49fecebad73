// Visits the files (not folders) of a folder that match a pattern, in the
// order the file system gives them.
#pragma once
#include "carry_state.h"

template <typename Visit> void ForEachFile(const char* folder, const char* pattern, Visit visit) {
    char path[MAX_PATH];
    if (!JoinPath(path, folder, pattern))
        return;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path, &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            visit(found);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}
