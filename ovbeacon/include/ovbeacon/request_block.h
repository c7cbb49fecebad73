// The block the agent and its server process exchange through shared memory,
// and the names of the shared objects (each followed by the instance id).
#pragma once
#include <cstddef>
#include <cstdint>

namespace ovbeacon {

enum : uint32_t {
    kKindTrap = 1,    // server to agent
    kKindGet = 2,     // agent to server
    kKindGetNext = 3, // agent to server
    kKindSet = 4,     // agent to server
};

constexpr size_t kSuffixSize = 256;
constexpr size_t kValueSize = 1024;

struct AgentRequestBlock {
    uint32_t instance;
    uint32_t kind;
    uint32_t status;    // 0 success, else an SNMP error status
    uint32_t valueType; // 2 INTEGER, 4 OCTET STRING
    char suffix[kSuffixSize];
    char value[kValueSize];
};
static_assert(sizeof(AgentRequestBlock) == 1296, "the server reads this layout");
static_assert(offsetof(AgentRequestBlock, suffix) == 16, "the server reads this layout");
static_assert(offsetof(AgentRequestBlock, value) == 272, "the server reads this layout");

// printf formats of the object names; %u is the instance id.
constexpr const char* kMapNameFormat = "OstrevaneSNMPMemMap_%u";
constexpr const char* kMutexNameFormat = "OV_SNMP_Mutex_%u";
constexpr const char* kGetRequestFormat = "OV_GetRequest_%u";
constexpr const char* kGetResponseFormat = "OV_GetResponse_%u";
constexpr const char* kTrapRequestFormat = "OV_TrapRequest_%u";
constexpr const char* kTrapResponseFormat = "OV_TrapResponse_%u";

} // namespace ovbeacon
