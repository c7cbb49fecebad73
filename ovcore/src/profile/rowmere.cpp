// Database-report records: allocation, copy and release.
#include "ovcore/rowmere.h"
#include <cstdlib>
#include <cstring>

RowmereSettings* ORB_CALL AllocRowmere() {
    return static_cast<RowmereSettings*>(std::calloc(1, sizeof(RowmereSettings)));
}

RowmereColumn* ORB_CALL AllocRowmereData() {
    return static_cast<RowmereColumn*>(std::calloc(1, sizeof(RowmereColumn)));
}

void ORB_CALL FreeRowmereColumns(RowmereColumn* lpColumns) {
    while (lpColumns) {
        RowmereColumn* next = lpColumns->Next;
        std::free(lpColumns->lpValue);
        std::free(lpColumns);
        lpColumns = next;
    }
}

void ORB_CALL FreeRowmere(RowmereSettings* lpSettings) {
    if (!lpSettings)
        return;
    FreeRowmereColumns(lpSettings->lpColumns);
    std::free(lpSettings);
}

// Copies the column list in order. The copies get no value buffer: sharing the
// source's would free it twice.
static int CopyRowmereColumns(const RowmereColumn* src, RowmereColumn** out) {
    *out = nullptr;
    RowmereColumn** tail = out;
    for (; src; src = src->Next) {
        RowmereColumn* copy = AllocRowmereData();
        if (!copy)
            return 0;
        std::memcpy(copy, src, sizeof *copy);
        copy->lpValue = nullptr;
        copy->dwValueLength = 0;
        copy->Next = nullptr;
        *tail = copy;
        tail = &copy->Next;
    }
    return 1;
}

RowmereSettings* ORB_CALL MakeCopyOfRowmere(const RowmereSettings* lpSettings) {
    RowmereSettings* copy = AllocRowmere();
    if (!copy || !lpSettings)
        return copy;
    std::memcpy(copy, lpSettings, sizeof *copy);
    if (!CopyRowmereColumns(lpSettings->lpColumns, &copy->lpColumns)) {
        FreeRowmere(copy);
        return nullptr;
    }
    return copy;
}
