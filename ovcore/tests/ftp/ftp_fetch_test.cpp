// The FTP road of the remote log fetch against the loopback FTP servers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fetch_status_window.h"
#include "remote_fetch_fixture.h"
#include "test_server.h"
#include "wait_until.h"

namespace {

using fetchtest::FetchResult;
using fetchtest::g_seen;
using fetchtest::LogBytes;

class FtpFetchTest : public fetchtest::RemoteFetchTest {
  protected:
    FtpFetchTest() : RemoteFetchTest(SERVER_PROTOCOL_FTP) {}
    void SetUp() override {
        ASSERT_TRUE(ftptest::Server().ok) << "run through ctest: the FTP test servers are not up";
        SetUpEngine();
        // A served folder of this test's own: other tests read the server too.
        static int counter = 0;
        folder_ = "fetch" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
        for (const char* sub : {"", "/logs", "/logs/old", "/empty"})
            CreateDirectoryA(ftptest::ServedPath(folder_ + sub).c_str(), nullptr);
    }
    // A source as profiles hold it: without its "ftp://"; paths are in the
    // test's served folder ("|"-separated).
    std::string Url(const std::string& paths, int port = 0) {
        std::string url = "127.0.0.1:" + std::to_string(port ? port : ftptest::Server().port);
        size_t start = 0;
        for (size_t bar; (bar = paths.find('|', start)) != std::string::npos; start = bar + 1)
            url += "/" + folder_ + "/" + paths.substr(start, bar - start) + "|";
        return url + "/" + folder_ + "/" + paths.substr(start);
    }
    void Serve(const std::string& path, const std::string& bytes) {
        ASSERT_TRUE(ftptest::WriteBytes(ftptest::ServedPath(folder_ + "/" + path), bytes));
    }
    std::vector<std::string> CopyNames(const std::string& name) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA d;
        HANDLE h = FindFirstFileA((install_.Data() + name + ".ftp\\*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do
            if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(d.cFileName);
        while (FindNextFileA(h, &d));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }
    void SetCopy(const std::string& name, const std::string& file, const std::string& bytes) {
        CreateDirectoryA((install_.Data() + name + ".ftp").c_str(), nullptr);
        ASSERT_TRUE(ovtest::WriteFileBytes(install_.Data() + name + ".ftp\\" + file, bytes));
    }
    std::vector<std::string> StatusTexts() {
        std::vector<std::string> texts;
        for (auto& m : g_seen)
            if (m.message == WM_USER + 20)
                texts.push_back(m.text);
        return texts;
    }

    std::string folder_;
};

// The report run reads the fetched copies: every line of both logs.
TEST_F(FtpFetchTest, TheReportRunReadsTheFetchedCopies) {
    Serve("logs/a.log", logtest::CommonLog(4, 60, 600));
    Serve("logs/b.log", logtest::CommonLog(2, 6000, 60, 2));
    Settings("Always", "30");
    Profile("runsite", Url("logs/*.log"), "weblogs", "secret");
    EXPECT_EQ(RunOverFetchedLogs("runsite"), 6);
}

// Folder items list every file of the folder (not its folders); patterns and
// file names list what they match.
TEST_F(FtpFetchTest, FoldersPatternsAndNamesFetchTheirFiles) {
    const std::string a = logtest::CommonLog(4, 60, 600), b = logtest::CommonLog(2, 6000, 60, 2),
                      c = logtest::CommonLog(3, 9000, 60, 3);
    Serve("logs/a.log", a);
    Serve("logs/b.log", b);
    Serve("logs/notes.txt", c);
    Serve("logs/old/a.log", "old\n");
    struct Case {
        const char* paths;
        std::vector<std::string> copies;
    } cases[] = {
        {"logs/*.log", {"a.log", "b.log"}},
        {"logs/", {"a.log", "b.log", "notes.txt"}},
        {"logs", {"a.log", "b.log", "notes.txt"}},
        {"logs/a.log|logs/NOTES.*", {"a.log", "notes.txt"}},
    };
    Settings("Always", "30");
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paths);
        std::string name = "items" + std::to_string(++n);
        Profile(name, Url(c.paths), "weblogs", "secret");
        FetchResult r = Fetch(name);
        ASSERT_EQ(r.opened, 0) << r.error;
        EXPECT_EQ(r.closed, 0) << r.error;
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(CopyNames(name), c.copies);
        EXPECT_EQ(Copy(name, "a.log"), c.copies[0] == "a.log" ? a : "");
        EXPECT_EQ(FileInfo_GetFileCount(&client_->LogFiles), (int)c.copies.size());
        EXPECT_EQ(client_->LogInfoValid, 1);
        EXPECT_EQ(client_->FirstLogTime, logtest::kDay + 60);
        ORB_FreeURL(client_);
    }
    std::vector<std::string> texts = StatusTexts();
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[texts.size() - 3], "FTP Login: weblogs into 127.0.0.1");
    EXPECT_EQ(texts[texts.size() - 2], "Retrieving: /" + folder_ + "/logs/a.log");
    EXPECT_TRUE(StrayFiles().empty());
}

