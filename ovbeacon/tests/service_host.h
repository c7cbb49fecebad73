// Stand-in for the Windows SNMP service: loads the agent, starts it, drains
// its traps and sends it requests through real SnmpVarBindLists.
#pragma once
#include <windows.h>
#include <snmp.h>
#include <string>
#include <vector>

namespace ovbeacon_test {

struct Binding {
    std::string oid; // dotted
    BYTE type = ASN_NULL;
    int number = 0;
    std::string text;
};

struct QueryResult {
    int status = -1;
    int index = 0;
    std::vector<Binding> bindings;
};

struct Trap {
    std::string enterprise;
    int generic = 0;
    int specific = 0;
    DWORD ticks = 0;
    std::vector<Binding> bindings;
};

class ServiceHost {
  public:
    ~ServiceHost();
    // Loads the agent library at path; false when it does not load or lacks
    // an export.
    bool Load(const std::string& path);
    BOOL Init(DWORD timeZero);
    // The region the agent registered, dotted.
    const std::string& View() const { return view_; }

    QueryResult Query(BYTE pdu, const std::vector<Binding>& bindings);
    Binding Get(const std::string& oid) { return Query(SNMP_PDU_GET, {{oid}}).bindings.at(0); }
    // Waits up to timeoutMs for the trap event, then takes every queued trap.
    std::vector<Trap> DrainTraps(DWORD timeoutMs);

    // Closes and unloads the agent as the service does; the module may stay
    // until the agent's worker has left.
    void Unload();
    HMODULE Module() const { return module_; }

  private:
    HMODULE module_ = nullptr;
    decltype(&SnmpExtensionInit) init_ = nullptr;
    decltype(&SnmpExtensionQuery) query_ = nullptr;
    decltype(&SnmpExtensionTrap) trap_ = nullptr;
    decltype(&SnmpExtensionClose) close_ = nullptr;
    HANDLE trapEvent_ = nullptr;
    std::string view_;
};

std::string OidText(const AsnObjectIdentifier& oid);

} // namespace ovbeacon_test
