// Hit records: line buffers, duplication, defaults, completion and the small
// text routines.
#include <gtest/gtest.h>
#include "ovcore/hitrecord.h"
#include "logparse/parse_common.h"
#include "engine_settings_edit.h"
#include <string.h>
#include <string>

namespace {

struct RecordHolder {
    HitRecord* rec = HitRecord_New();
    ~RecordHolder() { HitRecord_Free(rec); }
};

TEST(HitRecordLine, SetLineCopiesTextWithSpareZerosAndResets) {
    RecordHolder h;
    h.rec->dwTime = 5;
    h.rec->dwValid = 1;
    ASSERT_TRUE(HitRecord_SetLine(h.rec, "abc\n", 4));
    EXPECT_EQ(4u + HIT_LINE_SPARE, h.rec->dwLineSize);
    EXPECT_EQ(0, memcmp(h.rec->lpLine, "abc\n", 4));
    for (DWORD i = 4; i <= h.rec->dwLineSize; ++i)
        ASSERT_EQ(0, h.rec->lpLine[i]) << i;
    EXPECT_EQ(HIT_METHOD_OTHER, h.rec->wMethod);
    EXPECT_EQ(1, h.rec->wFormat);
    EXPECT_EQ(0u, h.rec->dwTime);
    EXPECT_EQ(0u, h.rec->dwValid);
    EXPECT_EQ(HitRecord_EmptyText, h.rec->lpszUrl);
    EXPECT_EQ(HitRecord_EmptyText, h.rec->lpszCookie);
}

TEST(HitRecordLine, GrowingTheBufferMovesTextPointers) {
    RecordHolder h;
    ASSERT_TRUE(HitRecord_SetLine(h.rec, "GET /a.html", 11));
    h.rec->lpLine[3] = 0;
    h.rec->lpszMethod = h.rec->lpLine;
    h.rec->lpszUrl = h.rec->lpLine + 4;
    ASSERT_TRUE(HitRecord_EnsureRoom(h.rec, 12, 1000));
    EXPECT_GE(h.rec->dwLineSize, 1012u);
    EXPECT_STREQ("GET", h.rec->lpszMethod);
    EXPECT_STREQ("/a.html", h.rec->lpszUrl);
    EXPECT_EQ(h.rec->lpLine + 4, h.rec->lpszUrl);
    EXPECT_EQ(HitRecord_EmptyText, h.rec->lpszReferrer);
}

TEST(HitRecordCopy, DuplicateMovesPointersIntoTheCopy) {
    RecordHolder h;
    ASSERT_TRUE(HitRecord_SetLine(h.rec, "1.2.3.4 /x", 10));
    h.rec->lpLine[7] = 0;
    strcpy(h.rec->szClientAddr, "1.2.3.4");
    h.rec->lpszClientAddr = h.rec->szClientAddr;
    h.rec->lpszUrl = h.rec->lpLine + 8;
    h.rec->lpszCookie = nullptr;
    HitRecord* copy = HitRecord_Clone(h.rec, FALSE, FALSE);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(h.rec->lpLine, copy->lpLine);
    EXPECT_EQ(copy->lpLine + 8, copy->lpszUrl);
    EXPECT_EQ(copy->szClientAddr, copy->lpszClientAddr);
    EXPECT_EQ(nullptr, copy->lpszCookie);
    EXPECT_EQ(HitRecord_EmptyText, copy->lpszReferrer);
    HitRecord_Free(copy);
}

// The texts may lie in the buffer being rewritten, and may be longer than
// the line's spare bytes: they survive and the buffer grows.
TEST(HitRecordDefaults, TextsFromTheLineSurviveAndLongOnesGrowTheBuffer) {
    for (size_t agentLength : {10u, 3000u}) {
        SCOPED_TRACE(agentLength);
        std::string line = "http://r/ /u.html " + std::string(agentLength, 'A');
        RecordHolder h;
        ASSERT_TRUE(HitRecord_SetLine(h.rec, line.c_str(), (DWORD)line.size()));
        char* buf = h.rec->lpLine;
        buf[9] = buf[17] = 0;
        DWORD total = HitRecord_SetDefaults(h.rec, buf, buf + 10, buf, buf + 18);
        EXPECT_EQ(h.rec->dwSize, total);
        EXPECT_STREQ("/u.html", h.rec->lpszUrl);
        EXPECT_STREQ("http://r/", h.rec->lpszReferrer);
        EXPECT_EQ(std::string(agentLength, 'A'), h.rec->lpszUserAgent);
        EXPECT_STREQ("01/Jan/1997:00:00:00 +0000", h.rec->lpszDateTime);
        EXPECT_STREQ("localhost", h.rec->szClientAddr);
        EXPECT_STREQ("Numeric IP", h.rec->szDomain);
        EXPECT_EQ(200u, h.rec->dwStatus);
        EXPECT_EQ(1, h.rec->bSuccess);
        EXPECT_LE(total, h.rec->dwLineSize);
    }
}

// Line after line, the record keeps its buffer; only a longer line grows it.
TEST(HitRecordLine, SetLineReusesTheBufferUntilALongerLineComes) {
    RecordHolder h;
    std::string longer(3000, 'x'), shorter = "short line\n";
    ASSERT_TRUE(HitRecord_SetLine(h.rec, longer.c_str(), (DWORD)longer.size()));
    char* buffer = h.rec->lpLine;
    ASSERT_TRUE(HitRecord_SetLine(h.rec, shorter.c_str(), (DWORD)shorter.size()));
    EXPECT_EQ(buffer, h.rec->lpLine);
    EXPECT_EQ(shorter.size() + HIT_LINE_SPARE, h.rec->dwLineSize);
    EXPECT_EQ(0, memcmp(h.rec->lpLine, shorter.c_str(), shorter.size()));
    for (DWORD i = (DWORD)shorter.size(); i <= h.rec->dwLineSize; ++i)
        ASSERT_EQ(0, h.rec->lpLine[i]) << i; // the old text's tail is gone
    ASSERT_TRUE(HitRecord_SetLine(h.rec, longer.c_str(), (DWORD)longer.size()));
    EXPECT_EQ(buffer, h.rec->lpLine);
    std::string longest(100000, 'y');
    ASSERT_TRUE(HitRecord_SetLine(h.rec, longest.c_str(), (DWORD)longest.size()));
    EXPECT_EQ(longest.size() + HIT_LINE_SPARE, h.rec->dwLineSize);
    EXPECT_EQ(0, memcmp(h.rec->lpLine, longest.c_str(), longest.size()));
    EXPECT_EQ(0, h.rec->lpLine[h.rec->dwLineSize]);
}

TEST(HitRecordDefaults, NullTextsGiveSlashAndDash) {
    RecordHolder h;
    ASSERT_TRUE(HitRecord_SetLine(h.rec, "", 0));
    HitRecord_SetDefaults(h.rec, h.rec->lpLine, nullptr, nullptr, nullptr);
    EXPECT_STREQ("/", h.rec->lpszUrl);
    EXPECT_STREQ("-", h.rec->lpszReferrer);
    EXPECT_STREQ("", h.rec->lpszUserAgent);
    EXPECT_STREQ("GET", h.rec->lpszMethod);
}

// A record over a writable copy of each field text, completed.
struct Completion {
    char status[16], protocol[16], bytesIn[32], bytesOut[32], cookie[64], referrer[16];
    RecordHolder h;
    Completion(const char* st, const char* proto, WORD method, const char* in, const char* out,
               const char* ck) {
        HitRecord_SetLine(h.rec, "", 0);
        strcpy(status, st);
        strcpy(protocol, proto);
        strcpy(bytesIn, in);
        strcpy(bytesOut, out);
        strcpy(referrer, "-");
        h.rec->lpszStatus = status;
        h.rec->lpszProtocol = protocol;
        h.rec->lpszBytesIn = bytesIn;
        h.rec->lpszBytesOut = bytesOut;
        h.rec->lpszReferrer = referrer;
        h.rec->wMethod = method;
        if (ck) {
            strcpy(cookie, ck);
            h.rec->lpszCookie = cookie;
        } else {
            h.rec->lpszCookie = nullptr;
        }
        CompleteHitRecord(h.rec);
    }
};

TEST(HitRecordCompletion, StatusClassesAndFtp) {
    struct {
        const char* status;
        const char* protocol;
        int success;
    } cases[] = {{"0", "FTP", 1},        {"0", "ftp", 1},        {"0", "HTTP/1.0", 0},
                 {"404", "HTTP/1.0", 0}, {"304", "HTTP/1.0", 1}, {"200", "", 1},
                 {"500", "FTP", 0}};
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.status) + " " + c.protocol);
        Completion r(c.status, c.protocol, HIT_METHOD_GET, "0", "0", nullptr);
        EXPECT_EQ(c.success, r.h.rec->bSuccess);
        EXPECT_EQ((DWORD)atoi(c.status), r.h.rec->dwStatus);
        EXPECT_STREQ("", r.h.rec->lpszReferrer);
    }
}

