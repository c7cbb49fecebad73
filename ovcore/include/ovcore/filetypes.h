// File-type lists of the module settings ([Defaults] keys such as
// DocumentTypes): items "{name,type}" or a bare name (type 0), separated by
// blanks or semicolons. Types: 0 only when not from a script, 1 only from a
// script, 2 always, 3 reserved.
#pragma once
#include "ovcore/ovcore_base.h"

#define FILETYPE_NAME_SIZE 300
// Slots of the arrays that GetFileTypesFromIniFile and ReadDefaultsList give.
#define FILETYPE_SLOTS 100

struct FileType {
    char Name[FILETYPE_NAME_SIZE];
    int Type;
};
static_assert(sizeof(FileType) == 304, "FileType is 304 bytes");

// A new zero-filled entry of type 0; null when memory is short.
ORB_EXPORT(FileType*) CreateFileType();
// Frees an entry; null is allowed.
ORB_EXPORT(void) FreeFileType(FileType* type);

// Parses "{name,type}" or a bare name; text is changed in place. A new entry,
// or null for braces without a comma or when memory is short.
ORB_EXPORT(FileType*) FileTypeHeaderStringToStruct(char* text);
// A new heap text "{name,type}" (free it with FreeFileTypeString), or null
// when the type is outside 0-3 or memory is short.
ORB_EXPORT(char*) FileTypeHeaderStructToString(const FileType* type);
ORB_EXPORT(void) FreeFileTypeString(char* text);

// Reads module settings [Defaults] key (default def) into a new array of
// FILETYPE_SLOTS entries, unused slots null; *count receives the number of
// entries. Null when an item cannot be parsed or made (nothing is kept).
// Free it with FreeFileTypesArray(array, FILETYPE_SLOTS).
ORB_EXPORT(FileType**) GetFileTypesFromIniFile(int* count, const char* key, const char* def);

// Writes the entries of types 0-3 as one module settings [Defaults] value of
// at most 1,023 characters; null entries are skipped. 1 when every such entry
// was written; 0 when one did not fit (the others are written) or the write
// failed.
ORB_EXPORT(int) WriteFileTypesToIniFile(int count, FileType** types, const char* key);

// Frees each non-null entry of the first count slots, then the array.
ORB_EXPORT(void) FreeFileTypesArray(FileType** types, int count);

// Reads [Defaults] key (default def) of the settings file at iniPath into a
// new array of FILETYPE_SLOTS heap words, split at blanks, semicolons and
// commas; *count receives their number (words after the 100th are ignored).
// unused is kept for callers. Null when memory is short. Free it with
// FreeDefaultsList.
ORB_EXPORT(char**)
ReadDefaultsList(const char* iniPath, int unused, int* count, const char* key, const char* def);
// Frees every word of a ReadDefaultsList array and the array; null allowed.
ORB_EXPORT(void) FreeDefaultsList(char** words);

// The engine's own value of a [Defaults] list key of the module settings,
// used while the key is not set: DocumentTypes, DownloadTypes, USDomains,
// FetchTitleTypes and the eight <suffix>_OrgType keys. "" for other keys.
// The text is the engine's; callers do not free it.
ORB_EXPORT(const char*) GetDefaultsListDefault(const char* key);
