// The agent's trace lines go to the debugger output.
#pragma once

namespace ovbeacon {

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace ovbeacon
