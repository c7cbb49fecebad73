// Log paths, source prefixes and the profile list's probes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/engine_state.h"
#include "logread_fixtures.h"
#include "msgbox_watcher.h"
#include "ovcore/ovcore.h"
#include "temp_install.h"

namespace {

// 5 March 1999, 14:30:15 local time.
time_t March5() {
    struct tm t = {};
    t.tm_year = 99;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 30;
    t.tm_sec = 15;
    t.tm_isdst = -1;
    return mktime(&t);
}

std::string Normalized(const std::string& path, const char* base, DWORD size = MAX_PATH) {
    char buffer[MAX_PATH + 40];
    lstrcpynA(buffer, path.c_str(), sizeof(buffer));
    NormalizeLogPathAt(buffer, size, base, March5());
    return buffer;
}

struct PathCase {
    const char* path;
    const char* base;
    const char* expected;
};

TEST(NormalizeLogPath, RelativePathsAndDateVariables) {
    const PathCase cases[] = {
        {"..\\logs\\a.log", "C:\\prog\\data\\", "C:\\prog\\logs\\a.log"},
        {"../logs/a.log", "C:/prog/data", "C:/prog/logs/a.log"},
        {".\\a.log", "C:\\prog\\data\\", "C:\\prog\\data\\a.log"},
        {"./a.log", "D:\\", "D:\\a.log"},
        {"..\\a.log", "C:", "C:a.log"},
        {"C:\\logs\\a.log", "C:\\prog\\", "C:\\logs\\a.log"},
        {"..\\a.log", nullptr, "..\\a.log"}, // nothing to resolve against
        {"ex%yy%%mm%%dd%.log", nullptr, "ex990305.log"},
        {"%date-1%ex%yy%%mm%%dd%.log", nullptr, "ex990304.log"},
        {"%DATE-31%%yyyy%-%Month%-%Day%", nullptr, "1999-02-02"},
        {"%hour%%minute%%second%", nullptr, "143015"},
        {"%Mon% %mon% %MON% %MoN%", nullptr, "Mar mar MAR Mar"},
        {"%date-10%%ymonth%%yday%%yyear%", nullptr, "030499"}, // yesterday ignores date-N
        {"%foo%", nullptr, "%foo%"},
        {"%foo%yy%", nullptr, "%foo99"}, // the closing % may open the next variable
        {"100%\\%date-x%\\a.log", nullptr, "100%\\%date-x%\\a.log"},
        {"a%", nullptr, "a%"},
        {"..\\%yy%\\a.log", "C:\\w\\d\\", "C:\\w\\99\\a.log"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Normalized(c.path, c.base), c.expected);
    }
}

// The rewritten path used to be copied back without any bound.
TEST(NormalizeLogPath, ResultThatWouldNotFitLeavesThePathUnchanged) {
    std::string base = "C:\\" + std::string(250, 'b') + "\\";
    char buffer[MAX_PATH + 40];
    memset(buffer, '#', sizeof(buffer));
    strcpy(buffer, ".\\logs\\access.log");
    EXPECT_STREQ(NormalizeLogPath(buffer, base.c_str()), ".\\logs\\access.log");
    for (size_t i = strlen(buffer) + 1; i < sizeof(buffer); i++)
        ASSERT_EQ(buffer[i], '#') << "written at " << i;

    EXPECT_EQ(Normalized(".\\a.log", "C:\\data\\", 12), ".\\a.log");
    EXPECT_EQ(Normalized(".\\a.log", "C:\\data\\", 15), "C:\\data\\a.log");
    EXPECT_FALSE(NormalizeLogPathAt(nullptr, MAX_PATH, "C:\\", March5()));
}

TEST(LogPrefix, CodesAndPrefixes) {
    EXPECT_STREQ(LogProtocolToPrefix(0), "file:///");
    EXPECT_STREQ(LogProtocolToPrefix(1), "ftp://");
    EXPECT_STREQ(LogProtocolToPrefix(2), "http://");
    EXPECT_STREQ(LogProtocolToPrefix(4), "odbc:");
    EXPECT_STREQ(LogProtocolToPrefix(3), "unkProtocol://");
    EXPECT_EQ(LogPrefixToProtocol("ODBC:dsn"), 4u);
    EXPECT_EQ(LogPrefixToProtocol("Http://h/"), 2u);
    EXPECT_EQ(LogPrefixToProtocol("ftp://h/"), 1u);
    EXPECT_EQ(LogPrefixToProtocol("file:///C|/a"), 0u);
    EXPECT_EQ(LogPrefixToProtocol("C:\\a.log"), 0u);
    EXPECT_STREQ(SkipLogPrefix("FTP://h/a.log"), "h/a.log");
    EXPECT_STREQ(SkipLogPrefix("odbc:dsn"), "dsn");
    EXPECT_STREQ(SkipLogPrefix("C:\\a.log"), "C:\\a.log");
}

struct UrlCase {
    const char* source;
    int code;
    const char* host;
    int port;
    const char* path;
};

TEST(ParseUrlSource, SplitsEveryKindOfSource) {
    const UrlCase cases[] = {
        {"ftp://host:2121/logs/a.log", 1, "host", 2121, "/logs/a.log"},
        {"ftp://host/logs/a.log", 1, "host", 21, "/logs/a.log"},
        {"http://www.example.com", 2, "www.example.com", 80, "/"},
        {"HTTP://h\\logs\\a.log", 2, "h", 80, "\\logs\\a.log"},
        {"file:///C|/logs/a.log", 0, "", 0, "C:\\logs\\a.log"},
        {"file:///C:/logs/a.log", 0, "", 0, "C:/logs/a.log"},
        {"C:\\logs\\a.log", 0, "", 0, "C:\\logs\\a.log"},
        {"\\\\srv\\share\\a.log", 0, "", 0, "\\\\srv\\share\\a.log"},
        {"..\\a.log", 0, "", 0, "..\\a.log"},
        {"odbc:DSN=web;UID=a", 4, "", 0, "odbc:DSN=web;UID=a"},
        {"logs/a.log", 0, "", 0, "/a.log"},
        {"a.log", 0, "", 0, "/"},
    };
    for (const UrlCase& c : cases) {
        SCOPED_TRACE(c.source);
        char path[300] = "x", host[100] = "x";
        int port = -1;
        EXPECT_EQ(ParseUrlSource(path, sizeof(path), c.source, host, sizeof(host), &port), c.code);
        EXPECT_STREQ(host, c.host);
        EXPECT_EQ(port, c.port);
        EXPECT_STREQ(path, c.path);
    }
}

TEST(ParseUrlSource, PartsTooLongForTheirBuffersAreRefused) {
    char path[8], host[8];
    EXPECT_EQ(
        ParseUrlSource(path, sizeof(path), "ftp://averylonghost/a", host, sizeof(host), nullptr),
        -1);
    EXPECT_STREQ(host, "");
    EXPECT_EQ(ParseUrlSource(path, sizeof(path), "C:\\logs\\a.log", nullptr, 0, nullptr), -1);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(ParseUrlSource(path, sizeof(path), "ftp://h/a.log", nullptr, 0, nullptr), 1);
    EXPECT_STREQ(path, "/a.log");
}

// A profile whose logs lie in a throw-away install's data folder.
class ProfileProbeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = Engine_State().dataFolder;
        lstrcpynA(Engine_State().dataFolder, install_.Data().c_str(), MAX_PATH);
        profile_ = AnalysisProfile_New();
        ASSERT_NE(profile_, nullptr);
        strcpy(profile_->BaseName, "probe");
        strcpy(profile_->Extension, "wlp");
        strcpy(profile_->Description, "Probe title");
    }
    void TearDown() override {
        EXPECT_TRUE(errors_.texts.empty());
        EXPECT_EQ(boxes_.Count(), 0u);
        AnalysisProfile_Free(profile_);
        lstrcpynA(Engine_State().dataFolder, saved_.c_str(), MAX_PATH);
    }
    void AddServer(DWORD protocol, const std::string& path) {
        ServerList_SetProtocol(&profile_->Servers, protocol);
        ServerList_AddServer(&profile_->Servers, "LocalMachine", path.c_str(), "", "");
    }
    std::string WriteLog(const std::string& name, const std::string& bytes) {
        ovtest::WriteFileBytes(install_.Path(name), bytes);
        return install_.Path(name);
    }

    ovtest::MsgBoxWatcher boxes_;
    logtest::ErrorRecorder errors_;
    logtest::LogInstall install_;
    AnalysisProfile* profile_ = nullptr;
    std::string saved_;
};

