// File-type lists as [Defaults] values of the module settings.
#include "reportini/text_words.h"
#include "ovcore/filetypes.h"
#include "ovcore/settings.h"
#include <stdlib.h>
#include <string.h>

namespace {
const int kValueSize = 1024; // a stored list holds at most 1,023 characters
}

ORB_EXPORT(FileType**) GetFileTypesFromIniFile(int* count, const char* key, const char* def) {
    if (count)
        *count = 0;
    char value[kValueSize] = "";
    GetModuleProfileString("Defaults", key, def ? def : "", value, sizeof value);
    FileType** types = static_cast<FileType**>(calloc(FILETYPE_SLOTS, sizeof(FileType*)));
    if (!types)
        return nullptr;
    char* items[FILETYPE_SLOTS];
    int n = reportini::SplitWords(value, " ;", items, FILETYPE_SLOTS);
    for (int i = 0; i < n; ++i) {
        types[i] = FileTypeHeaderStringToStruct(items[i]);
        if (!types[i]) {
            FreeFileTypesArray(types, FILETYPE_SLOTS);
            return nullptr;
        }
    }
    if (count)
        *count = n;
    return types;
}

ORB_EXPORT(int) WriteFileTypesToIniFile(int count, FileType** types, const char* key) {
    char value[kValueSize] = "";
    size_t length = 0;
    int result = 1;
    for (int i = 0; types && i < count; ++i) {
        char* item = FileTypeHeaderStructToString(types[i]);
        if (!item)
            continue; // no entry, or a type outside 0-3: left out
        size_t needed = strlen(item) + (length ? 1 : 0);
        if (length + needed < sizeof value) {
            if (length)
                value[length++] = ' ';
            strcpy(value + length, item);
            length += strlen(item);
        } else {
            result = 0; // whole items only: this one does not fit
        }
        FreeFileTypeString(item);
    }
    if (!WriteModuleProfileString("Defaults", key, value))
        result = 0;
    return result;
}
