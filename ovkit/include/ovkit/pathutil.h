// Splitting, joining and testing file paths.
//
// Every output buffer is the caller's and is taken to hold MAX_PATH (260)
// bytes. A result longer than 259 characters is never cut: the call fails
// (1/0 functions answer 0, pointer functions null) and its outputs are left
// empty. A path is
// split at the last of '\', '/' or ':'; wherever a trailing separator is
// tested, '/' and '\' count alike.
#pragma once
#include "ovkit/ovkit_base.h"

// Folder of the ovkit module file itself, ending in '\'. The module argument
// is not used.
OVKIT_EXPORT(void) OVKIT_GetLocalDirectory(HINSTANCE unused, char* out);

// out = path up to and including its last separator; empty when it has none.
// 1 on success; 0 for a null path or a result that does not fit.
OVKIT_EXPORT(BOOL) OVKIT_IsolateDirectory(const char* path, char* out);
// out = text behind the last separator; the whole path when it has none.
// 1 on success; 0 for a null path or a result that does not fit.
OVKIT_EXPORT(BOOL) OVKIT_IsolateFilename(const char* path, char* out);
// out = folder, a backslash unless it ends in one, then name. An empty folder
// gives the bare name. out may be the folder buffer itself. Returns out, or
// null (out emptied) when the joined name does not fit.
OVKIT_EXPORT(char*) OVKIT_ConstructFullFilename(const char* folder, const char* name, char* out);
// Splits a path into drive ("c:", 3 bytes), directory with its trailing
// separator, base name and extension without its dot. Any output may be null;
// absent parts are empty. 1 on success; 0 (every output emptied) when a part
// does not fit.
OVKIT_EXPORT(BOOL)
OVKIT_ParsePath(const char* path, char* drive, char* dir, char* fname, char* ext);

// Cuts the text at its last '.', wherever it stands (also in a folder name).
// Returns the position cut, or null when there is no dot.
OVKIT_EXPORT(char*) OVKIT_StripExtension(char* text);
// Removes one trailing '/' or '\'. 1 when removed; 0 for null, empty or none.
OVKIT_EXPORT(BOOL) OVKIT_StripEndSlash(char* text);
// Appends '/' unless the text is null, empty, already ends in '/' or '\', or
// would no longer fit MAX_PATH. 1 when appended.
OVKIT_EXPORT(BOOL) OVKIT_EnsureEndSlash(char* text);
// The same, appending '\'.
OVKIT_EXPORT(BOOL) OVKIT_EnsureEndBackslash(char* text);
// First '/' or '\' of the text, or null.
OVKIT_EXPORT(char*) FindSlashOrBackSlash(const char* text);
// Compares two paths without case, '\' equal to '/'. Returns the difference of
// the first differing (mapped) characters, 0 when equal.
OVKIT_EXPORT(int) OVKIT_stricmpf(const char* a, const char* b);

// Appends '\' to a non-empty text whose last character is not '\' (a trailing
// '/' does not count), while it fits MAX_PATH. Not exported: inline for every
// caller.
inline void OVKIT_AppendBackslash(char* text) {
    if (!text || !*text)
        return;
    size_t n = lstrlenA(text);
    if (text[n - 1] != '\\' && n + 1 < MAX_PATH) {
        text[n] = '\\';
        text[n + 1] = '\0';
    }
}
