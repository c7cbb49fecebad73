#include "logread_fixtures.h"
#include "msgbox_watcher.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string.h>

using namespace logtest;

namespace {

class FileInfoTest : public ::testing::Test {
  protected:
    LogInstall install;
    FileInfo* info = FileInfo_New();
    ~FileInfoTest() override { FileInfo_Free(info); }
    std::string Write(const std::string& name, const std::string& bytes) {
        install.Write("logs\\" + name, bytes);
        return install.Path("logs\\" + name);
    }
    void AddServer(const std::string& pathText) {
        FileInfo_AddServerPath(nullptr, "site.wlp", nullptr, nullptr, 0, pathText.c_str(), info,
                               TRUE, nullptr);
    }
};

TEST_F(FileInfoTest, FilesOfServersMergeInTimeOrder) {
    // Server 0: two files, interleaved; server 1: one file with equal times.
    std::string a = CommonLog(50, 0, 4), b = CommonLog(50, 2, 4, 2), c = CommonLog(30, 0, 8, 3);
    Write("b.log", b);
    AddServer(Write("a.log", a) + "|b.log");
    AddServer(Write("c.log", c));
    ASSERT_EQ(3, FileInfo_GetFileCount(info));
    EXPECT_EQ(2, FileInfo_GetServerCount(info));
    EXPECT_EQ(1, FileInfo_GetFileServer(info, 2));

    std::vector<Hit> hits = ReadAllHits(info);
    ASSERT_EQ(130u, hits.size());
    for (size_t i = 1; i < hits.size(); i++)
        ASSERT_LE(hits[i - 1].time, hits[i].time) << i;
    // On equal times the current file goes on: a's first record, then c's.
    EXPECT_EQ(0, hits[0].server);
    EXPECT_EQ("/p0.html", hits[0].url);
    EXPECT_EQ(1, hits[1].server);
    EXPECT_EQ(130u, FileInfo_GetRecordCount(info));
}

TEST_F(FileInfoTest, TimeRangeLimitsTheMergedHits) {
    Write("b.log", CommonLog(100, 5, 10));
    AddServer(Write("a.log", CommonLog(100, 0, 10)) + "|b.log");
    std::vector<Hit> hits = ReadAllHits(info, kDay + 100, kDay + 199);
    ASSERT_EQ(20u, hits.size());
    EXPECT_EQ(kDay + 100, hits.front().time);
    EXPECT_EQ(kDay + 195, hits.back().time);
    EXPECT_TRUE(ReadAllHits(info, kDay + 5000, kDay + 6000).empty()); // all outside: skipped
}

// A range that starts after a "#Fields:" change is read with the changed
// columns, as reading the file from its start would.
TEST_F(FileInfoTest, RangeInsideW3CFileUsesTheFieldsInForceThere) {
    auto line = [](int i, const std::string& rest) {
        char clock[16];
        sprintf(clock, "%02d:%02d:%02d", i / 3600, i / 60 % 60, i % 60);
        return "1999-10-10 " + std::string(clock) + " " + rest + "\n";
    };
    std::string log = "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n";
    for (int i = 0; i < 100; i++)
        log += line(i * 10, "10.0.0.1 GET /a" + std::to_string(i) + ".html 200");
    log += "#Date: 1999-10-10 00:20:00\n#Fields: date time cs-method cs-uri-stem sc-status c-ip\n";
    for (int i = 100; i < 200; i++)
        log += line(i * 10, "GET /b" + std::to_string(i) + ".html 404 10.0.0.2");
    AddServer(Write("ex.log", log));
    std::vector<Hit> hits = ReadAllHits(info, kDay + 1500, kDay + 1790);
    ASSERT_EQ(30u, hits.size());
    EXPECT_EQ("/b150.html", hits.front().url);
    EXPECT_EQ(404u, hits.front().status);
    EXPECT_EQ("/b179.html", hits.back().url);
    // A range across the change reads both sides.
    hits = ReadAllHits(info, kDay + 950, kDay + 1010);
    ASSERT_EQ(7u, hits.size());
    EXPECT_EQ("/a95.html", hits.front().url);
    EXPECT_EQ("/b101.html", hits.back().url);
}

// Files whose every record must reach the report: a stretch longer than the
// reader's 100,000-byte search window holds no record, yet the file goes on
// after it; a UTF-8 mark may stand before the first line.
TEST_F(FileInfoTest, EveryRecordOfTheFileIsRead) {
    const std::string three = CommonLog(3, 0, 1), later = CommonLog(3, 10, 1);
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        const char* name;
        std::string log;
        size_t hits;
        DWORD start; // of the time range
    } cases[] = {
        {"over-long line", three + std::string(120000, 'z') + "\n" + later, 6},
        {"blank lines and blanks",
         three + std::string(60000, '\n') + std::string(60000, ' ') + later, 6},
        {"UTF-8 mark, common log", bom + three, 3},
        {"UTF-8 mark, W3C fields",
         bom + "#Fields: date time c-ip cs-method cs-uri-stem sc-status\r\n"
               "1999-10-10 13:55:36 1.2.3.4 GET /a 200\r\n",
         1},
        {"UTF-8 mark, W3C date in force at the range start",
         bom +
             "#Date: 1999-10-10 00:00:00\n#Fields: time c-ip\n13:55:36 1.2.3.4\n14:00:00 5.6.7.8\n",
         1, kDay + 14 * 3600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FileInfo_Clear(info);
        AddServer(Write("one.log", c.log));
        EXPECT_EQ(c.hits, ReadAllHits(info, c.start).size());
    }
}

// The texts of a handed-out record that a report uses.
std::string RecordText(const HitRecord* r) {
    return std::string(r->szClientAddr) + "|" + r->lpszUserName + "|" + r->lpszMethod + "|" +
           r->lpszUrl + "|" + r->lpszProtocol + "|" + std::to_string(r->dwStatus) + "|" +
           std::to_string(r->dwBytes) + "|" + r->lpszReferrer + "|" + r->lpszUserAgent + "|" +
           std::to_string(r->dwTime - kDay);
}

// Records freed on the report road come back for later lines: a record
// handed out after a freed one holds nothing of it, and records kept by the
// caller stay intact while the reading goes on.
TEST_F(FileInfoTest, HandedOutRecordsAreIndependent) {
    const std::string query(200, 'q'), stem(150, 's');
    struct Case {
        const char* name;
        std::string log;
        std::vector<std::string> records;
    } cases[] = {
        {"common and combined lines",
         "1.2.3.4 - bob [10/Oct/1999:13:55:36 +0000] \"GET /" + stem + "?" + query +
             " HTTP/1.0\" 200 100 \"http://ref/\" \"Agent/1\"\n"
             "5.6.7.8 - - [10/Oct/1999:13:55:37 +0000] \"GET /b HTTP/1.0\" 304 -\n"
             "9.9.9.9 - - [10/Oct/1999:13:55:38 +0000] \"HEAD /c HTTP/1.1\" 200 5 \"-\" "
             "\"Agent/3\"\n",
         {"1.2.3.4|bob|GET|/" + stem + "?" + query.substr(0, 104) +
              "...|HTTP/1.0|200|100|http://ref/|Agent/1|50136",
          "5.6.7.8||GET|/b|HTTP/1.0|304|0|||50137",
          "9.9.9.9||HEAD|/c|HTTP/1.1|200|5||Agent/3|50138"}},
        {"W3C lines whose URL is written behind the line",
         "#Fields: date time c-ip cs-uri-stem cs-uri-query sc-status\n"
         "1999-10-10 13:55:36 1.2.3.4 /" +
             stem + " " + query +
             " 200\n"
             "1999-10-10 13:55:37 5.6.7.8 /b - 404\n"
             "1999-10-10 13:55:38 9.9.9.9 /" +
             stem + " x=1 200\n",
         {"1.2.3.4||GET|/" + stem + "?" + query.substr(0, 104) + "...|HTTP/1.0|200|0|||50136",
          "5.6.7.8||GET|/b|HTTP/1.0|404|0|||50137",
          "9.9.9.9||GET|/" + stem + "?x=1|HTTP/1.0|200|0|||50138"}},
    };
    for (const Case& c : cases)
        for (bool keep : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (keep ? ", all kept" : ", each freed"));
            FileInfo_Clear(info);
            AddServer(Write("one.log", c.log));
            ASSERT_GT(FileInfo_Open(0, info, 0, 0xFFFFFFFF, nullptr, nullptr, nullptr), 0);
            std::vector<HitRecord*> kept;
            std::vector<std::string> texts;
            HitRecord* r = nullptr;
            while (FileInfo_ReadNext(nullptr, info, &r) == LOGREAD_RECORD) {
                texts.push_back(RecordText(r));
                if (keep)
                    kept.push_back(r);
                else
                    HitRecord_Free(r);
            }
            FileInfo_CloseAll(info);
            EXPECT_EQ(c.records, texts);
            for (size_t i = 0; i < kept.size(); ++i) {
                EXPECT_EQ(c.records[i], RecordText(kept[i]));
                HitRecord_Free(kept[i]);
            }
        }
}

