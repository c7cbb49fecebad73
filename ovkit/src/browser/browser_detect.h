// Browser program detection. Private to ovkit.
#pragma once
#include <cstddef>

// The program named by a registry command value: the text behind leading
// double quotes up to the next quote, upper-cased; programFile joined to it as
// a folder when it names no "EXE"; cut right behind the first ".EXE". out
// holds MAX_PATH bytes.
void OvkitProgramFromCommand(const char* value, const char* programFile, char* out);
