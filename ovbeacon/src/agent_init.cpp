// Start and close of the agent: settings, root, trap event and worker.
#include <cstdlib>
#include <cstring>

#include "agent_link.h"
#include "agent_state.h"
#include "oid_text.h"
#include "snmp_exports.h"
#include "trace.h"
#include "trap_queue.h"

using namespace ovbeacon;

namespace {

// The base settings file beside the library.
void SettingsFile(char* path, DWORD size) {
    DWORD n = GetModuleFileNameA(Agent().module, path, size);
    if (n == 0 || n >= size)
        n = 0;
    path[n] = '\0';
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    strncat(path, "ostrevan.ini", size - strlen(path) - 1);
}

// Reads and parses SNMP_Root; false when it is empty or unusable.
bool ReadRoot(AgentState& a) {
    char ini[MAX_PATH + 16];
    SettingsFile(ini, sizeof ini);
    GetPrivateProfileStringA("Defaults", "SNMP_Root", "", a.rootText, sizeof a.rootText, ini);
    const char* dot = strrchr(a.rootText, '.');
    a.instance = dot ? static_cast<uint32_t>(atoi(dot + 1)) : 0;
    if (!a.rootText[0])
        return false;
    Trace("ovbeacon: SnmpExtensionInit (%s)\r\n", a.rootText);
    a.rootCount = ParseOidText(a.rootText, a.rootIds, kMaxRootIds);
    // A root longer than the array would be cut and serve the wrong subtree.
    return a.rootCount >= 1 && a.rootCount <= kMaxRootIds;
}

} // namespace

OVBEACON_EXPORT WINBOOL SNMP_FUNC_TYPE
SnmpExtensionInit(DWORD dwUptimeReference, HANDLE* phSubagentTrapEvent,
                  AsnObjectIdentifier* pFirstSupportedRegion) {
    AgentState& a = Agent();
    if (!ReadRoot(a)) {
        Trace("ovbeacon: SnmpExtensionInit Failed!\r\n");
        return FALSE;
    }
    a.timeZero = dwUptimeReference;
    if (!a.trapEvent)
        a.trapEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!a.trapEvent || !StartAgentWorker()) {
        Trace("ovbeacon: SnmpExtensionInit Failed!\r\n");
        return FALSE;
    }
    *phSubagentTrapEvent = a.trapEvent;
    pFirstSupportedRegion->idLength = static_cast<UINT>(a.rootCount);
    pFirstSupportedRegion->ids = a.rootIds;
    // The service collects one trap as soon as the agent runs.
    PushTrap(0, "");
    SetEvent(a.trapEvent);
    return TRUE;
}

// The service calls this before it unloads the library: the worker leaves and
// drops its reference, after which the library can go.
OVBEACON_EXPORT VOID SNMP_FUNC_TYPE SnmpExtensionClose() {
    StopAgentWorker();
}
