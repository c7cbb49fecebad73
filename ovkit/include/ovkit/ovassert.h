// Debug assertions: a failed check is reported through OutputDebugStringA with
// the expression, source unit and line, and the call goes on. Never a box: a
// box with nobody to answer it would hang a scheduled run.
#pragma once
#include "ovkit/ovkit_base.h"

OVKIT_EXPORT(void) OVKIT_ReportAssert(const char* expression, const char* file, int line);

#define OV_ASSERT(expr)                                                                            \
    ((expr) ? (void)0 : OVKIT_ReportAssert(#expr, __FILE__, __LINE__))
