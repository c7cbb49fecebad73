#include "agent_fixture.h"

#include <cstdio>

#include "standin_names.h"
#include "wait_until.h"

namespace ovbeacon_test {

namespace {

std::string ExeFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

HANDLE NamedEvent(const char* format, unsigned instance, BOOL manual) {
    char name[64];
    snprintf(name, sizeof name, format, instance);
    return CreateEventA(nullptr, manual, FALSE, name);
}

} // namespace

bool ServerProcess::Start(unsigned instance, const std::string& options) {
    stop_ = NamedEvent(kStandinStopFormat, instance, TRUE);
    ready_ = NamedEvent(kStandinReadyFormat, instance, TRUE);
    answered_ = NamedEvent(kStandinAnsweredFormat, instance, FALSE);
    std::string cmd = "\"" + ExeFolder() + "ovbeacon_server_standin.exe\" " +
                      std::to_string(instance) + " " + options;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi_) != 0;
}

bool ServerProcess::WaitReady(DWORD timeoutMs) {
    return ready_ && WaitForSingleObject(ready_, timeoutMs) == WAIT_OBJECT_0;
}

bool ServerProcess::Answered(DWORD timeoutMs) {
    return answered_ && WaitForSingleObject(answered_, timeoutMs) == WAIT_OBJECT_0;
}

void ServerProcess::Stop() {
    if (pi_.hProcess) {
        SetEvent(stop_);
        if (WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
        pi_ = PROCESS_INFORMATION();
    }
    for (HANDLE* h : {&stop_, &ready_, &answered_})
        if (*h) {
            CloseHandle(*h);
            *h = nullptr;
        }
}

AgentFixture::AgentFixture() : dllPath(install_.Root() + "ovbeacon.dll") {}

AgentFixture::~AgentFixture() {
    UnloadAgent();
    server.Stop();
}

bool AgentFixture::UnloadAgent() {
    host.Unload();
    return ovtest::WaitUntil([&] { return GetModuleHandleA(dllPath.c_str()) == nullptr; }, 5000);
}

bool AgentFixture::Load(const std::string& root) {
    std::string ini = root.empty() ? "[Defaults]\r\n" : "[Defaults]\r\nSNMP_Root=" + root + "\r\n";
    return install_.Write("ostrevan.ini", ini) &&
           CopyFileA((ExeFolder() + "ovbeacon.dll").c_str(), dllPath.c_str(), FALSE) &&
           host.Load(dllPath);
}

std::string AgentFixture::FreshRoot(unsigned* instance) {
    static unsigned next = (GetCurrentProcessId() % 1000) * 100;
    *instance = ++next;
    return std::string(kPrefix) + "." + std::to_string(*instance);
}

} // namespace ovbeacon_test
