// Texts for the client: the run's error codes (from the engine library's
// own string table) and the pick lists of the filter fields (from the
// client's module).
#include <string.h>

#include "core/engine_instance.h"
#include "core/engine_state.h"
#include "ovcore/registration.h"
#include "ovcore/report_run.h"
#include "run/option_pairs.h"

namespace {

#define ERROR_TEXT_MAX 512
const char kUndefinedError[] = "Undefined Error";

// Word index of a filter field's code in the caller's block.
#define FILTER_FIELD_BASE 2449
#define FILTER_FIELD_ROW 1217
#define FILTER_FIELD_COLUMN 71

struct OptionSource {
    UINT caption;
    UINT text;
};

OptionSource SourceOf(WORD fieldCode) {
    if (fieldCode == 0x3000)
        return {5505, 5502};
    if (fieldCode == 0x3400)
        return {5504, 5501};
    return {5503, 5500};
}

// The field code, or FALSE when (i, j) lies outside the block.
BOOL ReadFieldCode(HGLOBAL block, int i, int j, WORD* code) {
    if (!block || i < 0 || j < 0)
        return FALSE;
    SIZE_T index =
        FILTER_FIELD_BASE + (SIZE_T)FILTER_FIELD_ROW * i + (SIZE_T)FILTER_FIELD_COLUMN * j;
    if ((index + 1) * sizeof(WORD) > GlobalSize(block))
        return FALSE;
    const WORD* words = static_cast<const WORD*>(GlobalLock(block));
    if (!words)
        return FALSE;
    *code = words[index];
    GlobalUnlock(block);
    return TRUE;
}

// The client's "TEXT" resource, bounded by its size; null when missing.
const char* TextResource(UINT id, DWORD* size) {
    HMODULE module = Engine_State().clientResources;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "TEXT");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    *size = found ? SizeofResource(module, found) : 0;
    return loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
}

} // namespace

ORB_EXPORT(int) ADT_GetErrorTxtMsg(WORD code, char* buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    lstrcpynA(buffer, kUndefinedError, size);
    char text[ERROR_TEXT_MAX];
    int loaded = LoadStringA(Engine_Instance(), code, text, sizeof(text));
    if (loaded <= 0)
        return 0;
    lstrcpynA(buffer, text, size);
    return (int)strlen(buffer);
}

ORB_EXPORT(WORD)
ADT_GetFilterOptionList(HGLOBAL block, int i, int j, HGLOBAL* list, WORD* count, WORD* error) {
    WORD scratchCount = 0, scratchError = 0;
    if (!count)
        count = &scratchCount;
    if (!error)
        error = &scratchError;
    *count = 0;
    *error = 0;
    if (!list)
        return 0xFFFF;
    WORD field = 0;
    BOOL inside = ReadFieldCode(block, i, j, &field);
    OptionSource source = SourceOf(field);
    const char* caption = LoadCachedString(source.caption);
    DWORD textSize = 0;
    const char* text = inside ? TextResource(source.text, &textSize) : nullptr;

    DWORD captionBytes = (DWORD)strlen(caption) + 1;
    DWORD pairBytes = 0;
    CopyOptionPairs(text, textSize, nullptr, &pairBytes);
    DWORD total = captionBytes + pairBytes;
    HGLOBAL grown = *list ? GlobalReAlloc(*list, total + 100, GMEM_MOVEABLE | GMEM_ZEROINIT)
                          : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total + 100);
    char* out = grown ? static_cast<char*>(GlobalLock(grown)) : nullptr;
    if (!out) {
        *error = REPORT_ERROR_NO_MEMORY;
        return 0xFFFF;
    }
    *list = grown;
    memcpy(out, caption, captionBytes);
    *count = CopyOptionPairs(text, textSize, out + captionBytes, nullptr);
    GlobalUnlock(grown);
    return 0;
}
