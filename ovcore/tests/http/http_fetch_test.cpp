// The HTTP road of the remote log fetch against a loopback nginx.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/engine_state.h"
#include "core/net_binding.h"
#include "fetch_status_window.h"
#include "remote_fetch_fixture.h"
#include "http_fixture.h"
#include "logread_fixtures.h"
#include "msgbox_watcher.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "wait_until.h"

#include <shlobj.h>

namespace {

using fetchtest::FetchResult;
using fetchtest::g_seen;
using fetchtest::LogBytes;

class HttpFetchTest : public fetchtest::RemoteFetchTest {
  protected:
    HttpFetchTest() : RemoteFetchTest(SERVER_PROTOCOL_HTTP) {}
    void SetUp() override {
        ASSERT_FALSE(httptest::FixtureFolder().empty())
            << "run through ctest: the nginx fixture is not up";
        port_ = httptest::FixtureNumber("port");
        ASSERT_NE(port_, 0) << "no nginx port in " << httptest::FixtureFolder();
        SetUpEngine();
    }

    // A source as profiles hold it: without its "http://".
    std::string Url(const std::string& path, int port = 0) {
        return "127.0.0.1:" + std::to_string(port ? port : port_) + path;
    }
    void Serve(const std::string& path, const std::string& bytes) {
        std::string file = httptest::FixtureFolder() + "www" + path;
        for (char& c : file)
            if (c == '/')
                c = '\\';
        SHCreateDirectoryExA(nullptr, file.substr(0, file.rfind('\\')).c_str(), nullptr);
        ASSERT_TRUE(ovtest::WriteFileBytes(file, bytes));
    }
    // The log server's requests since the last call.
    std::vector<std::string> NewRequests(const char* log = "access.log") {
        std::vector<std::string> all = httptest::FixtureLog(log);
        size_t& seen = log[0] == 'a' ? accessSeen_ : proxySeen_;
        std::vector<std::string> fresh(all.begin() + std::min(seen, all.size()), all.end());
        seen = all.size();
        return fresh;
    }

    int port_ = 0;
    size_t accessSeen_ = 0, proxySeen_ = 0;
};

TEST_F(HttpFetchTest, EveryListedLogArrivesInTheCopyFolderAndIsKept) {
    std::string a = logtest::CommonLog(4, 60, 600), b = logtest::CommonLog(2, 6000, 60, 2);
    Serve("/logs/access.log", a);
    Serve("/logs/access.log.1", b);
    Profile("site", Url("/logs/access.log|/logs/access.log.1"));
    NewRequests();
    FetchResult r = Fetch("site");
    ASSERT_EQ(r.opened, 0) << r.error;
    EXPECT_EQ(r.closed, 0) << r.error;
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(Copy("site", "access.log"), a);
    EXPECT_EQ(Copy("site", "access.1"), b);
    ASSERT_EQ(FileInfo_GetFileCount(&client_->LogFiles), 2);
    EXPECT_EQ(client_->LogInfoValid, 1);
    EXPECT_EQ(client_->FirstLogTime, logtest::kDay + 60);
    std::vector<std::string> requests = NewRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], "/logs/access.log 200 - " + std::to_string(a.size()));
    EXPECT_EQ(requests[1], "/logs/access.log.1 200 - " + std::to_string(b.size()));
    std::vector<std::string> texts;
    for (auto& m : g_seen)
        if (m.message == WM_USER + 20)
            texts.push_back(m.text);
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[1], "HTTP Login:  into 127.0.0.1");
    EXPECT_EQ(texts[2], "Retrieving: 127.0.0.1/logs/access.log");
    std::string list = ovtest::ReadFileBytes(install_.Data() + "site.dir");
    EXPECT_EQ(list.substr(0, list.find('\r')),
              "http://" + Url("/logs/access.log|/logs/access.log.1"));
    EXPECT_EQ(ORB_FreeURL(client_), 0);
}

