// Loading the plug-in and driving it by code, as the host program does.
#include "host_session.h"
#include "ovkit/dll_binding.h"

HostSession::~HostSession() {
    Close();
}

bool HostSession::Open(const std::string& folder, std::string* error, bool unattended) {
    // No box may wait in an unattended host: the plug-in logs instead.
    SetEnvironmentVariableA("OVDESK_UNATTENDED", unattended ? "1" : nullptr);
    std::string path = folder + "ovdesk.dll";
    plugin_ = LoadLibraryA(path.c_str());
    if (!plugin_) {
        *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    auto init =
        OvkitProcAddress<decltype(&InitializeSupportLibrary)>(plugin_, "InitializeSupportLibrary");
    auto supply = OvkitProcAddress<decltype(&SupplyCallback)>(plugin_, "SupplyCallback");
    isSupported_ = OvkitProcAddress<decltype(&IsFunctionSupported)>(plugin_, "IsFunctionSupported");
    if (!init || !supply || !isSupported_) {
        *error = "ovdesk.dll lacks the host interface";
        return false;
    }
    int flag1 = 0, flag2 = 0, flag3 = 0;
    char title[80] = "";
    if (init(0, &flag1, &flag2, &flag3, title) != 1) {
        *error = "the plug-in refused to start";
        return false;
    }
    SupplyHostCallbacks(supply);
    return true;
}

HostEntry HostSession::Entry(int code) const {
    return isSupported_ ? isSupported_(code) : nullptr;
}

bool HostSession::ListProfiles(std::string* error, HWND window) {
    auto find = reinterpret_cast<decltype(&LogFindProfile)>(Entry(5));
    if (!find) {
        *error = "the plug-in cannot list profiles";
        return false;
    }
    HostState& state = GetHostState();
    for (;;) {
        ProfileListEntry* entry = nullptr;
        int result = find(window, 0, 0, &entry);
        if (result == HOST_END)
            return true;
        if (result != HOST_DONE || !entry) {
            *error = "profile enumeration failed (" + std::to_string(result) + ")";
            return false;
        }
        state.Profiles.push_back(entry);
    }
}

bool HostSession::RunCommandLineReport(const std::string& command, std::string* error) {
    auto submit = reinterpret_cast<decltype(&HostCommandLineReport)>(Entry(20));
    auto run = reinterpret_cast<decltype(&HostRunScheduledEvent)>(Entry(11));
    if (!submit || !run) {
        *error = "the plug-in cannot run scheduled reports";
        return false;
    }
    HostState& state = GetHostState();
    state.Outcome = OUTCOME_UNTOLD;
    if (submit(0, command.c_str()) != HOST_DONE || !state.Scheduled) {
        *error = "the report request was refused";
        return false;
    }
    run(nullptr, state.Scheduled);
    return true;
}

void HostSession::ForgetProfiles() {
    HostState& state = GetHostState();
    for (ProfileListEntry* entry : state.Profiles)
        HeapFree(GetProcessHeap(), 0, entry);
    state.Profiles.clear();
}

bool HostSession::RunScheduledEntry() {
    auto run = reinterpret_cast<decltype(&HostRunScheduledEvent)>(Entry(11));
    HostState& state = GetHostState();
    if (!run || !state.Scheduled)
        return false;
    state.Outcome = OUTCOME_UNTOLD;
    run(nullptr, state.Scheduled);
    return true;
}

int HostSession::HandleRemoteKeyword(const char* keyword, RemoteRequest* request) {
    auto handle = reinterpret_cast<decltype(&RemoteCommandHandler)>(Entry(25));
    return handle ? handle(keyword, request) : 0;
}

void HostSession::Close() {
    if (!plugin_)
        return;
    if (auto shutDown = reinterpret_cast<decltype(&HostShutDown)>(Entry(14)))
        shutDown();
    ForgetProfiles();
    HostState& state = GetHostState();
    for (ScheduleListEntry* entry : state.Schedule)
        HeapFree(GetProcessHeap(), 0, entry);
    state.Schedule.clear();
    for (ScheduleListEntry* entry : state.Realtime)
        HeapFree(GetProcessHeap(), 0, entry);
    state.Realtime.clear();
    if (state.Scheduled)
        HeapFree(GetProcessHeap(), 0, state.Scheduled);
    state.Scheduled = nullptr;
    FreeLibrary(plugin_);
    plugin_ = nullptr;
    isSupported_ = nullptr;
}
