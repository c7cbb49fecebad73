// The FTP client library against the loopback servers of ftp_test_server.py.
#include "ftp4w32.h"
#include "test_server.h"
#include "wait_until.h"
#include <gtest/gtest.h>
#include <functional>

using namespace ftptest;

namespace {

const char kHost[] = "127.0.0.1";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "every line ends in CRLF";
    return lines;
}

std::string LastField(const std::string& line) {
    return line.substr(line.find_last_of(' ') + 1);
}

class FtpSession : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Server().ok) << "run through ctest: the fixture starts the servers";
        ASSERT_EQ(FtpInit(nullptr), 0);
        FtpSetDefaultTimeOut(10);
        local = LocalFolder();
    }
    void TearDown() override {
        FtpLocalClose();
        FtpRelease();
        RemoveLocalFolder(local);
    }
    int LoginAs(const char* user, const char* password, int port = Server().port) {
        FtpSetDefaultPort(port);
        return FtpLogin(kHost, user, password, nullptr, 0);
    }
    std::string local;
};

TEST(FtpWithoutSession, CallsBeforeInitAndWithoutAConnectionGiveTheirCodes) {
    char buffer[300];
    struct Case {
        const char* name;
        std::function<int()> call;
        int beforeInit, withoutConnection;
    } cases[] = {
        {"Login", [] { return FtpLogin(kHost, "u", "p", nullptr, 0); }, 1002, -2},
        {"PWD", [&] { return FtpPWD(buffer, sizeof(buffer)); }, 1002, 1003},
        {"CWD", [] { return FtpCWD("logs"); }, 1002, 1003},
        {"Dir", [] { return FtpDir("", "x.ftp", FALSE, nullptr, 0); }, 1002, 1003},
        {"Recv", [] { return FtpRecvFile("a", "b", 'I', 0, nullptr, 0); }, 1002, 1003},
        {"Send", [] { return FtpSendFile("a", "b", 'I', 0, nullptr, 0); }, 1002, 1003},
        {"Close", [] { return FtpCloseConnection(); }, 1002, 1003},
        {"Port", [] { return FtpSetDefaultPort(21); }, 1002, 0},
        {"TimeOut", [] { return FtpSetDefaultTimeOut(0); }, 1002, 1000},
        {"Abort", [] { return FtpAbort(); }, 1002, 0},
        {"Passive", [] { return FtpSetPassiveMode(TRUE); }, 1002, 0},
    };
    ASSERT_EQ(FtpRelease(), 1006);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.call(), c.beforeInit);
    }
    ASSERT_EQ(FtpInit(nullptr), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.withoutConnection != -2) {
            EXPECT_EQ(c.call(), c.withoutConnection);
        }
    }
    EXPECT_EQ(FtpRelease(), 0);
    EXPECT_EQ(FtpRelease(), 1006);
}

TEST_F(FtpSession, LoginOutcomes) {
    struct Case {
        const char* user;
        const char* password;
        int port;
        int expected;
    } cases[] = {
        {"weblogs", "secret", Server().port, 0},
        {"anonymous", "", Server().port, 0},
        {"", "", Server().port, 0}, // no user name: anonymous
        {"weblogs", "wrong", Server().port, 1009},
        {"weblogs", "", Server().port, 1},
        {"weblogs", "secret", ClosedPort(), 2004},
        {"weblogs", "secret", Server().silent, 2002},
    };
    FtpSetDefaultTimeOut(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user) + "/" + c.password + " port " + std::to_string(c.port));
        EXPECT_EQ(LoginAs(c.user, c.password, c.port), c.expected);
        char folder[300];
        EXPECT_EQ(FtpPWD(folder, sizeof(folder)), c.expected == 0 ? 0 : 1003);
        if (c.expected == 0) {
            EXPECT_EQ(LoginAs(c.user, c.password, c.port), 1001);
            EXPECT_EQ(FtpCloseConnection(), 0);
        }
    }
}

TEST_F(FtpSession, CurrentFolderFollowsCwdAndSurvivesAMissingOne) {
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    char folder[300];
    ASSERT_EQ(FtpPWD(folder, sizeof(folder)), 0);
    EXPECT_STREQ(folder, "/");
    EXPECT_EQ(FtpCWD("logs"), 0);
    EXPECT_EQ(FtpCWD("missing"), 1008);
    ASSERT_EQ(FtpPWD(folder, sizeof(folder)), 0);
    EXPECT_STREQ(folder, "/logs");
    EXPECT_EQ(FtpPWD(folder, 3), 1000) << "a buffer too small for the folder";
    EXPECT_EQ(FtpCWD("/"), 0);
}

