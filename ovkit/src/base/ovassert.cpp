#include "ovkit/ovassert.h"
#include <cstdio>

void OVKIT_CALL OVKIT_ReportAssert(const char* expression, const char* file, int line) {
    char text[512];
    std::snprintf(text, sizeof text, "Assertion failed: %s, file %s, line %d\n",
                  expression ? expression : "", file ? file : "", line);
    OutputDebugStringA(text);
}
