// The remote log search through the stand-in finder, which lists the logs of
// the folder named by SEEKMOLE_LOG_FOLDER.
#include <gtest/gtest.h>
#include "desk_fixture.h"
#include "log_sources/remote_log_search.h"
#include "ovcore/settings.h"
#include "temp_install.h"
#include <cstring>
#include <string>
#include <vector>
#include "host/profile_list.h"
#include "dialog_driver.h"
#include <prsht.h>

namespace {
class RemoteLogSearch : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        settings_ = PointEngineSettingsAt(install_);
        ASSERT_NE(settings_, nullptr);
        SetEnvironmentVariableA("SEEKMOLE_LOG_FOLDER", logs_.Root().c_str());
        SetEnvironmentVariableA("SEEKMOLE_SITE", "www.example.com");
    }
    void TearDown() override {
        SetEnvironmentVariableA("SEEKMOLE_LOG_FOLDER", nullptr);
        SetEnvironmentVariableA("SEEKMOLE_SITE", nullptr);
        WriteModuleProfileString("Defaults", "DisableRemoteLogFileSearch", nullptr);
        FreeLibrary(settings_);
        DeskFixture::TearDown();
    }
    int Search() {
        PrepareSeekmoleRequest(&request_);
        return FindRemoteLogs(nullptr, &request_);
    }

    ovtest::TempInstall logs_;
    SeekmoleRequest request_;
    HMODULE settings_ = nullptr;
};

// Presses Cancel on the status dialog as soon as it is made: the press waits
// in the queue for the finder's first progress call to pump it.
HHOOK g_cancelHook = nullptr;
LRESULT CALLBACK CancelNewDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !((CBT_CREATEWNDA*)lParam)->lpcs->hwndParent) {
        PostMessageA((HWND)wParam, WM_COMMAND, IDCANCEL, 0);
        UnhookWindowsHookEx(g_cancelHook);
        g_cancelHook = nullptr;
        return 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

TEST_F(RemoteLogSearch, FindsTheFolderLogsAndClosesItsStatusDialog) {
    ASSERT_TRUE(logs_.Write("access.log", "x"));
    ASSERT_TRUE(logs_.Write("agent.log", "x"));
    ASSERT_TRUE(logs_.Write("referer.log", "x"));
    ASSERT_TRUE(logs_.Write("notes.txt", "x"));
    EXPECT_EQ(Search(), REMOTE_LOGS_FOUND);
    EXPECT_EQ(GetRemoteStatusDialog(), nullptr);
    ASSERT_EQ(request_.FoundCount, 3);
    EXPECT_STREQ(request_.Found[1].Address, ("file:///" + logs_.Root() + "agent.log").c_str());

    struct Case {
        int Index;
        const char* Description;
        const char* File;
    };
    const Case cases[] = {{0, "Access log for www.example.com", "access.log"},
                          {1, "Agent log for www.example.com", "agent.log"},
                          {2, "Referrer log for www.example.com", "referer.log"}};
    strcpy(request_.Found[1].UserName, "ann");
    strcpy(request_.Found[1].Password, "secret");
    strcpy(request_.Found[1].HomePageFile, "home.htm");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Index);
        AnalysisProfile* p = AnalysisProfile_New();
        strcpy(p->HomePageDefaults, "index.html");
        ASSERT_EQ(FillProfileFromFoundLog(0, p, &request_, c.Index), 1);
        EXPECT_STREQ(p->Description, c.Description);
        EXPECT_EQ(ServerList_GetProtocol(&p->Servers), (DWORD)SERVER_PROTOCOL_FILE);
        char text[SERVERINFO_PATH_SIZE];
        EXPECT_STREQ(ServerList_GetServerName(&p->Servers, 0, text), "Remote");
        EXPECT_EQ(ServerList_GetPath(&p->Servers, 0, text), logs_.Root() + c.File);
        EXPECT_STREQ(p->HomePage, "http://www.example.com/");
        EXPECT_STREQ(p->HomePageDefaults, c.Index == 1 ? "index.html home.htm" : "index.html");
        EXPECT_STREQ(p->HomePageUsername, c.Index == 1 ? "ann" : "");
        EXPECT_STREQ(p->HomePagePassword, c.Index == 1 ? "secret" : "");
        AnalysisProfile_Free(p);
    }
}

