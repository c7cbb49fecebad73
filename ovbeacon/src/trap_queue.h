// The traps waiting for the service: filled by initialisation and the worker
// thread, emptied by SnmpExtensionTrap on the service's thread.
#pragma once
#include <string>

namespace ovbeacon {

void PushTrap(int code, const char* text);
// Takes the oldest trap; false when none waits.
bool PopTrap(int* code, std::string* text);

} // namespace ovbeacon
