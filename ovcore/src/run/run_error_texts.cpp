// Texts for the client: the run's error codes (from the engine library's
// own string table) and the pick lists of the filter fields (from the
// client's module).
#include <string.h>

#include "core/engine_instance.h"
#include "core/engine_state.h"
#include "ovcore/registration.h"
#include "ovcore/report_run.h"

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

// Length of the string at text[at] within size, or -1 when it is not
// terminated before the end.
long StringAt(const char* text, DWORD size, DWORD at) {
    const void* end = memchr(text + at, 0, size - at);
    return end ? (long)((const char*)end - (text + at)) : -1;
}

// Walks the pairs of zero-terminated strings up to an entry that begins with
// a carriage return or the resource's end. Each pair is handed to add (the
// two strings with their terminators); the number of pairs.
template <typename Add> WORD WalkPairs(const char* text, DWORD size, Add add) {
    WORD pairs = 0;
    DWORD at = 0;
    while (text && at < size && text[at] != '\r') {
        long label = StringAt(text, size, at);
        if (label < 0 || at + label + 1 >= size)
            break;
        DWORD valueAt = at + label + 1;
        long value = StringAt(text, size, valueAt);
        if (value < 0)
            break;
        add(text + at, (DWORD)label + 1, text + valueAt, (DWORD)value + 1);
        pairs++;
        at = valueAt + value + 1;
        if (at < size && text[at] == 0)
            at++; // a second zero after a string
    }
    return pairs;
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

    DWORD total = (DWORD)strlen(caption) + 1;
    WalkPairs(text, textSize, [&](const char*, DWORD a, const char*, DWORD b) { total += a + b; });
    HGLOBAL grown = *list ? GlobalReAlloc(*list, total + 100, GMEM_MOVEABLE | GMEM_ZEROINIT)
                          : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total + 100);
    char* out = grown ? static_cast<char*>(GlobalLock(grown)) : nullptr;
    if (!out) {
        *error = REPORT_ERROR_NO_MEMORY;
        return 0xFFFF;
    }
    *list = grown;
    DWORD at = (DWORD)strlen(caption) + 1;
    memcpy(out, caption, at);
    *count = WalkPairs(text, textSize, [&](const char* l, DWORD a, const char* v, DWORD b) {
        memcpy(out + at, l, a);
        memcpy(out + at + a, v, b);
        at += a + b;
    });
    GlobalUnlock(grown);
    return 0;
}
