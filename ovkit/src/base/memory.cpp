#include "ovkit/memory.h"
#include <cstdlib>

namespace {

const SIZE_T kGlobalMargin = 63; // spare bytes of every OVKIT_AllocAndLock block

void ReportMemoryError(const char* text) {
    MessageBoxA(nullptr, text, OVKIT_CAPTION, MB_OK | MB_ICONERROR);
}

} // namespace

void* OVKIT_CALL OVKIT_MyAlloc(SIZE_T size) {
    // A 0-byte request still gets a block, so it is never taken for a failure.
    void* block = calloc(1, size ? size : 1);
    if (!block)
        ReportMemoryError("Unable to allocate memory.");
    return block;
}

void* OVKIT_CALL OVKIT_MyRealloc(void* block, SIZE_T size) {
    // realloc to 0 bytes would free the block the caller still holds.
    void* resized = realloc(block, size ? size : 1);
    if (!resized)
        ReportMemoryError("Unable to re-allocate memory.");
    return resized;
}

void OVKIT_CALL OVKIT_MyFree(void* block) {
    free(block);
}

void** OVKIT_CALL OVKIT_MyFree2(void** variable) {
    if (variable && *variable) {
        free(*variable);
        *variable = nullptr;
    }
    return variable;
}

void* OVKIT_CALL OVKIT_AllocAndLock(HGLOBAL* handle, SIZE_T size) {
    // A size so large that the margin wraps is a failed allocation.
    HGLOBAL block = size <= ~static_cast<SIZE_T>(0) - kGlobalMargin
                        ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + kGlobalMargin)
                        : nullptr;
    if (!block) {
        ReportMemoryError("Unable to allocate memory.");
        return nullptr;
    }
    void* data = GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        ReportMemoryError("Unable to lock memory.");
        return nullptr;
    }
    *handle = block;
    return data;
}

void OVKIT_CALL OVKIT_UnlockAndFree(HGLOBAL* handle) {
    if (!handle || !*handle)
        return;
    HGLOBAL block = *handle;
    *handle = nullptr;
    GlobalUnlock(block);
    if (GlobalFlags(block) & GMEM_LOCKCOUNT) {
        ReportMemoryError("Unable to unlock memory.");
        return;
    }
    if (GlobalFree(block))
        ReportMemoryError("Unable to free memory.");
}

void* OVKIT_CALL OVKIT_UnlockAndReAlloc(HGLOBAL* handle, SIZE_T size) {
    HGLOBAL block = *handle;
    if (!block) { // nothing to resize, hence nothing to lock
        ReportMemoryError("Unable to lock memory.");
        return nullptr;
    }
    GlobalUnlock(block);
    HGLOBAL resized = GlobalReAlloc(block, size, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!resized) {
        ReportMemoryError("Unable to reallocate memory.");
        return nullptr;
    }
    void* data = GlobalLock(resized);
    if (!data) {
        GlobalFree(resized);
        *handle = nullptr;
        ReportMemoryError("Unable to lock memory.");
        return nullptr;
    }
    *handle = resized;
    return data;
}