TEST_F(FileInfoTest, PatternsFindEachFileOnce) {
    Write("a1.log", CommonLog(2, 0, 1));
    Write("a2.log", CommonLog(2, 0, 1));
    Write("b.log", CommonLog(2, 0, 1));
    std::string folder = install.Path("logs\\");
    AddServer(folder + "a*.log|b.log|a1.log");
    EXPECT_EQ(3, FileInfo_GetFileCount(info));
    EXPECT_TRUE(FileInfo_FindFile(info, (folder + "B.LOG").c_str()));
    // The same files through another server and another case are not added again.
    std::string upper = folder + "A1.LOG";
    AddServer(upper);
    EXPECT_EQ(3, FileInfo_GetFileCount(info));
}

TEST_F(FileInfoTest, OverlapWithTolerance) {
    // File 1 runs 09:00-12:00:00; file 2 starts at 10:45:00 (no overlap) or 10:44:59.
    struct Case {
        DWORD secondStart;
        BOOL overlap;
    } cases[] = {{10 * 3600 + 45 * 60, FALSE}, {10 * 3600 + 44 * 60 + 59, TRUE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondStart);
        FileInfo_Clear(info);
        Write("two.log", CommonLine(1, c.secondStart, "/c") + CommonLine(1, 13 * 3600, "/d"));
        std::string one =
            Write("one.log", CommonLine(1, 9 * 3600, "/a") + CommonLine(1, 12 * 3600, "/b"));
        AddServer(one + "|two.log");
        ASSERT_EQ(2, FileInfo_Open(0, info, 0, 0xFFFFFFFF, nullptr, nullptr, nullptr));
        WORD servers = 0;
        BOOL overlap = 2;
        FileInfo_CheckOverlap(info, &servers, &overlap, 4500);
        EXPECT_EQ(1, servers);
        EXPECT_EQ(c.overlap, overlap);
        FileInfo_CloseAll(info);
    }
}

