// Header figures of the run: title texts, totals over the intervals, the
// visitors' origins, per-day averages and times.
//
// Texts: the report title is RunContext::ReportTitle, the web domain the
// first of the profile texts, the generated-on and range texts the run's
// date texts.
#include <string.h>

#include "ovcore/hittime.h"
#include "ovcore/report_ini.h"
#include "header_call.h"
#include "keyword_text.h"
#include "run/run_setup.h"
#include "write/report_output.h"

#define SECONDS_PER_DAY 86400

typedef ULONGLONG (*PeriodSum)(const PeriodBlock& period, DWORD n);

static ULONGLONG SuccessfulHits(const PeriodBlock& p, DWORD n) {
    return p.Hits[n] > p.FailedHits[n] ? p.Hits[n] - p.FailedHits[n] : 0;
}
static ULONGLONG Users(const PeriodBlock& p, DWORD n) {
    return p.NewVisits[n];
}
static ULONGLONG HomePageHits(const PeriodBlock& p, DWORD n) {
    return p.HomePageHits[n];
}
static ULONGLONG UsaUsers(const PeriodBlock& p, DWORD n) {
    return p.HomeVisits[n];
}
static ULONGLONG ForeignUsers(const PeriodBlock& p, DWORD n) {
    return p.ForeignVisits[n];
}
static ULONGLONG UnknownUsers(const PeriodBlock& p, DWORD n) {
    return p.UnknownVisits[n];
}

static ULONGLONG SumIntervals(const RunContext* run, PeriodSum figure) {
    ULONGLONG sum = 0;
    for (DWORD n = 0; n < ANALYSIS_INTERVALS; ++n)
        sum += figure(run->Period, n);
    return sum;
}

// Days of the run, rounded up; a last time in the future counts as now and
// a last time before the first gives 0. Kept with the run.
static DWORD RunDays(RunContext* run) {
    ORB_TIME first = run->Intervals.RangeStart;
    ORB_TIME last = run->Intervals.RangeEnd;
    ORB_TIME now = HitTime_Now();
    if (last > now)
        last = now;
    DWORD days = last > first ? (last - first + SECONDS_PER_DAY - 1) / SECONDS_PER_DAY : 0;
    run->Output->Keywords.DayCount = days;
    return days;
}

static void SetPerDay(const HeaderCall& call, ULONGLONG total) {
    DWORD days = RunDays(call.run);
    SetHeaderCount(call, days ? total / days : 0);
}

static void SetCountOrNA(const HeaderCall& call, ULONGLONG count) {
    if (count)
        SetHeaderCount(call, count);
    else
        SetHeaderText(call, "N/A");
}

// Keywords that need visitors or pages, removed for logs without them.
static const char* const kVisitorWords[] = {
    "HeaderReportRange",
    "HeaderHomePagePath",
    "HeaderTotalUsers",
    "HeaderIntervalUsers",
    "HeaderUSAUsersPercent",
    "HeaderInternationalUsersPercent",
    "HeaderOriginUnknownUsersPercent",
    "HeaderAverageUsersPerDay",
    "HeaderAverageUsersTime",
};

static bool NeedsVisitors(const char* keyword) {
    for (const char* word : kVisitorWords)
        if (KeywordIsIndexed(keyword, word))
            return true;
    return false;
}

static int HeaderTexts(const HeaderCall& call) {
    RunContext* run = call.run;
    const char* k = call.keyword;
    if (KeywordIs(k, "TitleLogDescription"))
        SetHeaderText(call, run->Output->ReportTitle);
    else if (KeywordIs(k, "HeaderWebDomain"))
        SetHeaderText(call, run->ProfileTexts[0]);
    else if (KeywordIs(k, "HeaderGeneratedOn"))
        SetHeaderText(call, run->ReportDateText);
    else if (KeywordIs(k, "HeaderReportRange"))
        SetHeaderText(call, run->RangeText);
    else if (KeywordIs(k, "HeaderHomePagePath"))
        SetHeaderText(call, run->HomePage);
    else if (KeywordIs(k, "HeaderCountry"))
        SetHeaderText(call, run->Language ? LookupCountryName(run->Language, run->Country)
                                          : run->Country);
    else
        return 0;
    return 1;
}

static int HeaderTotals(const HeaderCall& call) {
    RunContext* run = call.run;
    const char* k = call.keyword;
    DWORD n = GetBracketNumber(k);
    ULONGLONG users = SumIntervals(run, Users);
    if (KeywordIs(k, "HeaderHomePageHits"))
        SetCountOrNA(call, SumIntervals(run, HomePageHits));
    else if (KeywordIs(k, "HeaderPageTotalPageImpressions"))
        SetHeaderCount(call, run->Period.DocumentHits);
    else if (KeywordIs(k, "HeaderTotalHits"))
        SetHeaderCount(call, SumIntervals(run, SuccessfulHits));
    else if (KeywordIsIndexed(k, "HeaderIntervalHits"))
        SetHeaderCount(call, n < ANALYSIS_INTERVALS ? SuccessfulHits(run->Period, n) : 0);
    else if (KeywordIs(k, "HeaderTotalUsers"))
        SetHeaderCount(call, users);
    else if (KeywordIsIndexed(k, "HeaderIntervalUsers"))
        SetHeaderCount(call, n < ANALYSIS_INTERVALS ? Users(run->Period, n) : 0);
    else if (KeywordIs(k, "HeaderUSAUsersPercent"))
        SetHeaderPercent(call, (double)SumIntervals(run, UsaUsers), (double)users);
    else if (KeywordIs(k, "HeaderInternationalUsersPercent"))
        SetHeaderPercent(call, (double)SumIntervals(run, ForeignUsers), (double)users);
    else if (KeywordIs(k, "HeaderOriginUnknownUsersPercent"))
        SetHeaderPercent(call, (double)SumIntervals(run, UnknownUsers), (double)users);
    else
        return 0;
    return 1;
}

static int HeaderAverages(const HeaderCall& call) {
    RunContext* run = call.run;
    const char* k = call.keyword;
    const PeriodBlock& period = run->Period;
    if (KeywordIs(k, "HeaderAveragePageImprPerDay"))
        SetPerDay(call, period.DocumentHits);
    else if (KeywordIs(k, "HeaderAverageHitsPerDay"))
        SetPerDay(call, SumIntervals(run, SuccessfulHits));
    else if (KeywordIs(k, "HeaderAverageUsersPerDay"))
        SetPerDay(call, SumIntervals(run, Users));
    else if (KeywordIs(k, "HeaderAverageUsersTime")) {
        DWORD average = period.UserSessionsTimeCount
                            ? period.UserSessionsTime / period.UserSessionsTimeCount
                            : 0;
        if (average)
            FormatDuration(average, call.value, call.size);
        else
            SetHeaderText(call, "N/A");
    } else if (KeywordIs(k, "CurrentTime"))
        FormatValueText(call.value, call.size, "%lu", (unsigned long)HitTime_Now());
    else if (KeywordIs(k, "ReportProcessTime")) {
        ORB_TIME now = HitTime_Now();
        FormatDuration(now > run->CreatedTime ? now - run->CreatedTime : 0, call.value, call.size);
    } else
        return 0;
    return 1;
}

int EvaluateHeaderFigures(const HeaderCall& call) {
    if (RunHasNoVisitors(call.run) && NeedsVisitors(call.keyword)) {
        SetHeaderMarker(call, "%%Remove%%");
        return 1;
    }
    return HeaderTexts(call) || HeaderTotals(call) || HeaderAverages(call);
}