TEST_F(RemoteLogSearch, RefusesAFoundLogIndexOutsideTheRecords) {
    ASSERT_TRUE(logs_.Write("access.log", "x"));
    ASSERT_EQ(Search(), REMOTE_LOGS_FOUND);
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->Description, "kept");
    for (int index : {-1, 1, (int)SEEKMOLE_MAX_LOGS, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(FillProfileFromFoundLog(0, p, &request_, index), 0);
    }
    // A count from the finder beyond its record array bounds the index too.
    request_.FoundCount = 5000;
    EXPECT_EQ(FillProfileFromFoundLog(0, p, &request_, SEEKMOLE_MAX_LOGS), 0);
    EXPECT_EQ(FillProfileFromFoundLog(0, p, &request_, SEEKMOLE_MAX_LOGS - 1), 1);
    AnalysisProfile_Free(p);
}

TEST_F(RemoteLogSearch, UnterminatedFoundTextsAreCutToTheirFields) {
    ASSERT_TRUE(logs_.Write("access.log", "x"));
    ASSERT_EQ(Search(), REMOTE_LOGS_FOUND);
    SeekmoleFoundLog& log = request_.Found[0];
    memset(log.SiteName, 's', sizeof log.SiteName);
    memset(log.UserName, 'u', sizeof log.UserName);
    AnalysisProfile* p = AnalysisProfile_New();
    ASSERT_EQ(FillProfileFromFoundLog(0, p, &request_, 0), 1);
    EXPECT_EQ(strlen(p->Description), strlen("Access log for ") + sizeof log.SiteName);
    EXPECT_EQ(strlen(p->HomePageUsername), sizeof p->HomePageUsername - 1);
    AnalysisProfile_Free(p);
}

TEST_F(RemoteLogSearch, NothingFoundSwitchedOffOrInstructions) {
    EXPECT_EQ(Search(), REMOTE_LOGS_NONE);
    EXPECT_EQ(request_.FoundCount, 0);

    ASSERT_TRUE(logs_.Write("access.log", "x"));
    WriteModuleProfileString("Defaults", "DisableRemoteLogFileSearch", "1");
    EXPECT_EQ(Search(), REMOTE_LOGS_NONE);
    EXPECT_EQ(request_.FoundCount, 0);
    WriteModuleProfileString("Defaults", "DisableRemoteLogFileSearch", "0");

    // The ISP's instructions are offered; unattended, the answer is No.
    ASSERT_TRUE(logs_.Write("instructions.txt", "x"));
    EXPECT_EQ(Search(), REMOTE_LOGS_NONE);
    EXPECT_NE(SchedulerLogAdded().find("View Instructions for Locating Log Files?"),
              std::string::npos);
}

TEST_F(RemoteLogSearch, CancelInTheStatusDialogStopsTheFinder) {
    ASSERT_TRUE(logs_.Write("access.log", "x"));
    g_cancelHook = SetWindowsHookExA(WH_CBT, CancelNewDialog, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_cancelHook, nullptr);
    int result = Search();
    if (g_cancelHook)
        UnhookWindowsHookEx(g_cancelHook);
    EXPECT_EQ(result, REMOTE_LOGS_CANCELLED);
    EXPECT_EQ(request_.FoundCount, 0);
    EXPECT_EQ(GetRemoteStatusDialog(), nullptr);
}

TEST_F(RemoteLogSearch, ProgressCallbackKeepsOneDialogAndReportsCancelOnce) {
    ASSERT_EQ(RemoteLogFileCallback(nullptr, "first"), 0);
    HWND status = GetRemoteStatusDialog();
    ASSERT_NE(status, nullptr);
    char text[64];
    GetDlgItemTextA(status, 8260, text, sizeof text);
    EXPECT_STREQ(text, "first");
    EXPECT_EQ(RemoteLogFileCallback(nullptr, nullptr), 0);
    EXPECT_EQ(GetRemoteStatusDialog(), status);
    GetDlgItemTextA(status, 8260, text, sizeof text);
    EXPECT_STREQ(text, "first");
    SendMessageA(status, 1044, 0, (LPARAM) "from the finder");
    GetDlgItemTextA(status, 8260, text, sizeof text);
    EXPECT_STREQ(text, "from the finder");
    SendMessageA(status, 1034, 0, (LPARAM) "Searching the ISP...");
    GetWindowTextA(status, text, sizeof text);
    EXPECT_STREQ(text, "Searching the ISP...");

    SendMessageA(status, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(status, IDCANCEL)));
    EXPECT_EQ(RemoteLogFileCallback(nullptr, nullptr), 1);
    EXPECT_EQ(RemoteLogFileCallback(nullptr, nullptr), 0);
    CloseRemoteStatusDialog();
    EXPECT_EQ(GetRemoteStatusDialog(), nullptr);
    EXPECT_FALSE(IsWindow(status));
}

