#include <gtest/gtest.h>
#include "ovcore/report_intervals.h"
#include "report_ini_fixture.h"
#include <string>

namespace {

const ORB_TIME kMar1 = 1772323200; // 2026-03-01 00:00:00
const DWORD kDay = 86400;

typedef ReportIniFixture Intervals;

ReportIntervals Range(ORB_TIME start, ORB_TIME end) {
    ReportIntervals r = {};
    r.RangeStart = start;
    r.RangeEnd = end;
    r.FirstStart = start - start % kDay;
    return r;
}

// Count 0 gives the built-in table, the same as the shipped file's.
TEST_F(Intervals, ScaleChoiceBySpanAndMode) {
    WriteIni("[Interval]\r\nCount=0\r\n");
    const ReportIniSettings* s = &Read();
    const struct {
        const char* what;
        ORB_TIME start, end;
        int mode, count, row;
        DWORD length;
    } cases[] = {
        {"one day", kMar1, kMar1 + kDay - 1, INTERVALS_BY_SPAN, 24, 6, 3600},
        {"half an hour", kMar1 + 600, kMar1 + 1200, INTERVALS_BY_SPAN, 30, 0, 60},
        {"3 days from noon", kMar1 + kDay / 2, kMar1 + 3 * kDay - 1, INTERVALS_BY_SPAN, 3, 9, kDay},
        {"10 days", kMar1, kMar1 + 10 * kDay - 1, INTERVALS_BY_SPAN, 10, 10, kDay},
        {"20 days", kMar1, kMar1 + 20 * kDay - 1, INTERVALS_BY_SPAN, 20, 11, kDay},
        {"30 days", kMar1, kMar1 + 30 * kDay - 1, INTERVALS_BY_SPAN, 30, 12, kDay},
        {"40 days", kMar1, kMar1 + 40 * kDay - 1, INTERVALS_BY_SPAN, 26, 13, 604800},
        {"end before start", kMar1, kMar1 - 5, INTERVALS_BY_SPAN, 30, 0, 60},
        {"twelve months", kMar1, kMar1 + 5, INTERVALS_TWELVE_MONTHS, 12, 17, 2592000},
        {"24 months", kMar1, kMar1 + 5, INTERVALS_24_MONTHS, 24, 18, 2592000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReportIntervals r = Range(c.start, c.end);
        ChooseReportIntervals(s, c.mode, &r);
        EXPECT_EQ(r.Count, c.count);
        EXPECT_EQ(r.Row, c.row);
        EXPECT_EQ(r.Length, c.length);
    }
}

// A language's table without the fixed rows, or with an oversized scale,
// must not be read past its end nor fill more than 32 intervals.
TEST_F(Intervals, ShortTablesAndOversizedScales) {
    WriteIni("[Interval]\r\nCount=2\r\nScale1=Tiny, 40, 10, %M:%S, %D %T\r\n"
             "Scale2=Long, 50, 86400, %d.%m., %D\r\n");
    const ReportIniSettings* s = &Read();
    ReportIntervals r = Range(kMar1, kMar1 + 5);
    ChooseReportIntervals(s, INTERVALS_TWELVE_MONTHS, &r);
    EXPECT_EQ(r.Count, 12);
    EXPECT_EQ(r.Row, 17);
    char text[50];
    r = Range(kMar1, kMar1 + 10 * kDay - 1);
    ChooseReportIntervals(s, INTERVALS_BY_SPAN, &r);
    EXPECT_EQ(r.Row, 10);
    ASSERT_EQ(FormatIntervalStartText(s, &r, 1, text, sizeof text), 1);
    EXPECT_STREQ(text, "Mon 03/02"); // the built-in row's label format
    r = Range(kMar1, kMar1 + 100);
    ChooseReportIntervals(s, INTERVALS_BY_SPAN, &r);
    EXPECT_EQ(r.Row, 0);
    EXPECT_EQ(r.Count, REPORT_MAX_INTERVALS);
    EXPECT_EQ(FormatIntervalLabelText(s, &r, 32, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
}

TEST_F(Intervals, Texts) {
    WriteIni("[Interval]\r\nCount=0\r\n");
    const ReportIniSettings* s = &Read();
    ReportIntervals hours = Range(kMar1 + 1800, kMar1 + kDay - 1);
    ChooseReportIntervals(s, INTERVALS_BY_SPAN, &hours);
    ReportIntervals days = Range(kMar1, kMar1 + 10 * kDay - 1);
    ChooseReportIntervals(s, INTERVALS_BY_SPAN, &days);
    ReportIntervals seconds = {4, 0, 30, kMar1, kMar1, kMar1 + 119};
    char text[50];
    const struct {
        const char* what;
        const ReportIntervals* r;
        int kind, n, result;
        const char* text;
    } cases[] = {
        {"start of interval 0 is the range start", &hours, 0, 0, 1, "00:30"},
        {"start of a later interval", &hours, 0, 10, 1, "10:00"},
        {"day start in the day row's format", &days, 0, 9, 1, "Tue 03/10"},
        {"start past the last interval", &days, 0, 10, 0, ""},
        {"hour label", &hours, 1, 10, 1, "10:00:00 - 10:59:59"},
        {"day label: equal texts give the start alone", &days, 1, 2, 1, "03/03"},
        {"label under a minute", &seconds, 1, 1, 1, "00:30 - 00:59"},
        {"negative interval", &seconds, 1, -1, 0, ""},
        {"period", &days, 2, 0, 1, "03/01/26 - 03/10/26 (Days)"},
        {"range", &hours, 3, 0, 1, "03/01/26 00:30:00 - 03/01/26 23:59:59"},
        // Once the row's start format, which could show only a time of day.
        {"generated on, in the language's format", &days, 4, 0, 1,
         "Wednesday March 04, 2026 - 00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int result = -1;
        switch (c.kind) {
        case 0:
            result = FormatIntervalStartText(s, c.r, c.n, text, sizeof text);
            break;
        case 1:
            result = FormatIntervalLabelText(s, c.r, c.n, text, sizeof text);
            break;
        case 2:
            result = FormatPeriodLabelText(s, c.r, text, sizeof text);
            break;
        case 3:
            result = FormatReportRangeText(s, c.r, text, sizeof text);
            break;
        default:
            result = FormatGeneratedOnText(s, c.r, kMar1 + 3 * kDay, text, sizeof text);
        }
        EXPECT_EQ(result, c.result);
        EXPECT_STREQ(text, c.text);
    }
    // A small buffer is filled and cut, never overrun.
    char small[8];
    ASSERT_EQ(FormatReportRangeText(s, &hours, small, sizeof small), 1);
    EXPECT_STREQ(small, "03/01/2");
}

} // namespace
