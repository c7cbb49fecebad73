// W3C extended logs: directives, the per-file field map and record lines.
#include <gtest/gtest.h>
#include "parse_fixture.h"
#include "ovcore/hitrecord.h"
#include "logparse/parsers.h"
#include "engine_settings_edit.h"
#include "logparse/w3c_map.h"
#include <string>
#include <vector>

namespace {

struct ShownMessage {
    UINT captionId, messageId;
};
std::vector<ShownMessage> g_shown;

void CALLBACK RecordMessage(HWND, const char*, const char*, UINT captionId, UINT messageId, int) {
    g_shown.push_back({captionId, messageId});
}

class W3CLog : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetParserSettings();
        LogParse_SetErrorDisplay(RecordMessage);
        g_shown.clear();
    }
    void TearDown() override {
        W3CFieldMap_Free(map);
        ResetParserSettings();
    }
    void Read(const std::string& text, BOOL initialRead = FALSE) {
        ParseLogText(11, text, &map, initialRead, &log);
    }
    W3CFieldMap* map = nullptr;
    ParsedLog log;
};

// Five lines; the second "#Fields:" moves the columns for the line after it.
const char kChangedFields[] = "#Fields: date time c-ip cs-method cs-uri-stem sc-status\r\n"
                              "1999-10-10 13:55:36 1.2.3.4 GET /a.html 200\r\n"
                              "#Fields: time c-ip cs-method cs-uri-stem sc-status sc-bytes\r\n"
                              "#Date: 1999-10-11 00:00:00\r\n"
                              "08:00:01 5.6.7.8 POST /b.asp 302 512\r\n";

TEST_F(W3CLog, ChangedFieldsApplyToTheLinesAfterThem) {
    Read(kChangedFields);
    ASSERT_EQ(2u, log.hits.size());
    EXPECT_EQ(3, log.skipped);
    EXPECT_STREQ("1.2.3.4", log.hits[0]->szClientAddr);
    EXPECT_STREQ("/a.html", log.hits[0]->lpszUrl);
    EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(log.hits[0]->dwTime));
    EXPECT_STREQ("HTTP/1.0", log.hits[0]->lpszProtocol);
    EXPECT_STREQ("5.6.7.8", log.hits[1]->szClientAddr);
    EXPECT_EQ(HIT_METHOD_POST, log.hits[1]->wMethod);
    EXPECT_EQ(512u, log.hits[1]->dwBytes);
    EXPECT_EQ("1999-10-11 08:00:01", HitTimeText(log.hits[1]->dwTime));
}

// The map belongs to the file: reading on with the same map (as after the
// file's transparent reopen) keeps the latest directive's columns.
TEST_F(W3CLog, TheFileKeepsItsCurrentMapAcrossReads) {
    Read(kChangedFields);
    Read("09:00:00 9.9.9.9 GET /c.html 200 64\r\n");
    ASSERT_EQ(3u, log.hits.size());
    EXPECT_STREQ("/c.html", log.hits[2]->lpszUrl);
    EXPECT_EQ(64u, log.hits[2]->dwBytes);
    EXPECT_EQ("1999-10-11 09:00:00", HitTimeText(log.hits[2]->dwTime));
}

// An FTP service log: records carry only a time, the date comes from
// "#Date:"; methods carry the session number and only transfers are hits.
TEST_F(W3CLog, FtpServiceLogTakesItsDateFromTheDirective) {
    Read("#Software: Microsoft Internet Information Server 4.0\n"
         "#Version: 1.0\n"
         "#Date: 1999-10-10 13:00:00\n"
         "#Fields: time c-ip cs-method cs-uri-stem sc-status\n"
         "13:55:30 1.2.3.4 [1]USER anonymous 331\n"
         "13:55:36 1.2.3.4 [1]sent /pub/f.zip 226\n"
         "13:56:00 1.2.3.4 [1]created /in/up.txt 0\n");
    ASSERT_EQ(2u, log.hits.size());
    EXPECT_EQ(5, log.skipped);
    EXPECT_STREQ("GET", log.hits[0]->lpszMethod);
    EXPECT_STREQ("FTP", log.hits[0]->lpszProtocol);
    EXPECT_STREQ("/pub/f.zip", log.hits[0]->lpszUrl);
    EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(log.hits[0]->dwTime));
    EXPECT_EQ(HIT_METHOD_PUT, log.hits[1]->wMethod);
    EXPECT_EQ(1, log.hits[1]->bSuccess); // status 0 of an FTP transfer
}

TEST_F(W3CLog, WithoutAnyDirectiveLinesNeedADate) {
    Read("13:55:36 1.2.3.4 GET /a.html 200\n");
    EXPECT_EQ(0u, log.hits.size());
    Read("#Date: 1999-10-10 00:00:00\n13:55:36 1.2.3.4 GET /a.html 200\n");
    ASSERT_EQ(1u, log.hits.size());
    EXPECT_STREQ("/a.html", log.hits[0]->lpszUrl);
}

