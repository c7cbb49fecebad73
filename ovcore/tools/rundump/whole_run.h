// A whole report run of kind 6 from a console program: a registered engine
// over a throw-away install folder, a profile of local logs with DNS
// look-ups off (or on), and the run peeked to its end with every table in
// use. Shared by ovrundump and ovcore_runbench.
#pragma once
#include <string>

#include "ovcore/ovcore.h"

// A registered engine over a fresh install folder beside the system's
// temporary files; deregistered and removed when the object goes.
class WholeRunInstall {
  public:
    WholeRunInstall() = default;
    ~WholeRunInstall();
    WholeRunInstall(const WholeRunInstall&) = delete;
    WholeRunInstall& operator=(const WholeRunInstall&) = delete;

    // Makes the folder "<temp><name><process id>\" and registers the engine
    // with `pump` (may be NULL). false when the folder or the registration
    // failed.
    bool Make(const char* name, ORB_PUMPPROC pump);
    // The data folder (ends with a backslash).
    std::string Data() const { return root_ + "ovdesk\\datfiles\\"; }

  private:
    void Write(const std::string& relative, const std::string& text) const;
    std::string root_;
    short slot_ = -1;
};

// Deletes a folder and everything in it (no error shown when it is missing).
void RemoveFolderTree(const std::string& folder);

// Writes "<name>.wlp" into the data folder (one local server over `paths`,
// joined by "|") and reads it back as the client would; the client's copy
// (free with ORB_FreeURL and AnalysisProfile_Free), NULL on failure.
AnalysisProfile* MakeWholeRunProfile(const WholeRunInstall& install, const char* name,
                                     const std::string& paths, BOOL dns);

// What a whole run did.
struct WholeRunCounts {
    DWORD peeks = 0;   // ORB_PeekReport calls
    DWORD records = 0; // calls that reported a complete record
};

// ORB_OpenURL ... ORB_CloseURL on "<name>.wlp", ORB_Cre8Report over the
// logs' own time range, every table in use, ORB_PeekReport until -1. The
// open report (close it with ORB_CloseReport), NULL when it could not be
// made (the reason went to standard error).
ReportHandle* RunWholeReport(AnalysisProfile* profile, const char* name,
                             WholeRunCounts* counts = nullptr);