TEST(HitRecordCompletion, BytesByMethodDashAndSaturation) {
    EXPECT_EQ(77u, Completion("200", "", HIT_METHOD_PUT, "77", "5", nullptr).h.rec->dwBytes);
    EXPECT_EQ(5u, Completion("200", "", HIT_METHOD_GET, "77", "5", nullptr).h.rec->dwBytes);
    EXPECT_EQ(0u, Completion("200", "", HIT_METHOD_GET, "0", "-", nullptr).h.rec->dwBytes);
    // Above 4 GB the count stays at its maximum instead of wrapping.
    EXPECT_EQ(0xFFFFFFFFu,
              Completion("200", "", HIT_METHOD_GET, "0", "5000000000", nullptr).h.rec->dwBytes);
}

TEST(HitRecordCompletion, CookieValidation) {
    struct {
        BOOL enable, validate;
        const char* cookie;
        const char* expected; // "(null)" for none
    } cases[] = {
        {TRUE, TRUE, "-", ""},
        {TRUE, TRUE, "id=1.2.3.4-5.6; x=y", "1.2.3.4-5.6"},
        {TRUE, TRUE, "a=b; id=10.20.3.4-5.66", "10.20.3.4-5.66"},
        {TRUE, TRUE, "id=abc", "(null)"},
        {TRUE, TRUE, "1.2.3.4-5.6abc", "1.2.3.4-5.6abc"},
        {TRUE, TRUE, "1.2.3.4.5.6", ""},
        {TRUE, FALSE, "id=abc", "id=abc"},
        {FALSE, FALSE, "id=1.2.3.4-5.6", ""},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.cookie);
        EditEngineSettings([&](EngineSettings& s) {
            s.net.CookieEnable = c.enable;
            s.net.CookieValidate = c.validate;
        });
        Completion r("200", "", HIT_METHOD_GET, "0", "0", c.cookie);
        EXPECT_STREQ(c.expected, r.h.rec->lpszCookie ? r.h.rec->lpszCookie : "(null)");
    }
    ResetParserSettings();
    Completion none("200", "", HIT_METHOD_GET, "0", "0", nullptr);
    EXPECT_EQ(nullptr, none.h.rec->lpszCookie);
}