TEST_F(FtpSession, RepliesSpreadOverLinesAndPacketsAreReadWhole) {
    ASSERT_EQ(LoginAs("split", "x", Server().rogue), 0);
    char folder[300];
    ASSERT_EQ(FtpPWD(folder, sizeof(folder)), 0);
    EXPECT_STREQ(folder, "/rogue");
}

// Guards the pairing of the two listing files line by line: same entries, same order.
TEST_F(FtpSession, ListingsNameTheSameEntriesInTheSameOrder) {
    struct Case {
        const char* cwd;
        const char* pattern;
        int expected;
        std::vector<std::string> names;
    } cases[] = {
        {"/", "logs", 0, {"access1.log", "access2.log", "big.log", "error.txt", "sub"}},
        {"/", "empty", 0, {}},
        {"/", "logs/*.log", 0, {"access1.log", "access2.log", "big.log"}},
        {"/", "logs/A*.LOG", 0, {"access1.log", "access2.log"}},
        {"/", "logs/none*", 0, {}},
        {"/logs", "", 0, {"access1.log", "access2.log", "big.log", "error.txt", "sub"}},
        {"/logs", "access?.log", 0, {"access1.log", "access2.log"}},
        {"/", "missing", 1010, {}},
    };
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    for (const Case& c : cases) {
        for (BOOL passive : {TRUE, FALSE}) {
            SCOPED_TRACE(std::string(c.cwd) + " " + c.pattern + (passive ? " passive" : " active"));
            FtpSetPassiveMode(passive);
            ASSERT_EQ(FtpCWD(c.cwd), 0);
            std::string shortFile = local + "shortdir.ftp", longFile = local + "longdir.ftp";
            ASSERT_EQ(FtpDir(c.pattern, shortFile.c_str(), FALSE, nullptr, 0), c.expected);
            ASSERT_EQ(FtpDir(c.pattern, longFile.c_str(), TRUE, nullptr, 0), c.expected);
            if (c.expected != 0)
                continue;
            EXPECT_EQ(Lines(ReadBytes(shortFile)), c.names);
            std::vector<std::string> longLines = Lines(ReadBytes(longFile));
            ASSERT_EQ(longLines.size(), c.names.size());
            for (size_t i = 0; i < longLines.size(); ++i) {
                EXPECT_EQ(LastField(longLines[i]), c.names[i]);
                EXPECT_EQ(longLines[i][0], c.names[i] == "sub" ? 'd' : '-');
            }
        }
    }
}

TEST_F(FtpSession, ReceivesFilesByteForByte) {
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    for (const char* name : {"logs/big.log", "logs/access1.log"}) {
        for (BOOL passive : {TRUE, FALSE}) {
            SCOPED_TRACE(std::string(name) + (passive ? " passive" : " active"));
            FtpSetPassiveMode(passive);
            std::string target = local + "copy.log";
            ASSERT_EQ(FtpRecvFile(name, target.c_str(), 'I', 0, nullptr, 0), 0);
            std::string served = ReadBytes(ServedPath(name));
            EXPECT_TRUE(ReadBytes(target) == served);
            EXPECT_EQ(FtpBytesToBeTransferred(), long(served.size()));
        }
    }
}

TEST_F(FtpSession, AsynchronousReceivePostsProgressThenTheEnd) {
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    FtpSetPassiveMode(TRUE);
    FtpSetAsynchronousMode();
    MessageLog log;
    std::string target = local + "big.log";
    ASSERT_EQ(FtpRecvFile("logs/big.log", target.c_str(), 'I', 1, log.Window(), log.Message), 0);
    EXPECT_EQ(FtpBytesToBeTransferred(), 300000);
    ASSERT_TRUE(log.WaitForEnd(10000));
    ASSERT_GE(log.messages.size(), 2u);
    LPARAM last = 0;
    for (size_t i = 0; i + 1 < log.messages.size(); ++i) {
        EXPECT_NE(log.messages[i].first, 1u);
        EXPECT_GE(log.messages[i].second, last);
        last = log.messages[i].second;
    }
    EXPECT_EQ(last, 300000);
    EXPECT_EQ(log.messages.back().second, 0);
    EXPECT_TRUE(ReadBytes(target) == ReadBytes(ServedPath("logs/big.log")));
    // The connection is free again for the next file.
    EXPECT_EQ(FtpRecvFile("logs/access2.log", target.c_str(), 'I', 1, log.Window(), log.Message),
              0);
    ASSERT_TRUE(ovtest::WaitUntil(
        [&] {
            return log.messages.back() == std::make_pair(WPARAM(1), LPARAM(0)) &&
                   ReadBytes(target).size() == 134;
        },
        10000));
}

