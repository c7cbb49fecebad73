// Line formats as data: sample lines with their format code and the fields
// they must parse to.
#include <gtest/gtest.h>
#include "parse_fixture.h"
#include "ovcore/hitrecord.h"
#include "ovcore/hittime.h"
#include "logparse/parsers.h"
#include "engine_settings_edit.h"
#include "ovcore/logread.h"
#include <string>
#include <string.h>
#include <vector>
#include <time.h>

static size_t TwoLines(const std::string& text, size_t pos) {
    size_t first = text.find('\n', pos);
    if (first == std::string::npos)
        return text.size() - pos;
    size_t second = text.find('\n', first + 1);
    return (second == std::string::npos ? text.size() : second + 1) - pos;
}

void ParseLogText(DWORD code, const std::string& text, W3CFieldMap** map, BOOL initialRead,
                  ParsedLog* out) {
    for (size_t pos = 0; pos < text.size();) {
        size_t len = TwoLines(text, pos);
        HitRecord* rec = HitRecord_New();
        ASSERT_TRUE(HitRecord_SetLine(rec, text.data() + pos, (DWORD)len));
        rec->dwValid = 1;
        rec->wFormat = (WORD)(code == 9 ? 7 : code);
        LineParseContext ctx = {(DWORD)len, map, initialRead};
        LineParseResult res = {};
        BOOL ok = GetLineParser(code)(rec, &ctx, &res);
        ASSERT_GT(res.dwConsumed, 0u) << "a parser must move past the line";
        ASSERT_LE(res.dwConsumed, len);
        EXPECT_EQ(!ok, res.bNotRecord);
        if (ok)
            out->hits.push_back(rec);
        else {
            HitRecord_Free(rec);
            ++out->skipped;
        }
        pos += res.dwConsumed;
    }
}

std::string HitTimeText(DWORD value) {
    __time64_t t = value;
    struct tm fields;
    if (_gmtime64_s(&fields, &t) != 0)
        return "invalid";
    char text[32];
    strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S", &fields);
    return text;
}

