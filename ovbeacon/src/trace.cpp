#include "trace.h"

#include <windows.h>
#include <cstdarg>
#include <cstdio>

namespace ovbeacon {

void Trace(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    OutputDebugStringA(line);
}

} // namespace ovbeacon