// "Detect": an unchanged log is not transferred, a grown one is fetched from
// behind the copy (the copy's marked head stays), and a rotated (smaller)
// log is fetched whole.
TEST_F(FtpFetchTest, DetectFetchesOnlyWhatGrewAndARotatedLogWhole) {
    const std::string log = LogBytes(10000, 1), grown = log + LogBytes(3000, 2),
                      rotated = LogBytes(6000, 3);
    Serve("logs/grow.log", log);
    Profile("grow", Url("logs/grow.log"), "weblogs", "secret");
    ASSERT_EQ(Fetch("grow").closed, 0);
    ASSERT_EQ(Copy("grow", "grow.log"), log);
    const std::string marked = "#" + log.substr(1);
    SetCopy("grow", "grow.log", marked);
    struct Step {
        const char* what;
        std::string served, copy;
        bool transfers;
    } steps[] = {
        {"unchanged", log, marked, false},
        {"grown", grown, marked + grown.substr(log.size()), true},
        {"rotated", rotated, rotated, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        Serve("logs/grow.log", s.served);
        g_seen.clear();
        FetchResult r = Fetch("grow");
        EXPECT_EQ(r.closed, 0) << r.error;
        EXPECT_EQ(Copy("grow", "grow.log"), s.copy);
        std::vector<std::string> texts = StatusTexts();
        EXPECT_EQ(
            std::count(texts.begin(), texts.end(), "Retrieving: /" + folder_ + "/logs/grow.log"),
            s.transfers ? 1 : 0);
        ORB_FreeURL(client_);
    }
    EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(FtpFetchTest, DownloadModesDecideWhatIsTransferred) {
    const std::string log = LogBytes(5000, 4), marked = "#" + log.substr(1);
    Serve("logs/mode.log", log);
    struct Case {
        const char* mode;
        std::string second;
    } cases[] = {{"Once", marked}, {"Always", log}, {"Detect", marked}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Settings(c.mode, "30");
        std::string name = std::string("m") + c.mode;
        Profile(name, Url("logs/mode.log"));
        ASSERT_EQ(Fetch(name).closed, 0);
        SetCopy(name, "mode.log", marked);
        FetchResult r = Fetch(name);
        EXPECT_EQ(r.closed, 0) << r.error;
        EXPECT_EQ(Copy(name, "mode.log"), c.second);
        ORB_FreeURL(client_);
    }
}

// Each failure gives its text within the time limit and leaves the good copy
// of an earlier fetch as it was.
TEST_F(FtpFetchTest, FailuresGiveTheirTextsAndKeepTheGoodCopy) {
    const std::string good = logtest::CommonLog(3, 60, 60);
    Serve("logs/f.log", good);
    const int port = ftptest::Server().port, rogue = ftptest::Server().rogue;
    struct Case {
        const char* what;
        const char* paths;
        int port;
        const char* user;
        const char* password;
        short opened;
        std::string error;
    } cases[] = {
        {"empty folder", "empty/", port, "weblogs", "secret", -1, "Server can not open file."},
        {"nothing matches", "logs/*.zip", port, "weblogs", "secret", -1,
         "Server can not open file."},
        {"refused login", "logs/f.log", port, "weblogs", "wrong", -1,
         "Server rejected the username/password"},
        {"no server", "logs/f.log", ftptest::ClosedPort(), "weblogs", "secret", -1,
         "Host does not have a FTP server."},
        {"stalls mid-file", "f.log", rogue, "stall", "x", 0, "FTP Timeout occured."},
        {"closes mid-file", "f.log", rogue, "close", "x", 0,
         "/" + folder_ + "/f.log could not be fetched: Error during FTP connection."},
    };
    Settings("Always", "1", "", "", "1"); // passive: the misbehaving server knows no PORT
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Profile("fail", Url(c.paths, c.port), c.user, c.password);
        SetCopy("fail", "f.log", good);
        DWORD start = GetTickCount();
        FetchResult r = Fetch("fail");
        EXPECT_LT(GetTickCount() - start, 10000u);
        EXPECT_EQ(r.opened, c.opened);
        if (r.opened == 0) {
            EXPECT_EQ(r.closed, -1);
        }
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(Copy("fail", "f.log"), good);
        EXPECT_TRUE(StrayFiles().empty());
        ORB_FreeURL(client_);
    }
}

TEST_F(FtpFetchTest, ClosingARunningFetchAbortsItAndKeepsTheGoodCopy) {
    const std::string good = logtest::CommonLog(3, 60, 60);
    Settings("Always", "30", "", "", "1");
    Profile("cancel", Url("f.log", ftptest::Server().rogue), "stall", "x");
    SetCopy("cancel", "f.log", good);
    UrlFetchHandle handle = nullptr;
    ASSERT_EQ(ORB_OpenURL(window_, "cancel.wlp", &handle), 0);
    // The misbehaving server sends 1,000 bytes and then nothing more.
    EXPECT_TRUE(ovtest::WaitUntil(
        [&] {
            ORB_GetURLDonePercent(handle);
            return !g_seen.empty() && g_seen.back().text == "1000";
        },
        10000));
    EXPECT_EQ(ORB_PeekURL(), 0);
    ExpectCancelKeeps(handle, "cancel", "f.log", good, 5000);
}

// A server that answers no SIZE and ends a file early with 226 used to have
// the short file taken for the whole one, and its listing line recorded.
TEST_F(FtpFetchTest, AFileShorterThanItsListingKeepsTheOldCopy) {
    const std::string good = LogBytes(20000, 3);
    Settings("Detect", "5", "", "", "1");
    Profile("short", Url("f.log", ftptest::Server().rogue), "short", "x");
    SetCopy("short", "f.log", good);
    for (int attempt = 0; attempt < 2; attempt++) {
        SCOPED_TRACE(attempt ? "again: the listing line was not kept" : "first");
        FetchResult r = Fetch("short");
        EXPECT_EQ(r.opened, 0);
        EXPECT_EQ(r.closed, -1);
        EXPECT_EQ(r.error,
                  "The connection closed before all of /" + folder_ + "/f.log had arrived.");
        EXPECT_TRUE(Copy("short", "f.log") == good);
        EXPECT_TRUE(StrayFiles().empty());
        ORB_FreeURL(client_);
    }
}

// A file the server refused at the end of its transfer used to end the
// fetch of every file after it.
TEST_F(FtpFetchTest, ARefusedFileIsNamedAndTheOthersAreStillFetched) {
    const std::string old = "an older copy\n";
    Settings("Detect", "5", "", "", "1");
    Profile("refuse", Url("*.log", ftptest::Server().rogue), "refuse", "x");
    for (const char* name : {"a.log", "b.log", "c.log"})
        SetCopy("refuse", name, old);
    FetchResult r = Fetch("refuse");
    EXPECT_EQ(r.closed, -1);
    EXPECT_EQ(r.error, "/" + folder_ + "/b.log could not be fetched: Server can not open file.");
    EXPECT_EQ(Copy("refuse", "a.log").size(), 30u * 67); // lines of 67 bytes
    EXPECT_EQ(Copy("refuse", "b.log"), old);
    EXPECT_EQ(Copy("refuse", "c.log").size(), 50u * 67);
    EXPECT_TRUE(StrayFiles().empty());
    ORB_FreeURL(client_);
    // "Detect": the two that arrived are current, the refused one is asked for again.
    g_seen.clear();
    r = Fetch("refuse");
    EXPECT_EQ(r.error, "/" + folder_ + "/b.log could not be fetched: Server can not open file.");
    std::vector<std::string> texts = StatusTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Retrieving: /" + folder_ + "/a.log"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Retrieving: /" + folder_ + "/b.log"), 1);
    ORB_FreeURL(client_);
}