// The report run reads the fetched copies: every line of both logs.
TEST_F(HttpFetchTest, TheReportRunReadsTheFetchedCopies) {
    Serve("/logs/run.log", logtest::CommonLog(4, 60, 600));
    Serve("/logs/run.log.1", logtest::CommonLog(2, 6000, 60, 2));
    Profile("runsite", Url("/logs/run.log|/logs/run.log.1"));
    EXPECT_EQ(RunOverFetchedLogs("runsite"), 6);
}

// Detect mode: a grown log is fetched from the copy's last kilobyte on; a
// log that changed under the copy (rotated shorter, or rewritten longer) is
// fetched whole again.
TEST_F(HttpFetchTest, DetectAppendsWhatGrewAndFetchesAChangedLogWhole) {
    std::string log = LogBytes(3000, 1);
    Serve("/grow.log", log);
    Profile("grow", Url("/grow.log"));
    ASSERT_EQ(Fetch("grow").closed, 0);
    NewRequests();
    struct Step {
        const char* what;
        std::string served;
        std::vector<std::string> requests;
    } steps[] = {
        {"grown", log + LogBytes(500, 2), {"/grow.log 206 bytes=1976- 1524"}},
        {"unchanged", log + LogBytes(500, 2), {"/grow.log 206 bytes=2476- 1024"}},
        {"rotated shorter",
         LogBytes(1500, 3),
         {"/grow.log 416 bytes=2476- 0", "/grow.log 200 - 1500"}},
        {"rewritten longer",
         LogBytes(4000, 4),
         {"/grow.log 206 bytes=476- 3524", "/grow.log 200 - 4000"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        Serve("/grow.log", s.served);
        FetchResult r = Fetch("grow");
        EXPECT_EQ(r.closed, 0) << r.error;
        EXPECT_EQ(Copy("grow", "grow.log"), s.served);
        std::vector<std::string> requests = NewRequests();
        ASSERT_EQ(requests.size(), s.requests.size());
        for (size_t i = 0; i < requests.size(); i++) {
            // nginx may stop sending once the engine hangs up: compare up to the range
            std::string want = s.requests[i];
            EXPECT_EQ(requests[i].substr(0, want.rfind(' ')), want.substr(0, want.rfind(' ')));
        }
    }
    EXPECT_TRUE(StrayFiles().empty());
    ORB_FreeURL(client_);
}

TEST_F(HttpFetchTest, DownloadModesDecideWhatIsTransferred) {
    std::string log = LogBytes(2000, 5);
    Serve("/mode.log", log);
    struct Case {
        const char* mode;
        std::vector<std::string> secondRequests;
    } cases[] = {
        {"Once", {}},
        {"Always", {"/mode.log 200 -"}},
        {"Detect", {"/mode.log 206 bytes=976-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Settings(c.mode, "30");
        Profile(std::string("m") + c.mode, Url("/mode.log"));
        ASSERT_EQ(Fetch(std::string("m") + c.mode).closed, 0);
        NewRequests();
        g_seen.clear();
        FetchResult r = Fetch(std::string("m") + c.mode);
        EXPECT_EQ(r.closed, 0) << r.error;
        EXPECT_EQ(Copy(std::string("m") + c.mode, "mode.log"), log);
        std::vector<std::string> requests = NewRequests();
        ASSERT_EQ(requests.size(), c.secondRequests.size());
        for (size_t i = 0; i < requests.size(); i++)
            EXPECT_EQ(requests[i].find(c.secondRequests[i]), 0u) << requests[i];
        ORB_FreeURL(client_);
    }
}

TEST_F(HttpFetchTest, BasicAuthenticationOpensTheProtectedLocation) {
    std::string log = logtest::CommonLog(3, 0, 60);
    Serve("/private/secret.log", log);
    struct Case {
        const char* user;
        const char* password;
        const char* error;
    } cases[] = {
        {"reader", "letmein", ""},
        {"reader", "wrong",
         "The server answered with status 401 for 127.0.0.1/private/secret.log."},
        {"", "", "The server answered with status 401 for 127.0.0.1/private/secret.log."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user) + ":" + c.password);
        Profile("auth", Url("/private/secret.log"), c.user, c.password);
        FetchResult r = Fetch("auth");
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.closed, c.error[0] ? -1 : 0);
        EXPECT_EQ(Copy("auth", "secret.log"), log); // a refused fetch keeps the copy
        ORB_FreeURL(client_);
    }
}

// The source's host is never resolved on the proxy road: the proxy gets the
// whole address and the proxy credentials.
TEST_F(HttpFetchTest, ProxyRoadSendsTheWholeAddressAndProxyCredentials) {
    std::string log = logtest::CommonLog(2, 0, 60);
    Serve("/proxied.log", log);
    std::string proxy = "127.0.0.1:" + std::to_string(httptest::FixtureNumber("proxyport"));
    Profile("proxy", "logs.invalid/proxied.log");
    Settings("Always", "30", proxy.c_str(), "proxy:secret");
    NewRequests("proxy.log");
    FetchResult r = Fetch("proxy");
    EXPECT_EQ(r.closed, 0) << r.error;
    EXPECT_EQ(Copy("proxy", "proxied.log"), log);
    std::vector<std::string> requests = NewRequests("proxy.log");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], "GET http://logs.invalid/proxied.log HTTP/1.0 200");
    Settings("Always", "30", proxy.c_str(), "proxy:wrong");
    r = Fetch("proxy");
    EXPECT_EQ(r.error, "The server answered with status 407 for logs.invalid/proxied.log.");
    ORB_FreeURL(client_);
}

