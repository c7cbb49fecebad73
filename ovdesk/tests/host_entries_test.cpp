// The small entry functions of the host interface and the information panel.
#include "desk_fixture.h"
#include "desk_services.h"
#include "resource_ids.h"

namespace {
bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

std::string ItemText(HWND panel, int id) {
    char text[64] = "";
    GetDlgItemTextA(panel, id, text, sizeof text);
    return text;
}
} // namespace

using HostEntriesTest = DeskFixture;

TEST_F(HostEntriesTest, HelpTemplateFolderAndClusterFlag) {
    EXPECT_STREQ(LogGetProfileHelp(0, 0),
                 "Analyze and report on web server usage, volume of traffic, browsing patterns, "
                 "quantity and quality of visitors and much more...");
    char title[MAX_PATH], folder[MAX_PATH], settings[MAX_PATH];
    EXPECT_EQ(HostTemplateFolder(title, folder, settings), HOST_DONE);
    EXPECT_STREQ(title, "Log Analyzer");
    EXPECT_TRUE(EndsWith(folder, "\\ovdesk\\template\\")) << folder;
    EXPECT_TRUE(EndsWith(settings, "\\ovdesk\\ovdesk.ini")) << settings;

    WriteProfile("00000001", "Cluster", install_.Path("a.log"));
    std::vector<ProfileListEntry*> found = Enumerate();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(HostClusterFlag(found[0]), 0);
    ServerList_SetIsCluster(&found[0]->Profile->Servers, 1);
    EXPECT_EQ(HostClusterFlag(found[0]), 1);
    EXPECT_EQ(HostClusterFlag(nullptr), 0);
}

TEST_F(HostEntriesTest, InformationPanelShowsTheEntrysLog) {
    HWND host = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
    ProfileListEntry entry = {};
    entry.One1 = entry.One2 = 1;
    entry.LogSizeKB = 1234;
    entry.LastLogTime = 920000000;
    ASSERT_EQ(HostLogInfoPanel(host, &entry, nullptr, 1), HOST_DONE);
    HWND panel = FindWindowExA(host, nullptr, nullptr, nullptr);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(ItemText(panel, IDC_INFO_SIZE), "1234 K");
    EXPECT_EQ(ItemText(panel, IDC_INFO_FIRST), "N/A");
    char timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    desk::FormatUtcTimeTexts(timeText, dateText, 920000000);
    EXPECT_EQ(ItemText(panel, IDC_INFO_LAST), std::string(dateText) + " " + timeText);

    // The same entry again, or one that is not a profile, leaves the texts.
    ProfileListEntry other = entry;
    other.One2 = 0;
    other.LogSizeKB = 5;
    EXPECT_EQ(HostLogInfoPanel(host, &other, &entry, 2), HOST_DONE);
    EXPECT_EQ(ItemText(panel, IDC_INFO_SIZE), "1234 K");
    EXPECT_FALSE(IsWindowVisible(panel));
    DestroyWindow(host);
}

TEST_F(HostEntriesTest, RealtimeUpdateSwitchesOffWhatCannotWorkAndSaysSoWithoutABox) {
    WriteProfile("00000001", "Zipped", install_.Path("a.log"));
    std::vector<ProfileListEntry*> found = Enumerate();
    ASSERT_EQ(found.size(), 1u);
    AnalysisProfile* profile = found[0]->Profile;
    profile->RealtimeAnalysis = 1;
    profile->SourceFlags = SOURCE_ZIP;
    EXPECT_EQ(HostRealtimeUpdate(nullptr, found[0]), HOST_NOTHING_TO_DO);
    EXPECT_EQ(profile->RealtimeAnalysis, 0u);
    EXPECT_NE(SchedulerLogAdded().find("The 'Zipped' real-time log profile\r\nincludes ZIP or GZ "
                                       "files,\r\nwhich can not be analyzed in 'real-time'."),
              std::string::npos);
    AnalysisProfile* saved = AnalysisProfile_New();
    ASSERT_EQ(ReadOrbisFile((install_.Data() + "00000001.wlp").c_str(), saved), 4);
    EXPECT_EQ(saved->RealtimeAnalysis, 0u);
    AnalysisProfile_Free(saved);
    EXPECT_EQ(HostRealtimeUpdate(nullptr, nullptr), HOST_NO_MEMORY);
}

TEST_F(HostEntriesTest, ModelessDialogsKeepTheirOwnerDisabledWhileUp) {
    HWND owner = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
    HWND dialog = RunModelessDialog(owner, QuietDialogProc, IDD_LOG_INFO_PANEL, 0, SW_SHOWNA);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(CloseModelessDialog(owner, &dialog), 1);
    EXPECT_EQ(dialog, nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(CloseModelessDialog(owner, &dialog), 0);
    EXPECT_EQ(RunModelessDialog(owner, nullptr, 4242, 0, SW_SHOW), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);

    PostQuitMessage(0);
    EXPECT_NE(PumpMessages(), 0);
    MSG msg;
    EXPECT_TRUE(
        PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // put back for the caller
    EXPECT_EQ(PumpMessages(), 0);
}
