// Writing a text to a report file.
#include <string.h>

#include "run/run_setup.h"

DWORD WriteFileString(HANDLE file, const char* text) {
    DWORD length = text ? (DWORD)strlen(text) : 0;
    DWORD written = 0;
    if (length && (!WriteFile(file, text, length, &written, NULL) || written < length))
        return 0xFFFF;
    return length;
}