namespace {

struct LineCase {
    const char* name;
    DWORD code;
    const char* line;
    const char* client;
    const char* user;
    const char* url;
    int method;
    DWORD status;
    DWORD bytes;
    const char* time;
    const char* referrer;
    const char* agent;
    const char* cookie; // "(null)" for no cookie column
    const char* serverAddr;
};

std::ostream& operator<<(std::ostream& os, const LineCase& c) {
    return os << c.name;
}

const LineCase kLines[] = {
    {"CommonLog", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /a.html HTTP/1.0\" 200 2326\r\n", "1.2.3.4",
     "", "/a.html", HIT_METHOD_GET, 200, 2326, "1999-10-10 13:55:36", "", "", "", ""},
    {"CombinedLog", 2,
     "1.2.3.4 - bob [10/Oct/1999:13:55:36 -0700] \"GET /a.html HTTP/1.0\" 200 2326 "
     "\"http://r.com/x%20y\" \"Mozilla/4.0 (compatible; MSIE 4.01)\"\n",
     "1.2.3.4", "bob", "/a.html", HIT_METHOD_GET, 200, 2326, "1999-10-10 13:55:36",
     "http://r.com/x y", "Mozilla/4.0 (compatible; MSIE 4.01)", "", ""},
    {"CookieLog", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"POST /f.cgi HTTP/1.1\" 302 0 \"-\" "
     "\"Lynx/2.8\" \"id=1.2.3.4-5.6; x=y\"\n",
     "1.2.3.4", "", "/f.cgi", HIT_METHOD_POST, 302, 0, "1999-10-10 13:55:36", "", "Lynx/2.8",
     "1.2.3.4-5.6", ""},
    {"ProxyLog", 2,
     "10.0.0.9 - - [10/Oct/1999:13:55:36 +0000] \"GET http://www.x.com/a.html HTTP/1.0\" 200 "
     "512 DIRECT\n",
     "10.0.0.9", "", "http://www.x.com/a.html", HIT_METHOD_GET, 200, 512, "1999-10-10 13:55:36", "",
     "", "", ""},
    {"MultiHomeLog", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] www.site.com \"HEAD / HTTP/1.0\" 304 -\n", "1.2.3.4",
     "", "/", HIT_METHOD_HEAD, 304, 0, "1999-10-10 13:55:36", "", "", "", "www.site.com"},
    {"WeekdayDate", 2,
     "1.2.3.4 - - [Tue, 12 Mar 1999 13:45:01 +0100] \"GET /w.html HTTP/1.0\" 200 10\n", "1.2.3.4",
     "", "/w.html", HIT_METHOD_GET, 200, 10, "1999-03-12 13:45:01", "", "", "", ""},
    {"UserWithBlanks", 2,
     "1.2.3.4 host John Smith [10/Oct/1999:13:55:36 -0700] \"GET /u HTTP/1.0\" 200 1\n", "1.2.3.4",
     "John Smith", "/u", HIT_METHOD_GET, 200, 1, "1999-10-10 13:55:36", "", "", "", "host"},
    {"DashRequest", 2, "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"-\" 408 -\n", "1.2.3.4", "", "",
     HIT_METHOD_OTHER, 408, 0, "1999-10-10 13:55:36", "", "", "", ""},
    {"BlankInUrl", 2, "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /a b.html HTTP/1.0\" 200 7\n",
     "1.2.3.4", "", "/a", HIT_METHOD_GET, 200, 7, "1999-10-10 13:55:36", "", "", "", ""},
    {"QuoteInsideUrl", 2,
     "1.2.3.4 - - [25/Apr/2021:06:15:33 +0000] \"GET /e?t=<s>alert(\"x\")</s> HTTP/1.0\" 404 "
     "1164\n",
     "1.2.3.4", "", "/e?t=<s>alert(\"x\")</s>", HIT_METHOD_GET, 404, 1164, "2021-04-25 06:15:33",
     "", "", "", ""},
    // Apache writes a quote inside a quoted field as \" and a backslash as \\.
    {"EscapedQuotesStayInTheirFields", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /a\\\"b.html HTTP/1.0\" 200 5 "
     "\"http://r.com/?q=\\\"two words\\\"\" \"Agent \\\"x\\\" 1.0\"\n",
     "1.2.3.4", "", "/a\"b.html", HIT_METHOD_GET, 200, 5, "1999-10-10 13:55:36",
     "http://r.com/?q=\"two words\"", "Agent \"x\" 1.0", "", ""},
    {"EscapedBackslashBeforeClosingQuote", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /d\\\\ HTTP/1.0\" 200 5 \"http://r/\\\\\" "
     "\"A\\\\\"\n",
     "1.2.3.4", "", "/d\\", HIT_METHOD_GET, 200, 5, "1999-10-10 13:55:36", "http://r/\\", "A\\", "",
     ""},
    {"NoIdentityWords", 2, "10.0.0.1 [20/Jul/2009:22:59:29 +0000] \"GET /v HTTP/1.0\" 404 46\n",
     "10.0.0.1", "", "/v", HIT_METHOD_GET, 404, 46, "2009-07-20 22:59:29", "", "", "", ""},
    {"HostBeforeClient", 2,
     "example.com 1.2.3.4 [09/May/2011:06:54:44 +0100] \"-\" 400 0 \"-\" \"-\"\n", "example.com",
     "", "", HIT_METHOD_OTHER, 400, 0, "2011-05-09 06:54:44", "", "", "", "1.2.3.4"},
    {"StrayQuoteBeforeProtocol", 2,
     "jay.bird.com - fred [25/Dec/1998:17:45:35 +0000] \"GET /~sret1/ \"HTTP/1.0\" 200 1243\n",
     "jay.bird.com", "fred", "/~sret1/", HIT_METHOD_GET, 200, 1243, "1998-12-25 17:45:35", "", "",
     "", ""},
    {"PipeSection", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /p HTTP/1.0\" 200 5 |Mozilla/3.0|"
     "http://r/\n",
     "1.2.3.4", "", "/p", HIT_METHOD_GET, 200, 5, "1999-10-10 13:55:36", "http://r/", "Mozilla/3.0",
     "", ""},
    {"ColdFusionTemplate", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /x/dbml.exe?template=/t/a.dbm&id=3 "
     "HTTP/1.0\" 200 5\n",
     "1.2.3.4", "", "/t/a.dbm?id=3", HIT_METHOD_GET, 200, 5, "1999-10-10 13:55:36", "", "", "", ""},
    {"ServiceLogWeb", 3,
     "1.2.3.4, -, 10/10/99, 13:55:36, W3SVC1, WEB1, 10.0.0.1, 100, 300, 2326, 200, 0, GET, "
     "/a.html, id=5,\r\n",
     "1.2.3.4", "", "/a.html?id=5", HIT_METHOD_GET, 200, 2326, "1999-10-10 13:55:36", "", "", "",
     "10.0.0.1"},
    {"ServiceLogFtpSent", 3,
     "1.2.3.4, anonymous, 10/10/99, 13:55:36, MSFTPSVC1, FTP1, -, 100, 0, 4096, 0, 0, sent, "
     "/pub/f.zip, -,\n",
     "1.2.3.4", "anonymous", "/pub/f.zip", HIT_METHOD_GET, 0, 4096, "1999-10-10 13:55:36", "", "",
     "", "FTP1"},
    {"ServiceLogAgentReferrer", 3,
     "1.2.3.4, -, 10/10/99, 13:55:36, W3SVC1, WEB1, 10.0.0.1, 100, 300, 99, 200, 0, GET, /b, "
     "Mozilla/4.0, http://r/, \"id=1.2.3.4-5.6\", q=1, x\n",
     "1.2.3.4", "", "/b?q=1", HIT_METHOD_GET, 200, 99, "1999-10-10 13:55:36", "http://r/",
     "Mozilla/4.0", "1.2.3.4-5.6", "10.0.0.1"},
    {"ServiceLogShortTime", 3,
     "1.2.3.4, -, 10/10/99, 13:55, W3SVC1, WEB1, 10.0.0.1, 100, 300, 2326, 200, 0, GET, "
     "/a.html, -,\n",
     "1.2.3.4", "", "/a.html", HIT_METHOD_GET, 200, 2326, "1999-10-10 13:55:00", "", "", "",
     "10.0.0.1"},
    {"WeekdayBlankLog", 4, "Sun Oct 10 13:55:36 1999 www.site.com 1.2.3.4 GET /a.html HTTP/1.0\n",
     "1.2.3.4", "", "/a.html", HIT_METHOD_GET, 200, 0, "1999-10-10 13:55:36", "", "", "",
     "www.site.com"},
    {"TabLogGmt", 5,
     "10/10/99 13:55:36\t1.2.3.4\t-\tx\t-\tGET\t/t.html\thttp://r/\tx\tAgent/1\t200\t77\tend\n",
     "1.2.3.4", ".", "/t.html", HIT_METHOD_GET, 200, 77, "1999-10-10 13:55:36", "http://r/",
     "Agent/1", "", ""},
    {"TabLogShortTime", 5,
     "10/10/99 13:55\t1.2.3.4\t-\tx\t-\tGET\t/t.html\thttp://r/\tx\tAgent/1\t200\t77\tend\n",
     "1.2.3.4", ".", "/t.html", HIT_METHOD_GET, 200, 77, "1999-10-10 13:55:00", "http://r/",
     "Agent/1", "", ""},
    {"KeyBlockNested", 6,
     "log {start 939563736.25} {host 1.2.3.4} {method GET} {url {/a {b}.html}} {status 200} "
     "{bytes 2326} {agent {Mozilla \\{x\\}}} {referrer http://r/}\n",
     "1.2.3.4", "", "/a {b}.html", HIT_METHOD_GET, 200, 2326, "1999-10-10 13:55:36", "http://r/",
     "Mozilla {x}", "", ""},
    {"PipeLog", 12, "991010 135536|1.2.3.4|GET /p.html|x|200|bob|512|-|http://r/|Mozilla/4.0\n",
     "1.2.3.4", "bob", "/p.html", HIT_METHOD_GET, 200, 512, "1999-10-10 13:55:36", "http://r/",
     "Mozilla/4.0", "", ""},
    {"SquidLog", 13,
     "939563736.567 120 1.2.3.4 TCP_MISS/200 2326 GET http://www.x.com/a%41.html - "
     "DIRECT/10.0.0.1 text/html\n",
     "1.2.3.4", "", "/aA.html", HIT_METHOD_GET, 200, 2326, "1999-10-10 13:55:36", "", "", "(null)",
     ""},
};

