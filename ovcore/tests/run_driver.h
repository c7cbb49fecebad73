// Report runs as the plug-in makes them, for the tests of the run and of
// what the run fills: a registered engine over a throw-away install, local
// profiles and logs in its data folder, and one call that opens a run and
// peeks it to its end.
#pragma once
#include <string>
#include <vector>

#include "ovcore/ovcore.h"
#include "temp_install.h"

namespace runtest {

// Registers the engine over a throw-away install (data folder, module
// settings "[Defaults]" + moduleDefaults, DNS ring); unattended, so that an
// engine message never waits for an answer. Undone when the object goes.
class RunEngine {
  public:
    explicit RunEngine(const std::string& moduleDefaults = "");
    ~RunEngine();
    RunEngine(const RunEngine&) = delete;
    RunEngine& operator=(const RunEngine&) = delete;

    const ovtest::TempInstall& Install() const { return install_; }
    // Writes a file into the data folder; its full path.
    std::string WriteData(const std::string& name, const std::string& bytes) const;
    // Writes "<name>.wlp" (one server of the protocol, the paths joined by
    // "|", DNS look-ups off, then edit's changes when given) and returns the
    // client's working copy of it, owned by this object.
    AnalysisProfile* WriteProfile(const std::string& name, const std::vector<std::string>& paths,
                                  DWORD protocol, void (*edit)(AnalysisProfile*) = nullptr);
    // The same for one local server.
    AnalysisProfile* WriteProfile(const std::string& name, const std::vector<std::string>& paths,
                                  void (*edit)(AnalysisProfile*) = nullptr) {
        return WriteProfile(name, paths, SERVER_PROTOCOL_FILE, edit);
    }

  private:
    ovtest::TempInstall install_;
    short slot_ = -1;
    std::vector<AnalysisProfile*> profiles_;
};

struct RunOptions {
    int kind = 6;
    int listingOption = 0;
    ORB_TIME start = 0;
    ORB_TIME end = 0xFFFFFFFF;
    const TemplateSection* sections = nullptr;
    WORD sectionCount = 0;
    std::string outputFolder; // the run's folder argument, normalised in place
    std::string callerText = "Run test";
    std::string secondText = "(Default)";
    std::string language = "ENGLISH";
    std::string runText = "Run text"; // the report title
    DWORD stopAfter = 0;              // the client stops after this many peeks (0: runs to -1)
    bool useEveryTable = true;        // else only the tables the template copy names are filled
    bool wholeLog = false; // start and end are the profile's log times, as "All of log" gives
};

struct RunOutcome {
    ReportHandle* report = nullptr; // open: the caller closes it with ORB_CloseReport
    WORD error = 0;                 // of ORB_Cre8Report
    std::string outputFolder;       // the folder argument after the call
    short closeUrl = 0;             // ORB_CloseURL's answer
    DWORD peeks = 0;                // ORB_PeekReport calls made
    DWORD recordsRead = 0;          // calls that reported a complete record
    // Peek number (from 0) and done percent after each call that set the
    // progress-changed flag.
    std::vector<std::pair<DWORD, DWORD>> refreshes;
};

// The plug-in's road: ORB_OpenURL, ORB_PeekURL to -1 and ORB_CloseURL on the
// profile (which fills its kept log-file list), then ORB_Cre8Report and
// ORB_PeekReport until -1 (or options.stopAfter calls).
RunOutcome RunReport(AnalysisProfile* profile, const std::string& profileFile,
                     const RunOptions& options = RunOptions());

// A common-log line of client 10.0.0.<client> at second seconds of
// 1999-10-10 (UTC), with status and bytes.
std::string LogLine(int client, DWORD seconds, const std::string& url, int status = 200,
                    int bytes = 100);

} // namespace runtest
