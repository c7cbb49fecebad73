#include "logread_fixtures.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>

using namespace logtest;

namespace {

TEST(DetectLogFormat, CodesOfTypicalLines) {
    struct Case {
        const char* line;
        int code;
    } cases[] = {
        {"936201234.567 10 1.2.3.4 TCP_MISS/200 100 GET http://a/ - DIRECT/a text/html\n", 13},
        {"93620123.567 10 1.2.3.4 TCP_MISS/200 100 GET http://a/ - DIRECT/a text/html\n", 1},
        {"format=%Ses->client.ip% - %Req->vars.auth-user%\n", 1},
        {"#Fields: date time c-ip\n", 11},
        {"a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p [x] \"q\"\n", 3},
        {"a,b,c,d,e,f,g,h,i,j,k,l,m,n,o\n", 1},
        {"Mozilla/4.0 (compatible; MSIE 4.01; Windows 98)\n", 8},
        {"1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET / HTTP/1.0\" 200 1 \"-\" "
         "\"Mozilla/4.0 (compatible; MSIE 4.01; Windows 98)\"\n",
         2},
        {"http://a/b.html -> /c.html\n", 7},
        {"[10/Oct/1999:13:55:36] \"http://a/\" -> /c\n", 9},
        {"[10/Oct/1999:13:55:36] \"Mozilla/4.0\"\n", 10},
        {"[10/Oct/1999:13:55:36] \"\"\n", 1},
        {"a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\tm\n", 5},
        {"a|b|c|d|e|f|g|h|i|j\n", 12},
        {"a b c 10:10:10 d e f g h i\n", 4},
        {"log {host 1.2.3.4} {url /a}\n", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.code, DetectLogFormat(nullptr, c.line, (DWORD)strlen(c.line)));
    }
}

// The dated-line and seconds-stamp rules look at the first line only: each
// second line, read alone, gives another code.
TEST(DetectLogFormat, SecondLineDoesNotDecide) {
    struct Case {
        const char* first;
        int code;
        const char* second;
        int secondAlone;
    } cases[] = {
        // a bracket without a quote has the shape of a common line
        {"[x] no quote here\n", LOGFMT_COMMON, "[x] \"http://a/\" -> /c\n", LOGFMT_DATED_REFERRER},
        {"1.2\n", LOGFMT_NOT_RECORD, "936201234.567 10 1.2.3.4 x\n", LOGFMT_SECONDS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        std::string text = std::string(c.first) + c.second;
        EXPECT_EQ(c.code, DetectLogFormat(nullptr, text.c_str(), (DWORD)text.size()));
        EXPECT_EQ(c.secondAlone, DetectLogFormat(nullptr, c.second, (DWORD)strlen(c.second)));
    }
}

TEST(DropBracketedDate, CutsTheDateBeforeTheQuote) {
    char text[] = "[10/Oct/1999:13:55:36] \"Mozilla/4.0\"\n";
    char* t = text;
    DWORD length = (DWORD)strlen(text);
    int code = 10;
    EXPECT_EQ(24u, DropBracketedDate(&t, &length, &code));
    EXPECT_EQ(8, code);
    EXPECT_STREQ("Mozilla/4.0\"\n", t);
    char noQuote[] = "[x]\n\"a\"\n";
    t = noQuote;
    length = (DWORD)strlen(noQuote);
    code = 10;
    EXPECT_EQ(0u, DropBracketedDate(&t, &length, &code));
    EXPECT_EQ(10, code);
}

// A log, the hits and skipped lines it gives, and the URL of its last hit.
struct ReadCase {
    const char* name;
    std::string log;
    size_t hits;
    DWORD skipped;
    const char* lastUrl;
};

class LogReadTest : public ::testing::Test {
  protected:
    LogInstall install;
    LogFile* file = LogFile_New();
    ~LogReadTest() override { LogFile_Free(file); }
    std::vector<Hit> Read(const std::string& bytes, DWORD* skipped) {
        install.Write("logs\\r.log", bytes);
        EXPECT_TRUE(LogFile_Open(file, install.Path("logs\\r.log").c_str(), 0, 1));
        return ReadFileHits(file, skipped);
    }
    void ExpectRead(const ReadCase& c) {
        SCOPED_TRACE(c.name);
        DWORD skipped = 0;
        std::vector<Hit> hits = Read(c.log, &skipped);
        EXPECT_EQ(c.hits, hits.size());
        EXPECT_EQ(c.lastUrl, hits.empty() ? "" : hits.back().url);
        EXPECT_EQ(c.skipped, skipped);
        LogFile_Close(file);
    }
};

// A rejected line is skipped alone: the good line behind it is still read.
TEST_F(LogReadTest, RejectedLineConsumesOnlyItself) {
    std::string bad = "10.0.0.9 - - [99/Xyz/1999:00:00:00 +0000] \"GET /bad HTTP/1.0\" 200 1\n";
    std::string log =
        CommonLine(1, 0, "/a") + bad + CommonLine(1, 1, "/b") + bad + bad + CommonLine(1, 2, "/c");
    DWORD skipped = 0;
    std::vector<Hit> hits = Read(log, &skipped);
    ASSERT_EQ(3u, hits.size());
    EXPECT_EQ("/b", hits[1].url);
    EXPECT_EQ("/c", hits[2].url);
    EXPECT_EQ(3u, skipped);
}

TEST_F(LogReadTest, FormatHeaderKeepsTheFirstRecord) {
    DWORD skipped = 0;
    std::vector<Hit> hits = Read("format=%Ses->client.ip%\n" + CommonLog(2, 0, 1), &skipped);
    ASSERT_EQ(2u, hits.size());
    EXPECT_EQ("/p0.html", hits[0].url);
    EXPECT_EQ(1u, skipped);
}

TEST_F(LogReadTest, NonRecordLinesAreSkippedAndCounted) {
    std::string log = "\n\r\n" + std::string("just some words\n") + CommonLine(1, 0, "/a") +
                      std::string("\x01\x02\x1b\n", 4) + "[x] \"\" y\n" + CommonLine(1, 1, "/b");
    DWORD skipped = 0;
    std::vector<Hit> hits = Read(log, &skipped);
    ASSERT_EQ(2u, hits.size());
    EXPECT_EQ(2u, skipped);
    EXPECT_EQ(LOGFMT_COMMON, (int)LogFile_GetFormat(file));
}

// Lines longer than the buffer are skipped as one line, never split into records.
TEST_F(LogReadTest, OverLongLineIsOneSkip) {
    std::string huge = CommonLine(1, 5, "/" + std::string(40000, 'x'));
    std::string log = CommonLine(1, 0, "/a") + huge + CommonLine(1, 1, "/b");
    DWORD skipped = 0;
    std::vector<Hit> hits = Read(log, &skipped);
    ASSERT_EQ(2u, hits.size());
    EXPECT_EQ("/b", hits[1].url);
    EXPECT_EQ(1u, skipped);
}

// Every non-blank line is a hit or a counted skip, whatever its length, also
// as the file's last line without a line end (a mangled request behind a
// combined line was once taken for its continuation line).
TEST_F(LogReadTest, MangledLinesOfAnyLengthAreCountedSkips) {
    auto combined = [](DWORD seconds, const char* url) {
        std::string line = CommonLine(1, seconds, url);
        return line.substr(0, line.size() - 1) + " \"-\" \"Agent/1\"\n";
    };
    std::string a = combined(0, "/a"), b = combined(1, "/b");
    for (size_t n : {100u, 520u, 4096u, 16384u, 65536u}) {
        std::string mangled = "/f" + std::string(n, 'b') + "?p=1 Bot/2.1; [22/Jan/2019:03:58:45 (";
        for (bool last : {false, true}) {
            SCOPED_TRACE(std::to_string(n) + (last ? " last" : " middle"));
            std::string log = last ? a + b + mangled : a + mangled + "\n" + b;
            DWORD skipped = 0;
            std::vector<Hit> hits = Read(log, &skipped);
            EXPECT_EQ(2u, hits.size());
            EXPECT_EQ(1u, skipped);
        }
    }
}

// Blank-line runs and unprintable bytes before a line are passed over alone:
// the good line behind them was once skipped as the rest of an over-long line.
// (Directive lines count as skipped lines.)
TEST_F(LogReadTest, BlankRunsAndUnprintableBytesKeepTheNextLine) {
    std::string good = CommonLine(1, 0, "/a");
    std::string goodCrLf = good.substr(0, good.size() - 1) + "\r\n";
    std::string fields = "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n";
    std::string w3c = "1999-10-10 00:00:01 1.2.3.4 GET /w.html 200\n";
    ReadCase cases[] = {
        {"two blank lines first", "\n\n" + good, 1, 0, "/a"},
        {"garbage, blank run", "garbage\n\n\n" + good, 1, 1, "/a"},
        {"the same with CR LF", "garbage\r\n\r\n\r\n" + goodCrLf, 1, 1, "/a"},
        {"remark, blank run, W3C record", fields + "# remark\n\n\n" + w3c, 1, 2, "/w.html"},
        {"20,000 NULs", std::string(20000, '\0') + good, 1, 0, "/a"},
        {"NULs up to just before the buffer end", std::string(16380, '\0') + good, 1, 0, "/a"},
        {"NULs, blank lines between records",
         good + std::string(3, '\0') + "\n\n" + CommonLine(1, 1, "/b"), 2, 0, "/b"},
        {"blank run before #Fields:", "\n\n" + fields + w3c, 1, 1, "/w.html"},
        {"blank run before a second #Fields:",
         fields + w3c + "\n\n\n#Fields: date time cs-uri-stem c-ip cs-method sc-status\n" +
             "1999-10-10 00:00:02 /x.html 1.2.3.4 GET 200\n",
         2, 2, "/x.html"},
        {"the same with CR LF",
         fields + w3c + "\r\n\r\n#Fields: date time cs-uri-stem sc-status c-ip cs-method\r\n" +
             "1999-10-10 00:00:03 /y.html 200 1.2.3.4 GET\r\n",
         2, 2, "/y.html"},
    };
    for (const ReadCase& c : cases)
        ExpectRead(c);
}

// A "#Date:" behind a blank run dates the time-only lines after it.
TEST_F(LogReadTest, DateDirectiveBehindBlankRunDatesTheNextLines) {
    std::string log = "#Fields: time c-ip cs-method cs-uri-stem sc-status\n"
                      "#Date: 1999-10-10 00:00:00\n"
                      "00:00:01 1.2.3.4 GET /a.html 200\n"
                      "\n\n\n#Date: 1999-10-11 00:00:00\n"
                      "00:00:01 1.2.3.4 GET /b.html 200\n";
    DWORD skipped = 0;
    std::vector<Hit> hits = Read(log, &skipped);
    ASSERT_EQ(2u, hits.size());
    EXPECT_EQ(kDay + 1, hits[0].time);
    EXPECT_EQ(kDay + 86400 + 1, hits[1].time);
}

// The last line of a log needs no line end; a tail of blanks is no line.
TEST_F(LogReadTest, LastLineWithoutLineEndIsRead) {
    std::string last = CommonLine(1, 9, "/last.html");
    last.pop_back();
    ReadCase cases[] = {
        {"after two lines", CommonLog(2, 0, 1) + last, 3, 0, "/last.html"},
        {"alone", last, 1, 0, "/last.html"},
        {"ending in CR", last + "\r", 1, 0, "/last.html"},
        {"blanks only", CommonLog(2, 0, 1) + "  \t ", 2, 0, "/p1.html"},
        {"no record", CommonLog(2, 0, 1) + "no record", 2, 1, "/p1.html"},
        {"W3C record",
         "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n"
         "1999-10-10 00:00:01 1.2.3.4 GET /w.html 200",
         1, 1, "/w.html"},
    };
    for (const ReadCase& c : cases)
        ExpectRead(c);
}

// Reading line after line reuses the record's line buffer: no allocation per
// line while the lines do not grow, rejected lines included.
TEST_F(LogReadTest, OneLineBufferServesTheWholeFile) {
    std::string log = CommonLine(1, 0, "/long-first-line-" + std::string(200, 'a') + ".html");
    for (int i = 1; i < 50; i++)
        log += (i % 5 ? CommonLine(1, i, "/p.html") : std::string("not a record\n"));
    install.Write("logs\\b.log", log);
    ASSERT_TRUE(LogFile_Open(file, install.Path("logs\\b.log").c_str(), 0, 1));
    HitRecord* r = HitRecord_New();
    ULONGLONG at = 0;
    ASSERT_EQ(LOGREAD_RECORD, LogRecord_ReadNext(file, at, r, &at, 100000, 0));
    char* buffer = r->lpLine;
    int hits = 1;
    while (LogRecord_ReadNext(file, at, r, &at, 100000, 0) == LOGREAD_RECORD) {
        ASSERT_EQ(buffer, r->lpLine) << hits;
        EXPECT_STREQ("/p.html", r->lpszUrl);
        hits++;
    }
    EXPECT_EQ(41, hits);
    HitRecord_Free(r);
}

TEST_F(LogReadTest, WindowBoundsTheSearch) {
    install.Write("logs\\w.log", std::string(30, '\n') + "words\nwords\n" + CommonLine(1, 0, "/a"));
    ASSERT_TRUE(LogFile_Open(file, install.Path("logs\\w.log").c_str(), 0, 1));
    HitRecord* r = HitRecord_New();
    ULONGLONG next = 0;
    EXPECT_EQ(LOGREAD_NONE, LogRecord_ReadNext(file, 0, r, &next, 20, 0));
    EXPECT_EQ(LOGREAD_NONE, LogRecord_ReadNext(file, 30, r, &next, 0, 0));
    EXPECT_EQ(36u, next);
    EXPECT_EQ(LOGREAD_RECORD, LogRecord_ReadNext(file, 0, r, &next, 100000, 0));
    HitRecord_Free(r);
}

// Damaged lines (fixed seed): every line ends as a hit or as a counted skip.
TEST_F(LogReadTest, DamagedLinesNeverOverrun) {
    unsigned seed = 12345;
    auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 16; };
    std::string log;
    int lines = 3000;
    for (int i = 0; i < lines; i++) {
        std::string line = CommonLine(1 + i % 200, i, "/m" + std::to_string(i) + ".html");
        line.pop_back();
        switch (next() % 8) {
        case 0:
            line = line.substr(0, next() % line.size());
            break;
        case 1:
            line[next() % line.size()] = (char)(next() & 0xFF);
            break;
        case 2:
            line[next() % line.size()] = '\0';
            break;
        case 3:
            line += " \"" + std::string(next() % 3000, 'r') + "\"";
            break;
        case 4:
            line.erase(line.find(' '), line.find('[') - line.find(' '));
            break;
        case 5:
            line[next() % line.size()] = '\r';
            break;
        default:
            break;
        }
        std::replace(line.begin(), line.end(), '\n', ' ');
        log += line + "\n";
    }
    DWORD skipped = 0;
    std::vector<Hit> hits = Read(log, &skipped);
    // A stray CR can split a line in two; a line of unprintable bytes is passed
    // over with the line start it precedes.
    int lineEnds = (int)std::count(log.begin(), log.end(), '\n');
    int crs = (int)std::count(log.begin(), log.end(), '\r');
    EXPECT_LE((int)(hits.size() + skipped), lineEnds + crs);
    EXPECT_GE((int)(hits.size() + skipped), lineEnds * 95 / 100);
    EXPECT_GT(hits.size(), 1000u);
}

} // namespace
