// Report language variables: the engine-wide table of one language file
// (<name>{value} pairs of a .RPL file) and the replacement of variable names
// in settings texts and report templates.
#pragma once
#include "ovcore/ovcore_base.h"

// Most pairs the table keeps; later pairs of a larger file are ignored.
#define LANGVAR_MAX_PAIRS 10000

// Loads the variables of the file at path into the table; does nothing when
// that path (compared without case) is the one loaded last. When the file
// cannot be opened, tries the configured report language and then "english"
// in the same folder and writes the path it used into path, which must have
// room for MAX_PATH characters. 1 when the table holds a file's variables,
// 0 when no file could be loaded (the table is then empty).
ORB_EXPORT(int) fetchvar_ReadVarData(char* path);

// Copies the value of the variable called name (case counts) into value
// (size bytes, cut to fit). 1 when found; 0 with an empty value when not.
ORB_EXPORT(int) fetchvar_GetVarData(const char* name, char* value, int size);

// Replaces each "<name>" in text (a buffer of size bytes) by the variable's
// value, in place and cut to fit; a missing variable gives an empty text.
// Always 1.
ORB_EXPORT(int) ExpandVarMarkers(char* text, int size);

// Gives the variable name to look up for a template marker's name: writes at
// most outSize bytes into outName. run is the caller's own value. Standard
// Windows convention, like every callback that may cross a library boundary.
typedef void(WINAPI* LangVarNameHook)(void* run, const char* name, char* outName, int outSize);

// Rewrites the template file at path in place, replacing each
// "LANG_STR<name>" by the value of that variable of the language's file
// (template folder + language + ".RPL"; null or empty language: "ENGLISH").
// hook, when not null, chooses the name to look up. 1 on success; 0 when the
// file cannot be opened, read or written (a box names the opening failure).
ORB_EXPORT(int)
ReplaceLanguageVar(const char* path, const char* language, void* run, LangVarNameHook hook);
