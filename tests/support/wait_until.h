// Polls a condition with a time limit, pumping this thread's messages between
// polls; tests wait this way rather than with fixed sleeps.
#pragma once
#include <windows.h>
#include <functional>

namespace ovtest {

// Returns true as soon as cond() holds, false when timeoutMs passes first.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs = 5000);

// Dispatches the messages waiting for this thread.
void PumpMessages();

} // namespace ovtest