// Each failure ends the fetch with its text within the time limit, and the
// good copy of an earlier fetch stays as it was.
TEST_F(HttpFetchTest, FailuresGiveTheirTextsAndKeepTheGoodCopy) {
    std::string good = LogBytes(3000, 6);
    httptest::OwnServer silent("", false);
    httptest::OwnServer cutShort("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" +
                                 LogBytes(700, 7));
    httptest::OwnServer garbage("SSH-2.0-OpenSSH\r\n\r\n");
    httptest::OwnServer hugeHead("HTTP/1.0 200 OK\r\nX-Pad: " + std::string(20000, 'p') +
                                 "\r\n\r\n" + good);
    struct Case {
        const char* what;
        int port;
        bool servedByNginx;
        short opened;
        const char* error;
    } cases[] = {
        {"missing file", 0, false, 0, "The server answered with status 404 for 127.0.0.1/f.log."},
        {"refused connection", httptest::ClosedPort(), true, 0,
         "No connection could be made to the server of 127.0.0.1/f.log."},
        {"no answer", silent.Port(), true, 0, "FTP Timeout occured."},
        {"closed mid-transfer", cutShort.Port(), true, 0,
         "The connection closed before all of 127.0.0.1/f.log had arrived."},
        {"not an HTTP answer", garbage.Port(), true, 0,
         "The server's answer for 127.0.0.1/f.log could not be read."},
        {"headers over 16 KB", hugeHead.Port(), true, 0,
         "The server's answer for 127.0.0.1/f.log has headers too long to be read."},
    };
    Settings("Always", "1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Serve("/f.log", good);
        Profile("fail", Url("/f.log"));
        ASSERT_EQ(Fetch("fail").closed, 0);
        if (!c.servedByNginx)
            DeleteFileA((httptest::FixtureFolder() + "www\\f.log").c_str());
        Profile("fail", Url("/f.log", c.port));
        DWORD start = GetTickCount();
        FetchResult r = Fetch("fail");
        EXPECT_LT(GetTickCount() - start, 10000u);
        EXPECT_EQ(r.opened, c.opened);
        if (r.opened == 0) {
            EXPECT_EQ(r.closed, -1);
        }
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(client_->LogInfoValid, 0);
        EXPECT_EQ(Copy("fail", "f.log"), good);
        EXPECT_TRUE(StrayFiles().empty());
        ORB_FreeURL(client_);
    }
}

