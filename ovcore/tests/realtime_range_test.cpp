// Report ranges of database reports. This file also runs under EST5EDT
// (ovcore_tz_tests): ranges relative to a given time must not move with the
// zone, and "now" is the local wall clock.
#include <gtest/gtest.h>

#include <time.h>

#include "ovcore/ovcore.h"

namespace {

ORB_TIME At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return Y2K_mktimeEx((WORD)hour, (WORD)minute, (WORD)second, (WORD)(month - 1), (WORD)day,
                        (WORD)(year - 1900), nullptr);
}
ORB_TIME EndOf(int year, int month, int day) {
    return At(year, month, day, 23, 59, 59);
}

ORB_TIME LocalNow() {
    time_t now = time(nullptr);
    struct tm t = *localtime(&now);
    return Y2K_mkGMT(&t);
}

TEST(RealtimeRangeTest, RangesRelativeToAGivenTime) {
    const struct {
        int code;
        ORB_TIME given, start, end;
    } cases[] = {
        {25, At(1999, 1, 15, 10), At(1999, 1, 15), EndOf(1999, 1, 15)},
        {26, At(1999, 3, 1, 10), At(1999, 2, 28), EndOf(1999, 2, 28)},
        {27, At(2000, 1, 1, 12), At(1999, 12, 26), EndOf(2000, 1, 1)},
        {28, At(2000, 1, 5), At(1999, 12, 26), EndOf(2000, 1, 1)},
        {29, At(2000, 3, 3, 8), At(2000, 2, 26), EndOf(2000, 3, 3)},
        {30, At(2000, 1, 5), At(1999, 12, 26), EndOf(2000, 1, 8)},
        {31, At(2000, 1, 5), At(1999, 12, 19), EndOf(2000, 1, 1)},
        {32, At(1999, 3, 10), At(1999, 2, 25), EndOf(1999, 3, 10)},
        {33, At(2000, 2, 10), At(2000, 2, 1), EndOf(2000, 2, 29)},
        {34, At(1999, 1, 15), At(1998, 12, 1), EndOf(1998, 12, 31)},
        {35, At(2000, 3, 10), At(2000, 2, 10), EndOf(2000, 3, 10)},
        {36, At(1999, 11, 2), At(1999, 10, 1), EndOf(1999, 12, 31)},
        {37, At(2000, 2, 10), At(1999, 10, 1), EndOf(1999, 12, 31)},
        {38, At(2001, 7, 7), At(2001, 1, 1), EndOf(2001, 12, 31)},
        {40, At(2001, 7, 7), At(2000, 1, 1), EndOf(2000, 12, 31)},
        {42, At(2039, 6, 1, 5), At(2039, 6, 1), EndOf(2039, 6, 1)}, // past 2038
        {43, At(2000, 1, 1, 12), At(1999, 12, 26), EndOf(2000, 1, 1)},
        {44, At(2000, 1, 5), At(1999, 12, 26), EndOf(2000, 1, 8)},
        {45, At(1999, 2, 3), At(1999, 2, 1), EndOf(1999, 2, 28)},
        {46, At(1999, 5, 3), At(1999, 4, 1), EndOf(1999, 6, 30)},
        {47, At(1999, 5, 3), At(1999, 1, 1), EndOf(1999, 12, 31)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ORB_TIME start = c.code >= 42 ? c.given : 0, end = c.code < 42 ? c.given : 0;
        ORB_CalculateRealtimeReportRange(c.code, &start, &end);
        EXPECT_EQ(c.start, start);
        EXPECT_EQ(c.end, end);
        EXPECT_EQ(0, GetRealtimeMonthTable()->Months);
    }
}

TEST(RealtimeRangeTest, YearRangesBuildTheMonthTable) {
    const struct {
        int code;
        ORB_TIME given, start, end;
        int months;
    } cases[] = {
        {39, At(2001, 7, 7), At(2001, 1, 1), EndOf(2001, 12, 31), 12},
        {41, At(2001, 7, 7), At(2000, 1, 1), EndOf(2000, 12, 31), 12},
        {48, At(2004, 3, 3), At(2004, 1, 1), EndOf(2004, 12, 31), 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ORB_TIME start = c.given, end = c.given;
        ORB_CalculateRealtimeReportRange(c.code, &start, &end);
        EXPECT_EQ(c.start, start);
        EXPECT_EQ(c.end, end);
        const RealtimeMonthTable* table = GetRealtimeMonthTable();
        ASSERT_EQ(c.months, table->Months);
        EXPECT_EQ(c.start, table->Bounds[0]);
        EXPECT_EQ(c.end + 1, table->Bounds[12]);
    }
    const RealtimeMonthTable* table = GetRealtimeMonthTable();
    EXPECT_EQ(At(2004, 3, 1), table->Bounds[2]); // after the leap February
}

// Codes relative to now, checked against the local wall clock read the
// same way (retried once should the second change in between).
TEST(RealtimeRangeTest, RangesRelativeToNowFollowTheLocalClock) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        ORB_TIME now = LocalNow();
        ORB_TIME today = now - now % 86400;
        ORB_TIME s5 = 0, e5 = 0, s2 = 0, e2 = 0, late = now + 10, e3 = 0, s0 = 5, e0 = 5;
        ORB_CalculateRealtimeReportRange(5, &s5, &e5);
        ORB_CalculateRealtimeReportRange(2, &s2, &e2);
        ORB_CalculateRealtimeReportRange(3, &late, &e3);
        ORB_CalculateRealtimeReportRange(0, &s0, &e0);
        ORB_TIME y0 = 0, y1 = 0;
        ORB_CalculateRealtimeReportRange(24, &y0, &y1);
        if (LocalNow() != now)
            continue;
        EXPECT_EQ(today, s5);
        EXPECT_EQ(today + 86399, e5);
        EXPECT_EQ(now - now % 60 - 840, s2);
        EXPECT_EQ(now, e2);
        EXPECT_EQ(now, late); // the data start after the computed start
        EXPECT_EQ(now, e3);
        EXPECT_EQ(now, s0);
        EXPECT_EQ(now, e0);
        time_t t = (time_t)now;
        int year = gmtime(&t)->tm_year + 1900;
        EXPECT_EQ(At(year - 1, 1, 1), y0);
        EXPECT_EQ(EndOf(year, 12, 31), y1);
        EXPECT_EQ(24, GetRealtimeMonthTable()->Months);
        EXPECT_EQ(At(year + 1, 1, 1), GetRealtimeMonthTable()->Bounds[24]);
        return;
    }
    ADD_FAILURE() << "the clock kept changing";
}

} // namespace
