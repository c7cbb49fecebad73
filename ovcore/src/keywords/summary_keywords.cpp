// Weekday, hour, day and bandwidth summaries.
#include <string.h>

#include "ovcore/report_intervals.h"
#include "ovcore/report_numbers.h"
#include "header_call.h"
#include "write/relabel_words.h"
#include "keyword_text.h"
#include "summary_by_day.h"
#include "table_values.h"
#include "run/run_setup.h"

// Hits and users of a set of weekdays (indexes into the Sunday-first short
// names).
struct DaySum {
    ULONGLONG hits, users;
};

static DaySum SumWeekdays(const RunContext* run, const AnalysisTable* days, int first, int last) {
    DaySum sum = {0, 0};
    for (int d = first; run->Language && d <= last; ++d) {
        const char* name = run->Language->ShortWeekdays[d % 7];
        sum.hits += FindItemHitsByName(days, name);
        sum.users += FindItemUsersByName(days, name);
    }
    return sum;
}

// "Hits", "Users" or "AsPercent" of a sum; a zero hits sum reads "0" as a
// percentage.
static int SetDaySum(const HeaderCall& call, const char* word, DaySum sum,
                     const AnalysisTable* table) {
    if (KeywordIs(word, "Hits"))
        SetHeaderCount(call, sum.hits);
    else if (KeywordIs(word, "Users"))
        SetHeaderCount(call, sum.users);
    else if (KeywordIs(word, "AsPercent")) {
        if (sum.hits == 0)
            SetHeaderText(call, "0");
        else
            SetHeaderPercent(call, (double)sum.hits,
                             (double)SumTableHits(table, 0, TABLE_ALL_ITEMS));
    } else
        return 0;
    return 1;
}

static int WeekdayKeyword(const HeaderCall& call) {
    const AnalysisTable* days = RunTable(call.run, TopWeekdays);
    const char* k = call.keyword;
    if (CompareKeywordPrefix(k, "TopWeekdaysWeekday") == 0)
        return SetDaySum(call, k + 18, SumWeekdays(call.run, days, 1, 5), days);
    if (CompareKeywordPrefix(k, "TopWeekdaysWeekend") == 0)
        return SetDaySum(call, k + 18, SumWeekdays(call.run, days, 6, 7), days);
    return 0;
}

static int HoursKeyword(const HeaderCall& call) {
    const RunContext* run = call.run;
    const AnalysisTable* hours = RunTable(run, TopHours);
    const char* k = call.keyword;
    if (!run->Language)
        return 0;
    if (CompareKeywordPrefix(k, "TopHoursWorkHours") == 0) {
        DaySum sum = {SumHoursHits(run, hours),
                      SumHoursUsers(run, hours, &run->Language->WorkHours)};
        return SetDaySum(call, k + 17, sum, hours);
    }
    if (CompareKeywordPrefix(k, "TopHoursAfterHours") == 0) {
        DaySum sum = {SumAfterHoursHits(run, hours),
                      SumHoursUsers(run, hours, &run->Language->AfterHours)};
        return SetDaySum(call, k + 18, sum, hours);
    }
    return 0;
}

int EvaluateSummaryKeyword(const HeaderCall& call) {
    if (FillSummaryByDayVars(call.run, call.keyword, call.value, call.size, call.markerFlag))
        return 1;
    if (KeywordIs(call.keyword, "SummaryByHourMostActiveHour"))
        MostHitsItemName(RunTable(call.run, TopHours), true, call.value, call.size);
    else if (KeywordIs(call.keyword, "SummaryByHourLeastActiveHour"))
        MostHitsItemName(RunTable(call.run, TopHours), false, call.value, call.size);
    else
        return WeekdayKeyword(call) || HoursKeyword(call);
    return 1;
}

// Interval n's label: the month name when the run counts by month.
static void IntervalLabel(const HeaderCall& call, DWORD n) {
    const RunContext* run = call.run;
    if (run->CountByMonth) {
        char month[64];
        if (n < run->Intervals.Count && GetMonthName((int)n, run, month) > 1)
            SetHeaderText(call, month);
    } else if (run->Language) {
        FormatIntervalLabelText(run->Language, &run->Intervals, (int)n, call.value, (int)call.size);
    }
}

// The total of the interval rows, in their unit (kilobytes, each row
// rounded as shown), so that the rows add up to it.
static ULONGLONG IntervalKilobytesTotal(const RunContext* run) {
    ULONGLONG total = 0;
    for (DWORD n = 0; n < run->Intervals.Count && n < ANALYSIS_INTERVALS; ++n)
        total += KilobytesOf(run->Period.Bytes[n]);
    return total;
}

int EvaluateBandwidthKeyword(const HeaderCall& call) {
    const char* k = call.keyword;
    if (CompareKeywordPrefix(k, "TopBandwidth") != 0)
        return 0;
    if (call.run->Period.TopTablesCount <= TopBandwidth)
        return 1;
    DWORD n = GetBracketNumber(k);
    if (KeywordIsIndexed(k, "TopBandwidthInterval")) {
        IntervalLabel(call, n);
        if (!call.value[0])
            SetHeaderMarker(call, "");
    } else if (KeywordIsIndexed(k, "TopBandwidthBandwidth")) {
        SetHeaderCount(call, n < ANALYSIS_INTERVALS ? KilobytesOf(call.run->Period.Bytes[n]) : 0);
    } else if (KeywordIsIndexed(k, "TopBandwidthViews")) {
        // The page views of the interval (the column once repeated the
        // kilobytes).
        SetHeaderCount(call, SumTableIntervalHits(RunTable(call.run, TopDocuments), 0, n));
    } else if (KeywordIsIndexed(k, "TopBandwidthTotalBytes")) {
        SetHeaderCount(call, IntervalKilobytesTotal(call.run));
    } else {
        EvaluateHeaderTable(call, "TopBandwidth", TopBandwidth, 0);
    }
    return 1;
}
