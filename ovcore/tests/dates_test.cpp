// Date, time and number helpers. This file also runs under EST5EDT
// (ovcore_tz_tests): the GMT family must give the same answers in every zone.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "ovcore/ovcore.h"

namespace {

struct tm MakeTm(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                 int isdst = 0) {
    struct tm t = {};
    t.tm_year = year;
    t.tm_mon = month;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = isdst;
    return t;
}

// Seconds east of the zone this run uses: summer and winter.
struct ZoneBias {
    long summer, winter;
};

ZoneBias CurrentZone() {
    const char* tz = getenv("TZ");
    if (tz && strcmp(tz, "EST5EDT") == 0)
        return {4 * 3600, 5 * 3600};
    return {0, 0};
}

TEST(DatesTest, TheZoneIsOneTheTablesKnow) {
    const char* tz = getenv("TZ");
    ASSERT_NE(tz, nullptr);
    EXPECT_TRUE(strcmp(tz, "UTC") == 0 || strcmp(tz, "EST5EDT") == 0) << tz;
}

TEST(DatesTest, MkGmtTable) {
    struct Case {
        int year, month, day, hour, minute, second;
        ORB_TIME expected;
    };
    const Case cases[] = {
        {70, 0, 1, 0, 0, 0, 0},
        {5, 0, 1, 0, 0, 0, 1104537600},      // two-digit 05 is 2005
        {99, 11, 31, 23, 59, 59, 946684799}, // 99 stays 1999
        {101, 2, 3, 12, 0, 0, 983620800},
        {100, 1, 29, 0, 0, 0, 951782400},         // leap day 2000
        {38, 0, 19, 3, 14, 8, 2147483648u},       // past the 32-bit signed end
        {50, 0, 1, 0, 0, 0, 2524608000u},         // 2050, once -1
        {69, 11, 31, 0, 0, 0, 3155673600u},       // 2069
        {206, 1, 7, 6, 28, 14, 4294967294u},      // the last time value
        {206, 1, 7, 6, 28, 15, ORB_TIME_INVALID}, // -1 is never a time
        {207, 0, 1, 0, 0, 0, ORB_TIME_INVALID},
        {101, 0, 32, 0, 0, 0, 980985600},  // 32 January is 1 February
        {101, 12, 1, 0, 0, 0, 1009843200}, // month 12 is January 2002
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        struct tm t = MakeTm(c.year, c.month, c.day, c.hour, c.minute, c.second, -1);
        EXPECT_EQ(Y2K_mkGMT(&t), c.expected);
        ORB_TIME stored = 7;
        EXPECT_EQ(Y2K_mktimeEx(c.hour, c.minute, c.second, c.month, c.day, c.year, &stored),
                  c.expected);
        EXPECT_EQ(stored, c.expected);
    }
}

TEST(DatesTest, MkGmtIgnoresTheDaylightFlagAndNormalises) {
    struct tm summer = MakeTm(101, 6, 4, 12, 0, 0, -1);
    struct tm winter = MakeTm(101, 6, 4, 12, 0, 0, 1);
    EXPECT_EQ(Y2K_mkGMT(&summer), 994248000u);
    EXPECT_EQ(Y2K_mkGMT(&winter), 994248000u);
    EXPECT_EQ(summer.tm_isdst, 0);
    struct tm t = MakeTm(101, 0, 32, 25, 0, 0);
    Y2K_mkGMT(&t);
    EXPECT_EQ(t.tm_mon, 1);
    EXPECT_EQ(t.tm_mday, 2);
    EXPECT_EQ(t.tm_hour, 1);
    EXPECT_EQ(t.tm_wday, 5); // Friday 2 February 2001
    EXPECT_EQ(t.tm_yday, 32);
}

TEST(DatesTest, GmTmReadsTheValueBack) {
    const ORB_TIME values[] = {0, 951782400, 983620800, 2147483648u, 4102444800u, 4294967294u};
    for (ORB_TIME value : values) {
        SCOPED_TRACE(value);
        struct tm* t = TimeToGmTm(&value);
        ASSERT_NE(t, nullptr);
        struct tm copy = *t;
        EXPECT_EQ(Y2K_mkGMT(&copy), value);
    }
    ORB_TIME epoch = 0;
    struct tm* t = TimeToGmTm(&epoch);
    EXPECT_EQ(t->tm_year, 70);
    EXPECT_EQ(t->tm_wday, 4); // a Thursday
    ORB_TIME invalid = ORB_TIME_INVALID;
    EXPECT_EQ(TimeToGmTm(&invalid), nullptr);
    EXPECT_EQ(TimeToGmTm(nullptr), nullptr);
    EXPECT_EQ(TimeToLocalTm(&invalid), nullptr);
}

TEST(DatesTest, MktimeIsLocal) {
    ZoneBias zone = CurrentZone();
    struct tm summer = MakeTm(101, 6, 4, 12, 0, 0, -1);
    EXPECT_EQ(Y2K_mktime(&summer), 994248000u + zone.summer);
    struct tm winter = MakeTm(1, 0, 15, 12, 0, 0, -1); // year 1 is 2001
    EXPECT_EQ(Y2K_mktime(&winter), 979560000u + zone.winter);
    EXPECT_EQ(winter.tm_year, 101);
    struct tm old = MakeTm(99, 11, 31, 12, 0, 0, -1);
    ORB_TIME value = Y2K_mktime(&old);
    struct tm* back = TimeToLocalTm(&value);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->tm_year, 99);
    EXPECT_EQ(back->tm_hour, 12);
}