TEST_F(W3CLog, FieldValues) {
    Read("#Fields: date time c-ip cs-username cs-method cs-uri-stem cs-uri-query sc-status "
         "sc-bytes cs-bytes cs(User-Agent) cs(Cookie) cs(Referer) s-computername s-ip x-odd\n"
         "1999-10-10 13:55:36 1.2.3.4 bob GET /a%20b x=%41 404 100 7 "
         "Mozilla/4.0+(compatible;+MSIE+4.01) id=1.2.3.4-5.6 http://r/ WEB1 10.0.0.1 zz\n"
         "1999-10-10 13:55:37 1.2.3.4 - PUT /up - 201 0 4096 \"Agent \"\"q\"\"\" - - - 10.0.0.1 "
         "zz\n");
    ASSERT_EQ(2u, log.hits.size());
    const HitRecord* a = log.hits[0];
    EXPECT_STREQ("bob", a->lpszUserName);
    EXPECT_STREQ("/a b?x=A", a->lpszUrl);
    EXPECT_EQ(404u, a->dwStatus);
    EXPECT_EQ(0, a->bSuccess);
    EXPECT_EQ(100u, a->dwBytes);
    EXPECT_STREQ("7", a->lpszBytesIn);
    EXPECT_STREQ("Mozilla/4.0 (compatible; MSIE 4.01)", a->lpszUserAgent);
    EXPECT_STREQ("1.2.3.4-5.6", a->lpszCookie);
    EXPECT_STREQ("http://r/", a->lpszReferrer);
    EXPECT_STREQ("WEB1", a->lpszServerName);
    const HitRecord* b = log.hits[1];
    EXPECT_EQ(HIT_METHOD_PUT, b->wMethod); // uploads count
    EXPECT_EQ(4096u, b->dwBytes);
    EXPECT_STREQ("", b->lpszUserName);
    EXPECT_STREQ("/up", b->lpszUrl);
    EXPECT_STREQ("Agent \"q\"", b->lpszUserAgent);
    EXPECT_STREQ("10.0.0.1", b->lpszServerName); // s-ip fills an empty computer name
}

// Runs of blanks and tabs between columns count once wherever they fall in
// the 16-byte blocks the columns are found in, with and without quotes.
TEST_F(W3CLog, ColumnSeparatorsAtEveryPlace) {
    const std::string fields = "#Fields: date time c-ip cs-uri-stem sc-status cs(User-Agent)\n";
    for (int pad = 0; pad < 20; ++pad)
        for (const char* sep : {" ", "\t", " \t  ", "   "})
            for (const char* agent : {"Mozilla/5.0", "\"Mozilla/5.0\""}) {
                std::string lead(pad % 3, ' ');
                std::string line = lead + "1999-10-10" + sep + "13:55:36" + sep + "1.2.3.4" + sep +
                                   "/" + std::string(pad, 'p') + sep + "200" + sep + agent +
                                   std::string(pad % 2, ' ');
                Read(fields + line + "\n");
                SCOPED_TRACE(line);
                ASSERT_EQ(1u, log.hits.size());
                const HitRecord* h = log.hits[0];
                EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(h->dwTime));
                EXPECT_STREQ("1.2.3.4", h->szClientAddr);
                EXPECT_EQ("/" + std::string(pad, 'p'), h->lpszUrl);
                EXPECT_EQ(200u, h->dwStatus);
                EXPECT_STREQ("Mozilla/5.0", h->lpszUserAgent);
                HitRecord_Free(log.hits[0]);
                log.hits.clear();
            }
}

TEST_F(W3CLog, EveryValueQuoted) {
    Read("#Fields: date time c-ip cs-method cs-uri-stem cs-uri-query sc-status\n"
         "\"2017-06-28\" \"07:26:35\" \"1.2.3.4\" \"GET\" \"/p a.php\" \"v=1\" \"200\"\n");
    ASSERT_EQ(1u, log.hits.size());
    EXPECT_EQ("2017-06-28 07:26:35", HitTimeText(log.hits[0]->dwTime));
    EXPECT_STREQ("/p a.php?v=1", log.hits[0]->lpszUrl);
    EXPECT_STREQ("1.2.3.4", log.hits[0]->szClientAddr);
    EXPECT_EQ(200u, log.hits[0]->dwStatus);
}

