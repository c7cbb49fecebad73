// What the engine's console programs share: a registered engine over a
// throw-away install folder beside the system's temporary files, a profile
// of the logs named on the command line, and a kind-6 run of it to its end.
#pragma once
#include <string>

#include "ovcore/ovcore.h"
#include "copy_tree.h"

namespace ovtool {

// A registered engine over <temp>\<name><process id>\ (with "-<n>" behind
// when a killed run of a program with the same id left that folder), laid
// out as an install folder; removed with everything in it when the object
// goes. The program holds the folder's lock file open while it runs; folders
// of the same name whose lock nobody holds are a killed run's leftovers and
// are removed when the next install is made.
class ToolInstall {
  public:
    // Makes the folders and registers the engine. contentFolder, when not
    // empty, is copied into the install folder first (templates, language
    // words, styles, images). False when a folder cannot be made, the
    // content cannot be copied or registration fails.
    // pump (may be null) is the message pump the engine is registered with.
    bool Make(const char* name, const std::string& contentFolder, ORB_PUMPPROC pump = nullptr);
    ~ToolInstall();

    const std::string& Root() const { return root_; }
    std::string DataFolder() const { return root_ + "ovdesk\\datfiles\\"; }

  private:
    void Write(const std::string& relative, const std::string& text) const;

    bool MakeRoot(const char* name);

    std::string root_;
    HANDLE lock_ = INVALID_HANDLE_VALUE;
    short slot_ = -1;
};

// Writes <dataFolder><name>.wlp (one local server whose paths are the logs,
// made absolute; the description; DNS look-ups as asked). TRUE when written.
BOOL WriteLogProfile(const std::string& dataFolder, const char* name, const char* description,
                     char** logs, int logCount, BOOL dns);
// The same in the install's data folder, read back: the client's copy, to be
// freed with AnalysisProfile_Free; null on failure.
AnalysisProfile* MakeLogProfile(const ToolInstall& install, const char* name, char** logs,
                                int logCount, BOOL dns);

// What a kind-6 run is opened with, beside the profile.
struct RunRequest {
    const char* name = "";           // the profile's base name (the set is "<name>.wlp")
    const char* title = nullptr;     // the run's caller and run texts (null: the name)
    const char* style = "(Default)"; // the second caller text: the report style
    char* outputPath = nullptr;      // MAX_PATH; normalised in place
    const TemplateSection* sections = nullptr;
    WORD sectionCount = 0;
    bool everyTable = false;  // fill every table, whatever the sections ask for
    DWORD* records = nullptr; // when not null: the records the run read
};

// Fetches the profile's logs, opens a run over their whole range and peeks
// it to its end. The open run (closed by the caller with ORB_CloseReport),
// or null after a message on standard error.
ReportHandle* RunLogsToEnd(AnalysisProfile* profile, const RunRequest& request);

using ovfiles::CopyTree;

// Deletes a folder and everything in it (nothing is shown when it is
// missing).
void RemoveFolderTree(const std::string& folder);

// The index of the first argument after an optional leading "--dns", which
// sets *dns.
int TakeDnsOption(int argc, char** argv, BOOL* dns);

// The folder of this program, with a trailing backslash.
std::string ProgramFolder();

} // namespace ovtool