// The path text each call of the path callback was given; a remote source
// is rewritten to the local copy g_localCopy, as a fetch would.
std::vector<std::string> g_givenPaths;
std::string g_localCopy;
void CALLBACK FetchedCopy(char* path) {
    g_givenPaths.push_back(path);
    if (strstr(path, "://"))
        lstrcpynA(path, g_localCopy.c_str(), MAX_PATH);
}

// A single source given as text: its prefix gives the protocol; a local path
// (also behind "file:///" and the unpacked-copy prefix) is one server's log.
TEST_F(FileInfoTest, SourceTextIsOneServer) {
    g_localCopy = Write("s.log", CommonLog(3, 0, 1));
    std::string url = "file:///" + g_localCopy;
    url[9] = '|';
    std::replace(url.begin(), url.end(), '\\', '/');
    Write("t.log", CommonLog(3, 5, 1));
    std::string dots;
    while (install.Path("logs\\").size() + dots.size() < 230)
        dots += ".\\";
    std::string longList = install.Path("logs\\") + dots + "s.log|" + dots + "t.log";
    ASSERT_GT(longList.size(), (size_t)SERVERINFO_PATH_SIZE);
    struct Case {
        std::string text;
        int files;
        std::string given; // to the path callback; empty: not called
        DWORD flags;
        size_t boxes;
    } cases[] = {
        {g_localCopy, 1, g_localCopy, 0, 0},
        {ZIPPED_PREFIX + g_localCopy, 1, g_localCopy, 0, 0},
        {"file:///" + g_localCopy, 1, g_localCopy, 0, 0},
        {url, 1, g_localCopy, 0, 0},
        {"ftp://host/logs/s.log", 1, "ftp://host/logs/s.log", 0, 0},
        {"http://host/s.log", 1, "http://host/s.log", 0, 0},
        // No such data source: the ODBC error is shown.
        {"odbc:MyDSN", 0, "", 32, 1},
        // A list that a server entry would cut to "s.log|t.l": refused, never read short.
        {longList, 0, "", 0, 0},
    };
    ovtest::MsgBoxWatcher boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        g_givenPaths.clear();
        boxes.Clear();
        DWORD flags = 0;
        EXPECT_EQ(c.files, OpenLogSourceText(nullptr, "site.wlp", &flags, nullptr, c.text.c_str(),
                                             info, TRUE, FetchedCopy));
        EXPECT_EQ(c.boxes, boxes.Count());
        if (c.boxes && boxes.Count())
            EXPECT_EQ("ODBC Error", boxes.Seen()[0].caption);
        EXPECT_EQ(c.given.empty() ? 0u : 1u, g_givenPaths.size());
        if (!c.given.empty() && !g_givenPaths.empty())
            EXPECT_EQ(c.given, g_givenPaths[0]);
        EXPECT_EQ(c.flags, flags);
        if (c.files) {
            EXPECT_EQ(1, FileInfo_GetServerCount(info));
            EXPECT_EQ(3u, ReadAllHits(info).size());
        }
    }
}

