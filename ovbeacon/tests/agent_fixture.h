// A test's own copy of the agent in a throw-away folder with its settings,
// its stand-in service host, and the stand-in server when the test starts one.
#pragma once
#include <windows.h>
#include <string>

#include "service_host.h"
#include "temp_install.h"

namespace ovbeacon_test {

class ServerProcess {
  public:
    ~ServerProcess() { Stop(); }
    // Starts the stand-in for instance with extra command-line options.
    bool Start(unsigned instance, const std::string& options = "");
    // Waits until its objects exist and its start-up traps were taken.
    bool WaitReady(DWORD timeoutMs = 10000);
    // True when it wrote an answer since the last call (waits up to timeoutMs).
    bool Answered(DWORD timeoutMs);
    void Stop();

  private:
    PROCESS_INFORMATION pi_ = {};
    HANDLE stop_ = nullptr;
    HANDLE ready_ = nullptr;
    HANDLE answered_ = nullptr;
};

class AgentFixture {
    ovtest::TempInstall install_; // goes last, after the agent has left it

  public:
    AgentFixture();
    ~AgentFixture();
    // Writes ostrevan.ini with the given SNMP_Root, copies the agent beside it
    // and loads it. A root of "" writes none.
    bool Load(const std::string& root);
    // A root whose instance id no other test uses: ROOT_PREFIX.<id>.
    static std::string FreshRoot(unsigned* instance);
    static constexpr const char* kPrefix = "1.3.6.1.4.1.77";

    // Unloads the agent and waits (bounded) until its library has gone.
    bool UnloadAgent();

    std::string dllPath;
    ServerProcess server;
    ServiceHost host;
};

} // namespace ovbeacon_test
