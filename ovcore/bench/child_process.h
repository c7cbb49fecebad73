// Starting another program from a benchmark and collecting what it printed.
#pragma once
#include <string>

#include "ovcore/ovcore_base.h"

// Runs `command` (a full command line), its standard output read into
// *output (standard error stays the caller's), and waits for it to end.
// FALSE when it could not be started; *exitCode then stays untouched.
BOOL RunCapturingOutput(const std::string& command, std::string* output, DWORD* exitCode);