TEST_F(RemoteLogSearch, ValidLogFileAsksTheFinder) {
    ASSERT_TRUE(logs_.Write("full.log", "line\n"));
    ASSERT_TRUE(logs_.Write("empty.log", ""));
    EXPECT_EQ(IsValidLogFile(logs_.Path("full.log").c_str(), 0), 1);
    EXPECT_EQ(IsValidLogFile(logs_.Path("empty.log").c_str(), 0), 0);
    EXPECT_EQ(IsValidLogFile(logs_.Path("missing.log").c_str(), 0), 0);
}

namespace {
std::vector<ProfileListEntry*> g_handedOver;

int CALLBACK RecordAddedProfile(ProfileListEntry* entry) {
    g_handedOver.push_back(entry);
    return 1;
}
} // namespace

TEST_F(RemoteLogSearch, NewProfileTakesTheFirstFoundLogAndHandsOverTheOthers) {
    ASSERT_TRUE(logs_.Write("access.log", "x"));
    ASSERT_TRUE(logs_.Write("agent.log", "x"));
    ASSERT_TRUE(logs_.Write("referer.log", "x"));
    HostAddProfileProc add = RecordAddedProfile;
    SupplyCallback(HOST_SLOT_ADD_PROFILE, (HostCallback)add);
    g_handedOver.clear();
    ProfileListEntry* made = nullptr;
    ASSERT_EQ(HostEditProfile(nullptr, nullptr, &made), HOST_DONE);
    ASSERT_NE(made, nullptr);
    entries_.push_back(made);
    EXPECT_STREQ(made->Description, "Access log for www.example.com");
    ASSERT_EQ(g_handedOver.size(), 2u);
    EXPECT_STREQ(g_handedOver[0]->Description, "Agent log for www.example.com");
    EXPECT_STREQ(g_handedOver[1]->Description, "Referrer log for www.example.com");
    for (ProfileListEntry* entry : g_handedOver)
        entries_.push_back(entry);
    EXPECT_NE(SchedulerLogAdded().find("Log Files Found"), std::string::npos);
    // Every profile was saved: a fresh enumeration finds all three.
    FreeLoadedProfiles();
    EXPECT_EQ(Enumerate().size(), 3u);
}

TEST_F(RemoteLogSearch, NewProfileWithNothingFoundCancelledOnTheSheetLeavesNoFileBehind) {
    ProfileListEntry* made = nullptr;
    // Without logs the profile sheet opens: the user cancels it.
    std::string caption;
    INT_PTR result =
        ovtest::RunModal([&] { return (INT_PTR)HostEditProfile(nullptr, nullptr, &made); },
                         [&](HWND sheet) {
                             caption = ovtest::CurrentPageCaption(sheet);
                             ovtest::PressSheetButton(sheet, PSBTN_CANCEL);
                         },
                         10000, "Add Web Log Profile");
    EXPECT_EQ(result, HOST_CANCELLED);
    EXPECT_EQ(caption, "Site Configuration");
    EXPECT_EQ(made, nullptr);
    EXPECT_TRUE(Enumerate().empty());
}

// A cancelled search ended the new profile: it must not go on to the sheet.
TEST_F(RemoteLogSearch, NewProfileWithTheSearchCancelledEndsWithoutTheSheet) {
    ASSERT_TRUE(logs_.Write("access.log", "x"));
    ProfileListEntry* made = nullptr;
    std::string shown;
    g_cancelHook = SetWindowsHookExA(WH_CBT, CancelNewDialog, nullptr, GetCurrentThreadId());
    INT_PTR result =
        ovtest::RunModal([&] { return (INT_PTR)HostEditProfile(nullptr, nullptr, &made); },
                         [&](HWND dialog) {
                             char caption[128] = "";
                             GetWindowTextA(dialog, caption, sizeof caption);
                             shown += caption;
                         },
                         2000, "Add Web Log Profile");
    if (g_cancelHook)
        UnhookWindowsHookEx(g_cancelHook);
    g_cancelHook = nullptr;
    EXPECT_EQ(result, HOST_CANCELLED);
    EXPECT_EQ(shown.find("Web Log Profile"), std::string::npos) << shown;
    EXPECT_EQ(made, nullptr);
    EXPECT_TRUE(Enumerate().empty());
}