TEST_F(W3CLog, SkippedLines) {
    Read("#Fields: date time c-ip cs-method cs-uri-stem sc-status\n"
         "1999-10-10 13:55:36 1.2.3.4 DELETE /a 200\n"    // other method
         "1999-10-10 13:55:36 1.2.3.4 GET\n"              // declared column missing
         "1999-13-10 13:55:36 1.2.3.4 GET /a 200\n"       // bad date
         "1999-10-10 13:55:36 1.2.3.4 GET /a 200 x y z\n" // extra columns, "date" first
         "1999-10-10 13:55:36 1.2.3.4 GET /ok 200\n");
    ASSERT_EQ(1u, log.hits.size());
    EXPECT_STREQ("/ok", log.hits[0]->lpszUrl);
    EXPECT_EQ(5, log.skipped);
}

// A line with more columns than a directive that does not start with
// "date" is read with the full field list, which then stays for the file.
TEST_F(W3CLog, OverLongLineSwitchesToTheFullFieldList) {
    std::string full = "1999-10-10 13:55:36 1.2.3.4 - W3SVC1 WEB1 10.0.0.1 GET /f.html - 200 0 "
                       "321 99 10 80 HTTP/1.0 Agent - -\n";
    Read("#Fields: time c-ip cs-method cs-uri-stem sc-status\n" + full + full);
    ASSERT_EQ(2u, log.hits.size());
    EXPECT_STREQ("/f.html", log.hits[0]->lpszUrl);
    EXPECT_EQ(321u, log.hits[0]->dwBytes);
    EXPECT_EQ(20u, map->dwColumns);
    EXPECT_EQ(W3C_DATE, map->aiColumn[0]);
}

// More columns than the map holds: the first 48 are kept, the rest ignored,
// and nothing is written past the map.
TEST_F(W3CLog, FiftyColumnsKeepTheFirst48) {
    std::string fields = "#Fields: date time c-ip cs-method cs-uri-stem sc-status";
    std::string line = "1999-10-10 13:55:36 1.2.3.4 GET /w.html 200";
    for (int i = 0; i < 44; ++i) {
        fields += " x-c" + std::to_string(i);
        line += " v";
    }
    Read(fields + "\n" + line + "\n");
    EXPECT_EQ(48u, map->dwColumns);
    EXPECT_EQ(50u, map->dwDeclared);
    ASSERT_EQ(1u, log.hits.size());
    EXPECT_STREQ("/w.html", log.hits[0]->lpszUrl);
}

TEST_F(W3CLog, DirectiveWithoutTimeWarnsOnceAndBlocksUntilAGoodOne) {
    Read("#Fields: date c-ip cs-method cs-uri-stem sc-status\n"
         "1999-10-10 1.2.3.4 GET /a 200\n"
         "#Fields: c-ip\n"
         "1.2.3.4\n"
         "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n"
         "1999-10-10 13:55:36 1.2.3.4 GET /b 200\n");
    ASSERT_EQ(1u, log.hits.size());
    EXPECT_STREQ("/b", log.hits[0]->lpszUrl);
    ASSERT_EQ(1u, g_shown.size());
    EXPECT_EQ(5739u, g_shown[0].captionId);
    EXPECT_EQ(5738u, g_shown[0].messageId);
}

// A read made only for a time follows "#Fields:" as every read does (its
// callers start it with the directives in force at its position), answers
// with the time alone, also when the date column comes after the time, and
// leaves the message about a bad directive to the analysis's own read.
TEST_F(W3CLog, SamplingReadFollowsTheDirectivesAndAnswersWithTheTime) {
    const char opening[] = "#Fields: date time c-ip cs-method cs-uri-stem sc-status\r\n";
    ASSERT_TRUE(W3C_ScanOpeningText(&map, opening, sizeof(opening) - 1));
    Read("#Fields: time date c-ip\n13:55:36 1999-10-10 1.2.3.4\n", TRUE);
    ASSERT_EQ(1u, log.hits.size());
    EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(log.hits[0]->dwTime));
    EXPECT_EQ(W3C_TIME, map->aiColumn[0]);
    Read("#Fields: c-ip\n", TRUE);
    EXPECT_EQ(W3C_COLUMN_NONE, map->aiColumn[0]);
    EXPECT_TRUE(g_shown.empty());
}

TEST(W3CDirectives, RecognisedAtLineStarts) {
    EXPECT_TRUE(W3C_IsDirective("#Version: 1.0\n", 14));
    EXPECT_TRUE(W3C_IsDirective("x\r\n#Date: 1999\n", 15));
    EXPECT_FALSE(W3C_IsDirective("x #Fields: a\n", 13));
    EXPECT_FALSE(W3C_IsDirective("#Remark: x\n", 11));
    W3CFieldMap* map = nullptr;
    EXPECT_FALSE(W3C_ScanOpeningText(&map, "1.2.3.4 - -\n", 12));
    EXPECT_EQ(nullptr, map);
    EXPECT_FALSE(W3C_ScanOpeningText(&map, "#Fields: date c-ip\n", 19));
    EXPECT_EQ(nullptr, map);
}

} // namespace
