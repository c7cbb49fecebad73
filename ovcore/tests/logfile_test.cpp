#include "logread_fixtures.h"
#include "engine_settings_edit.h"
#include <gtest/gtest.h>

using namespace logtest;

namespace {

class LogFileTest : public ::testing::Test {
  protected:
    LogInstall install;
    LogFile* file = LogFile_New();
    ~LogFileTest() override {
        LogFile_Free(file);
        EngineSettings_Reset();
    }
    std::string Write(const std::string& bytes) {
        install.Write("logs\\t.log", bytes);
        return install.Path("logs\\t.log");
    }
    void Open(const std::string& bytes) {
        LogFile_Close(file);
        ASSERT_TRUE(LogFile_Open(file, Write(bytes).c_str(), 0, LOGFILE_SEQUENTIAL));
    }
};

TEST_F(LogFileTest, ReopenEveryFewBytesReadsTheSameRecords) {
    std::string log = CommonLog(150, 0, 13); // about 10 KB
    Open(log);
    std::vector<Hit> single = ReadFileHits(file);
    ASSERT_EQ(150u, single.size());
    EditEngineSettings([](EngineSettings& s) { s.defaults.logFileReloadSize = 1000; });
    Open(log);
    EXPECT_EQ(1000u, file->dwReloadSize);
    EXPECT_EQ(single, ReadFileHits(file));
}

// A W3C log whose fields change mid-file keeps the changed map over the reopen.
TEST_F(LogFileTest, ReopenKeepsTheCurrentW3CFields) {
    std::string log = "#Software: test\n#Fields: date time c-ip cs-method cs-uri-stem sc-status\n";
    for (int i = 0; i < 40; i++)
        log += "1999-10-10 00:00:" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
               " 10.0.0.1 GET /a" + std::to_string(i) + ".html 200\n";
    log += "#Fields: date time cs-method cs-uri-stem sc-status c-ip\n";
    for (int i = 0; i < 40; i++)
        log += "1999-10-10 00:01:" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
               " GET /b" + std::to_string(i) + ".html 404 10.0.0.2\n";
    Open(log);
    std::vector<Hit> single = ReadFileHits(file);
    ASSERT_EQ(80u, single.size());
    EXPECT_EQ("/b39.html", single.back().url);
    EXPECT_EQ(404u, single.back().status);
    EditEngineSettings([](EngineSettings& s) { s.defaults.logFileReloadSize = 500; });
    Open(log);
    EXPECT_EQ(single, ReadFileHits(file));
}

TEST_F(LogFileTest, FirstAndLastRecords) {
    Open("");
    HitRecord* r = nullptr;
    ULONGLONG at = 0;
    EXPECT_FALSE(LogFile_ReadFirstRecord(file, &r, &at));
    EXPECT_EQ(nullptr, r);

    std::string log = CommonLog(3, 0, 60);
    std::string tail = CommonLine(1, 999, "/tail.html");
    tail.pop_back(); // the last line needs no line end
    std::string header = "format=%Ses->client.ip%\n\n";
    Open(header + log + tail);
    ASSERT_TRUE(LogFile_ReadFirstRecord(file, &r, &at));
    EXPECT_EQ(kDay, r->dwTime);
    HitRecord_Free(r);
    ASSERT_TRUE(LogFile_ReadLastRecord(file, &r, &at));
    EXPECT_EQ(kDay + 999, r->dwTime);
    EXPECT_EQ(at, header.size() + log.size());
    HitRecord_Free(r);
    Open(header + log + "\n  \n");
    ASSERT_TRUE(LogFile_ReadLastRecord(file, &r, &at));
    EXPECT_EQ(kDay + 120, r->dwTime);
    EXPECT_EQ(at, header.size() + log.size() - CommonLine(1, 120, "/p2.html").size());
    HitRecord_Free(r);
}

TEST_F(LogFileTest, LineStartsBeforeEveryPosition) {
    std::string log = "\r\n" + CommonLog(40, 0, 1) + "\n\nshort\r\n" + CommonLog(40, 0, 1) + "\n";
    Open(log);
    for (ULONGLONG p = 0; p <= log.size() + 3; p++) {
        ULONGLONG s = FindLineStartBefore(file, p);
        SCOPED_TRACE(p);
        ASSERT_LE(s, p);
        ASSERT_TRUE(s == 0 || log[s - 1] == '\n' || log[s - 1] == '\r');
    }
}

// Bisection on a large file: the byte range of a time range covers exactly
// the records of that range, and starts and ends on line boundaries.
TEST_F(LogFileTest, TimeRangeByBisection) {
    const int lines = 60000; // about 4 MB, one record every 2 s
    std::string log = CommonLog(lines, 0, 2);
    Open(log);
    std::vector<size_t> starts;
    for (size_t p = 0; p < log.size(); p = log.find('\n', p) + 1)
        starts.push_back(p);
    struct Case {
        DWORD start, end;
        int first, last; // record indexes, -1: no range
    } cases[] = {
        {0, 0xFFFFFFFF, 0, lines - 1},
        {kDay + 1001, kDay + 50001, 501, 25000},
        {kDay + 1000, kDay + 1000, 500, 500},
        {kDay + 3, kDay + 3, -1, -1},
        {kDay - 100, kDay + 3, 0, 1},
        {kDay + 119990, kDay + 200000, 59995, lines - 1},
        {0, kDay - 1, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start - kDay);
        ULONGLONG first = 0, last = 0;
        DWORD firstTime = 0, lastTime = 0;
        BOOL ok = LogFile_FindTimeRange(file, c.start, c.end, &first, &last, &firstTime, &lastTime,
                                        nullptr, nullptr);
        if (c.first < 0) {
            EXPECT_FALSE(ok);
            continue;
        }
        ASSERT_TRUE(ok);
        EXPECT_EQ(starts[c.first], first);
        EXPECT_EQ(c.last + 1 < lines ? starts[c.last + 1] : log.size(), last);
        EXPECT_EQ(kDay + 2 * c.first, firstTime);
        EXPECT_EQ(kDay + 2 * c.last, lastTime);
    }
}

BOOL CALLBACK PollFlag(void* flag) {
    return *(BOOL*)flag;
}

TEST_F(LogFileTest, CancelStopsTheTimeRange) {
    Open(CommonLog(10, 0, 1));
    BOOL stop = TRUE;
    ULONGLONG a, b;
    DWORD x, y;
    EXPECT_FALSE(LogFile_FindTimeRange(file, 0, 0xFFFFFFFF, &a, &b, &x, &y, &stop, PollFlag));
}

} // namespace
