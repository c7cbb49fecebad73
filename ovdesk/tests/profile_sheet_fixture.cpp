#include "profile_sheet_fixture.h"
#include "dialog_driver.h"
#include "desk_services.h"
#include "profile_sheet/profile_sheet.h"
#include "wait_until.h"
#include <commctrl.h>
#include <prsht.h>
#include <algorithm>
#include <cstring>

using namespace ovtest;

void ProfileSheetTest::SetUp() {
    DeskFixture::SetUp();
    SetDeskUnattended(FALSE);
    // The settings files the sheet reads are the install's, whatever a test
    // before pointed the engine at.
    settings_ = PointEngineSettingsAt(install_);
    ASSERT_NE(settings_, nullptr);
}

void ProfileSheetTest::TearDown() {
    SetDeskUnattended(TRUE);
    boxes_.Clear(); // the boxes a test expected are its own business
    for (AnalysisProfile* profile : made_)
        AnalysisProfile_Free(profile);
    made_.clear();
    for (const std::string& key : moduleKeys_)
        WriteModuleProfileString("Defaults", key.c_str(), nullptr);
    for (const std::string& key : baseKeys_)
        WriteBaseProfileString("Defaults", key.c_str(), nullptr);
    if (settings_)
        FreeLibrary(settings_);
    DeskFixture::TearDown();
}

AnalysisProfile* ProfileSheetTest::NewProfile() {
    AnalysisProfile* profile = AnalysisProfile_New();
    profile->SwiftmereFlag = SWIFTMERE_NONE;
    EXPECT_EQ(ORB_CreateOrbisEntry(profile), 0);
    made_.push_back(profile);
    return profile;
}

AnalysisProfile* ProfileSheetTest::StoredProfile(const char* description, bool cluster) {
    AnalysisProfile* profile = NewProfile();
    strcpy(profile->Description, description);
    strcpy(profile->HomePageDefaults, "index.htm");
    ServerList_SetIsCluster(&profile->Servers, cluster);
    ServerList_AddServer(&profile->Servers, cluster ? "web1" : "", "C:\\logs\\a.log", "", "");
    if (cluster)
        ServerList_AddServer(&profile->Servers, "web2", "C:\\logs\\b.log", "", "");
    ORB_UpdateOrbisEntry(profile);
    return profile;
}

AnalysisProfile* ProfileSheetTest::ReadBack(const AnalysisProfile* profile) {
    std::string name = std::string(profile->BaseName) + "." + profile->Extension;
    AnalysisProfile* read = ORB_GetSet(name.c_str());
    if (read)
        made_.push_back(read);
    return read;
}

int ProfileSheetTest::Run(AnalysisProfile* profile, int wizard,
                          const std::function<void(HWND)>& steps, const AnalysisProfile* unedited) {
    AnalysisProfile** loaded = made_.data();
    DWORD count = (DWORD)made_.size();
    return (int)RunModal(
        [&] {
            return (INT_PTR)ShowProfileSheet(nullptr, wizard, profile, 0, loaded, count, unedited);
        },
        steps);
}

void ProfileSheetTest::SetModuleSwitch(const char* key, int value) {
    WriteModuleProfileInt("Defaults", key, value);
    moduleKeys_.push_back(key);
}

void ProfileSheetTest::SetBaseSwitch(const char* key, const char* value) {
    WriteBaseProfileString("Defaults", key, value);
    baseKeys_.push_back(key);
}

namespace ovtest {
std::string Title(HWND sheet) {
    PumpMessages();
    char text[256] = "";
    GetWindowTextA(sheet, text, sizeof text);
    return text;
}

std::string Next(HWND sheet) {
    PressSheetButton(sheet, PSBTN_NEXT);
    return Title(sheet);
}

bool SelectTab(HWND sheet, const char* caption) {
    std::vector<std::string> tabs = SheetTabs(sheet);
    auto found = std::find(tabs.begin(), tabs.end(), caption);
    return found != tabs.end() && SelectSheetPage(sheet, (int)(found - tabs.begin()));
}
} // namespace ovtest