std::vector<std::string> g_titles;
int CALLBACK RecordTitle(const char* title) {
    g_titles.push_back(title);
    return 1;
}

TEST_F(ProfileProbeTest, PlainLogsGiveTimesSizeAndThePlainFlag) {
    AddServer(0, WriteLog("a.log", logtest::CommonLog(3, 100, 3600)));
    profile_->SourceFlags = 0;
    g_titles.clear();
    EXPECT_EQ(LogFastRefresh(profile_, nullptr, 0, RecordTitle), 1);
    EXPECT_EQ(g_titles, std::vector<std::string>{"Probe title"});
    EXPECT_EQ(profile_->LogInfoValid, 1);
    EXPECT_EQ(profile_->FirstLogTime, logtest::kDay + 100);
    EXPECT_EQ(profile_->LastLogTime, logtest::kDay + 100 + 2 * 3600);
    EXPECT_EQ(profile_->LogSizeKB, 1u);
    EXPECT_EQ(profile_->SourceFlags, SOURCE_PLAIN);
}

TEST_F(ProfileProbeTest, OldestAndNewestFilesGiveTheRange) {
    std::string older = WriteLog("old.log", logtest::CommonLog(2, 0, 60));
    std::string newer = WriteLog("new.log", logtest::CommonLog(2, 86400, 60));
    HANDLE f =
        CreateFileA(older.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME early = {0x10000000, 0x01C00000};
    SetFileTime(f, nullptr, nullptr, &early);
    CloseHandle(f);
    AddServer(0, install_.Path("*.log"));
    LogFastRefresh(profile_, nullptr, 0, nullptr);
    EXPECT_EQ(profile_->LogInfoValid, 1);
    EXPECT_EQ(profile_->FirstLogTime, logtest::kDay);
    EXPECT_EQ(profile_->LastLogTime, logtest::kDay + 86400 + 60);
    (void)newer;
}

TEST_F(ProfileProbeTest, ArchivesAndRemoteSourcesAreNotMeasured) {
    struct Case {
        DWORD protocol;
        bool gzip;
        WORD flag;
    } cases[] = {{0, true, SOURCE_GZIP}, {1, false, SOURCE_FTP}, {2, false, SOURCE_HTTP}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        ServerList_FreeContents(&profile_->Servers);
        std::string log = logtest::CommonLog(3, 0, 60);
        std::string path = c.gzip ? WriteLog("a.gz", logtest::GzipBytes(log))
                                  : (c.protocol == 1 ? "ftp://h/a.log" : "http://h/a.log");
        AddServer(c.protocol, path);
        profile_->SourceFlags = 0;
        profile_->LogInfoValid = 1;
        LogFastRefresh(profile_, nullptr, 0, nullptr);
        EXPECT_EQ(profile_->LogInfoValid, 0);
        EXPECT_EQ(profile_->SourceFlags, c.flag);
    }
}

TEST_F(ProfileProbeTest, MissingLogsAreNotPresentAndTheDatabaseWidensTheRange) {
    AddServer(0, install_.Path("none.log"));
    profile_->SourceFlags = SOURCE_PLAIN;
    profile_->FirstLogTime = 5000;
    profile_->LastLogTime = 6000;
    profile_->DatabaseFirstTime = 4000;
    profile_->DatabaseLastTime = 5500;
    LogFastRefresh(profile_, nullptr, 0, nullptr);
    EXPECT_EQ(profile_->LogInfoValid, 0);
    EXPECT_EQ(profile_->SourceFlags, SOURCE_PLAIN);
    EXPECT_EQ(profile_->FirstLogTime, 4000u);
    EXPECT_EQ(profile_->LastLogTime, 6000u);
    EXPECT_EQ(GetLogDateFormat(), 0u);
}

TEST_F(ProfileProbeTest, WalkLoadsEveryProfileOnceThenStartsAgain) {
    AnalysisProfile* loaded[1] = {profile_};
    AddServer(0, "C:\\a.log");
    ASSERT_TRUE(WriteOrbisFile(install_.Data().append("probe.wlp").c_str(), profile_));
    strcpy(profile_->Description, "Second");
    ASSERT_TRUE(WriteOrbisFile(install_.Data().append("second.wlp").c_str(), profile_));
    // A profile file that cannot be opened is passed over.
    ovtest::WriteFileBytes(install_.Data() + "locked.wlp", "");
    HANDLE locked = CreateFileA((install_.Data() + "locked.wlp").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    profile_->LogInfoValid = 1;
    profile_->FirstLogTime = 111;
    profile_->LastLogTime = 222;
    profile_->LogSizeKB = 7;
    for (int pass = 0; pass < 2; pass++) {
        SCOPED_TRACE(pass);
        std::vector<std::string> names;
        while (AnalysisProfile* p = LogGetNextProfile(loaded, 1, 0)) {
            names.push_back(p->BaseName);
            bool same = strcmp(p->BaseName, "probe") == 0;
            EXPECT_EQ(p->LogInfoValid, same ? 1 : 0);
            EXPECT_EQ(p->FirstLogTime, same ? 111u : 0u);
            EXPECT_EQ(p->LastLogTime, same ? 222u : 0u);
            EXPECT_EQ(p->LogSizeKB, same ? 7u : 0u);
            AnalysisProfile_Free(p);
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"probe", "second"}));
    }
    CloseHandle(locked);
}

} // namespace
