// The profile sheet's tests: profiles made as the host makes them, the sheet
// run modally with a test's steps inside it, and the profile as its file
// reads back. The sheet's boxes are the user's: the watcher answers them.
#pragma once
#include "desk_fixture.h"
#include "ovcore/ovcore.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class ProfileSheetTest : public DeskFixture {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A new profile with its file, as the host makes it before the wizard.
    AnalysisProfile* NewProfile();
    // A stored profile of local logs: one server, or a cluster of two.
    AnalysisProfile* StoredProfile(const char* description, bool cluster);
    // The profile as its file reads back (freed at tear-down).
    AnalysisProfile* ReadBack(const AnalysisProfile* profile);
    // Shows the sheet (wizard 1, or the tabs) over every profile made so
    // far, with steps run inside it; the sheet's result.
    int Run(AnalysisProfile* profile, int wizard, const std::function<void(HWND)>& steps,
            const AnalysisProfile* unedited = nullptr);
    // Sets a [Defaults] switch of the module settings for this test only.
    void SetModuleSwitch(const char* key, int value);
    void SetBaseSwitch(const char* key, const char* value);

    std::vector<AnalysisProfile*> made_;

  private:
    std::vector<std::string> moduleKeys_, baseKeys_;
    HMODULE settings_ = nullptr;
};

namespace ovtest {
// The sheet's caption now (after the page's posted title has arrived).
std::string Title(HWND sheet);
// Next, then the wizard title of the page it led to.
std::string Next(HWND sheet);
// Shows the tab of this caption; false when there is none or it was refused.
bool SelectTab(HWND sheet, const char* caption);
} // namespace ovtest
