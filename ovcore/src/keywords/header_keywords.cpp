// The report-wide keyword evaluator: each family is asked in turn; the first
// that knows the keyword gives its value.
#include "header_keywords.h"

#include "ovcore/report_numbers.h"
#include "header_call.h"
#include "keyword_text.h"
#include "table_keywords.h"
#include "ovkit/text_copy.h"

bool RunHasNoVisitors(const RunContext* run) {
    return run->Hits.LogKind == LOG_KIND_REFERRER_ONLY || run->Hits.LogKind == LOG_KIND_AGENT_ONLY;
}

AnalysisTable* RunTable(const RunContext* run, int number) {
    const PeriodBlock& period = run->Period;
    if (!period.TopTablesPtr || number < 0 || (DWORD)number >= period.TopTablesCount)
        return nullptr;
    return &period.TopTablesPtr[number];
}

AnalysisTable* RunUserSessionsTable(const RunContext* run) {
    return run->Period.TopUsersPtr;
}

void SetHeaderCount(const HeaderCall& call, ULONGLONG count) {
    FormatCount(count, call.value, (int)call.size);
}

void SetHeaderPercent(const HeaderCall& call, double part, double whole) {
    FormatPercent(part, whole, call.value, (int)call.size);
}

void SetHeaderMarker(const HeaderCall& call, const char* marker) {
    SetMarkerValue(call.value, call.size, marker, call.markerFlag);
}

void SetHeaderText(const HeaderCall& call, const char* text) {
    OvkitCopyText(call.value, call.size, text);
}

int EvaluateHeaderTable(const HeaderCall& call, const char* prefix, int number, int order) {
    AnalysisTable* table =
        number == NO_TABLE_NUMBER ? RunUserSessionsTable(call.run) : RunTable(call.run, number);
    EvaluateTableKeyword(call.report, call.run, call.value, call.size, call.keyword, prefix, table,
                         number, order, call.markerFlag, call.status);
    return 1;
}

int EvaluateHeaderKeyword(ReportHandle* report, RunContext* run, const char* keyword, char* value,
                          DWORD size, DWORD* markerFlag, ReportStatusProc status) {
    if (!run || !value || size == 0)
        return 0;
    value[0] = 0;
    if (!keyword)
        return 1;
    HeaderCall call = {report, run, keyword, value, size, markerFlag, status};
    static int (*const kFamilies[])(const HeaderCall&) = {
        EvaluateLayoutKeyword,       EvaluateDocumentKeyword,      EvaluatePageKeyword,
        EvaluateStyleKeyword,        EvaluateHeaderFigures,        EvaluateTechnicalKeyword,
        EvaluateStatsChapterKeyword, EvaluateSummaryKeyword,       EvaluateBandwidthKeyword,
        EvaluateAdsKeyword,          EvaluateUsersDatabaseKeyword, EvaluateDebugTotalsKeyword,
        EvaluateTablePrefixKeyword,
    };
    for (auto family : kFamilies)
        if (family(call))
            break;
    return 1;
}
