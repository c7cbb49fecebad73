// The interval grid of a report from the history database, and the slot of
// each stored hour in it.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "history/report_grid.h"

namespace {

ORB_TIME At(int day, int hour, int minute = 0, int second = 0) {
    return Y2K_mktimeEx((WORD)hour, (WORD)minute, (WORD)second, 2, (WORD)day, 99, nullptr);
}

TEST(ReportGridTest, GridsOfRanges) {
    const struct {
        const char* what;
        ORB_TIME start, end;
        DWORD length;
        WORD count;
        ORB_TIME gridStart, gridEnd;
    } cases[] = {
        {"20 whole hours", At(5, 2), At(5, 21, 59, 59), 3600, 20, At(5, 2), At(5, 21, 59, 59)},
        {"part hours widen", At(5, 2, 30), At(5, 3, 10), 3600, 2, At(5, 2), At(5, 3, 59, 59)},
        {"30 hours: two days", At(5, 6), At(6, 11, 59, 59), 86400, 2, At(5, 0), At(7, 0)},
        {"ten days", At(5, 0), At(14, 23, 59, 59), 86400, 10, At(5, 0), At(14, 23, 59, 59)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RunContext* run = AllocRunContext();
        SetReportIntervalsForRange(run, c.start, c.end);
        EXPECT_EQ(c.length, run->Intervals.Length);
        EXPECT_EQ(c.count, run->Intervals.Count);
        EXPECT_EQ(c.gridStart, run->Intervals.FirstStart);
        EXPECT_EQ(c.gridStart, run->Intervals.RangeStart);
        EXPECT_EQ(c.gridEnd, run->Intervals.RangeEnd);
        free(run);
    }
}

TEST(ReportGridTest, StoredHoursLandInTheirOwnSlots) {
    EXPECT_EQ(0u, FirstHourOffset(At(5, 0), At(5, 0)));
    EXPECT_EQ(9u, FirstHourOffset(At(5, 9, 30), At(5, 0)));
    EXPECT_EQ(24u, FirstHourOffset(At(6, 0, 0, 1), At(5, 0)));

    // A 20-hour range from 06:30: the first day's hour 6 is slot 0, the
    // next day's hour 1 is slot 19, and hours outside the grid have none.
    RunContext* run = AllocRunContext();
    SetReportIntervalsForRange(run, At(5, 6, 30), At(6, 1, 59, 59));
    EXPECT_EQ(-1, HourSlotIndex(run, 0, 5, At(5, 0)));
    EXPECT_EQ(0, HourSlotIndex(run, 0, 6, At(5, 0)));
    EXPECT_EQ(17, HourSlotIndex(run, 0, 23, At(5, 0)));
    EXPECT_EQ(19, HourSlotIndex(run, 1, 1, At(6, 0)));
    EXPECT_EQ(-1, HourSlotIndex(run, 1, 2, At(6, 0)));

    // Daily slots: by the day the hour lies in.
    SetReportIntervalsForRange(run, At(5, 0), At(9, 23, 59, 59));
    EXPECT_EQ(3, HourSlotIndex(run, 3, 17, At(8, 0)));
    EXPECT_EQ(-1, HourSlotIndex(run, 5, 0, At(10, 0)));

    // A grid of six-hour slots from 06:00: the hours of a day spread over
    // four slots (once all of them fell into the day's one slot).
    run->Intervals.Length = 6 * 3600;
    run->Intervals.Count = 8;
    run->Intervals.FirstStart = At(5, 6);
    EXPECT_EQ(-1, HourSlotIndex(run, 0, 5, At(5, 0)));
    EXPECT_EQ(0, HourSlotIndex(run, 0, 11, At(5, 0)));
    EXPECT_EQ(2, HourSlotIndex(run, 0, 18, At(5, 0)));
    EXPECT_EQ(4, HourSlotIndex(run, 1, 7, At(6, 0)));

    // Month slots: by the month of the day.
    run->CountByMonth = 1;
    run->Intervals.Count = 2;
    run->MonthStarts[0] = At(1, 0);
    run->MonthStarts[1] = At(31, 0) + 86400; // 1 April
    run->MonthStarts[2] = run->MonthStarts[1] + 30 * 86400;
    EXPECT_EQ(0, HourSlotIndex(run, 0, 3, At(20, 0)));
    EXPECT_EQ(1, HourSlotIndex(run, 40, 3, run->MonthStarts[1] + 86400));
    EXPECT_EQ(1, HourSlotIndex(run, 90, 3, run->MonthStarts[2] + 86400));
    free(run);
}

} // namespace
