// A throw-away install in which the plug-in's report run can work: the
// engine and the plug-in both take their folders from a module copied into
// the install's root, the engine is registered over its data folder with the
// plug-in's reporter, and the shipped report template is copied in. The
// engine takes few registrations per process, so the tests share one install
// (Desk()); each test names its own profiles and outputs.
#pragma once
#include <string>
#include <vector>

#include "desk_types.h"
#include "temp_install.h"

namespace desktest {

class DeskInstall {
  public:
    DeskInstall();
    ~DeskInstall();
    DeskInstall(const DeskInstall&) = delete;
    DeskInstall& operator=(const DeskInstall&) = delete;

    const ovtest::TempInstall& Install() const { return install_; }
    // Writes a log into the data folder; its full path.
    std::string WriteLog(const std::string& name, const std::string& bytes) const;
    // Writes "<name>.wlp" with one local server reading paths (joined by
    // "|") and returns a working copy of it, owned by this object.
    AnalysisProfile* WriteProfile(const std::string& name, const std::string& paths);
    // The scheduler log's text ("" when there is none) and its removal.
    static std::string SchedulerLog();
    static void ClearSchedulerLog();

  private:
    ovtest::TempInstall install_;
    HMODULE anchor_ = nullptr;
    short slot_ = -1;
    std::vector<AnalysisProfile*> profiles_;
};

// The install of this test program, made on first use.
DeskInstall& Desk();

// A common-log line of client 10.0.0.<client> at second seconds of
// 1999-10-10 (UTC).
std::string LogLine(int client, unsigned seconds, const std::string& url);
// A small log of several clients and pages over two hours.
std::string SmallLog();

} // namespace desktest
