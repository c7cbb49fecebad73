// What the agent keeps per process: written by SnmpExtensionInit before the
// worker starts, only read afterwards.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

namespace ovbeacon {

constexpr size_t kMaxRootIds = 16;
constexpr size_t kRootTextSize = 100;

struct AgentState {
    HMODULE module = nullptr;
    char rootText[kRootTextSize] = {};
    uint32_t rootIds[kMaxRootIds] = {};
    size_t rootCount = 0;
    uint32_t instance = 0; // the number after the root text's last '.'
    DWORD timeZero = 0;    // the service's up-time reference, in milliseconds
    HANDLE trapEvent = nullptr;
};

AgentState& Agent();

} // namespace ovbeacon