// A connect that never completed used to block ORB_OpenURL for minutes,
// deaf to the client's messages and its cancel.
TEST_F(HttpFetchTest, AConnectThatNeverCompletesEndsByTheTimeOutOrTheCancel) {
    std::string good = LogBytes(3000, 6);
    httptest::StuckConnects stuck;
    ASSERT_TRUE(stuck.Stuck()) << "no connect could be made to hang";
    Settings("Always", "2");
    Profile("stuck", Url("/f.log"));
    Serve("/f.log", good);
    ASSERT_EQ(Fetch("stuck").closed, 0);
    Profile("stuck", Url("/f.log", stuck.Port()));
    DWORD start = GetTickCount();
    FetchResult r = Fetch("stuck");
    EXPECT_LT(GetTickCount() - start, 6000u);
    EXPECT_EQ(r.opened, 0);
    EXPECT_EQ(r.error, "No connection could be made to the server of 127.0.0.1/f.log.");
    ORB_FreeURL(client_);

    Settings("Always", "60");
    UrlFetchHandle handle = nullptr;
    start = GetTickCount();
    ASSERT_EQ(ORB_OpenURL(window_, "stuck.wlp", &handle), 0);
    EXPECT_LT(GetTickCount() - start, 1000u) << "the open waited for the connect";
    EXPECT_EQ(ORB_PeekURL(), 0);
    // The client cancels: it closes the fetch.
    ExpectCancelKeeps(handle, "stuck", "f.log", good, 1000);
}

// A fetch killed mid-transfer used to leave its temporary file in the data
// folder for good.
TEST_F(HttpFetchTest, AFetchRemovesTheTemporariesOfKilledFetches) {
    struct Case {
        const char* name;
        bool old, held, removed;
    } cases[] = {
        {"ovf1A.tmp", true, false, true},   // a killed fetch's
        {"ovf2B.tmp", false, false, false}, // just made by a fetch that runs
        {"ovf3C.tmp", true, true, false},   // written by a fetch that runs
        {"other.tmp", true, false, false},  // not a fetch's
    };
    std::vector<HANDLE> held;
    for (const Case& c : cases) {
        std::string path = install_.Data() + c.name;
        ASSERT_TRUE(ovtest::WriteFileBytes(path, "partial"));
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        FILETIME written;
        GetSystemTimeAsFileTime(&written);
        ULARGE_INTEGER t = {{written.dwLowDateTime, written.dwHighDateTime}};
        t.QuadPart -= c.old ? 3600ULL * 10000000ULL : 0;
        written = {t.LowPart, t.HighPart};
        SetFileTime(file, nullptr, nullptr, &written);
        if (c.held)
            held.push_back(file);
        else
            CloseHandle(file);
    }
    Serve("/t.log", LogBytes(500, 1));
    Profile("temps", Url("/t.log"));
    EXPECT_EQ(Fetch("temps").closed, 0);
    for (HANDLE file : held)
        CloseHandle(file);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ovtest::FileExistsAt(install_.Data() + c.name), !c.removed);
    }
    ORB_FreeURL(client_);
}

// Headers over 1,024 bytes used to hang the fetch until its time-out; a
// length header without a blank lost its first digit.
// Detect mode: an append cut short leaves the copy as it was before it.
TEST_F(HttpFetchTest, AnAppendCutShortIsTakenBackOut) {
    std::string good = LogBytes(3000, 8);
    Serve("/f.log", good);
    Profile("cut", Url("/f.log"));
    ASSERT_EQ(Fetch("cut").closed, 0);
    httptest::OwnServer cutAppend(
        "HTTP/1.0 206 Partial Content\r\nContent-Range: bytes 1976-3499/3500\r\n"
        "Content-Length: 1524\r\n\r\n" +
        good.substr(1976) + LogBytes(200, 9));
    Settings("Detect", "1");
    Profile("cut", Url("/f.log", cutAppend.Port()));
    FetchResult r = Fetch("cut");
    EXPECT_EQ(r.closed, -1);
    EXPECT_EQ(r.error, "The connection closed before all of 127.0.0.1/f.log had arrived.");
    EXPECT_EQ(Copy("cut", "f.log"), good);
    EXPECT_TRUE(StrayFiles().empty());
    ORB_FreeURL(client_);
}