TEST(HitRecordCompletion, IsRepeatable) {
    Completion r("404", "HTTP/1.0", HIT_METHOD_GET, "0", "12", "id=1.2.3.4-5.6");
    HitRecord first = *r.h.rec;
    CompleteHitRecord(r.h.rec);
    EXPECT_EQ(0, memcmp(&first, r.h.rec, sizeof(HitRecord)));
}

TEST(HitRecordClientAddress, LongHostNamesKeepTheirTail) {
    std::string host = "a." + std::string(40, 'b') + "." + std::string(30, 'c') + ".example.com";
    RecordHolder h;
    HitRecord_SetLine(h.rec, host.c_str(), (DWORD)host.size());
    h.rec->lpszClientAddr = h.rec->lpLine;
    FitClientAddress(h.rec);
    EXPECT_LE(strlen(h.rec->szClientAddr), 59u);
    EXPECT_EQ("." + std::string(30, 'c') + ".example.com", h.rec->szClientAddr);
    h.rec->lpszClientAddr = HitRecord_EmptyText;
    FitClientAddress(h.rec);
    EXPECT_STREQ("Unknown", h.rec->szClientAddr);
    EXPECT_STREQ("None", h.rec->szDomainType);
}

TEST(HitText, UnescapeUrl) {
    struct {
        const char* in;
        const char* out;
    } cases[] = {{"%41%2x%", "A%2x%"}, {"/a%20b%2fc", "/a b/c"},
                 {"%%41", "%A"},       {"plain", "plain"},
                 {"%4", "%4"},         {"", ""}};
    for (auto& c : cases) {
        char text[32];
        strcpy(text, c.in);
        UnescapeURLText(text);
        EXPECT_STREQ(c.out, text) << c.in;
    }
}