TEST_F(FtpSession, ReceiveResumesBehindAShorterLocalHeadOnly) {
    const std::string big = ReadBytes(ServedPath("logs/big.log"));
    // The head is marked: a resumed receive leaves it as it was.
    std::string markedHead = "#" + big.substr(1, 99999);
    struct Case {
        const char* name;
        std::string before, after;
    } cases[] = {
        {"shorter head: only the tail is fetched", markedHead, markedHead + big.substr(100000)},
        {"longer than the remote file: fetched whole", big + "old tail", big},
        // Guards against extending a copy of another (rotated) log with this one's tail.
        {"a head whose end differs: fetched whole", big.substr(0, 99999) + "#", big},
        {"empty: fetched whole", "", big},
    };
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    FtpSetPassiveMode(TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string target = local + "resume.log";
        ASSERT_TRUE(WriteBytes(target, c.before));
        ASSERT_EQ(FtpRecvFile("logs/big.log", target.c_str(), 'I', 0, nullptr, 0), 0);
        EXPECT_TRUE(ReadBytes(target) == c.after);
    }
}

// Guards against emptying a good local copy before the server sends the file.
TEST_F(FtpSession, AMissingRemoteFileLeavesTheLocalCopyAlone) {
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    std::string kept = local + "kept.log", fresh = local + "fresh.log";
    ASSERT_TRUE(WriteBytes(kept, "good copy"));
    EXPECT_EQ(FtpRecvFile("logs/missing.log", kept.c_str(), 'I', 0, nullptr, 0), 1010);
    EXPECT_EQ(ReadBytes(kept), "good copy");
    EXPECT_EQ(FtpRecvFile("logs/missing.log", fresh.c_str(), 'I', 0, nullptr, 0), 1010);
    EXPECT_FALSE(FileExists(fresh));
    char folder[300];
    EXPECT_EQ(FtpPWD(folder, sizeof(folder)), 0) << "the session goes on";
}

TEST_F(FtpSession, SendsFilesByteForByte) {
    std::string payload;
    for (int i = 0; i < 200000; ++i)
        payload += char(i * 13 % 256);
    std::string source = local + "report.bin";
    ASSERT_TRUE(WriteBytes(source, payload));
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    int n = 0;
    for (BOOL passive : {TRUE, FALSE}) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(std::string(passive ? "passive" : "active") + (async ? " async" : ""));
            FtpSetPassiveMode(passive);
            async ? FtpSetAsynchronousMode() : FtpSetSynchronousMode();
            MessageLog log;
            std::string remote = "upload/sent" + std::to_string(++n) + ".bin";
            ASSERT_EQ(
                FtpSendFile(source.c_str(), remote.c_str(), 'I', 1, log.Window(), log.Message), 0);
            EXPECT_EQ(FtpBytesToBeTransferred(), 200000);
            if (async) {
                ASSERT_TRUE(log.WaitForEnd(10000));
                EXPECT_EQ(log.messages.back().second, 0);
            }
            EXPECT_TRUE(
                ovtest::WaitUntil([&] { return ReadBytes(ServedPath(remote)) == payload; }, 5000));
        }
    }
    FtpSetSynchronousMode();
    EXPECT_EQ(FtpSendFile((local + "no such file").c_str(), "upload/x", 'I', 0, nullptr, 0), 1004);
    EXPECT_EQ(FtpCloseConnection(), 0);
    ASSERT_EQ(LoginAs("anonymous", ""), 0);
    EXPECT_EQ(FtpSendFile(source.c_str(), "upload/anon.bin", 'I', 0, nullptr, 0), 1011);
}