TEST_F(HttpFetchTest, LongHeadersAndTightLengthHeadersAreRead) {
    std::string log = LogBytes(1500, 8);
    httptest::OwnServer server("HTTP/1.0 200 OK\r\nX-Pad: " + std::string(3000, 'p') +
                               "\r\ncontent-length:1500\r\n\r\n" + log);
    Settings("Always", "30");
    Profile("long", Url("/long.log", server.Port()));
    FetchResult r = Fetch("long");
    EXPECT_EQ(r.closed, 0) << r.error;
    EXPECT_EQ(Copy("long", "long.log"), log);
    ORB_FreeURL(client_);
}

// "Once" used to trust the list file of a fetch that failed, so a missing
// copy was never fetched again in the same process.
TEST_F(HttpFetchTest, OnceFetchesAgainAfterAFailedFetch) {
    Settings("Once", "30");
    DeleteFileA((httptest::FixtureFolder() + "www\\late.log").c_str());
    Profile("late", Url("/late.log"));
    EXPECT_EQ(Fetch("late").closed, -1);
    std::string log = LogBytes(1200, 9);
    Serve("/late.log", log);
    FetchResult r = Fetch("late");
    EXPECT_EQ(r.closed, 0) << r.error;
    EXPECT_EQ(Copy("late", "late.log"), log);
    ORB_FreeURL(client_);
}

const UINT kGetDone = WM_APP + 7;
std::vector<WPARAM> g_getEnds;

LRESULT CALLBACK GetNotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kGetDone)
        g_getEnds.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(HttpFetchTest, HttpGetWritesTheRawAnswerAndTellsTheWindow) {
    Serve("/page.html", "<html><head><title>Loopback page</title></head></html>\n");
    Serve("/private/page.html", "secret page\n");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = GetNotifyProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HttpGetNotify";
    RegisterClassA(&wc);
    HWND notify = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
    struct Case {
        std::string url;
        const char* user;
        const char* agent;
        const char* statusLine;
        const char* body;
    } cases[] = {
        {"http://" + Url("/page.html"), "", "Ostrevane/3.0 (WinNT)", "HTTP/1.1 200 OK",
         "<title>Loopback page</title>"},
        {"http://" + Url("/private/page.html"), "reader", nullptr, "HTTP/1.1 200 OK",
         "secret page"},
        {"http://" + Url("/private/page.html"), "", nullptr, "HTTP/1.1 401", "401"},
        {"http://" + Url("/never-served.html"), "", nullptr, "HTTP/1.1 404", "404"},
    };
    std::string out = install_.Path("get.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url + " " + c.user);
        g_getEnds.clear();
        ASSERT_EQ(ORB_HTTP_Get(c.url.c_str(), out.c_str(), c.user, "letmein", "http://ref/",
                               c.agent, notify, kGetDone),
                  1);
        ASSERT_TRUE(ovtest::WaitUntil([] { return !g_getEnds.empty(); }, 10000));
        EXPECT_EQ(g_getEnds[0], 0u);
        std::string answer = ovtest::ReadFileBytes(out);
        EXPECT_EQ(answer.find(c.statusLine), 0u) << answer.substr(0, 40);
        EXPECT_NE(answer.find(c.body), std::string::npos);
    }
    g_getEnds.clear();
    std::string refused = "http://" + Url("/page.html", httptest::ClosedPort());
    ASSERT_EQ(
        ORB_HTTP_Get(refused.c_str(), out.c_str(), "", "", nullptr, nullptr, notify, kGetDone), 1);
    ASSERT_TRUE(ovtest::WaitUntil([] { return !g_getEnds.empty(); }, 10000));
    EXPECT_EQ(g_getEnds[0], (WPARAM)WSAECONNREFUSED);
    EXPECT_EQ(
        ORB_HTTP_Get("ftp://127.0.0.1/a", out.c_str(), "", "", nullptr, nullptr, notify, kGetDone),
        0);
    DestroyWindow(notify);
}

} // namespace
