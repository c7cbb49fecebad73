// Report runs over logs written out of order: the run's range and interval
// grid reach the earliest and the latest hit, and every hit is counted in
// the intervals and in the tables.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "run/report_handle.h"
#include "run_driver.h"

namespace {

using runtest::LogLine;
using runtest::RunEngine;
using runtest::RunOptions;
using runtest::RunOutcome;
using runtest::RunReport;

const ORB_TIME kLogDay = 939513600; // 1999-10-10 00:00, second 0 of LogLine
const DWORD kHour = 3600, kDay = 86400;

struct OrderCase {
    const char* name;
    std::vector<DWORD> seconds; // the lines' times in file order
    DWORD length;               // the interval length the grid ends with
    std::vector<DWORD> slots;   // the interval of each line, in file order
};

std::ostream& operator<<(std::ostream& os, const OrderCase& c) {
    return os << c.name;
}

const OrderCase kCases[] = {
    // A hit ten seconds before the first line of a one-day log was counted
    // nowhere: the grid started at the first line.
    {"HitBeforeTheFirstLine", {10, 0, 300}, 60, {1, 0, 5}},
    // A log whose last line is its earliest had an ending before its start.
    {"LastLineEarliest", {10 * kHour, 9 * kHour, 8 * kHour + 300}, 1800, {3, 1, 0}},
    // A hit behind the grid's end was counted in the grid's first intervals.
    {"HitPastTheGridEnd", {0, 2400, 300}, 120, {0, 20, 2}},
    // Two days before the rest: no 32 half-hours reach, two-hour intervals do.
    {"HitDaysEarlier",
     {2 * kDay + 10 * kHour, 10 * kHour, 2 * kDay + 20 * kHour},
     7200,
     {24, 0, 29}},
};

class RunRange : public ::testing::TestWithParam<OrderCase> {};

TEST_P(RunRange, GridReachesEveryHit) {
    const OrderCase& c = GetParam();
    RunEngine engine;
    std::string log;
    DWORD first = c.seconds[0], last = c.seconds[0], bytes = 0;
    for (size_t i = 0; i < c.seconds.size(); ++i) {
        log += LogLine(1 + (int)i, c.seconds[i], "/p.html", 200, 100 + (int)i);
        bytes += 100 + (DWORD)i;
        first = c.seconds[i] < first ? c.seconds[i] : first;
        last = c.seconds[i] > last ? c.seconds[i] : last;
    }
    AnalysisProfile* p = engine.WriteProfile("o", {engine.WriteData("o.log", log)});
    RunOptions o;
    o.wholeLog = true;
    RunOutcome run = RunReport(p, "o.wlp", o);
    ASSERT_NE(run.report, nullptr);
    EXPECT_LE(p->FirstLogTime, p->LastLogTime);
    const RunContext* r = run.report->Run;
    ASSERT_NE(r, nullptr);
    const ReportIntervals& iv = r->Intervals;
    EXPECT_EQ(kLogDay + first, iv.RangeStart);
    EXPECT_EQ(kLogDay + last, iv.RangeEnd);
    EXPECT_EQ(c.length, iv.Length);
    ASSERT_LE(iv.Count, ANALYSIS_INTERVALS);
    DWORD hits = 0;
    double sent = 0;
    for (DWORD n = 0; n < iv.Count; ++n) {
        hits += r->Period.Hits[n];
        sent += r->Period.Bytes[n];
    }
    EXPECT_EQ(c.seconds.size(), hits);
    EXPECT_EQ(bytes, (DWORD)sent);
    for (size_t i = 0; i < c.seconds.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_LT(c.slots[i], ANALYSIS_INTERVALS);
        EXPECT_EQ(1u, r->Period.Hits[c.slots[i]]);
    }
    DWORD hourHits = 0;
    const AnalysisTable* hours = r->Period.TopTablesPtr + TopHours;
    for (LONG item : r->Accum.HourItems)
        hourHits += hours->lpItems[item]->ovTotalByHits;
    EXPECT_EQ(c.seconds.size(), hourHits);
    ORB_CloseReport(run.report, nullptr);
}

INSTANTIATE_TEST_SUITE_P(OutOfOrder, RunRange, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<OrderCase>& i) {
                             return std::string(i.param.name);
                         });

} // namespace
