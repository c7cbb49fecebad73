// The report's intervals, generated-on and range texts of a run.
#include <time.h>

#include "ovcore/dates.h"
#include "run/run_context_parts.h"
#include "run/run_setup.h"

#define SECONDS_PER_DAY 86400

ORB_TIME RunWallClockNow() {
    time_t now = time(NULL);
    struct tm local = *localtime(&now);
    return Y2K_mkGMT(&local);
}

void ChooseRunIntervals(ReportHandle* report, RunContext* context) {
    ReportIntervals& iv = context->Intervals;
    iv.RangeStart = report->StartTime;
    iv.RangeEnd = report->EndTime;
    ChooseReportIntervals(context->Language, INTERVALS_BY_SPAN, &iv);
    if (iv.Count > REPORT_MAX_INTERVALS)
        iv.Count = REPORT_MAX_INTERVALS; // the per-interval counters hold 32
    iv.FirstStart = iv.Length == SECONDS_PER_DAY
                        ? report->StartTime - report->StartTime % SECONDS_PER_DAY
                        : report->StartTime;
}

void SetReportGeneratedTime(RunContext* context) {
    FormatGeneratedOnText(context->Language, &context->Intervals, RunWallClockNow(),
                          context->ReportDateText, sizeof(context->ReportDateText));
}

void SetReportRangeText(ReportHandle* report) {
    RunContext* context = report->Run;
    if (context)
        FormatReportRangeText(context->Language, &context->Intervals, context->RangeText,
                              sizeof(context->RangeText));
}
