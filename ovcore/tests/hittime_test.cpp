// Hit times: the date texts of the line formats, the date-format codes and
// the GMT conversion.
#include <gtest/gtest.h>
#include "ovcore/hitrecord.h"
#include "ovcore/hittime.h"
#include "engine_settings_edit.h"
#include <stdlib.h>
#include <string.h>
#include <string>

std::string HitTimeText(DWORD value); // parsers_test.cpp

namespace {

// Runs a test body in another time zone and restores UTC after it.
struct ZoneScope {
    explicit ZoneScope(const char* tz) {
        _putenv_s("TZ", tz);
        _tzset();
    }
    ~ZoneScope() {
        _putenv_s("TZ", "UTC");
        _tzset();
    }
};

struct DateCodeScope {
    explicit DateCodeScope(DWORD code) { SetLogDateFormat(code); }
    ~DateCodeScope() { SetLogDateFormat(0); }
};

std::string Numeric(const char* text, int order) {
    struct tm t;
    if (!ParseNumericDateTime(text, order, &t))
        return "rejected";
    char out[32];
    snprintf(out, sizeof(out), "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
             t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return out;
}

TEST(LogDateFormat, KeepsTheSixCodesOnly) {
    for (DWORD code : {8u, 9u, 10u, 34u, 35u, 36u}) {
        EXPECT_TRUE(SetLogDateFormat(code));
        EXPECT_EQ(code, GetLogDateFormat());
    }
    for (DWORD code : {0u, 7u, 11u, 33u, 37u}) {
        EXPECT_FALSE(SetLogDateFormat(code));
        EXPECT_EQ(0u, GetLogDateFormat());
    }
}

TEST(LogDateFormat, NumericDatesFollowTheCode) {
    struct {
        DWORD code;
        int order;
        const char* text;
        const char* expected;
    } cases[] = {
        {9, 0, "12/03/99 13:45:01", "1999-03-12 13:45:01"},
        {8, 0, "12/03/99 13:45:01", "1999-12-03 13:45:01"},
        {10, 0, "12/03/99 13:45:01", "rejected"},
        {35, 0, "12.03.1999 13:45:01", "1999-03-12 13:45:01"},
        {36, 0, "1999-03-12 13:45:01", "1999-03-12 13:45:01"},
        {0, 1, "12/03/99, 13:45:01", "1999-03-12 13:45:01"},
        {0, 2, "05/03/12 01:02:03", "2005-03-12 01:02:03"},
        {0, 0, "12-03-99 13:45:01", "rejected"}, // "-" separates only under the six codes
        {8, 0, "12/03/1892 13:45:01", "rejected"},
        {8, 0, "12/03/36 13:45:01", "2036-12-03 13:45:01"},
        {8, 0, "12/31/2105 23:59:59", "2105-12-31 23:59:59"},
        {8, 0, "01/01/2106 00:00:00", "rejected"}, // beyond the time values
        // Missing clock words count as 0; a date needs all three of its words.
        {9, 0, "12/03/99", "1999-03-12 00:00:00"},
        {8, 0, "12/03/99, 13:55", "1999-12-03 13:55:00"},
        {9, 0, "12/03", "rejected"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " code " + std::to_string(c.code));
        DateCodeScope scope(c.code);
        EXPECT_EQ(c.expected, Numeric(c.text, c.order));
    }
}

TEST(LogDateFormat, TabLogsMoveTheCodeToItsGmtTwin) {
    DateCodeScope scope(LOGDATE_DMY);
    HitRecord rec = {};
    char text[] = "12/03/99 13:45:01";
    rec.lpszDateTime = text;
    ASSERT_TRUE(SetHitTime(5, &rec));
    EXPECT_EQ((DWORD)LOGDATE_DMY_GMT, GetLogDateFormat());
    EXPECT_EQ("1999-03-12 13:45:01", HitTimeText(rec.dwTime));
}

DWORD CommonLogTime(const char* date) {
    HitRecord rec = {};
    char text[64];
    strcpy(text, date);
    rec.lpszDateTime = text;
    return SetHitTime(2, &rec) ? rec.dwTime : 0;
}

// Common-log dates with zone 0 are GMT and move to the analysing machine's
// wall clock; any other zone is the server's own local time, taken as it is.
TEST(HitTimeZones, CommonLogZoneZeroIsGmt) {
    ZoneScope zone("EST5EDT");
    EXPECT_EQ("1999-01-10 08:55:36", HitTimeText(CommonLogTime("10/Jan/1999:13:55:36 +0000")));
    EXPECT_EQ("1999-07-10 09:55:36", HitTimeText(CommonLogTime("10/Jul/1999:13:55:36 +0000")));
    EXPECT_EQ("1999-01-10 13:55:36", HitTimeText(CommonLogTime("10/Jan/1999:13:55:36 -0700")));
}

TEST(HitTimeZones, SquidSecondsAreConvertedLikeOtherGmtLogs) {
    ZoneScope zone("EST5EDT");
    struct tm gmt = {};
    gmt.tm_year = 99;
    gmt.tm_mon = 9;
    gmt.tm_mday = 10;
    gmt.tm_hour = 13;
    gmt.tm_min = 55;
    gmt.tm_sec = 36;
    EXPECT_EQ(HitTime_FromGmtFields(&gmt), HitTime_FromUnixSeconds(939563736));
    EXPECT_EQ("1999-10-10 09:55:36", HitTimeText(HitTime_FromUnixSeconds(939563736)));
}

// Guards the per-hour zone cache: a zone set (and applied with _tzset)
// between two reads of the same hour must be seen.
TEST(HitTimeZones, AChangedZoneIsSeenWithinTheSameHour) {
    EXPECT_EQ("1999-01-10 13:55:36", HitTimeText(CommonLogTime("10/Jan/1999:13:55:36 +0000")));
    {
        ZoneScope zone("EST5EDT");
        EXPECT_EQ("1999-01-10 08:55:36", HitTimeText(CommonLogTime("10/Jan/1999:13:55:36 +0000")));
    }
    EXPECT_EQ("1999-01-10 13:55:36", HitTimeText(CommonLogTime("10/Jan/1999:13:55:36 +0000")));
}

TEST(HitTimes, ValidRangeAndBadTexts) {
    EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(CommonLogTime("10/Oct/1999:13:55:36 -0700")));
    EXPECT_EQ("2005-10-10 13:55:36", HitTimeText(CommonLogTime("10/Oct/05:13:55:36 -0700")));
    EXPECT_EQ("1999-03-12 13:45:01", HitTimeText(CommonLogTime("Tue, 12 Mar 1999 13:45:01 +0100")));
    EXPECT_EQ("2105-12-31 23:59:59", HitTimeText(CommonLogTime("31/Dec/2105:23:59:59 -0100")));
    for (const char* bad :
         {"10/Oct/1892:13:55:36 -0700", "10/Foo/1999:13:55:36 -0700", "10/Oct/1992:13:55:36 -0700",
          "01/Jan/2106:00:00:00 -0700", "10/Oct/1999:24:00:00 -0700", "10/Oct/1999", ""})
        EXPECT_EQ(0u, CommonLogTime(bad)) << bad;
    EXPECT_EQ(ORB_TIME_INVALID, HitTime_FromUnixSeconds(-5));
    EXPECT_EQ("2100-01-01 00:00:00", HitTimeText(HitTime_FromUnixSeconds(4102444800LL)));
    EXPECT_EQ(ORB_TIME_INVALID, HitTime_FromUnixSeconds(4291747200LL)); // 2106
}

// Dates of the usual shape and their near relatives read alike, and times
// that run back and forth over day and month ends keep their own day.
TEST(HitTimes, UsualCommonDatesAndTheirNeighbours) {
    ZoneScope zone("EST5EDT");
    struct {
        const char* text;
        const char* time; // null: refused
    } cases[] = {
        {"31/Dec/1999:23:59:59 -0700", "1999-12-31 23:59:59"},
        {"01/Jan/2000:00:00:00 -0700", "2000-01-01 00:00:00"},
        {"31/Dec/1999:23:59:58 -0700", "1999-12-31 23:59:58"},
        {"29/Feb/2000:12:00:00 -0700", "2000-02-29 12:00:00"},
        {"30/Feb/2000:12:00:00 -0700", nullptr},
        {"01/Mar/2000:12:00:00 -0700", "2000-03-01 12:00:00"},
        {"10/oct/1999:13:55:36 +0000", "1999-10-10 09:55:36"},
        {"10/Oct/1999:13:55:36 -0000", "1999-10-10 09:55:36"},
        {"10/Oct/1999:13:55:36", "1999-10-10 09:55:36"}, // no zone is GMT
        {"10/Oct/1999:13:55:36 +0100 x", "1999-10-10 13:55:36"},
        {"10/Oct/1999:13:55:3", "1999-10-10 09:55:03"},
        {"1/Oct/1999:13:55:36 +0100", "1999-10-01 13:55:36"},
        {"10/Octo/1999:13:55:36 +0100", "1999-10-10 13:55:36"},
        {"10/Oct/1999:13:55:36 +01", "1999-10-10 13:55:36"},
        {"10/Oct/99:13:55:36 +0100", "1999-10-10 13:55:36"},
        {"10/Oct/1999:25:55:36 +0100", nullptr},
        {"10/O:t/1999:13:55:36 +0100", nullptr},
    };
    for (auto& c : cases) {
        DWORD t = CommonLogTime(c.text);
        EXPECT_EQ(c.time ? c.time : "", t ? HitTimeText(t) : "") << c.text;
    }
}

TEST(HitTimes, BlankAndPipeDates) {
    HitRecord rec = {};
    char blank[] = "Oct 10 13:55:36 1999";
    rec.lpszDateTime = blank;
    ASSERT_TRUE(SetHitTime(4, &rec));
    EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(rec.dwTime));
    char pipe[] = "991010 135536";
    rec.lpszDateTime = pipe;
    ASSERT_TRUE(SetHitTime(12, &rec));
    EXPECT_EQ("1999-10-10 13:55:36", HitTimeText(rec.dwTime));
    char shortPipe[] = "9910";
    rec.lpszDateTime = shortPipe;
    EXPECT_FALSE(SetHitTime(12, &rec));
    EXPECT_FALSE(SetHitTime(7, &rec)); // formats without a date text
}

} // namespace