TEST(DatesTest, FieldNumbersReadAtMostTwentyCharacters) {
    EXPECT_EQ(FieldToInt("12345"), 12345);
    EXPECT_EQ(FieldToInt("00000000000000000001"
                         "5"),
              1);
    EXPECT_EQ(FieldToLong("  -42 rest"), -42L);
    EXPECT_EQ(FieldToLong("00000000000000000002"
                          "7777"),
              2L);
    EXPECT_EQ(FieldToInt(nullptr), 0);
    EXPECT_EQ(FieldToInt(""), 0);
}

// A report language block with German-like names and the day-month-year order.
struct ReportNames {
    ReportNames() {
        memset(&settings, 0, sizeof(settings));
        static const char* shortDays[7] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
        static const char* longMonths[12] = {"Januar",    "Februar", "Maerz",    "April",
                                             "Mai",       "Juni",    "Juli",     "August",
                                             "September", "Oktober", "November", "Dezember"};
        for (int i = 0; i < 7; ++i)
            settings.ShortWeekdays[i] = const_cast<char*>(shortDays[i]);
        for (int i = 0; i < 12; ++i)
            settings.LongMonths[i] = const_cast<char*>(longMonths[i]);
        settings.DateSeparator = const_cast<char*>(".");
        settings.TimeSeparator = const_cast<char*>(":");
        settings.DateOrder = 1;
    }
    ReportIniSettings settings;
};

std::string Format(const char* format, const struct tm& t, const ReportIniSettings* settings,
                   int size = 100) {
    char out[128];
    memset(out, '#', sizeof(out));
    int length = FormatIntlDateTime(out, size, format, &t, settings);
    EXPECT_EQ(length, (int)strlen(out));
    EXPECT_EQ(out[size], '#');
    return out;
}

TEST(DatesTest, FormatIntlWithReportSettings) {
    ReportNames names;
    ORB_TIME value = 983620800 + 3 * 3600 + 4 * 60 + 5; // Sat 3 March 2001 15:04:05
    struct tm t = *TimeToGmTm(&value);
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"%D", "03.03.01"},
        {"%T", "15:04:05"},
        {"%D %T", "03.03.01 15:04:05"},
        {"%a %d %B %Y", "Sa 03 Maerz 2001"},
        {"%A %b", "Saturday Mar"}, // names the block lacks come from the engine
        {"%H:%M:%S %p", "15:04:05 pm"},
        {"%m/%d/%y", "03/03/01"},
        {"%j", "062"},
        {"100%%", "100%"},
        {"%q%", "%q%"}, // unknown conversions and a lone % stay as written
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(Format(c.format, t, &names.settings), c.expected);
    }
    names.settings.DateOrder = 2;
    EXPECT_EQ(Format("%D", t, &names.settings), "01.03.03");
    names.settings.DateOrder = 0;
    EXPECT_EQ(Format("%D", t, &names.settings), "03.03.01");
}

TEST(DatesTest, FormatIntlEdges) {
    ORB_TIME value = 946684800; // Sat 1 January 2000 00:00:00
    struct tm t = *TimeToGmTm(&value);
    EXPECT_EQ(Format("%y %j %p", t, nullptr), "00 001 am");
    EXPECT_EQ(Format("%A, %B %d", t, nullptr), "Saturday, January 01");
    // The size used to be ignored.
    EXPECT_EQ(Format("%A, %B %d", t, nullptr, 6), "Satur");
    EXPECT_EQ(Format("%Y", t, nullptr, 3), "20");
    char out[8] = "keep";
    EXPECT_EQ(FormatIntlDateTime(out, sizeof(out), "%D", nullptr, nullptr), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(FormatIntlDateTime(out, 0, "%D", &t, nullptr), 0);
}

TEST(DatesTest, UtcTextsAreTheSameInEveryZone) {
    int iDate = GetProfileIntA("intl", "iDate", 0);
    char sDate[8], sTime[8];
    GetProfileStringA("intl", "sDate", "/", sDate, sizeof(sDate));
    GetProfileStringA("intl", "sTime", ":", sTime, sizeof(sTime));
    sDate[1] = sTime[1] = 0;
    if (iDate < 0 || iDate > 2)
        GTEST_SKIP() << "this machine's date order writes no texts";
    const char* orders[3][3] = {{"03", "05", "99"}, {"05", "03", "99"}, {"99", "03", "05"}};
    std::string date =
        std::string(orders[iDate][0]) + sDate + orders[iDate][1] + sDate + orders[iDate][2];
    std::string time = std::string("14") + sTime + "30" + sTime + "00";
    char timeText[16], dateText[16];
    FormatUtcDateTime(timeText, dateText, 920644200); // 5 March 1999 14:30:00
    EXPECT_EQ(date, dateText);
    EXPECT_EQ(time, timeText);
    FormatUtcDateTime(timeText, dateText, ORB_TIME_INVALID);
    EXPECT_STREQ(timeText, "N/A");
    EXPECT_STREQ(dateText, "N/A");
    FormatLocalDateTime(timeText, dateText, 920644200);
    std::string localHour = CurrentZone().winter ? "09" : "14";
    EXPECT_EQ(localHour + sTime + "30" + sTime + "00", timeText);
}

} // namespace
