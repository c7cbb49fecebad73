// A plug-in state on a throw-away install folder: the test program stands in
// for ovdesk.dll (its resources are linked in), the engine is registered on
// the folder's data folder, and no box of the plug-in may wait.
#pragma once
#include <gtest/gtest.h>
#include "desk_types.h"
#include "temp_install.h"
#include "msgbox_watcher.h"
#include <string>
#include <vector>

class DeskFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes <data>\<baseName>.wlp with one local server reading logPath.
    void WriteProfile(const std::string& baseName, const std::string& description,
                      const std::string& logPath);
    // Lists the profiles through code 5; the entries are freed at tear-down.
    std::vector<ProfileListEntry*> Enumerate();
    // What the scheduler log gained since set-up.
    std::string SchedulerLogAdded() const;

    // One folder for the whole program: the engine takes its data folder at
    // registration, and a loaded engine allows only three registrations.
    // Each test starts with an empty data folder.
    ovtest::TempInstall& install_;
    ovtest::MsgBoxWatcher boxes_;
    std::vector<ProfileListEntry*> entries_;

  public:
    DeskFixture();

  private:
    std::string schedlog_;
    size_t schedlogStart_ = 0;
};

// Host callbacks that record what the plug-in hands them.
struct RecordedHost {
    std::vector<std::string> Statuses;
    std::vector<ScheduleListEntry*> Scheduled; // freed by Reset
    int FindCalls = 0;
    void Reset();
};
extern RecordedHost g_recordedHost;
// Supplies slots 1, 8 and 9 that record into g_recordedHost.
void SupplyRecordingCallbacks();

// Points the engine's settings files at install: the engine takes them from
// the folder of a module it is given, here a copy of a small DLL of the
// program's folder. Free the returned module after the test.
HMODULE PointEngineSettingsAt(const ovtest::TempInstall& install);