// A copy that could not be written used to have its listing line recorded
// anyway, so "Detect" kept the stale copy for ever.
TEST_F(FtpFetchTest, ACopyThatFailedIsFetchedAgainNextTime) {
    const std::string log = LogBytes(5000, 5), grown = log + LogBytes(2000, 6);
    Serve("logs/a.log", log);
    Serve("logs/b.log", log);
    Profile("again", Url("logs/*.log"), "weblogs", "secret");
    ASSERT_EQ(Fetch("again").closed, 0);
    Serve("logs/b.log", grown);
    // Held open by another program: the copy cannot be replaced.
    HANDLE held = CreateFileA((install_.Data() + "again.ftp\\b.log").c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FetchResult r = Fetch("again");
    EXPECT_EQ(r.closed, -1);
    EXPECT_EQ(r.error, "The local copy of /" + folder_ + "/logs/b.log could not be written.");
    CloseHandle(held);
    EXPECT_TRUE(Copy("again", "b.log") == log);
    r = Fetch("again");
    EXPECT_EQ(r.closed, 0) << r.error;
    EXPECT_TRUE(Copy("again", "b.log") == grown);
    ORB_FreeURL(client_);
}

// The client's upload loop: start, poll while pumping messages, read the
// error text, close.
struct UploadResult {
    short started;
    std::string error;
};

UploadResult Upload(HWND window, const std::string& url, const char* password,
                    const std::string& local) {
    UploadResult r = {};
    UrlFetchHandle handle = nullptr;
    r.started = ORB_Cre8URL(window, url.c_str(), "weblogs", password, local.c_str(), &handle);
    if (r.started == 0) {
        EXPECT_TRUE(ovtest::WaitUntil(
            [&] {
                ORB_GetURLDonePercent(handle);
                return ORB_PeekURL() != 0;
            },
            20000))
            << "the upload hangs";
        EXPECT_NE(handle, nullptr);
    }
    char text[FETCH_ERROR_SIZE];
    ORB_GetURLErrMsg(text);
    r.error = text;
    ORB_CloseFTP(window, handle, nullptr);
    return r;
}

TEST_F(FtpFetchTest, AnUploadArrivesByteForByte) {
    std::string report;
    for (int i = 0; i < 90000; i++)
        report += char(i * 7 % 256);
    const std::string local = install_.Data() + "report.htm";
    ASSERT_TRUE(ovtest::WriteFileBytes(local, report));
    const std::string server = "ftp://127.0.0.1:" + std::to_string(ftptest::Server().port);
    UploadResult r = Upload(window_, server + "/" + folder_ + "/empty/report.htm", "secret", local);
    EXPECT_EQ(r.started, 0);
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(ftptest::ReadBytes(ftptest::ServedPath(folder_ + "/empty/report.htm")) == report);
    struct Case {
        const char* what;
        std::string url;
        const char* password;
        std::string local;
        const char* error;
    } cases[] = {
        {"refused login", server + "/" + folder_ + "/r.htm", "wrong", local,
         "Server rejected the username/password"},
        {"no local file", server + "/" + folder_ + "/r.htm", "secret", local + ".none",
         "Can not open the specified file."},
        {"not FTP", "http://127.0.0.1/r.htm", "secret", local, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        r = Upload(window_, c.url, c.password, c.local);
        EXPECT_EQ(r.started, -1);
        EXPECT_EQ(r.error, c.error);
    }
    EXPECT_FALSE(ftptest::FileExists(ftptest::ServedPath(folder_ + "/r.htm")));
}

} // namespace