class LineFormat : public ::testing::TestWithParam<LineCase> {
  protected:
    void SetUp() override {
        ResetParserSettings();
        SetLogDateFormat(LOGDATE_MDY);
    }
    void TearDown() override { SetLogDateFormat(0); }
};

TEST_P(LineFormat, ParsesToTheseFields) {
    const LineCase& c = GetParam();
    EXPECT_EQ((int)c.code, DetectLogFormat(nullptr, c.line, (DWORD)strlen(c.line)))
        << "detected as this format and no other";
    ParsedLog log;
    ParseLogText(c.code, c.line, nullptr, FALSE, &log);
    ASSERT_EQ(1u, log.hits.size());
    const HitRecord* h = log.hits[0];
    EXPECT_STREQ(c.client, h->szClientAddr);
    EXPECT_STREQ(c.user, h->lpszUserName);
    EXPECT_STREQ(c.url, h->lpszUrl);
    EXPECT_EQ(c.method, h->wMethod);
    EXPECT_EQ(c.status, h->dwStatus);
    EXPECT_EQ(c.bytes, h->dwBytes);
    EXPECT_EQ(c.time, HitTimeText(h->dwTime));
    EXPECT_STREQ(c.referrer, h->lpszReferrer);
    EXPECT_STREQ(c.agent, h->lpszUserAgent);
    EXPECT_STREQ(c.cookie, h->lpszCookie ? h->lpszCookie : "(null)");
    EXPECT_STREQ(c.serverAddr, h->lpszServerAddr);
    EXPECT_EQ(sizeof(HitRecord), h->dwSize);
    EXPECT_EQ(h->dwTime, h->dwTimeCopy);
}

