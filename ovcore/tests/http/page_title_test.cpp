// Page titles from a loopback nginx page and the title cache.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/engine_state.h"
#include "core/net_binding.h"
#include "http_fixture.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

int g_pumps = 0;
void CALLBACK PumpingStatus(DWORD, const char* text, DWORD) {
    if (text)
        return;
    g_pumps++;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

class PageTitleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(httptest::FixtureFolder().empty())
            << "run through ctest: the nginx fixture is not up";
        base_ = "http://127.0.0.1:" + std::to_string(httptest::FixtureNumber("port"));
        ASSERT_TRUE(InstallFolder_SetFromFileName((install_.Root() + "ovcore.dll").c_str()));
        saved_ = Engine_State().dataFolder;
        lstrcpynA(Engine_State().dataFolder, install_.Data().c_str(), MAX_PATH);
        ASSERT_TRUE(NetBinding_Bind());
        WritePrivateProfileStringA("Defaults", "TransferTimeout", "2",
                                   install_.ModuleIni().c_str());
        ORB_NotifyIniFileChanged(0); // builds the cache
        PageTitles_BeginRun();
    }
    void TearDown() override {
        if (base_.empty())
            return;
        ORB_NotifyIniFileChanged(0); // saves the cache into this install
        lstrcpynA(Engine_State().dataFolder, saved_.c_str(), MAX_PATH);
        NetSettings_Reset();
        InstallFolder_Reset();
    }
    void Serve(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(ovtest::WriteFileBytes(httptest::FixtureFolder() + "www\\" + name, bytes));
    }
    int Title(const std::string& url, std::string* title, int* failed,
              TITLESTATUSPROC status = nullptr, DWORD selector = 0) {
        char text[TITLE_BUFFER_SIZE] = "junk";
        int got = ORB_GetHTML_Title(selector, url.c_str(), "", "", text, status, failed);
        *title = text;
        return got;
    }

    ovtest::TempInstall install_;
    std::string base_, saved_;
};

TEST_F(PageTitleTest, TitlesComeFromThePageText) {
    std::string longTitle(100, 't');
    struct Case {
        const char* name;
        std::string page;
        DWORD selector;
        int result;
        std::string title;
    } cases[] = {
        {"plain.html", "<html><head><title>Loopback page</title></head></html>", 0, 1,
         "Loopback page"},
        {"lines.html", "<HTML><TITLE>\r\nFirst line\r\nsecond line</TITLE></HTML>", 0, 1,
         "First line"},
        {"inner.html", "<html><Title>Home <b>page</b></Title></html>", 0, 1, "Home page"},
        {"long.html", "<html><title>" + longTitle + "</title></html>", 0, 1,
         longTitle.substr(0, 80)},
        {"none.html", "<html><body>no title at all here</body></html>", 0, 0, ""},
        {"ovhdr.html", "<html><title>T</title><ovhdr>Header text</ovhdr></html>",
         TITLE_SELECT_OVHDR, 1, "Header text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Serve(c.name, c.page);
        std::string title;
        int failed = 0;
        EXPECT_EQ(Title(base_ + "/" + c.name, &title, &failed, nullptr, c.selector), c.result);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(failed, 0);
    }
}

// Without a callback the wait used to spin for ever without pumping; a 3xx
// body ("Object moved") used to be taken as the title.
TEST_F(PageTitleTest, RedirectsHaveNoTitleAndTheWaitPumpsItself) {
    Serve("page.html", "<title>Target</title>");
    std::string title;
    int failed = 0;
    DWORD start = GetTickCount();
    EXPECT_EQ(Title(base_ + "/moved.html", &title, &failed), 0);
    EXPECT_EQ(title, "");
    EXPECT_LT(GetTickCount() - start, 1500u); // ended by the server, not by the time-out
    g_pumps = 0;
    EXPECT_EQ(Title(base_ + "/page.html", &title, &failed, PumpingStatus), 1);
    EXPECT_EQ(title, "Target");
    EXPECT_EQ(failed, 0);
}

// A connect that never completed used to block the title fetch for minutes,
// with no call to the caller's pump.
TEST_F(PageTitleTest, AConnectThatNeverCompletesEndsByTheTimeOutAndPumps) {
    httptest::StuckConnects stuck;
    ASSERT_TRUE(stuck.Stuck()) << "no connect could be made to hang";
    std::string title;
    int failed = 0;
    g_pumps = 0;
    DWORD start = GetTickCount();
    EXPECT_EQ(Title("http://127.0.0.1:" + std::to_string(stuck.Port()) + "/", &title, &failed,
                    PumpingStatus),
              0);
    EXPECT_LT(GetTickCount() - start, 6000u);
    EXPECT_EQ(failed, 1);
    EXPECT_GT(g_pumps, 10);
}

TEST_F(PageTitleTest, FailuresAreCachedAndUnreachableServersFlagged) {
    std::string title;
    int failed = 0;
    std::string unreachable = "http://127.0.0.1:" + std::to_string(httptest::ClosedPort()) + "/";
    EXPECT_EQ(Title(unreachable, &title, &failed), 0);
    EXPECT_EQ(failed, 1);
    failed = 0;
    // asked again: answered from the cache, without a title and without a fetch
    EXPECT_EQ(Title(unreachable, &title, &failed), 1);
    EXPECT_EQ(title, "");
    EXPECT_EQ(failed, 0);
    Serve("kept.html", "<title>Kept title</title>");
    EXPECT_EQ(Title(base_ + "/kept.html", &title, &failed), 1);
    ORB_NotifyIniFileChanged(0); // saves and reloads the cache
    DeleteFileA((httptest::FixtureFolder() + "www\\kept.html").c_str());
    EXPECT_EQ(Title(base_ + "/kept.html", &title, &failed), 1);
    EXPECT_EQ(title, "Kept title");
    std::string file = install_.Read("ovdesk\\datfiles\\title.wdb");
    EXPECT_NE(file.find(base_ + "/kept.html\r\nKept title\r\n"), std::string::npos) << file;
}

} // namespace
