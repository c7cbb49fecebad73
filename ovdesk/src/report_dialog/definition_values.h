// Readers of single values of saved-definition files.
#pragma once
#include <windows.h>

enum { DEFINITION_VALUE_SIZE = MAX_PATH, DEFINITION_NUMBER_SIZE = 32 };

// [General] Description / [SaveAs] SaveReportAs of the file into buffer
// (DEFINITION_VALUE_SIZE bytes, default empty); the length.
int GetDefinitionDescription(char* buffer, const char* path);
int GetDefinitionSaveAs(char* buffer, const char* path);
// In a definition held whole in memory: the value after the first section
// text, the first key after it and the next "=", up to CR LF, cut to size.
// The buffer is left alone when any of them is missing. Always 1.
int GetDefinitionTextValue(const char* section, const char* key, char* buffer, size_t size,
                           const char* fileText);
// The same value read as a decimal integer; -1 when it is missing.
int GetDefinitionIntValue(const char* section, const char* key, const char* fileText);
