// Allocation of the run context, the interval of a hit's time and the
// process-wide report table keywords.
#include "run/run_context.h"

#include <stdlib.h>

ReportTableKeyword g_ReportTableKeywords[RUN_TABLE_COUNT] = {
    {"TopWeekdays"},
    {"TopHours"},
    {"TopExtensions"},
    {"TopSuffixes"},
    {"TopCountries"},
    {"TopForms"},
    {"TopDownloads"},
    {"TopDocuments"},
    {"TopDirectory"},
    {"TopCompanies"},
    {"TopUsers"},
    {"TopReferers"},
    {"TopBrowsers"},
    {"TopPlatforms"},
    {"TopCities"},
    {"TopStates"},
    {"TopVisitors"},
    {"TopServerErrors"},
    {"TopClientErrors"},
    {"TopFormErrors"},
    {"GeneralStats"},
    {"TechnicalStats"},
    {"ActivityStats"},
    {"TopReferingSites"},
    {"TopBottom"},
    {"TopEntry"},
    {"TopExit"},
    {"TopSinglePage"},
    {"ObsoleteTopPaths"},
    {"TopAds"},
    {"TopAdClicks"},
    {"TopAdViews"},
    {"TopSpiders"},
    {"TopNetscape"},
    {"TopExplorer"},
    {"TopUploads"},
    {"TopAuthUsers"},
    {"TopBandwidth"},
    {"TopPaths"},
    {"TopSearchEngines"},
    {"TopSearchKeywords"},
    {"Top404Errors"},
    {"TopSearchKeyPhrases"},
    {"TopSearchPhraseEngines"},
};

ReportTableKeyword g_UserSessionsKeyword = {"TopUserSessions"};

RunContext* AllocRunContext() {
    RunContext* context = (RunContext*)calloc(1, sizeof(RunContext));
    if (!context)
        return nullptr;
    context->dwSize = RUN_CONTEXT_SIZE;
    context->dwVersion = RUN_CONTEXT_VERSION;
    context->Period.dwSize = PERIOD_BLOCK_SIZE;
    context->Period.dwVersion = RUN_CONTEXT_VERSION;
    context->CompanyFile = INVALID_HANDLE_VALUE;
    context->Hits.ExtensionPosition = -1;
    return context;
}

static DWORD IntervalByTable(const ORB_TIME* starts, DWORD count, ORB_TIME time) {
    for (DWORD n = 0; n < count; n++)
        if (time >= starts[n] && time < starts[n + 1])
            return n;
    return ANALYSIS_INTERVALS;
}

DWORD RunInterval(const RunContext* context, ORB_TIME time) {
    const ReportIntervals& iv = context->Intervals;
    DWORD count = iv.Count < ANALYSIS_INTERVALS ? iv.Count : ANALYSIS_INTERVALS;
    if (context->CountByMonth)
        return IntervalByTable(context->MonthStarts, count, time);
    if (context->CountByDay)
        return IntervalByTable(context->DayStarts, count, time);
    if (count == 0 || iv.Length == 0 || time < iv.FirstStart)
        return time < iv.FirstStart ? ANALYSIS_INTERVALS : 0;
    unsigned long long span = (unsigned long long)count * iv.Length;
    return (DWORD)(((unsigned long long)(time - iv.FirstStart) % span) / iv.Length);
}