// One pass over the text: a megabyte of escapes takes no noticeable time.
TEST(HitText, UnescapeIsLinear) {
    std::string text;
    for (int i = 0; i < 300000; ++i)
        text += "%41";
    DWORD start = GetTickCount();
    UnescapeURLText(&text[0]);
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(std::string(300000, 'A'), text.c_str());
}

// URL fields: the escape search and the length scans start anywhere within a
// 16-byte block and end in the block of the terminator.
TEST(HitText, CleanUrlFieldAtEveryPlace) {
    const std::string longQuery = "/" + std::string(150, 'a') + "?" + std::string(149, 'q');
    struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"%41", "A"},
        {std::string(15, 'a') + "%41b", std::string(15, 'a') + "Ab"},
        {std::string(16, 'a') + "%41", std::string(16, 'a') + "A"},
        {std::string(33, 'a') + "?", std::string(33, 'a')},
        {std::string(31, 'a') + "%3F", std::string(31, 'a')}, // the decoded "?" goes too
        {std::string(17, 'a'), std::string(17, 'a')},
        {"", ""},
        {longQuery, "/" + std::string(150, 'a') + "?" + std::string(104, 'q') + "..."},
        {std::string(300, 'b') + "%41", std::string(260, 'b')},
        {"%41" + std::string(300, 'b'), "A" + std::string(257, 'b')}, // escape kept by the cut
    };
    for (auto& c : cases)
        for (size_t shift = 0; shift < 16; ++shift) {
            std::string buffer(shift, 'x');
            buffer += c.in;
            buffer.push_back(0);
            CleanUrlField(&buffer[shift]);
            EXPECT_STREQ(c.out.c_str(), buffer.c_str() + shift) << c.in << " at " << shift;
        }
}

TEST(HitText, LimitUrlLength) {
    std::string withQuery = "/" + std::string(150, 'a') + "?" + std::string(149, 'q');
    LimitUrlLength(&withQuery[0]);
    EXPECT_EQ(259u, strlen(withQuery.c_str()));
    EXPECT_EQ("...", std::string(withQuery.c_str() + 256));
    std::string plain(300, 'p');
    LimitUrlLength(&plain[0]);
    EXPECT_EQ(260u, strlen(plain.c_str()));
    std::string exact(260, 'e');
    LimitUrlLength(&exact[0]);
    EXPECT_EQ(260u, strlen(exact.c_str()));
}

TEST(HitText, YearsAndMonths) {
    struct {
        const char* text;
        int year;
    } years[] = {{"1999", 99}, {"05", 105},   {"98", 98},  {"150", -1},
                 {"1892", -1}, {"2035", 135}, {"69", 169}, {"x", -1}};
    for (auto& y : years)
        EXPECT_EQ(y.year, TwoDigitYear(y.text)) << y.text;
    EXPECT_EQ(0, MonthFromName("Jan"));
    EXPECT_EQ(9, MonthFromName("oCt/1999"));
    EXPECT_EQ(11, MonthFromName("DEC"));
    EXPECT_EQ(-1, MonthFromName("Ju"));
    EXPECT_EQ(-1, MonthFromName("Xyz"));
}

TEST(HitText, LineLengthAndFieldCutting) {
    char text[] = "ab\r\n\r\ncd";
    EXPECT_EQ(6u, GetLineLength(text, TRUE));
    EXPECT_STREQ("ab", text);
    char none[] = "abc";
    EXPECT_EQ(3u, GetLineLength(none, FALSE));
    EXPECT_EQ(2u, FindLineEnd("ab\r\ncd", 6));
    EXPECT_EQ(2u, FindLineEnd("ab\n\rcd", 6));
    EXPECT_EQ(0u, FindLineEnd("abcd", 4));
    char field[] = "abc   def";
    TrimFieldEnd(field, 6);
    EXPECT_STREQ("abc", field);
    EXPECT_EQ(3u, SkipBlanksAfter("a   b", 0));
    EXPECT_EQ(0u, SkipBlanksAfter("ab", 0));
}

} // namespace
