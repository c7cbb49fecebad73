// The stand-in host's side of the plug-in boundary: loading, callbacks,
// the profile list and the unattended report.
#pragma once
#include "ovdesk/host_interface.h"
#include "ovdesk/remote_request.h"
#include <string>
#include <vector>

// A run's outcome as the plug-in told it on the status line (slot 1).
enum HostRunOutcome { OUTCOME_UNTOLD, OUTCOME_SUCCESS, OUTCOME_FAILED };

// What the host's callbacks store.
struct HostState {
    std::vector<ProfileListEntry*> Profiles;  // from code 5, freed at the end
    ScheduleListEntry* Scheduled = nullptr;   // the last entry of slot 9
    std::vector<ScheduleListEntry*> Schedule; // from code 9, freed at the end
    std::vector<ScheduleListEntry*> Realtime; // from code 9, the plug-in's
    HostRunOutcome Outcome = OUTCOME_UNTOLD;  // of the last scheduled run
};
HostState& GetHostState(void);
// Hands the host's callbacks to the plug-in.
void SupplyHostCallbacks(decltype(&SupplyCallback) supply);

class HostSession {
  public:
    HostSession() = default;
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Loads folder + "ovdesk.dll", starts it and hands over the callbacks;
    // false with a one-line reason. An unattended plug-in shows no box.
    bool Open(const std::string& folder, std::string* error, bool unattended = true);
    // Enumerates the profiles (code 5, with the host's window when given)
    // into the host state; false on failure.
    bool ListProfiles(std::string* error, HWND window = nullptr);
    // Frees the listed profiles (before they are listed again).
    void ForgetProfiles();
    // Code 11 for the entry slot 9 was given last; false when there is none.
    bool RunScheduledEntry();
    // Code 25 with one keyword of a remote page; its result (0 without the code).
    int HandleRemoteKeyword(const char* keyword, RemoteRequest* request);
    // Code 20 with the command text, then code 11 for the entry it made;
    // the run's outcome is then in the host state. False with the reason
    // when no event was made.
    bool RunCommandLineReport(const std::string& command, std::string* error);
    // Code 14 and the unload.
    void Close();

    // The plug-in's function of a host code (null when it has none).
    HostEntry Entry(int code) const;

  private:
    HMODULE plugin_ = nullptr;
    decltype(&IsFunctionSupported) isSupported_ = nullptr;
};

// The text after the last '\' of a path.
std::string FolderOf(const std::string& path);
// New bytes of a file since offset, and the file's size now.
std::string ReadFrom(const std::string& path, long long offset);
long long FileSize(const std::string& path);