TEST_F(FtpSession, MisbehavingServersEndWithinTheTimeOut) {
    struct Case {
        const char* user;
        std::function<int(const std::string&)> call;
        int expected;
    } cases[] = {
        {"close",
         [](const std::string& to) { return FtpRecvFile("f", to.c_str(), 'I', 0, nullptr, 0); },
         2003},
        {"stall",
         [](const std::string& to) { return FtpRecvFile("f", to.c_str(), 'I', 0, nullptr, 0); },
         2007},
        {"mute",
         [](const std::string&) {
             char folder[300];
             return FtpPWD(folder, sizeof(folder));
         },
         2007},
    };
    FtpSetDefaultTimeOut(2);
    FtpSetPassiveMode(TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        ASSERT_EQ(LoginAs(c.user, "x", Server().rogue), 0);
        DWORD start = GetTickCount();
        EXPECT_EQ(c.call(local + c.user + ".log"), c.expected);
        EXPECT_LT(GetTickCount() - start, 4000u);
        // Guards against a late reply answering the next command.
        EXPECT_EQ(FtpCWD("/"), 1003) << "the broken connection is closed";
    }
}

// A passive reply that named another host used to send the data
// connection there; a 550 after a file's data used to end the session.
TEST_F(FtpSession, PassiveRepliesAndRefusedFilesKeepToTheServer) {
    FtpSetPassiveMode(TRUE);
    ASSERT_EQ(LoginAs("elsewhere", "x", Server().rogue), 0);
    std::string target = local + "f.log";
    EXPECT_EQ(FtpRecvFile("f.log", target.c_str(), 'I', 0, nullptr, 0), 0)
        << "the data connection went where the reply pointed";
    EXPECT_EQ(long(ReadBytes(target).size()), FtpBytesToBeTransferred());
    EXPECT_EQ(FtpCloseConnection(), 0);

    ASSERT_EQ(LoginAs("refuse", "x", Server().rogue), 0);
    EXPECT_EQ(FtpRecvFile("b.log", (local + "b.log").c_str(), 'I', 0, nullptr, 0), 1010);
    EXPECT_EQ(FtpRecvFile("c.log", (local + "c.log").c_str(), 'I', 0, nullptr, 0), 0)
        << "the session goes on";
    EXPECT_EQ(long(ReadBytes(local + "c.log").size()), FtpBytesToBeTransferred());
}

// Logs in to the misbehaving server as user and starts an asynchronous receive.
void StartRogueReceive(const char* user, int timeOut, const std::string& target, MessageLog& log) {
    FtpSetDefaultTimeOut(timeOut);
    FtpSetPassiveMode(TRUE);
    FtpSetDefaultPort(Server().rogue);
    ASSERT_EQ(FtpLogin(kHost, user, "x", nullptr, 0), 0);
    FtpSetAsynchronousMode();
    ASSERT_EQ(FtpRecvFile("f", target.c_str(), 'I', 1, log.Window(), log.Message), 0);
}

TEST_F(FtpSession, AbortEndsARunningTransfer) {
    MessageLog log;
    ASSERT_NO_FATAL_FAILURE(StartRogueReceive("stall", 30, local + "stalled.log", log));
    ASSERT_TRUE(ovtest::WaitUntil([&] { return !log.messages.empty(); }, 5000));
    EXPECT_EQ(log.messages.front(), std::make_pair(WPARAM(0), LPARAM(1000)));
    char folder[300];
    EXPECT_EQ(FtpPWD(folder, sizeof(folder)), 1013) << "the transfer owns the connection";
    DWORD start = GetTickCount();
    EXPECT_EQ(FtpAbort(), 0);
    EXPECT_LT(GetTickCount() - start, 3000u);
    ASSERT_TRUE(log.WaitForEnd(3000));
    EXPECT_EQ(log.messages.back().second, -1);
    EXPECT_EQ(FtpPWD(folder, sizeof(folder)), 0) << "the session goes on after an abort";
    EXPECT_EQ(FtpCloseConnection(), 0);
}

TEST_F(FtpSession, AnAsynchronousReceiveThatBreaksEndsWithItsCode) {
    MessageLog log;
    ASSERT_NO_FATAL_FAILURE(StartRogueReceive("close", 2, local + "cut.log", log));
    ASSERT_TRUE(log.WaitForEnd(4000));
    EXPECT_EQ(log.messages.back().second, 2003);
    EXPECT_EQ(FtpCloseConnection(), 1003);
}

TEST_F(FtpSession, LastReleaseEndsAnOpenSessionAndSaysSo) {
    ASSERT_EQ(LoginAs("weblogs", "secret"), 0);
    EXPECT_EQ(FtpRelease(), 1007);
    ASSERT_EQ(FtpInit(nullptr), 0);
    EXPECT_EQ(FtpCWD("/"), 1003);
}

} // namespace
