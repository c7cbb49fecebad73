// File-type entries and their "{name,type}" text form.
#include "reportini/text_words.h"
#include "ovcore/filetypes.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

ORB_EXPORT(FileType*) CreateFileType() {
    return static_cast<FileType*>(calloc(1, sizeof(FileType)));
}

ORB_EXPORT(void) FreeFileType(FileType* type) {
    free(type);
}

ORB_EXPORT(FileType*) FileTypeHeaderStringToStruct(char* text) {
    if (!text)
        return nullptr;
    const char* name = text;
    int value = 0;
    char* open = strchr(text, '{');
    if (open && strchr(text, '}')) {
        char* comma = strchr(open, ',');
        if (!comma)
            return nullptr;
        *comma = '\0';
        name = open + 1;
        value = atoi(comma + 1); // stops at "}"
    }
    FileType* type = CreateFileType();
    if (!type)
        return nullptr;
    lstrcpynA(type->Name, name, sizeof type->Name);
    type->Type = value;
    return type;
}

ORB_EXPORT(char*) FileTypeHeaderStructToString(const FileType* type) {
    if (!type || type->Type < 0 || type->Type > 3)
        return nullptr;
    size_t size = strnlen(type->Name, sizeof type->Name) + 16;
    char* text = static_cast<char*>(malloc(size));
    if (text)
        snprintf(text, size, "{%.*s,%d}", int(sizeof type->Name), type->Name, type->Type);
    return text;
}

ORB_EXPORT(void) FreeFileTypeString(char* text) {
    free(text);
}

ORB_EXPORT(void) FreeFileTypesArray(FileType** types, int count) {
    if (!types)
        return;
    for (int i = 0; i < count; ++i)
        FreeFileType(types[i]);
    free(types);
}