TEST_F(FileInfoTest, DonePercentIn64Bits) {
    EXPECT_EQ(100u, FileInfo_GetDonePercent(info));
    AddServer(Write("a.log", CommonLog(2, 0, 1)));
    ASSERT_EQ(1, FileInfo_Open(0, info, 0, 0xFFFFFFFF, nullptr, nullptr, nullptr));
    // Past 43 MB the product of bytes and 100 no longer fits 32 bits.
    LogFileEntry* e = info->lpFiles[0];
    e->qwStartPos = 0;
    e->qwEndPos = 6000000000ULL;
    e->qwPosition = 4500000000ULL;
    info->qwTotalBytes = 6000000000ULL;
    EXPECT_EQ(75u, FileInfo_GetDonePercent(info));
    e->qwPosition = 90000000;
    info->qwTotalBytes = 100000000;
    e->qwEndPos = 100000000;
    EXPECT_EQ(90u, FileInfo_GetDonePercent(info));
    FileInfo_CloseAll(info);
}

TEST_F(FileInfoTest, CopyAndSampling) {
    Write("b.log", CommonLog(20, 0, 3));
    AddServer(Write("a.log", CommonLog(20, 100, 5)) + "|b.log");
    FileInfo* copy = FileInfo_New();
    ASSERT_TRUE(FileInfo_CopyFrom(copy, info));
    EXPECT_EQ(2, FileInfo_GetFileCount(copy));
    DWORD first = 0, last = 0, kb = 0;
    BOOL error = FALSE;
    EXPECT_TRUE(LogSampleRecords(copy, 0, TRUE, &first, &last, &kb, &error));
    EXPECT_FALSE(error);
    EXPECT_EQ(kDay, first);
    EXPECT_EQ(kDay + 100 + 19 * 5, last);
    EXPECT_EQ(2u + 2u, kb);
    EXPECT_TRUE(FileInfo_GetTimeRange(0, copy, &first, &last));
    EXPECT_EQ(kDay, first);
    FileInfo_Free(copy);
}

} // namespace
