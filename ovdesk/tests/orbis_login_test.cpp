// The log-source login dialog, run modally and driven by messages.
#include <gtest/gtest.h>
#include "log_sources/orbis_login.h"
#include "msgbox_watcher.h"
#include "resource_ids.h"
#include "startup/plugin_state.h"
#include <cstring>
#include <functional>
#include <string>

namespace {
std::function<void(HWND)> g_steps;

BOOL CALLBACK FindLogin(HWND window, LPARAM found) {
    char caption[64];
    GetWindowTextA(window, caption, sizeof caption);
    if (strcmp(caption, "Log File Login") == 0 && IsWindowVisible(window)) {
        *(HWND*)found = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RunSteps(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindLogin, (LPARAM)&dialog);
    if (!dialog || !g_steps)
        return;
    KillTimer(nullptr, timer);
    auto steps = g_steps;
    g_steps = nullptr;
    steps(dialog);
}

INT_PTR RunLogin(OrbisLoginBlock* block, const std::function<void(HWND)>& steps) {
    g_steps = steps;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, RunSteps);
    INT_PTR result = RunOrbisLogin(nullptr, block);
    KillTimer(nullptr, timer);
    g_steps = nullptr;
    return result;
}

std::string ItemText(HWND dialog, int id) {
    char text[128];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class OrbisLogin : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPluginInstance(GetModuleHandleA(nullptr));
        block_.Kind = 1;
        strcpy(block_.UserName, "ann");
        strcpy(block_.Password, "old");
        strcpy(block_.RemotePath, "ftp.example.com/logs/");
    }
    OrbisLoginBlock block_ = {};
    ovtest::MsgBoxWatcher boxes_;
};
} // namespace

TEST_F(OrbisLogin, ButtonsEndTheDialogAndOkStoresTheTexts) {
    struct Case {
        int Button;
        INT_PTR Result;
        bool Stored;
    };
    const Case cases[] = {{IDOK, 1, true},
                          {IDC_LOGIN_OK, 1, true},
                          {IDCANCEL, 2, false},
                          {IDC_LOGIN_CANCEL, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Button);
        SetUp();
        std::string shown;
        INT_PTR result = RunLogin(&block_, [&](HWND dialog) {
            shown = ItemText(dialog, IDC_LOGIN_USER) + "/" + ItemText(dialog, IDC_LOGIN_PASSWORD);
            SetDlgItemTextA(dialog, IDC_LOGIN_USER, "bob");
            SetDlgItemTextA(dialog, IDC_LOGIN_PASSWORD, "new");
            SendMessageA(dialog, WM_COMMAND, c.Button, 0);
        });
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(shown, "ann/old");
        EXPECT_STREQ(block_.UserName, c.Stored ? "bob" : "ann");
        EXPECT_STREQ(block_.Password, c.Stored ? "new" : "old");
        EXPECT_STREQ(block_.RemotePath, "ftp.example.com/logs/");
    }
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(OrbisLogin, RefusesSystemCloseAndKeepsTextsWithinTheirFields) {
    bool stillUp = false;
    INT_PTR result = RunLogin(&block_, [&](HWND dialog) {
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        stillUp = IsWindowVisible(dialog) != FALSE;
        SetDlgItemTextA(dialog, IDC_LOGIN_USER, std::string(60, 'u').c_str());
        SetDlgItemTextA(dialog, IDC_LOGIN_PASSWORD, std::string(60, 'p').c_str());
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(stillUp);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(block_.UserName), std::string(40, 'u'));
    EXPECT_EQ(std::string(block_.Password), std::string(40, 'p'));
    EXPECT_STREQ(block_.RemotePath, "ftp.example.com/logs/");
}