INSTANTIATE_TEST_SUITE_P(Samples, LineFormat, ::testing::ValuesIn(kLines),
                         [](const ::testing::TestParamInfo<LineCase>& i) {
                             return std::string(i.param.name);
                         });

struct RejectCase {
    const char* name;
    DWORD code;
    const char* line;
};

std::ostream& operator<<(std::ostream& os, const RejectCase& c) {
    return os << c.name;
}

const RejectCase kRejects[] = {
    {"CommonNoDate", 2, "1.2.3.4 - - \"GET / HTTP/1.0\" 200 1\n"},
    {"CommonBadMonth", 2, "1.2.3.4 - - [10/Xyz/1999:13:55:36 -0700] \"GET / HTTP/1.0\" 200 1\n"},
    {"CommonYearBefore1900", 2,
     "1.2.3.4 - - [10/Oct/1892:13:55:36 -0700] \"GET / HTTP/1.0\" 200 1\n"},
    {"CommonUnknownMethod", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"DELETE / HTTP/1.0\" 200 1\n"},
    {"CommonCutAfterStatus", 2,
     "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET / HTTP/1.0\" 200\n"},
    {"CommaOtherService", 3,
     "1.2.3.4, -, 10/10/99, 13:55:36, SMTPSVC1, S, -, 1, 1, 1, 200, 0, GET, /a, -,\n"},
    {"CommaUnknownMethod", 3,
     "1.2.3.4, -, 10/10/99, 13:55:36, W3SVC1, S, -, 1, 1, 1, 200, 0, DELE, /a, -,\n"},
    {"BlankStartsWithSlash", 4, "/Sun Oct 10 13:55:36 1999 s 1.2.3.4 GET /a HTTP/1.0\n"},
    {"BlankNoProtocol", 4, "Sun Oct 10 13:55:36 1999 s 1.2.3.4 GET\n"},
    {"TabTooFewColumns", 5, "10/10/99 13:55:36\t1.2.3.4\t-\tx\t-\tGET\t/t.html\n"},
    {"KeyBlockNoBytes", 6, "log {start 939563736} {host h} {method GET} {url /} {status 200}\n"},
    {"KeyBlockWrapped", 6, "log {start 939563736} {host h} {method GET} {url /} {status\n"},
    {"KeyBlockOtherMethod", 6,
     "log {start 939563736} {host h} {method DELETE} {url /} {status 200} {bytes 1}\n"},
    {"ReferrerNoArrow", 7, "http://a/b.html /c.html\n"},
    {"PipeShort", 12, "991010 135536|1.2.3.4|GET /p.html|x|200\n"},
    {"SquidFieldMissing", 13, "939563736.567 120 1.2.3.4 TCP_MISS/200 2326 GET\n"},
    {"SquidBefore1993", 13, "636201234.567 1 1.2.3.4 TCP_MISS/200 1 GET http://x/ - D/1 t/h\n"},
};

class LineRejected : public ::testing::TestWithParam<RejectCase> {
  protected:
    void SetUp() override { SetLogDateFormat(LOGDATE_MDY); }
    void TearDown() override { SetLogDateFormat(0); }
};

// Rejected lines are skipped one by one: the good line behind a rejected
// one is parsed, never passed over with it.
TEST_P(LineRejected, SkipsOnlyItsOwnLine) {
    const RejectCase& c = GetParam();
    std::string text = std::string(c.line) + c.line;
    ParsedLog log;
    ParseLogText(c.code, text, nullptr, FALSE, &log);
    EXPECT_EQ(0u, log.hits.size());
    EXPECT_EQ(2, log.skipped);
}

INSTANTIATE_TEST_SUITE_P(Samples, LineRejected, ::testing::ValuesIn(kRejects),
                         [](const ::testing::TestParamInfo<RejectCase>& i) {
                             return std::string(i.param.name);
                         });

// A user agent that is exactly "-" is no agent: it once stayed "-" in these formats.
TEST(LineParsers, DashUserAgentIsTheSharedEmptyText) {
    SetLogDateFormat(LOGDATE_MDY);
    struct {
        DWORD code;
        const char* line;
    } cases[] = {
        {3, "1.2.3.4, -, 10/10/99, 13:55:36, W3SVC1, WEB1, 10.0.0.1, 100, 300, 99, 200, 0, GET, "
            "/b, -, http://r/, q=1, x\n"},
        {5, "10/10/99 13:55:36\t1.2.3.4\t-\tx\t-\tGET\t/t.html\thttp://r/\tx\t-\t200\t77\tend\n"},
        {12, "991010 135536|1.2.3.4|GET /p.html|x|200|bob|512|-|http://r/|-\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ParsedLog log;
        ParseLogText(c.code, c.line, nullptr, FALSE, &log);
        ASSERT_EQ(1u, log.hits.size());
        EXPECT_EQ(HitRecord_EmptyText, log.hits[0]->lpszUserAgent);
        EXPECT_STREQ("http://r/", log.hits[0]->lpszReferrer);
    }
    SetLogDateFormat(0);
}

// Hit years run to 2105 (they once stopped at 2035), and a day that its month
// lacks is refused (31 February was read as 2 March), in every format that
// carries a date.
TEST(LineParsers, DatesUpTo2105AndOnlyDaysTheMonthHas) {
    SetLogDateFormat(LOGDATE_MDY);
    auto common = [](const std::string& d) {
        return "1.2.3.4 - - [" + d + " +0000] \"GET /a HTTP/1.0\" 200 1\n";
    };
    auto comma = [](const std::string& d) {
        return "1.2.3.4, -, " + d + ", W3SVC1, S, -, 1, 1, 1, 200, 0, GET, /a, -,\n";
    };
    auto blank = [](const std::string& d) { return d + " s 1.2.3.4 GET /a HTTP/1.0\n"; };
    auto tab = [](const std::string& d) {
        return d + "\t1.2.3.4\t-\tx\t-\tGET\t/t\t-\tx\tA/1\t200\t7\tend\n";
    };
    auto pipe = [](const std::string& d) { return d + "|1.2.3.4|GET /p|x|200|b|5|-|-|A/1\n"; };
    auto w3c = [](const std::string& d) {
        return "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n" + d +
               " 1.2.3.4 GET /a 200\n";
    };
    const char* no = "rejected";
    struct {
        DWORD code;
        std::string text;
        const char* time;
    } cases[] = {
        {2, common("31/Feb/2024:10:00:00"), no},
        {2, common("29/Feb/2023:10:00:00"), no},
        {2, common("31/Apr/2024:10:00:00"), no},
        {2, common("29/Feb/2024:10:00:00"), "2024-02-29 10:00:00"},
        {2, common("01/Jan/2036:00:00:00"), "2036-01-01 00:00:00"},
        {2, common("31/Dec/2105:23:59:59"), "2105-12-31 23:59:59"},
        {2, common("01/Jan/2106:00:00:00"), no},
        {3, comma("2/31/24, 10:00:00"), no},
        {3, comma("2/29/24, 10:00:00"), "2024-02-29 10:00:00"},
        {3, comma("12/31/2105, 23:59:59"), "2105-12-31 23:59:59"},
        {3, comma("1/1/2106, 00:00:00"), no},
        {4, blank("Sat Feb 31 10:00:00 2024"), no},
        {4, blank("Thu Feb 29 10:00:00 2024"), "2024-02-29 10:00:00"},
        {4, blank("Mon Dec 31 23:59:59 2105"), "2105-12-31 23:59:59"},
        {5, tab("04/31/24 10:00:00"), no},
        {5, tab("12/31/2105 23:59:59"), "2105-12-31 23:59:59"},
        {12, pipe("230229 100000"), no},
        {12, pipe("240229 100000"), "2024-02-29 10:00:00"},
        {11, w3c("2024-02-31 10:00:00"), no},
        {11, w3c("2105-12-31 23:59:59"), "2105-12-31 23:59:59"},
        {11, w3c("2106-01-01 00:00:00"), no},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        W3CFieldMap* map = nullptr;
        ParsedLog log;
        ParseLogText(c.code, c.text, &map, FALSE, &log);
        W3CFieldMap_Free(map);
        ASSERT_GE(1u, log.hits.size());
        EXPECT_EQ(c.time, log.hits.empty() ? no : HitTimeText(log.hits[0]->dwTime));
    }
    SetLogDateFormat(0);
}

TEST(ParserTable, CodesWithoutParser) {
    for (DWORD code : {0u, 1u, 10u, 14u, 0xFFFFFFFFu})
        EXPECT_EQ(nullptr, GetLineParser(code)) << code;
    for (DWORD code : {2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 11u, 12u, 13u})
        EXPECT_NE(nullptr, GetLineParser(code)) << code;
}

// A line beginning with "/" continues a line that ends at its bytes; behind
// a combined line a mangled request was once swallowed as a continuation,
// neither a hit nor a skipped line.
TEST(CommonLogParser, ContinuationLineOnlyBehindALineEndingAtItsBytes) {
    SetLogDateFormat(0);
    const std::string head = "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /a HTTP/1.0\" 200 1";
    struct {
        std::string text;
        size_t hits;
        int skipped;
        const char* referrer;
        const char* agent;
    } cases[] = {
        {head + "\n/x Mozilla/4.0 (Win95) http://r/\n", 1, 0, "http://r/",
         "/x Mozilla/4.0 (Win95)"},
        {head + " \"http://r/\" \"Agent/1\"\n/x?p=1 Bot/2.1; [10/Oct/1999:13:55:40 (\n", 1, 1,
         "http://r/", "Agent/1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ParsedLog log;
        ParseLogText(
            2, c.text + "1.2.3.5 - - [10/Oct/1999:13:55:37 -0700] \"GET /b HTTP/1.0\" 200 2\n",
            nullptr, FALSE, &log);
        ASSERT_EQ(c.hits + 1, log.hits.size());
        EXPECT_EQ(c.skipped, log.skipped);
        EXPECT_STREQ(c.referrer, log.hits[0]->lpszReferrer);
        EXPECT_STREQ(c.agent, log.hits[0]->lpszUserAgent);
        EXPECT_STREQ("/b", log.hits[c.hits]->lpszUrl);
    }
}

TEST(ReferrerAndAgentLines, TakeDefaultsAndOneClock) {
    ParsedLog log;
    ParseLogText(7, "http://a/b.html -> /c.html\nhttp://d/ -> /e.html\n", nullptr, FALSE, &log);
    ParseLogText(9, "http://a/\" -> /c\n", nullptr, FALSE, &log);
    ParseLogText(8, "Mozilla/4.0 (compatible; MSIE 4.01; Windows 98)\n", nullptr, FALSE, &log);
    ParseLogText(7, "[25/Dec/1998:17:45:35] http://www.site.com/ -> /~sret1/\n", nullptr, FALSE,
                 &log);
    ASSERT_EQ(5u, log.hits.size());
    EXPECT_STREQ("http://a/b.html", log.hits[0]->lpszReferrer);
    EXPECT_STREQ("/c.html", log.hits[0]->lpszUrl);
    EXPECT_STREQ("localhost", log.hits[0]->szClientAddr);
    EXPECT_EQ(200u, log.hits[0]->dwStatus);
    EXPECT_EQ(log.hits[0]->dwTime, log.hits[1]->dwTime);
    EXPECT_STREQ("http://a/", log.hits[2]->lpszReferrer);
    EXPECT_STREQ("/c", log.hits[2]->lpszUrl);
    EXPECT_STREQ("Mozilla/4.0 (compatible; MSIE 4.01; Windows 98)", log.hits[3]->lpszUserAgent);
    EXPECT_STREQ("/", log.hits[3]->lpszUrl);
    EXPECT_STREQ("-", log.hits[3]->lpszReferrer);
    EXPECT_STREQ("http://www.site.com/", log.hits[4]->lpszReferrer);
    EXPECT_STREQ("/~sret1/", log.hits[4]->lpszUrl);
}

TEST(CommaLogParser, SamplingReadStopsBehindTheTime) {
    SetLogDateFormat(LOGDATE_MDY);
    // Everything behind the time is damaged: a sampling read still finds it.
    ParsedLog log;
    ParseLogText(3, "1.2.3.4, -, 10/10/99, 13:55:36, garbage\n", nullptr, TRUE, &log);
    SetLogDateFormat(0);
    ASSERT_EQ(1u, log.hits.size());
    EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(log.hits[0]->dwTime));
}

// Fixed texts written behind a line that fills its spare bytes must grow
// the buffer, never run past it.
TEST(CommaLogParser, LongParametersGrowTheLineBuffer) {
    SetLogDateFormat(LOGDATE_MDY);
    std::string params(250, 'p');
    std::string line = "1.2.3.4, -, 10/10/99, 13:55:36, W3SVC1, S, -, 1, 1, 1, 200, 0, GET, /" +
                       std::string(250, 'u') + ", " + params + ",\n";
    ParsedLog log;
    ParseLogText(3, line, nullptr, FALSE, &log);
    SetLogDateFormat(0);
    ASSERT_EQ(1u, log.hits.size());
    const HitRecord* h = log.hits[0];
    EXPECT_EQ(251u + 1 + 250, strlen(h->lpszUrl));
    EXPECT_STREQ("HTTP/1.0", h->lpszProtocol);
    EXPECT_LT((size_t)(h->lpszProtocol - h->lpLine), (size_t)h->dwLineSize);
}

} // namespace
